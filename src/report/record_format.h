// The PCN874 record format: record types, fields by column, the number encodings and
// the records this system writes. Lines are byte strings without their line end.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/amount.h"

namespace pcn {

enum class RecordKind { kOpening, kTransaction, kInput, kClosing, kOther };

// The character in column 1, or an empty text for an empty line.
std::string_view RecordTypeOf(std::string_view line);

// The kind of record each first byte makes, as a table: it is looked up for every line.
constexpr std::array<RecordKind, 256> MakeRecordKindTable() {
  std::array<RecordKind, 256> table{};
  table.fill(RecordKind::kOther);
  table['O'] = RecordKind::kOpening;
  table['X'] = RecordKind::kClosing;
  for (unsigned char c : {'S', 'L', 'M', 'Y', 'I'}) table[c] = RecordKind::kTransaction;
  for (unsigned char c : {'T', 'C', 'K', 'R', 'P', 'H'}) table[c] = RecordKind::kInput;
  return table;
}
inline constexpr std::array<RecordKind, 256> kRecordKindOfType = MakeRecordKindTable();

inline RecordKind KindOfRecord(std::string_view line) {
  return line.empty() ? RecordKind::kOther
                      : kRecordKindOfType[static_cast<unsigned char>(line.front())];
}

// The field starting at `column` (from 1) for `width` characters; where the line is
// shorter, what remains of it (possibly nothing). Never fails.
std::string_view FieldText(std::string_view line, int column, int width);

// The numeric value of a text: blanks (space, tab, CR, LF) skipped, an optional sign,
// digits with at most one decimal point and an optional exponent (E, e, D or d; capped at
// 9999), reading stopping at the first other character; or "&" and a radix letter (H
// hexadecimal, B binary, O or Q octal; any other character starts an octal number). No
// digits give 0. Rounded to four decimals, a tie to even; beyond the amount range it
// saturates.
Amount NumberValue(std::string_view text);
// The two halves of NumberValue. The full rule reads every form; the fast path reads the
// field nearly every file carries (optional blanks, an optional sign, then only digits to
// the end of the text, at most 14 of them) and returns false for anything else. Both give
// the same value wherever the fast path answers.
Amount NumberValueFullRule(std::string_view text);
bool PlainNumberValue(std::string_view text, Amount& value);
Amount FieldValue(std::string_view line, int column, int width);

// "+" or "-" and the absolute value rounded to whole units as width - 1 digits. Wider
// than `width` when the value does not fit (see SignedAmountFits).
std::string SignedAmountText(Amount value, int width);
bool SignedAmountFits(Amount value, int width);
// The count as 9 digits with leading zeros.
std::string CountText(std::int64_t value);
bool CountFits(std::int64_t value);

// A detail record's signed VAT and (transaction records only) amount without VAT.
struct DetailAmounts {
  Amount vat = 0;
  Amount amount = 0;
};
DetailAmounts ReadDetailAmounts(std::string_view line, bool isTransaction);
// The fast path of ReadDetailAmounts: a record at least 51 characters long whose VAT and
// (for a transaction record) amount columns hold only digits. False for anything else,
// which ReadDetailAmounts reads field by field with the number rule.
bool PlainDetailAmounts(std::string_view line, bool isTransaction, DetailAmounts& amounts);

// The text without its leading and trailing blanks, as the report-month display is read.
std::string_view TrimBlanks(std::string_view text);

// The reporting month of an opening record as MM-YYYY: columns 15-16, "-", columns 11-14.
std::string OpeningRecordMonth(std::string_view line);

// Column widths of the amounts in an opening record.
inline constexpr int kWideAmount = 12;
inline constexpr int kNarrowAmount = 10;

// The merged opening record's values, already combined.
struct OpeningRecordValues {
  std::string number;  // nine digits
  std::string month;   // MM-YYYY
  std::string headerCode;
  std::string date;  // YYYYMMDD
  Amount taxableSales = 0;
  Amount salesVat = 0;
  std::int64_t salesRecordCount = 0;
  Amount exemptSales = 0;
  Amount inputsVat = 0;
  Amount assetInputsVat = 0;
  std::int64_t inputRecordCount = 0;
  Amount vatPayable = 0;
};
std::string OpeningRecordText(const OpeningRecordValues& values);
std::string ClosingRecordText(std::string_view number);
std::string RepresentativeHeaderText(std::string_view number, std::string_view month);
std::string RepresentativeTrailerText(std::int64_t fileCount, std::int64_t recordCount);

}  // namespace pcn
