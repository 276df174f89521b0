// Loading with the checks, and the checks that need the file table.
#include "report/checked_load.h"

#include <utility>

#include "check/repeat_finder.h"
#include "check/rules.h"

namespace pcn {

ReadCounts ReadCountsOf(const FileEntry& entry) {
  return {entry.salesRecordCount, entry.inputRecordCount, entry.inputRecordVat};
}

LoadResult LoadChecked(const FileTable& table, const std::string& path, LineChecker::Options checks,
                       LineSink* copier, FindingCounts* openingAndClosing) {
  if (checks.repeats != nullptr) checks.source = checks.repeats->AddSource();
  LineChecker checker(checks);
  LoadResult loaded = LoadReportFor(table, path, {copier, &checker});
  if (loaded.refusal != LoadRefusal::kNone) {
    // A refused file counts for nothing: its records repeat no invoice, and none repeats them.
    if (checks.repeats != nullptr) checks.repeats->Remove(checks.source);
    return loaded;
  }
  loaded.entry.pettyCashVat = checker.PettyCashVat();
  loaded.entry.findings = checker.Finish(ReadCountsOf(loaded.entry));
  loaded.entry.findingCounts = checker.Counts();
  if (openingAndClosing != nullptr) *openingAndClosing = checker.OpeningAndClosingCounts();
  return loaded;
}

void CountRepeats(FileTable& table) {
  RepeatFinder finder;
  std::vector<std::string> paths;
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    const FileEntry& entry = table.File(slot);
    const int source = finder.AddSource();
    finder.SetIssuer(source, entry.dealerNumber);
    if (entry.invoiceKeys) {
      for (const KeyedRecord& record : *entry.invoiceKeys) {
        finder.Add(source, record.key, record.line);
      }
    }
    paths.push_back(entry.path);
  }
  const std::vector<RepeatFinder::Repeat> repeats = finder.Find();
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    std::vector<Finding>& findings = table.FindingsOf(slot);
    FindingCounts& counts = table.FindingCountsOf(slot);
    std::erase_if(findings, [](const Finding& f) { return f.rule == Rule::kRepeatedRecord; });
    counts.bySeverity[static_cast<int>(Severity::kDouble)] = 0;
    AddRepeats(repeats, slot - 1, paths, findings, counts);
  }
}

std::vector<Finding> UnionRecordFindings(const FileEntry& c) {
  std::vector<Finding> findings;
  auto add = [&findings](Rule rule, int code) -> Finding& {
    Finding& finding = findings.emplace_back();
    finding.line = 1;
    finding.rule = rule;
    finding.code = code;
    return finding;
  };
  // Found: the sign the union record would carry.
  for (const auto& [total, code] :
       {std::pair{c.taxableSales, kTaxableSalesSign}, std::pair{c.salesVat, kSalesVatSign},
        std::pair{c.exemptSales, kExemptSalesSign}}) {
    if (total < 0) add(Rule::kNegativeTotal, code).found.push_back('-');
  }
  if (c.vatPayable < 0 && MoreThanShare(c.pettyCashVat, c.inputRecordVat, kPettyCashSharePercent)) {
    add(Rule::kPettyCashShare, RowOf(Rule::kPettyCashShare).code);
  }
  return findings;
}

}  // namespace pcn
