// One pass over a report's lines: every rule that looks at a single record, the dates held
// back until the month is known, the petty-cash share once the file has been read.
#include "check/line_checks.h"

#include <algorithm>

#include "check/rules.h"
#include "merge/dealer_number.h"
#include "report/record_format.h"

namespace pcn {
namespace {

constexpr int kDetailLength = 60;
constexpr ColumnDef kCounterparty{2, 9};
constexpr ColumnDef kInvoiceDate{11, 8};
constexpr ColumnDef kKey{1, 31};  // what makes an invoice itself
constexpr ColumnDef kReference{23, 9};
constexpr ColumnDef kAllocation{52, 9};
constexpr ColumnDef kRefundSign{120, 1};

// The opening record's totals that may not be negative, with the reception's codes.
constexpr struct {
  int signColumn;
  int code;
} kUnsignedTotals[] = {{26, 101}, {38, 102}, {48, 103}, {60, 104}, {79, 105}};

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
bool AllOf(std::string_view text, char only) {
  return std::all_of(text.begin(), text.end(), [only](char c) { return c == only; });
}
// Zeros and blanks only: no allocation number.
bool NoNumber(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == ' '; });
}

// `part` more than `percent` % of `whole`, exactly, whatever their size (the products need
// more than 64 bits).
__extension__ typedef __int128 Wide;
bool MoreThanShare(Amount part, Amount whole, int percent) {
  return static_cast<Wide>(part) * 100 > static_cast<Wide>(whole) * percent;
}

}  // namespace

LineChecker::LineChecker(RepeatIndex& repeats, const std::string& path)
    : repeats_(repeats), file_(repeats.AddFile(path)) {}

void LineChecker::Add(std::int64_t line, Rule rule, int code) {
  ++count_;
  if (findings_.size() >= kKept) return;
  Finding finding;
  finding.line = line;
  finding.rule = rule;
  finding.code = code != 0 ? code : RowOf(rule).code;
  findings_.push_back(std::move(finding));
}

void LineChecker::Line(std::string_view head, std::int64_t length, std::int64_t number) {
  switch (KindOfRecord(head)) {
    case RecordKind::kOpening:
      Opening(head, number);
      break;
    case RecordKind::kTransaction:
    case RecordKind::kInput:
      Detail(head, length, number);
      break;
    default:
      break;
  }
}

void LineChecker::Opening(std::string_view line, std::int64_t number) {
  for (const auto& total : kUnsignedTotals) {
    if (FieldText(line, total.signColumn, 1) == "-") Add(number, Rule::kNegativeTotal, total.code);
  }
  lastDay_ = LastDayOfMonth(OpeningRecordMonth(line));
  refund_ = FieldText(line, kRefundSign) == "-";
  openingLine_ = number;
  for (const auto& [dateLine, date] : earlyDates_) {
    if (lastDay_ != 0 && date > lastDay_) Add(dateLine, Rule::kInvoiceDate);
  }
  earlyDates_.clear();
}

