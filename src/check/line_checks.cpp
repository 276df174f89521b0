// One pass over a report's lines: every rule that looks at a single record, the dates held
// back until the month is known, the petty-cash share and the declared counts once the file
// has been read. Repeats are RepeatFinder's, settled after the last file.
#include "check/line_checks.h"

#include <algorithm>

#include "check/rules.h"
#include "format/dealer_number.h"
#include "format/digits.h"
#include "format/joined.h"
#include "format/record_format.h"
#include "text/rule_texts.h"

namespace pcn {
namespace {

constexpr int kDetailLength = 60;
constexpr int kClosingLength = 10;
constexpr ColumnDef kCounterparty{2, 9};
constexpr ColumnDef kInvoiceDate{11, 8};
// The reference group, the reference and the VAT stand side by side: one test of digits.
constexpr ColumnDef kGroupReferenceAndVat{19, 22};
constexpr ColumnDef kAllocation{52, 9};
constexpr ColumnDef kRefundSign{120, 1};

// The opening record's totals whose sign the reception reads, with its codes: anything but
// "+" there is refused.
constexpr struct {
  int signColumn;
  int code;
} kSignedTotals[] = {{26, kTaxableSalesSign},
                     {38, kSalesVatSign},
                     {48, kInputsVatSign},
                     {60, kAssetInputsVatSign},
                     {79, kExemptSalesSign}};

bool AllOf(std::string_view text, char only) {
  return std::all_of(text.begin(), text.end(), [only](char c) { return c == only; });
}
// Zeros and blanks only: no allocation number.
bool NoNumber(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == ' '; });
}

// An import record's columns 2-10 hold the customs entry's number, which has no check digit.
bool HasDealerNumber(char type) {
  return type != 'R';
}

}  // namespace

Finding& LineChecker::Add(std::int64_t line, Rule rule, int code, bool header) {
  const Severity severity = RowOf(rule).severity;
  ++counts_.bySeverity[static_cast<int>(severity)];
  if (header) ++headerCounts_.bySeverity[static_cast<int>(severity)];
  const bool light = severity == Severity::kFormat || severity == Severity::kDeduction;
  if (light && listedLight_ >= options_.listed) {
    dropped_ = Finding();
    return dropped_;
  }
  if (light) ++listedLight_;
  Finding& finding = findings_.emplace_back();
  finding.line = line;
  finding.rule = rule;
  finding.code = code != 0 ? code : RowOf(rule).code;
  return finding;
}

void LineChecker::Line(std::string_view head, std::int64_t length, std::int64_t number) {
  switch (KindOfRecord(head)) {
    case RecordKind::kOpening:
      Opening(head, length, number);
      break;
    case RecordKind::kTransaction:
    case RecordKind::kInput:
      Detail(head, length, number);
      break;
    case RecordKind::kClosing:
      Closing(length, number);
      break;
    case RecordKind::kOther:
      break;
  }
}

void LineChecker::CheckDate(std::int64_t line, int date) {
  if (date == 0) {
    Add(line, Rule::kInvoiceDate);
  } else if (!monthRead_) {
    earlyDates_.emplace_back(line, date);
  } else if (lastDay_ != 0 && date > lastDay_) {
    Add(line, Rule::kInvoiceDate);
  }
}

