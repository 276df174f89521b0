// Record types, fields, the number rule and the records this system writes.
#include "format/record_format.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <limits>

#include "format/digits.h"
#include "format/joined.h"

namespace pcn {
namespace {

constexpr std::uint64_t kAmountMagnitudeMax =
    static_cast<std::uint64_t>(std::numeric_limits<Amount>::max());

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int DigitInBase(char c, int base) {
  int digit;
  if (c >= '0' && c <= '9') {
    digit = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    digit = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    digit = c - 'A' + 10;
  } else {
    return -1;
  }
  return digit < base ? digit : -1;
}

// Digits only, at most 14 of them (times the scale, that stays inside 64 bits): their
// value, or false. A loop without an early exit, which the compiler unrolls for the
// record's fixed widths.
inline bool DigitsValue(const char* p, std::size_t count, std::uint64_t& value) {
  std::uint64_t whole = 0;
  unsigned notDigit = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned digit = static_cast<unsigned char>(p[i]) - unsigned{'0'};
    notDigit |= digit > 9 ? 1u : 0u;
    whole = whole * 10 + digit;
  }
  value = whole;
  return notDigit == 0 && count > 0 && count <= 14;
}

// The same for a field of fixed width: each digit times its own power of ten, so that the
// products are independent of one another and the compiler can work on them side by side
// rather than in a chain of multiplications.
template <std::size_t kWidth>
inline bool FixedDigitsValue(const char* p, std::uint64_t& value) {
  static_assert(kWidth >= 8 && kWidth <= 14);
  // The last eight at once, the few before them one by one.
  const std::uint64_t last = EightBytes(p + kWidth - 8);
  if (!EightDigits(last)) return false;
  std::uint64_t head = 0;
  for (std::size_t i = 0; i + 8 < kWidth; ++i) {
    const unsigned digit = static_cast<unsigned char>(p[i]) - unsigned{'0'};
    if (digit > 9) return false;
    head = head * 10 + digit;
  }
  value = head * 100000000 + EightDigitsValue(last);
  return true;
}

// The fast path of the number rule: optional blanks, an optional sign and 1 to 14 digits
// that run to the end of the text. Anything else is left to the full rule.
inline bool PlainValue(std::string_view text, Amount& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && IsBlank(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  std::uint64_t whole = 0;
  const auto count = static_cast<std::size_t>(end - p);
  if (count > 14 || !DigitsValue(p, count, whole)) return false;
  const Amount magnitude = static_cast<Amount>(whole) * kAmountScale;
  value = negative ? -magnitude : magnitude;
  return true;
}

Amount Saturated(bool negative) {
  return negative ? std::numeric_limits<Amount>::min() : std::numeric_limits<Amount>::max();
}

// "&H1F", "&B101", "&O17", "&17": a whole number in another base.
Amount RadixValue(std::string_view text) {
  if (text.empty()) return 0;
  int base = 8;
  switch (text.front()) {
    case 'H':
    case 'h':
      base = 16;
      text.remove_prefix(1);
      break;
    case 'B':
    case 'b':
      base = 2;
      text.remove_prefix(1);
      break;
    case 'O':
    case 'o':
    case 'Q':
    case 'q':
      base = 8;
      text.remove_prefix(1);
      break;
    default:
      break;  // octal, this character being the first digit
  }
  std::uint64_t value = 0;
  const std::uint64_t limit = kAmountMagnitudeMax / kAmountScale;
  for (char c : text) {
    const int digit = DigitInBase(c, base);
    if (digit < 0) break;
    if (value <= limit) value = value * static_cast<std::uint64_t>(base) + digit;
  }
  if (value > limit) return Saturated(false);
  return static_cast<Amount>(value) * kAmountScale;
}

// Significant digits of a decimal number, enough to place it in the amount range; digits
// beyond them only matter as "something non-zero follows" for rounding.
struct DecimalDigits {
  static constexpr int kKept = 24;
  char digits[kKept];
  int count = 0;
  std::int64_t dropped = 0;  // significant digits not kept
  bool droppedNonZero = false;

  void Add(char digit) {
    if (count == 0 && digit == '0') return;  // leading zero
    if (count < kKept) {
      digits[count++] = digit;
    } else {
      ++dropped;
      droppedNonZero = droppedNonZero || digit != '0';
    }
  }
};

// The kept digits (and the sticky rest) times 10^power, rounded to an integer with a tie to
// even, saturating at the amount range.
Amount ScaleDecimal(const DecimalDigits& d, std::int64_t power, bool negative) {
  if (d.count == 0) return 0;
  const std::int64_t kept = d.count + power;  // digits that stand left of the decimal point
  if (kept > 19) return Saturated(negative);
  std::uint64_t whole = 0;
  const std::int64_t integerDigits = kept < 0 ? 0 : (kept > d.count ? d.count : kept);
  for (std::int64_t i = 0; i < integerDigits; ++i) {
    whole = whole * 10 + static_cast<std::uint64_t>(d.digits[i] - '0');
  }
  for (std::int64_t i = d.count; i < kept; ++i) whole *= 10;
  if (kept >= 0 && kept < d.count) {
    const char first = d.digits[kept];
    bool rest = d.droppedNonZero;
    for (std::int64_t i = kept + 1; i < d.count && !rest; ++i) rest = d.digits[i] != '0';
    if (first > '5' || (first == '5' && (rest || whole % 2 != 0))) ++whole;
  }
  if (negative) {
    if (whole > kAmountMagnitudeMax + 1) return Saturated(true);
    return static_cast<Amount>(0 - whole);
  }
  if (whole > kAmountMagnitudeMax) return Saturated(false);
  return static_cast<Amount>(whole);
}

std::string Digits(std::uint64_t value, int width) {
  std::string text(static_cast<std::size_t>(width), '0');
  for (int i = width - 1; i >= 0 && value != 0; --i) {
    text[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
  if (value != 0) text.insert(0, std::to_string(value));  // does not fit: wider on purpose
  return text;
}

std::uint64_t WholeMagnitude(Amount value) {
  const std::int64_t whole = RoundToWhole(value);
  return whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : static_cast<std::uint64_t>(whole);
}

std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t power = 1;
  for (int i = 0; i < exponent; ++i) power *= 10;
  return power;
}

// Every form the number rule reads; NumberValue takes it where the plain path cannot.
Amount FullRuleValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && text[i] == '&') return RadixValue(text.substr(i + 1));

  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  DecimalDigits digits;
  std::int64_t fractionDigits = 0;
  bool sawDigit = false;
  bool sawPoint = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      sawDigit = true;
      digits.Add(c);
      if (sawPoint) ++fractionDigits;
    } else if (c == '.' && !sawPoint) {
      sawPoint = true;
    } else {
      break;
    }
  }
  if (!sawDigit) return 0;

  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      exponent = exponent * 10 + (text[i] - '0');
      if (exponent > 9999) exponent = 9999;
    }
    if (negativeExponent) exponent = -exponent;
  }
  // value = digits x 10^(dropped + exponent - fractionDigits); amounts carry 4 decimals.
  const std::int64_t power = digits.dropped + exponent - fractionDigits + 4;
  return ScaleDecimal(digits, power, negative);
}

}  // namespace

