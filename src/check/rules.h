// The rules a report is checked by before it is uploaded, one row each, and the law's dated
// figures they use, so that the next change of the law is one row.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "check/finding.h"
#include "format/amount.h"
#include "text/bilingual.h"

namespace pcn {

struct RuleRow {
  Rule rule;
  const char* id;  // as the command line and the findings file name it
  Severity severity;
  int code;  // the reception's code; 0 where it depends on the field or none was published
  text::Bilingual text;  // what a finding of the rule says
  const char* source;    // the public text the rule comes from
};

const RuleRow& RowOf(Rule rule);

// The reception's codes for a sign other than "+" before a total of the opening record.
enum SignCode : int {
  kTaxableSalesSign = 101,
  kSalesVatSign = 102,
  kInputsVatSign = 103,
  kAssetInputsVatSign = 104,
  kExemptSalesSign = 105,
};
const char* SeverityName(Severity severity);
inline Severity SeverityOf(const Finding& finding) {
  return RowOf(finding.rule).severity;
}

// The invoice amount (before VAT) above which input VAT is deducted only with an allocation
// number, for an invoice of `date` (YYYYMMDD as a number); none before the rule began.
std::optional<Amount> AllocationThreshold(int date);

// Petty-cash VAT may be at most this share of all input VAT in a refund report (percent).
inline constexpr int kPettyCashSharePercent = 5;
// `part` more than `percent` % of `whole`, exactly, whatever their size.
bool MoreThanShare(Amount part, Amount whole, int percent);

// YYYYMMDD of a real calendar day, as a number, or 0.
int CalendarDate(std::string_view text);
// The last day of the month MM-YYYY as YYYYMMDD, or 0 when the text is no such month.
int LastDayOfMonth(std::string_view month);

}  // namespace pcn