void LineChecker::Opening(std::string_view line, std::int64_t length, std::int64_t number) {
  if (length != kOpening.length) {
    Finding& f = Add(number, Rule::kRecordLength, 0, true);
    f.value = length;
    f.limit = kOpening.length;
  }
  for (const auto& total : kSignedTotals) {
    const std::string_view sign = FieldText(line, total.signColumn, 1);
    if (sign != "+") Add(number, Rule::kNegativeTotal, total.code, true).found = Joined({sign});
  }
  const std::string month = OpeningRecordMonth(line);
  lastDay_ = LastDayOfMonth(month);
  if (lastDay_ == 0) Add(number, Rule::kReportMonth, 0, true).found = month;
  // With no real month there is no last day to hold dates against: each is checked as a
  // calendar date alone from here on.
  monthRead_ = true;
  for (const auto& [dateLine, date] : earlyDates_) CheckDate(dateLine, date);
  earlyDates_.clear();
  earlyDates_.shrink_to_fit();
  refund_ = FieldText(line, kRefundSign) == "-";
  openingLine_ = number;
  declaredSales_ = FieldValue(line, kOpening.salesRecordCount);
  declaredInputs_ = FieldValue(line, kOpening.inputRecordCount);
  if (options_.repeats != nullptr) {
    options_.repeats->SetIssuer(options_.source, FieldText(line, kOpening.dealerNumber));
  }
}

void LineChecker::Closing(std::int64_t length, std::int64_t number) {
  if (length != kClosingLength) {
    Finding& f = Add(number, Rule::kRecordLength, 0, true);
    f.value = length;
    f.limit = kClosingLength;
  }
}

void LineChecker::Detail(std::string_view line, std::int64_t length, std::int64_t number) {
  if (length != kDetailLength) {
    Finding& f = Add(number, Rule::kRecordLength);
    f.value = length;
    f.limit = kDetailLength;
  }

  const char type = line.front();
  const std::string_view counterparty = FieldText(line, kCounterparty);
  // 000000000 passes the check digit as it is; 999999999, standing for no dealer too, not.
  if (HasDealerNumber(type) && (counterparty.size() != 9 || !AllDigits(counterparty) ||
                                (!CheckDigitHolds(counterparty) && counterparty != "999999999"))) {
    Add(number, Rule::kCounterpartyNumber);
  }

  const int date = CalendarDate(FieldText(line, kInvoiceDate));
  CheckDate(number, date);

  const std::string_view sign = FieldText(line, kDetailSign);
  if (sign != "+" && sign != "-") Add(number, Rule::kSign);

  const std::string_view allocation = FieldText(line, kAllocation);
  if (!AllDigits(FieldText(line, kGroupReferenceAndVat)) ||
      !AllDigits(FieldText(line, kDetailAmount)) ||
      (!AllDigits(allocation) && !AllOf(allocation, ' '))) {
    Add(number, Rule::kDigits);
  }

  // A tax invoice of inputs, not a credit note, without an allocation number: is it above
  // the threshold of its date?
  if (type == 'T' && sign != "-" && date != 0 && NoNumber(allocation)) {
    const std::optional<Amount> threshold = AllocationThreshold(date);
    if (threshold && FieldValue(line, kDetailVat) > 0) {
      const Amount amount = FieldValue(line, kDetailAmount);
      if (amount > *threshold) {
        Finding& f = Add(number, Rule::kAllocationNumber);
        f.value = amount;
        f.limit = *threshold;
      }
    }
  }
  if (type == 'K') pettyCashVat_ = AddAmounts(pettyCashVat_, ReadDetailAmounts(line, false).vat);

  InvoiceKey key;
  if (InvoiceKeyOf(line, key)) {
    if (options_.repeats != nullptr) options_.repeats->Add(options_.source, key, number);
    if (options_.keys != nullptr) options_.keys->push_back({key, number});
  }
}

std::vector<Finding> LineChecker::Finish(const ReadCounts& read) {
  if (refund_ && MoreThanShare(pettyCashVat_, read.inputVat, kPettyCashSharePercent)) {
    Add(openingLine_, Rule::kPettyCashShare, 0, true);
  }
  if (openingLine_ > 0) {
    const struct {
      Amount declared;
      std::int64_t counted;
      const char* what;
    } counts[] = {{declaredSales_, read.salesRecords, "sales"},
                  {declaredInputs_, read.inputRecords, "inputs"}};
    for (const auto& count : counts) {
      if (count.declared == AmountFromWhole(count.counted)) continue;
      Finding& f = Add(openingLine_, Rule::kRecordCount, 0, true);
      f.value = RoundToWhole(count.declared);
      f.limit = count.counted;
      f.found = count.what;
    }
  }
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return std::move(findings_);
}