// The plain path first: the field nearly every file carries (optional blanks, an optional
// sign, then only digits to the end, at most 14 of them) gives the full rule's value.
Amount NumberValue(std::string_view text) {
  Amount value;
  if (PlainValue(text, value)) return value;
  return FullRuleValue(text);
}

Amount FieldValue(std::string_view line, int column, int width) {
  return NumberValue(FieldText(line, column, width));
}

bool SignedAmountFits(Amount value, int width) {
  return width >= 2 && width <= 20 && WholeMagnitude(value) < PowerOfTen(width - 1);
}

std::string SignedAmountText(Amount value, int width) {
  std::string text(1, value < 0 ? '-' : '+');
  text += Digits(WholeMagnitude(value), width - 1);
  return text;
}

bool CountFits(std::int64_t value) {
  return value >= 0 && value <= 999999999;
}

std::string CountText(std::int64_t value) {
  if (value < 0) {
    return Joined({"-", Digits(0 - static_cast<std::uint64_t>(value), 8)});
  }
  return Digits(static_cast<std::uint64_t>(value), 9);
}

namespace {

// A record at least 51 characters long whose VAT and (for a transaction record) amount
// columns hold only digits, read without the number rule; false for anything else.
bool PlainDetailAmounts(std::string_view line, bool isTransaction, DetailAmounts& amounts) {
  if (line.size() < 51) return false;
  std::uint64_t vat = 0;
  std::uint64_t amount = 0;
  if (!FixedDigitsValue<kDetailVat.width>(line.data() + kDetailVat.column - 1, vat)) return false;
  if (isTransaction &&
      !FixedDigitsValue<kDetailAmount.width>(line.data() + kDetailAmount.column - 1, amount)) {
    return false;
  }
  // Ten digits at most: negating cannot overflow.
  const Amount sign = line[kDetailSign.column - 1] == '-' ? -1 : 1;
  amounts.vat = sign * static_cast<Amount>(vat) * kAmountScale;
  amounts.amount = sign * static_cast<Amount>(amount) * kAmountScale;
  return true;
}

}  // namespace

