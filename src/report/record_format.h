// The PCN874 record format: record types, fields by column, the number encodings and
// the records this system writes. Lines are byte strings without their line end.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "report/amount.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define PCN_RECORD_SSE2 1
#endif

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
std::string_view FieldText(std::string_view line, int column, int width);
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
// The two halves of NumberValue. The full rule reads every form; the fast path reads the
// field nearly every file carries (optional blanks, an optional sign, then only digits to
// the end of the text, at most 14 of them) and returns false for anything else. Both give
// the same value wherever the fast path answers.
Amount NumberValueFullRule(std::string_view text);
bool PlainNumberValue(std::string_view text, Amount& value);
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

namespace detail {
// The value of eight ASCII digits held in a little-endian word (the first digit in its
// lowest byte), or false when any byte is not a digit: all eight tested and combined in a
// few word operations.
inline bool EightDigitsValue(std::uint64_t word, std::uint64_t& value) {
  // Each byte is 0x30-0x39 exactly when its high nibble is 3 and adding 6 keeps it 3.
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ull;
  if (((word & kHigh) | (((word + 0x0606060606060606ull) & kHigh) >> 4)) != 0x3333333333333333ull) {
    return false;
  }
  // Pairs, then fours, then all eight: each step multiplies the higher half up and adds.
  word = ((word & 0x0F0F0F0F0F0F0F0Full) * 2561) >> 8;
  word = ((word & 0x00FF00FF00FF00FFull) * 6553601) >> 16;
  value = ((word & 0x0000FFFF0000FFFFull) * 42949672960001ull) >> 32;
  return true;
}

inline std::uint64_t LoadWord(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

}  // namespace detail

// A detail record's VAT and amount columns read as plain digits, both at once whatever
// the record's type, so that a reading loop needs no branch on the type. `p` is a line at
// least 51 characters long. A column that is not all digits is marked and reads as 0.
struct PlainDetail {
  Amount vat = 0;
  Amount amount = 0;
  bool vatPlain = false;
  bool amountPlain = false;
};
inline PlainDetail ReadPlainDetail(const char* p) {
  // VAT in columns 32-40 (one digit, then eight), the sign in 41, the amount in 42-51 (two
  // digits, then eight).
  PlainDetail d;
  const unsigned vatHead = static_cast<unsigned char>(p[31]) - unsigned{'0'};
  const unsigned high = static_cast<unsigned char>(p[41]) - unsigned{'0'};
  const unsigned low = static_cast<unsigned char>(p[42]) - unsigned{'0'};
  std::uint64_t vatTail = 0;
  std::uint64_t tail = 0;
#ifdef PCN_RECORD_SSE2
  // Both groups of eight at once: checked in one comparison, then pairs, fours and eights
  // multiplied together in three steps.
  const __m128i digits =
      _mm_sub_epi8(_mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 32)),
                                      _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 43))),
                   _mm_set1_epi8('0'));
  const unsigned plain = static_cast<unsigned>(
      _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(digits, _mm_set1_epi8(9)), digits)));
  const __m128i zero = _mm_setzero_si128();
  const __m128i tens = _mm_set1_epi32(0x0001000A);  // 10, 1 in each pair of words
  const __m128i pairs = _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(digits, zero), tens),
                                        _mm_madd_epi16(_mm_unpackhi_epi8(digits, zero), tens));
  const __m128i fours = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010064));  // 100, 1
  const __m128i eights =
      _mm_madd_epi16(_mm_packs_epi32(fours, fours), _mm_set1_epi32(0x00012710));  // 10000, 1
  vatTail = static_cast<std::uint32_t>(_mm_cvtsi128_si32(eights));
  tail = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(eights, 4)));
  d.vatPlain = (plain & 0x00FF) == 0x00FF && vatHead <= 9;
  d.amountPlain = (plain & 0xFF00) == 0xFF00 && high <= 9 && low <= 9;
#else
  d.vatPlain = detail::EightDigitsValue(detail::LoadWord(p + 32), vatTail) && vatHead <= 9;
  d.amountPlain = detail::EightDigitsValue(detail::LoadWord(p + 43), tail) && high <= 9 && low <= 9;
#endif
  // A column that is not all digits gives 0, not a value made of other bytes. Ten digits
  // at most: negating cannot overflow.
  const std::uint64_t vat = d.vatPlain ? vatHead * 100000000ull + vatTail : 0;
  const std::uint64_t amount = d.amountPlain ? (high * 10 + low) * 100000000ull + tail : 0;
  const Amount sign = p[40] == '-' ? -1 : 1;
  d.vat = sign * static_cast<Amount>(vat) * kAmountScale;
  d.amount = sign * static_cast<Amount>(amount) * kAmountScale;
  return d;
}

// The fast path of ReadDetailAmounts: a record at least 51 characters long whose VAT and
// (for a transaction record) amount columns hold only digits. False for anything else,
// which ReadDetailAmounts reads field by field with the number rule.
inline bool PlainDetailAmounts(std::string_view line, bool isTransaction, DetailAmounts& amounts) {
  if (std::endian::native != std::endian::little || line.size() < 51) return false;
  const PlainDetail d = ReadPlainDetail(line.data());
  if (!d.vatPlain || (isTransaction && !d.amountPlain)) return false;
  amounts.vat = d.vat;
  amounts.amount = isTransaction ? d.amount : 0;
  return true;
}

// The text without its leading and trailing blanks, as the report-month display is read.
std::string_view TrimBlanks(std::string_view text);

// The reporting month of an opening record as MM-YYYY: columns 15-16, "-", columns 11-14.
std::string OpeningRecordMonth(std::string_view line);

// Widths of the amounts in an opening record.
inline constexpr int kWideAmount = kOpening.taxableSales.width;
inline constexpr int kNarrowAmount = kOpening.salesVat.width;

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