void LineChecker::Detail(std::string_view line, std::int64_t length, std::int64_t number) {
  // The index's slot for this record is fetched from memory while the other rules run.
  const std::string_view reference = FieldText(line, kReference);
  const bool keyed =
      reference.size() == static_cast<std::size_t>(kReference.width) && !AllOf(reference, '0');
  const std::uint64_t fingerprint = keyed ? repeats_.Fingerprint(FieldText(line, kKey)) : 0;
  if (keyed) repeats_.Prefetch(fingerprint);

  if (length != kDetailLength) Add(number, Rule::kRecordLength);

  const std::string_view counterparty = FieldText(line, kCounterparty);
  if (counterparty.size() != 9 || !AllDigits(counterparty) ||
      (counterparty != "000000000" && counterparty != "999999999" &&
       DealerNumberCheck(counterparty) != 0)) {
    Add(number, Rule::kCounterpartyNumber);
  }

  const int date = CalendarDate(FieldText(line, kInvoiceDate));
  if (date == 0) {
    Add(number, Rule::kInvoiceDate);
  } else if (lastDay_ == 0) {
    earlyDates_.emplace_back(number, date);
  } else if (date > lastDay_) {
    Add(number, Rule::kInvoiceDate);
  }

  const std::string_view sign = FieldText(line, kDetailSign);
  if (sign != "+" && sign != "-") Add(number, Rule::kSign);

  const std::string_view allocation = FieldText(line, kAllocation);
  if (!AllDigits(FieldText(line, kReference)) || !AllDigits(FieldText(line, kDetailVat)) ||
      !AllDigits(FieldText(line, kDetailAmount)) ||
      (!AllOf(allocation, ' ') && !AllDigits(allocation))) {
    Add(number, Rule::kDigits);
  }

  const char type = line.front();
  if (type == 'T' && sign != "-" && date != 0) {
    const std::optional<Amount> threshold = AllocationThreshold(date);
    if (threshold && FieldValue(line, kDetailVat) > 0 &&
        FieldValue(line, kDetailAmount) > *threshold && NoNumber(allocation)) {
      Add(number, Rule::kAllocationNumber);
    }
  }
  if (type == 'K') pettyCashVat_ = AddAmounts(pettyCashVat_, ReadDetailAmounts(line, false).vat);

  if (keyed) {
    const RepeatIndex::Place first = repeats_.FirstOrAdd(fingerprint, file_, number);
    if (first.file >= 0) {
      const std::size_t kept = findings_.size();
      Add(number, Rule::kRepeatedRecord);
      if (findings_.size() > kept) {
        findings_.back().firstPath = repeats_.PathOf(first.file);
        findings_.back().firstLine = first.line;
      }
    }
  }
}

std::vector<Finding> LineChecker::Finish(const FileEntry& entry) {
  if (refund_ && MoreThanShare(pettyCashVat_, entry.inputRecordVat, kPettyCashSharePercent)) {
    Add(openingLine_, Rule::kPettyCashShare);
  }
  std::stable_sort(findings_.begin(), findings_.end(),
                   [](const Finding& a, const Finding& b) { return a.line < b.line; });
  return std::move(findings_);
}

LoadResult LoadChecked(const FileTable& table, const std::string& path, RepeatIndex& repeats,
                       LineSink* copier) {
  LineChecker checker(repeats, path);
  LoadResult loaded = LoadReportFor(table, path, {copier, &checker});
  if (loaded.refusal == LoadRefusal::kNone) {
    loaded.entry.pettyCashVat = checker.PettyCashVat();
    loaded.entry.findings = checker.Finish(loaded.entry);
    loaded.entry.findingCount = checker.FindingCount();
  }
  return loaded;
}

std::vector<Finding> UnionRecordFindings(const FileEntry& c) {
  std::vector<Finding> findings;
  auto add = [&findings](Rule rule, int code) {
    Finding finding;
    finding.line = 1;
    finding.rule = rule;
    finding.code = code;
    findings.push_back(finding);
  };
  if (c.taxableSales < 0) add(Rule::kNegativeTotal, 101);
  if (c.salesVat < 0) add(Rule::kNegativeTotal, 102);
  if (c.exemptSales < 0) add(Rule::kNegativeTotal, 105);
  if (c.vatPayable < 0 && MoreThanShare(c.pettyCashVat, c.inputRecordVat, kPettyCashSharePercent)) {
    add(Rule::kPettyCashShare, RowOf(Rule::kPettyCashShare).code);
  }
  return findings;
}

// Built by appending, one piece at a time: GCC 12 warns falsely about chains of + at -O3.
std::string FindingMessage(const Finding& finding) {
  const RuleRow& row = RowOf(finding.rule);
  std::string message = row.hebrew;
  message += " (";
  message += row.english;
  if (finding.rule == Rule::kRepeatedRecord) {
    message += "; first at ";
    message += finding.firstPath;
    message += ':';
    message += std::to_string(finding.firstLine);
  }
  message += ')';
  return message;
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
