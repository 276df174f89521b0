// Fields, the number rule and the written records.
#include "format/record_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace pcn {
namespace {

constexpr Amount kUnit = kAmountScale;

TEST(FieldText, CutsAtTheEndOfTheLine) {
  static const struct {
    const char* line;
    int column, width;
    const char* want;
  } kCases[] = {
      {"O123456782", 2, 9, "123456782"},
      {"O12345", 2, 9, "12345"},
      {"O", 2, 9, ""},
      {"", 1, 1, ""},
      {"ABC", 3, 5, "C"},
      {"ABC", 4, 1, ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(FieldText(c.line, c.column, c.width), c.want);
  }
}

TEST(NumberValue, FollowsTheNumberRule) {
  static const struct {
    const char* text;
    Amount want;
    const char* why;
  } kCases[] = {
      {"+00000012345", 12345 * kUnit, "plus sign and leading zeros"},
      {"-00000012345", -12345 * kUnit, "minus sign"},
      {"            ", 0, "blanks only"},
      {"+ 12345", 0, "a blank after the sign stops reading"},
      {" \t\r\n42", 42 * kUnit, "leading blanks, tabs, CR and LF are skipped"},
      {"12 34", 12 * kUnit, "a blank inside stops reading"},
      {"000000170", 170 * kUnit, "plain digits"},
      {"12.5", 125000, "decimal point"},
      {".5", 5000, "no digit before the point"},
      {"5.", 5 * kUnit, "no digit after the point"},
      {"1.2.3", 12000, "a second point stops reading"},
      {"0.00005", 0, "a tie rounds to the even digit 0"},
      {"0.00015", 2, "a tie rounds to the even digit 2"},
      {"0.000051", 1, "above the tie rounds up"},
      {"-0.00015", -2, "ties round symmetrically"},
      {"1E3", 1000 * kUnit, "exponent"},
      {"1e3", 1000 * kUnit, "lower-case exponent"},
      {"2D2", 200 * kUnit, "D as exponent letter"},
      {"2d+2", 200 * kUnit, "d with a sign"},
      {"15E-1", 15000, "negative exponent"},
      {"1E", 1 * kUnit, "exponent letter without digits"},
      {"E5", 0, "no mantissa digits"},
      {"1E-99999", 0, "exponent capped, far below a ten-thousandth"},
      {"1E99999", std::numeric_limits<Amount>::max(), "huge values saturate"},
      {"-1E99999", std::numeric_limits<Amount>::min(), "huge negative values saturate"},
      {"&H1F", 31 * kUnit, "hexadecimal"},
      {"&hff", 255 * kUnit, "lower-case hexadecimal"},
      {"&B101", 5 * kUnit, "binary"},
      {"&O17", 15 * kUnit, "octal with O"},
      {"&Q17", 15 * kUnit, "octal with Q"},
      {"&17", 15 * kUnit, "octal, the first digit right after &"},
      {"&8", 0, "8 is no octal digit"},
      {"&", 0, "nothing after &"},
      {"-&H10", 0, "a sign before & is no number"},
      {"  &H10", 16 * kUnit, "blanks before &"},
      {"abc", 0, "no digits"},
      {"", 0, "empty"},
      {"922337203685477.5807", std::numeric_limits<Amount>::max(), "the largest amount"},
      {"922337203685477.5808", std::numeric_limits<Amount>::max(), "just beyond saturates"},
      {"00000000000000000000000000000012", 12 * kUnit, "many leading zeros"},
      {"1.00000000000000000000000000000005", kUnit, "long fractions round correctly"},
      {"0.000050000000000000000000000001", 1, "a non-zero digit far behind the tie"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(NumberValue(c.text), c.want) << c.text;
  }
}

TEST(DetailAmounts, SignColumnNegatesBoth) {
  static const struct {
    std::string line;
    bool transaction;
    Amount vat, amount;
    const char* why;
  } kCases[] = {
      {"S" + std::string(30, '0') + "000000170-0000001000", true, -170 * kUnit, -1000 * kUnit,
       "minus in column 41"},
      {"S" + std::string(30, '0') + "000000170+0000001000", true, 170 * kUnit, 1000 * kUnit,
       "plus in column 41"},
      {"S" + std::string(30, '0') + "000000170 0000001000", true, 170 * kUnit, 1000 * kUnit,
       "blank in column 41"},
      {"S" + std::string(30, '0') + "000000170", true, 170 * kUnit, 0, "line of 40 characters"},
      {"S" + std::string(30, '0') + "0001", true, 1 * kUnit, 0,
       "35 characters: VAT from columns 32-35"},
      {"T" + std::string(30, '0') + "000000170-0000001000", false, -170 * kUnit, 0,
       "inputs carry no amount"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    const DetailAmounts got = ReadDetailAmounts(c.line, c.transaction);
    EXPECT_EQ(got.vat, c.vat);
    EXPECT_EQ(got.amount, c.amount);
  }
}

TEST(RecordKind, IsTheExactFirstCharacter) {
  EXPECT_EQ(KindOfRecord("O123"), RecordKind::kOpening);
  EXPECT_EQ(KindOfRecord("o123"), RecordKind::kOther);
  EXPECT_EQ(KindOfRecord("X"), RecordKind::kClosing);
  for (char c : std::string("SLMYI"))
    EXPECT_EQ(KindOfRecord(std::string(1, c)), RecordKind::kTransaction);
  for (char c : std::string("TCKRPH"))
    EXPECT_EQ(KindOfRecord(std::string(1, c)), RecordKind::kInput);
  for (const char* other : {"", "A", "Z", " S"}) EXPECT_EQ(KindOfRecord(other), RecordKind::kOther);
}

TEST(SignedAmountText, EncodesSignAndDigits) {
  static const struct {
    Amount value;
    int width;
    const char* want;
  } kCases[] = {
      {0, 12, "+00000000000"},
      {-5 * kUnit, 10, "-000000005"},
      {12345 * kUnit, 12, "+00000012345"},
      {25000, 10, "+000000002"},  // 2.5 rounds to 2
      {35000, 10, "+000000004"},  // 3.5 rounds to 4
      {-25000, 10, "-000000002"},
      {99999999999 * kUnit, 12, "+99999999999"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(SignedAmountText(c.value, c.width), c.want);
    EXPECT_TRUE(SignedAmountFits(c.value, c.width));
  }
  EXPECT_FALSE(SignedAmountFits(100000000000 * kUnit, 12));
  EXPECT_FALSE(SignedAmountFits(-1000000000 * kUnit, 10));
  EXPECT_TRUE(SignedAmountFits(-999999999 * kUnit, 10));
  EXPECT_FALSE(SignedAmountFits(999999999 * kUnit + 5000 + 1, 10));  // rounds up to 10 digits
}

TEST(CountText, NineDigits) {
  EXPECT_EQ(CountText(0), "000000000");
  EXPECT_EQ(CountText(12), "000000012");
  EXPECT_EQ(CountText(999999999), "999999999");
  EXPECT_TRUE(CountFits(999999999));
  EXPECT_FALSE(CountFits(1000000000));
  EXPECT_FALSE(CountFits(-1));
}

TEST(WrittenRecords, HaveTheirWidths) {
  OpeningRecordValues v;
  v.number = "123456782";
  v.month = "03-2024";
  v.headerCode = "1";
  v.date = "20241201";
  v.taxableSales = -1500 * kUnit;
  v.salesRecordCount = 7;
  const std::string opening = OpeningRecordText(v);
  ASSERT_EQ(opening.size(), 131u);
  EXPECT_EQ(opening.substr(0, 25), "O123456782202403120241201");
  EXPECT_EQ(opening.substr(25, 12), "-00000001500");
  EXPECT_EQ(opening.substr(47, 22), "+00000000000+000000000");
  EXPECT_EQ(opening.substr(69, 9), "000000007");
  EXPECT_EQ(ClosingRecordText("123456782"), "X123456782");
  EXPECT_EQ(RepresentativeHeaderText("000000018", "03-2024"), "A000000018202403");
  EXPECT_EQ(RepresentativeTrailerText(2, 33), "Z000000002000000033");
}

TEST(OpeningRecordMonth, IsMonthDashYear) {
  EXPECT_EQ(OpeningRecordMonth("O123456782202403"), "03-2024");
  EXPECT_EQ(OpeningRecordMonth("O12345678220"), "-20");  // a short record gives what it has
}

TEST(FormatAmount, GroupsDigitsWithCommas) {
  static const struct {
    Amount value;
    const char* want;
  } kCases[] = {
      {0, "0"},
      {1234567 * kUnit, "1,234,567"},
      {-1500 * kUnit, "-1,500"},
      {999 * kUnit, "999"},
      {1000 * kUnit, "1,000"},
      {-4000, "0"},  // -0.4 rounds to zero, which has no sign
      {-5000, "0"},  // -0.5 rounds to even 0
      {-15000, "-2"},
      {std::numeric_limits<Amount>::min(), "-922,337,203,685,478"},  // .5808 rounds up
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatAmount(c.value), c.want);
}

TEST(FormatDecimal, KeepsTheDecimalsAskedFor) {
  static const struct {
    Amount value;
    int decimals;
    const char* want;
  } kCases[] = {
      {1000 * kUnit, 2, "1,000.00"},
      {90909, 4, "9.0909"},
      {-50420, 4, "-5.0420"},  // the trailing zero kept
      {12345, 2, "1.23"},      // 1.2345: below half
      {12350, 2, "1.24"},      // a tie to the even neighbour
      {12250, 2, "1.22"},
      {-49, 2, "0.00"},  // rounds to nothing, which has no sign
      {1234567 * kUnit + 5, 0, "1,234,567"},
      {std::numeric_limits<Amount>::min(), 2, "-922,337,203,685,477.58"},
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.want) << c.value;
}
}  // namespace
}  // namespace pcn