DetailAmounts ReadDetailAmounts(std::string_view line, bool isTransaction) {
  DetailAmounts amounts;
  if (PlainDetailAmounts(line, isTransaction, amounts)) return amounts;
  amounts.vat = FieldValue(line, kDetailVat);
  if (isTransaction) amounts.amount = FieldValue(line, kDetailAmount);
  if (FieldText(line, kDetailSign) == "-") {
    amounts.vat = SubtractAmounts(0, amounts.vat);
    amounts.amount = SubtractAmounts(0, amounts.amount);
  }
  return amounts;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::string OpeningRecordMonth(std::string_view line) {
  std::string month(FieldText(line, kOpening.month));
  month += '-';
  month += FieldText(line, kOpening.year);
  return month;
}

namespace {

// The year and month columns of a written first record: the month's last four characters,
// then its first two, each blank-padded to its width. A month shorter than MM-YYYY (from a
// short opening record in a source) must not shift every column after it.
std::string YearAndMonthColumns(std::string_view month) {
  constexpr std::size_t kYear = kOpening.year.width;
  constexpr std::size_t kMonth = kOpening.month.width;
  std::string columns(month.size() > kYear ? month.substr(month.size() - kYear) : month);
  columns.resize(kYear, ' ');
  columns += month.substr(0, kMonth);
  columns.resize(kYear + kMonth, ' ');
  return columns;
}

}  // namespace

std::string OpeningRecordText(const OpeningRecordValues& v) {
  // The fields in the column order of kOpening, which its static_assert keeps contiguous.
  const OpeningColumns& o = kOpening;
  std::string record;
  record.reserve(static_cast<std::size_t>(o.length));
  record += 'O';
  record += v.number;
  record += YearAndMonthColumns(v.month);
  record += v.headerCode;
  record += v.date;
  record += SignedAmountText(v.taxableSales, o.taxableSales.width);
  record += SignedAmountText(v.salesVat, o.salesVat.width);
  record += SignedAmountText(0, o.reservedWide.width);
  record += SignedAmountText(0, o.reservedNarrow.width);
  record += CountText(v.salesRecordCount);
  record += SignedAmountText(v.exemptSales, o.exemptSales.width);
  record += SignedAmountText(v.inputsVat, o.inputsVat.width);
  record += SignedAmountText(v.assetInputsVat, o.assetInputsVat.width);
  record += CountText(v.inputRecordCount);
  record += SignedAmountText(v.vatPayable, o.vatPayable.width);
  return record;
}

std::string ClosingRecordText(std::string_view number) {
  std::string record = "X";
  record += number;
  return record;
}

std::string RepresentativeHeaderText(std::string_view number, std::string_view month) {
  std::string record = "A";
  record += number;
  record += YearAndMonthColumns(month);
  return record;
}

std::string RepresentativeTrailerText(std::int64_t fileCount, std::int64_t recordCount) {
  std::string record = "Z";
  record += CountText(fileCount);
  record += CountText(recordCount);
  return record;
}

}  // namespace pcn
