// What a check found on one line of a report, before it goes to the tax authority: the
// line, the rule and the authority's code where it published one, with the figures the
// message names. Plain data, shared by the loaded entries, the fronts and the checks that
// make them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace pcn {

enum class Rule {
  kRecordLength,
  kCounterpartyNumber,
  kInvoiceDate,
  kSign,
  kDigits,
  kAllocationNumber,
  kNegativeTotal,
  kPettyCashShare,
  kRepeatedRecord,
  kRecordCount,
  kReportMonth,
};

// How much a finding weighs, heaviest first.
enum class Severity {
  kRefused,    // the reception refuses the file
  kDouble,     // the same invoice counted twice
  kDeduction,  // input VAT at risk
  kFormat,     // the published layout is not kept
};
inline constexpr int kSeverityCount = 4;

// A finding that stops `--strict` and makes the window ask before writing: the reception
// refuses the file, or an invoice counts twice.
constexpr bool Weighty(Severity severity) {
  return severity == Severity::kRefused || severity == Severity::kDouble;
}

struct Finding {
  std::int64_t line = 0;  // from 1; the opening record for the union record's findings
  Rule rule = Rule::kRecordLength;
  int code = 0;  // the reception's error code, or 0 where none was published
  // For a repeated record: where the record was first seen (a file of the same merge).
  std::string firstPath;
  std::int64_t firstLine = 0;
  // The figures the message names: the record's length and the one its type has
  // (record-length); the invoice's amount and the threshold in force (allocation-number,
  // in amount units); the count declared and the records counted (record-count).
  std::int64_t value = 0;
  std::int64_t limit = 0;
  // What stood where the rule wanted something else: the sign's character (negative-total),
  // the month (report-month), "sales" or "inputs" (record-count).
  std::string found;
};

// How many findings of each weight, listed or not.
struct FindingCounts {
  std::array<std::int64_t, kSeverityCount> bySeverity{};

  std::int64_t Total() const {
    std::int64_t total = 0;
    for (std::int64_t count : bySeverity) total += count;
    return total;
  }
  // The weighty ones among them.
  std::int64_t Weighty() const {
    std::int64_t weighty = 0;
    for (int i = 0; i < kSeverityCount; ++i) {
      if (pcn::Weighty(static_cast<Severity>(i))) weighty += bySeverity[i];
    }
    return weighty;
  }
  FindingCounts& operator+=(const FindingCounts& other) {
    for (int i = 0; i < kSeverityCount; ++i) bySeverity[i] += other.bySeverity[i];
    return *this;
  }
};

}  // namespace pcn
