// The fast paths of the number rule and of a detail record's amounts against the full
// rule, both reached through the public reading: a field followed by a byte that ends any
// number ("#") is one the plain path never takes, and the full rule stops reading at that
// byte, so it gives the full rule's value of the field itself. Wherever the plain path
// takes a field its value must be that one, over random fields
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

// The full rule's value of `text`.
Amount FullRule(std::string_view text) {
  std::string ended(text);
  ended += '#';
  return NumberValue(ended);
}

// Checks one text, held in a buffer of exactly its size so that a sanitizer build catches
// a fast path reading past the field.
void Agrees(const std::string& text) {
  std::unique_ptr<char[]> exact(new char[text.size() + (text.empty() ? 1 : 0)]);
  std::memcpy(exact.get(), text.data(), text.size());
  const std::string_view view(exact.get(), text.size());
  EXPECT_EQ(NumberValue(view), FullRule(view)) << "\"" << text << "\"";
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
    Agrees(text);
    if (::testing::Test::HasFailure()) return;  // one report is enough
  }
}

TEST(FieldValueFastPath, AgreesWithTheFullRuleOnRandomPlainFields) {
  Random random{874};
  static const char* const kPrefixes[] = {"", "+", "-", " ", "  -", "\t+", "\r\n"};
  for (int n = 0; n < 1'000'000; ++n) {
    std::string text = kPrefixes[random.Below(7)];
    const unsigned digits = 1 + random.Below(16);
    for (unsigned i = 0; i < digits; ++i) text += static_cast<char>('0' + random.Below(10));
    Agrees(text);
    if (::testing::Test::HasFailure()) return;
  }
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

TEST(FieldValueFastPath, ReadsTheCommonFieldsAndTheRest) {
  static const struct {
    const char* text;
    Amount want;
    const char* why;
  } kCases[] = {
      {"000000170", 170 * kAmountScale, "detail VAT, nine digits"},
      {"0000017518", 17518 * kAmountScale, "detail amount, ten digits"},
      {"+00000104776", 104776 * kAmountScale, "opening amount with its sign"},
      {"-000000005", -5 * kAmountScale, "negative opening amount"},
      {"-0", 0, "minus zero is zero"},
      {"   42", 42 * kAmountScale, "leading blanks"},
      {"99999999999999", 99999999999999 * kAmountScale, "fourteen digits, the most"},
      {"100000000000000", 100000000000000 * kAmountScale, "fifteen digits: the full rule"},
      {"", 0, "empty"},
      {"+", 0, "a sign alone"},
      {"+ 12345", 0, "a blank after the sign"},
      {"12 34", 12 * kAmountScale, "a blank inside ends the number"},
      {"0000:0000", 0, "the byte after 9"},
      {"0000/0000", 0, "the byte before 0"},
      {"12.5", 125 * kAmountScale / 10, "a decimal point"},
      {"1E3", 1000 * kAmountScale, "an exponent"},
      {"&H1F", 31 * kAmountScale, "another base"},
      {"00000000\xB0", 0, "a high byte after a word of digits"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(NumberValue(c.text), c.want);
    Agrees(c.text);
  }
}

// A detail record's amounts read field by field with the full rule alone.
DetailAmounts ReferenceDetailAmounts(std::string_view line, bool isTransaction) {
  DetailAmounts amounts;
  amounts.vat = FullRule(FieldText(line, 32, 9));
  if (isTransaction) amounts.amount = FullRule(FieldText(line, 42, 10));
  if (FieldText(line, 41, 1) == "-") {
    amounts.vat = SubtractAmounts(0, amounts.vat);
    amounts.amount = SubtractAmounts(0, amounts.amount);
  }
  return amounts;
}

// Checks one line, held in a buffer of exactly its size.
void DetailAgrees(const std::string& line, bool isTransaction) {
  std::unique_ptr<char[]> exact(new char[line.size() + (line.empty() ? 1 : 0)]);
  std::memcpy(exact.get(), line.data(), line.size());
  const std::string_view view(exact.get(), line.size());
  const DetailAmounts want = ReferenceDetailAmounts(view, isTransaction);
  const DetailAmounts got = ReadDetailAmounts(view, isTransaction);
  EXPECT_EQ(got.vat, want.vat) << "\"" << line << "\"";
  EXPECT_EQ(got.amount, want.amount) << "\"" << line << "\"";
}

TEST(DetailAmountsFastPath, AgreesWithTheFullRuleOnRecordLikeLines) {
  // Records as files carry them, then with bytes of the VAT, sign and amount columns
  // replaced, and cut to every length around the columns.
  Random random{8740};
  static const char kOdd[] = " +-.E&\t\r:/\xb0\xff";
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
    DetailAgrees(line, random.Below(2) == 0);
    if (::testing::Test::HasFailure()) return;
  }
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
  const DetailAmounts amounts = ReadDetailAmounts(record, true);
  EXPECT_EQ(amounts.vat, -170 * kAmountScale);
  EXPECT_EQ(amounts.amount, -17518 * kAmountScale);
}

}  // namespace
}  // namespace pcn
