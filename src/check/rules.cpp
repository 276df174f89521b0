// The rules' table and the law's dated figures.
#include "check/rules.h"

#include <array>
#include <iterator>

#include "format/digits.h"
#include "text/rule_texts.h"

namespace pcn {
namespace {

constexpr const char* kLayout = "the published PCN874 record structure (Israel Tax Authority)";
constexpr const char* kReception = "the reception's published error codes (Israel Tax Authority)";
constexpr const char* kDirective =
    "the VAT directive on allocation numbers (Israel invoices reform)";

constexpr RuleRow kRules[] = {
    {Rule::kRecordLength, "record-length", Severity::kFormat, 0, text::kRecordLengthRule, kLayout},
    {Rule::kCounterpartyNumber, "counterparty-number", Severity::kFormat, 0,
     text::kCounterpartyNumberRule, kLayout},
    {Rule::kInvoiceDate, "invoice-date", Severity::kFormat, 0, text::kInvoiceDateRule, kLayout},
    {Rule::kSign, "sign", Severity::kFormat, 0, text::kSignRule, kLayout},
    {Rule::kDigits, "digits", Severity::kFormat, 0, text::kDigitsRule, kLayout},
    {Rule::kAllocationNumber, "allocation-number", Severity::kDeduction, 0,
     text::kAllocationNumberRule, kDirective},
    {Rule::kNegativeTotal, "negative-total", Severity::kRefused, 0, text::kNegativeTotalRule,
     kReception},
    {Rule::kPettyCashShare, "petty-cash-share", Severity::kRefused, 216, text::kPettyCashShareRule,
     kReception},
    {Rule::kRepeatedRecord, "repeated-record", Severity::kDouble, 0, text::kRepeatedRecordRule,
     kLayout},
    {Rule::kRecordCount, "record-count", Severity::kFormat, 0, text::kRecordCountRule, kLayout},
    {Rule::kReportMonth, "report-month", Severity::kRefused, 0, text::kReportMonthRule, kLayout},
};

// From its first day on, each row replaces the one before.
constexpr struct {
  int from;
  Amount above;
} kAllocationThresholds[] = {
    {20240505, 25000 * kAmountScale},
    {20250101, 20000 * kAmountScale},
    {20260101, 10000 * kAmountScale},
    {20260601, 5000 * kAmountScale},
};

}  // namespace

const RuleRow& RowOf(Rule rule) {
  for (const RuleRow& row : kRules) {
    if (row.rule == rule) return row;
  }
  return kRules[0];
}

const char* SeverityName(Severity severity) {
  switch (severity) {
    case Severity::kRefused:
      return "refused";
    case Severity::kDouble:
      return "double";
    case Severity::kDeduction:
      return "deduction";
    case Severity::kFormat:
      return "format";
  }
  return "";
}

bool MoreThanShare(Amount part, Amount whole, int percent) {
  // The products need more than 64 bits.
  __extension__ typedef __int128 Wide;
  return static_cast<Wide>(part) * 100 > static_cast<Wide>(whole) * percent;
}

std::optional<Amount> AllocationThreshold(int date) {
  // The latest row that has begun by `date`: most invoices are of this month, under the last.
  for (auto row = std::rbegin(kAllocationThresholds); row != std::rend(kAllocationThresholds);
       ++row) {
    if (date >= row->from) return row->above;
  }
  return std::nullopt;
}

namespace {

bool Leap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}
int DaysIn(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[static_cast<std::size_t>(month - 1)] + (month == 2 && Leap(year) ? 1 : 0);
}
bool Digits(std::string_view text, int& value) {
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return !text.empty();
}

}  // namespace

int CalendarDate(std::string_view text) {
  if (text.size() != 8) return 0;
  const std::uint64_t word = EightBytes(text.data());
  if (!EightDigits(word)) return 0;
  const auto date = static_cast<int>(EightDigitsValue(word));
  const int year = date / 10000, month = date / 100 % 100, day = date % 100;
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysIn(year, month)) return 0;
  return date;
}

int LastDayOfMonth(std::string_view month) {
  int mm = 0, yyyy = 0;
  if (month.size() != 7 || month[2] != '-' || !Digits(month.substr(0, 2), mm) ||
      !Digits(month.substr(3, 4), yyyy) || mm < 1 || mm > 12 || yyyy < 1) {
    return 0;
  }
  return yyyy * 10000 + mm * 100 + DaysIn(yyyy, mm);
}

}  // namespace pcn