void AddRepeats(const std::vector<RepeatFinder::Repeat>& repeats, int source,
                const std::vector<std::string>& paths, std::vector<Finding>& findings,
                FindingCounts& counts) {
  const auto first =
      std::lower_bound(repeats.begin(), repeats.end(), source,
                       [](const RepeatFinder::Repeat& r, int wanted) { return r.source < wanted; });
  const std::size_t before = findings.size();
  for (auto r = first; r != repeats.end() && r->source == source; ++r) {
    Finding& f = findings.emplace_back();
    f.line = r->line;
    f.rule = Rule::kRepeatedRecord;
    f.firstPath = paths[static_cast<std::size_t>(r->firstSource)];
    f.firstLine = r->firstLine;
    ++counts.bySeverity[static_cast<int>(Severity::kDouble)];
  }
  if (findings.size() == before) return;
  std::inplace_merge(findings.begin(), findings.begin() + static_cast<std::ptrdiff_t>(before),
                     findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

bool OnOpeningOrClosing(const Finding& finding) {
  switch (finding.rule) {
    case Rule::kNegativeTotal:
    case Rule::kPettyCashShare:
    case Rule::kRecordCount:
    case Rule::kReportMonth:
      return true;
    case Rule::kRecordLength:
      return finding.limit != kDetailLength;
    default:
      return false;
  }
}

namespace {

// What stood in a field, quoted, each byte that is no printable ASCII as \xHH, so that a
// message stays one line of valid text whatever the file held.
std::string Quoted(std::string_view found) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted = "\"";
  for (char c : found) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      quoted += c;
    } else {
      quoted += "\\x";
      quoted += kHex[byte >> 4];
      quoted += kHex[byte & 0xF];
    }
  }
  quoted += '"';
  return quoted;
}

struct Figures {
  std::string hebrew;
  std::string english;
};

Figures Fill(const text::Bilingual& pattern, std::initializer_list<std::string_view> values) {
  return {Filled(pattern.hebrew, values), Filled(pattern.english, values)};
}

// The figures a rule's message names, in both languages.
Figures FiguresOf(const Finding& f) {
  switch (f.rule) {
    case Rule::kRecordLength:
      return Fill(text::kRecordLengthFigures, {std::to_string(f.value), std::to_string(f.limit)});
    case Rule::kAllocationNumber:
      return Fill(text::kAllocationNumberFigures, {FormatAmount(f.value), FormatAmount(f.limit)});
    case Rule::kRecordCount:
      return Fill(f.found == "sales" ? text::kSalesCountFigures : text::kInputCountFigures,
                  {FormatWholeNumber(f.value), FormatWholeNumber(f.limit)});
    case Rule::kNegativeTotal:
    case Rule::kReportMonth:
      return Fill(text::kFoundFigures, {Quoted(f.found)});
    case Rule::kRepeatedRecord:
      return Fill(text::kFirstReportFigures, {f.firstPath, std::to_string(f.firstLine)});
    default:
      return {};
  }
}

}  // namespace

std::string FindingMessage(const Finding& finding) {
  const RuleRow& row = RowOf(finding.rule);
  const Figures figures = FiguresOf(finding);
  return Joined({row.text.hebrew, figures.hebrew, " (", row.text.english, figures.english, ")"});
}

std::string FindingText(std::string_view file, const Finding& finding) {
  std::string text(file);
  text += ':';
  text += std::to_string(finding.line);
  text += ": ";
  text += RowOf(finding.rule).id;
  if (finding.code != 0) {
    text += ' ';
    text += std::to_string(finding.code);
  }
  text += ": ";
  text += FindingMessage(finding);
  return text;
}

}  // namespace pcn
