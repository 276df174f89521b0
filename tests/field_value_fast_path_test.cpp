// The fast paths of the number rule and of a detail record's amounts against the full
// rule: wherever a fast path gives a value it must be the full rule's, over random fields
// and over fields built to sit on the edges of what the fast path takes (signs, blanks,
// bytes next to the digits, lengths around its words of eight digits and its limit of
// fourteen, records cut short).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "format/record_format.h"

namespace pcn {
namespace {

// Checks one text, held in a buffer of exactly its size so that a sanitizer build catches
// a fast path reading past the field. Returns whether the fast path answered.
bool Agrees(const std::string& text) {
  std::unique_ptr<char[]> exact(new char[text.size() + (text.empty() ? 1 : 0)]);
  std::memcpy(exact.get(), text.data(), text.size());
  const std::string_view view(exact.get(), text.size());
  const Amount full = NumberValueFullRule(view);
  Amount fast = 0;
  const bool answered = PlainNumberValue(view, fast);
  if (answered) {
    EXPECT_EQ(fast, full) << "fast path differs on \"" << text << "\"";
  }
  EXPECT_EQ(NumberValue(view), full) << "\"" << text << "\"";
  return answered;
}

struct Random {
  std::uint64_t state;
  std::uint64_t Next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }
};

TEST(FieldValueFastPath, AgreesWithTheFullRuleOnRandomFields) {
  // Mostly digits, so that many fields are plain; the rest are the characters that
  // change the meaning of a field, and bytes just outside the digit range.
  static const char kAlphabet[] =
      "0123456789012345678901234567890123456789"
      " \t\r\n+-.EeDd&HhBbOoQq/:;?@xZ";
  Random random{20240315};
  std::int64_t fast = 0, total = 0;
  std::string text;
  for (int n = 0; n < 1'000'000; ++n) {
    text.clear();
    const unsigned length = random.Below(19);
    for (unsigned i = 0; i < length; ++i) {
      if (random.Below(50) == 0) {
        text += static_cast<char>(random.Below(256));  // any byte at all, high ones too
      } else {
        text += kAlphabet[random.Below(sizeof kAlphabet - 1)];
      }
    }
    fast += Agrees(text) ? 1 : 0;
    ++total;
    if (::testing::Test::HasFailure()) return;  // one report is enough
  }
  // The comparison means something only if the fast path often answered.
  EXPECT_GT(fast, total / 20);
}

TEST(FieldValueFastPath, AgreesWithTheFullRuleOnRandomPlainFields) {
  Random random{874};
  static const char* const kPrefixes[] = {"", "+", "-", " ", "  -", "\t+", "\r\n"};
  std::int64_t fast = 0, total = 0;
  for (int n = 0; n < 1'000'000; ++n) {
    std::string text = kPrefixes[random.Below(7)];
    const unsigned digits = 1 + random.Below(16);
    for (unsigned i = 0; i < digits; ++i) text += static_cast<char>('0' + random.Below(10));
    fast += Agrees(text) ? 1 : 0;
    ++total;
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(fast, total / 2);
}

// Every byte value at every position of plain fields of every length up to 16: one wrong
// byte inside a word of eight must send the field to the full rule.
TEST(FieldValueFastPath, AgreesWhenAnyOneByteIsReplaced) {
  static const char* const kPrefixes[] = {"", "-", " +"};
  for (const char* prefix : kPrefixes) {
    for (int digits = 1; digits <= 16; ++digits) {
      std::string plain = prefix;
      for (int i = 0; i < digits; ++i) plain += static_cast<char>('1' + (i * 7) % 9);
      Agrees(plain);
      for (std::size_t at = 0; at < plain.size(); ++at) {
        for (int byte = 0; byte < 256; ++byte) {
          std::string text = plain;
          text[at] = static_cast<char>(byte);
          Agrees(text);
        }
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
}

TEST(FieldValueFastPath, TakesTheCommonFieldsAndLeavesTheRest) {
  static const struct {
    const char* text;
    bool fast;
    Amount want;
    const char* why;
  } kCases[] = {
      {"000000170", true, 170 * kAmountScale, "detail VAT, nine digits"},
      {"0000017518", true, 17518 * kAmountScale, "detail amount, ten digits"},
      {"+00000104776", true, 104776 * kAmountScale, "opening amount with its sign"},
      {"-000000005", true, -5 * kAmountScale, "negative opening amount"},
      {"-0", true, 0, "minus zero is zero"},
      {"   42", true, 42 * kAmountScale, "leading blanks"},
      {"99999999999999", true, 99999999999999 * kAmountScale, "fourteen digits, the most"},
      {"999999999999999", false, 0, "fifteen digits may saturate: the full rule"},
      {"", false, 0, "empty"},
      {"+", false, 0, "a sign alone"},
      {"+ 12345", false, 0, "a blank after the sign"},
      {"12 34", false, 0, "a blank inside"},
      {"0000:0000", false, 0, "the byte after 9"},
      {"0000/0000", false, 0, "the byte before 0"},
      {"12.5", false, 0, "a decimal point"},
      {"1E3", false, 0, "an exponent"},
      {"&H1F", false, 0, "another base"},
      {"00000000\xB0", false, 0, "a high byte after a word of digits"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    Amount value = 0;
    EXPECT_EQ(PlainNumberValue(c.text, value), c.fast);
    if (c.fast) {
      EXPECT_EQ(value, c.want);
    }
    Agrees(c.text);
  }
}

// A detail record's amounts read field by field with the full rule alone.
DetailAmounts ReferenceDetailAmounts(std::string_view line, bool isTransaction) {
  DetailAmounts amounts;
  amounts.vat = NumberValueFullRule(FieldText(line, 32, 9));
  if (isTransaction) amounts.amount = NumberValueFullRule(FieldText(line, 42, 10));
  if (FieldText(line, 41, 1) == "-") {
    amounts.vat = SubtractAmounts(0, amounts.vat);
    amounts.amount = SubtractAmounts(0, amounts.amount);
  }
  return amounts;
}

// Checks one line, held in a buffer of exactly its size. Returns whether the record-level
// fast path answered.
bool DetailAgrees(const std::string& line, bool isTransaction) {
  std::unique_ptr<char[]> exact(new char[line.size() + (line.empty() ? 1 : 0)]);
  std::memcpy(exact.get(), line.data(), line.size());
  const std::string_view view(exact.get(), line.size());
  const DetailAmounts want = ReferenceDetailAmounts(view, isTransaction);
  DetailAmounts fast;
  const bool answered = PlainDetailAmounts(view, isTransaction, fast);
  if (answered) {
    EXPECT_EQ(fast.vat, want.vat) << "\"" << line << "\"";
    EXPECT_EQ(fast.amount, want.amount) << "\"" << line << "\"";
  }
  const DetailAmounts got = ReadDetailAmounts(view, isTransaction);
  EXPECT_EQ(got.vat, want.vat) << "\"" << line << "\"";
  EXPECT_EQ(got.amount, want.amount) << "\"" << line << "\"";
  return answered;
}

TEST(DetailAmountsFastPath, AgreesWithTheFullRuleOnRecordLikeLines) {
  // Records as files carry them, then with bytes of the VAT, sign and amount columns
  // replaced, and cut to every length around the columns.
  Random random{8740};
  static const char kOdd[] = " +-.E&\t\r:/\xb0\xff";
  std::int64_t fast = 0, total = 0;
  for (int n = 0; n < 300'000; ++n) {
    std::string line = "S987654324202403150000000000017";
    for (int i = 0; i < 9; ++i) line += static_cast<char>('0' + random.Below(10));
    line += "+-  x"[random.Below(5)];
    for (int i = 0; i < 10; ++i) line += static_cast<char>('0' + random.Below(10));
    line += "000000000";
    const unsigned changes = random.Below(4);
    for (unsigned c = 0; c < changes; ++c) {
      line[30 + random.Below(22)] = kOdd[random.Below(sizeof kOdd - 1)];
    }
    if (random.Below(4) == 0) line.resize(30 + random.Below(31));
    fast += DetailAgrees(line, random.Below(2) == 0) ? 1 : 0;
    ++total;
    if (::testing::Test::HasFailure()) return;
  }
  EXPECT_GT(fast, total / 5);
}

TEST(DetailAmountsFastPath, AgreesWhenAnyOneByteOfTheColumnsIsReplaced) {
  const std::string record = "S987654324202403150000000000017000000170-0000017518000000000";
  for (std::size_t at = 30; at < 52; ++at) {
    for (int byte = 0; byte < 256; ++byte) {
      std::string line = record;
      line[at] = static_cast<char>(byte);
      DetailAgrees(line, true);
      DetailAgrees(line, false);
    }
    if (::testing::Test::HasFailure()) return;
  }
  DetailAmounts amounts;
  ASSERT_TRUE(PlainDetailAmounts(record, true, amounts));
  EXPECT_EQ(amounts.vat, -170 * kAmountScale);
  EXPECT_EQ(amounts.amount, -17518 * kAmountScale);
}

}  // namespace
}  // namespace pcn
