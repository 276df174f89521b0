// The PCN874 record format: record types, fields by column, the number encodings and
// the records this system writes. Lines are byte strings without their line end.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "format/amount.h"

namespace pcn {

enum class RecordKind { kOpening, kTransaction, kInput, kClosing, kOther };

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

// Where a field stands in a record: its first column (from 1) and its width in characters.
struct ColumnDef {
  int column;
  int width;
  constexpr int End() const { return column + width; }  // the column after it
};

// The opening record's fields, in column order. Loading reads them and the merged file's
// opening record is built from them, so both sides agree on every column.
struct OpeningColumns {
  ColumnDef type{1, 1};
  ColumnDef dealerNumber{2, 9};
  ColumnDef year{11, 4};
  ColumnDef month{15, 2};
  ColumnDef headerCode{17, 1};
  ColumnDef date{18, 8};
  ColumnDef taxableSales{26, 12};
  ColumnDef salesVat{38, 10};
  ColumnDef reservedWide{48, 12};  // two amounts this system always writes as zero
  ColumnDef reservedNarrow{60, 10};
  ColumnDef salesRecordCount{70, 9};
  ColumnDef exemptSales{79, 12};
  ColumnDef inputsVat{91, 10};
  ColumnDef assetInputsVat{101, 10};
  ColumnDef inputRecordCount{111, 9};
  ColumnDef vatPayable{120, 12};
  int length = 131;
};
inline constexpr OpeningColumns kOpening{};

// Each field starts where the one before it ends, and the last one ends the record: the
// builder appends them in this order.
constexpr bool OpeningColumnsFollowOneAnother(const OpeningColumns& o) {
  const ColumnDef order[] = {o.type,           o.dealerNumber,     o.year,
                             o.month,          o.headerCode,       o.date,
                             o.taxableSales,   o.salesVat,         o.reservedWide,
                             o.reservedNarrow, o.salesRecordCount, o.exemptSales,
                             o.inputsVat,      o.assetInputsVat,   o.inputRecordCount,
                             o.vatPayable};
  int next = 1;
  for (const ColumnDef& field : order) {
    if (field.column != next) return false;
    next = field.End();
  }
  return next == o.length + 1;
}
static_assert(OpeningColumnsFollowOneAnother(kOpening));

// The closing record's dealer number, and a detail record's VAT, sign and amount.
inline constexpr ColumnDef kClosingDealerNumber{2, 9};
inline constexpr ColumnDef kDetailVat{32, 9};
inline constexpr ColumnDef kDetailSign{41, 1};
inline constexpr ColumnDef kDetailAmount{42, 10};

// The field starting at `column` (from 1) for `width` characters; where the line is
// shorter, what remains of it (possibly nothing). Never fails.
inline std::string_view FieldText(std::string_view line, int column, int width) {
  const std::size_t start = static_cast<std::size_t>(column - 1);
  if (column < 1 || width <= 0 || start >= line.size()) return {};
  return line.substr(start, static_cast<std::size_t>(width));
}
inline std::string_view FieldText(std::string_view line, ColumnDef field) {
  return FieldText(line, field.column, field.width);
}

// The numeric value of a text: blanks (space, tab, CR, LF) skipped, an optional sign,
// digits with at most one decimal point and an optional exponent (E, e, D or d; capped at
// 9999), reading stopping at the first other character; or "&" and a radix letter (H
// hexadecimal, B binary, O or Q octal; any other character starts an octal number). No
// digits give 0. Rounded to four decimals, a tie to even; beyond the amount range it
// saturates.
Amount NumberValue(std::string_view text);
Amount FieldValue(std::string_view line, int column, int width);
inline Amount FieldValue(std::string_view line, ColumnDef field) {
  return FieldValue(line, field.column, field.width);
}

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

// The text without its leading and trailing blanks, as the report-month display is read.
std::string_view TrimBlanks(std::string_view text);

// The reporting month of an opening record as MM-YYYY: columns 15-16, "-", columns 11-14.
std::string OpeningRecordMonth(std::string_view line);

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
// "A", the number, the year and the month: 16 characters.
inline constexpr std::size_t kRepresentativeHeaderLength = 16;
std::string RepresentativeHeaderText(std::string_view number, std::string_view month);
std::string RepresentativeTrailerText(std::int64_t fileCount, std::int64_t recordCount);

}  // namespace pcn
