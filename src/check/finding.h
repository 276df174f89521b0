// What a check found on one line of a report, before it goes to the tax authority: the
// line, the rule and the authority's code where it published one. Plain data, shared by the
// loaded entries, the fronts and the checks that make them.
#pragma once

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
};

// How much a finding weighs, heaviest first.
enum class Severity {
  kRefused,    // the reception refuses the file
  kDouble,     // the same invoice counted twice
  kDeduction,  // input VAT at risk
  kFormat,     // the published layout is not kept
};

struct Finding {
  std::int64_t line = 0;  // from 1; the opening record for the union record's findings
  Rule rule = Rule::kRecordLength;
  int code = 0;  // the reception's error code, or 0 where none was published
  // For a repeated record: where the record was first seen (a file of the same merge).
  std::string firstPath;
  std::int64_t firstLine = 0;
};

}  // namespace pcn
