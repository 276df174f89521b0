// The 5% rule. The percentage difference is computed in double precision and then held as
// an amount with four decimals, as the comparison with 5 is made on that rounded value.
#include "totals/five_percent_rule.h"

#include <cmath>
#include <limits>

namespace pcn {
namespace {

constexpr Amount kFivePercent = 5 * kAmountScale;
constexpr Amount kHundredPercent = 100 * kAmountScale;

Amount Absolute(Amount value) {
  return value < 0 ? SubtractAmounts(0, value) : value;
}

struct PairSides {
  Amount declared;
  Amount summed;
};

PairSides SidesOf(const FileEntry& c, TotalsPair pair) {
  switch (pair) {
    case TotalsPair::kIncome:
      return {AddAmounts(c.taxableSales, c.exemptSales), c.salesRecordAmount};
    case TotalsPair::kSalesVat:
      return {c.salesVat, c.salesRecordVat};
    case TotalsPair::kInputsVat:
      return {AddAmounts(c.inputsVat, c.assetInputsVat), c.inputRecordVat};
  }
  return {0, 0};
}

}  // namespace

bool WithinFivePercent(const std::optional<Amount>& p) {
  return p.has_value() && Absolute(*p) <= kFivePercent;
}

std::optional<Amount> PercentDifference(Amount numerator, Amount denominator) {
  // Whole units as doubles are exact, so a whole-unit ratio comes out correctly rounded.
  const double scale = static_cast<double>(kAmountScale);
  const double t = static_cast<double>(numerator) / scale;
  const double d = static_cast<double>(denominator) / scale;
  const double p = 100.0 - 100.0 * t / d;
  const double scaled = p * static_cast<double>(kAmountScale);
  // Beyond +-2^63 the value cannot be held; NaN and infinities fail the test too.
  if (!(std::fabs(scaled) < 9.2233720368547758e18)) return std::nullopt;
  return static_cast<Amount>(std::nearbyint(scaled));  // the default mode rounds ties to even
}

PairCheck CheckPair(const FileEntry& combined, TotalsPair pair) {
  const PairSides sides = SidesOf(combined, pair);
  PairCheck check{pair, sides.declared, sides.summed, std::nullopt, false};
  // Income and VAT on transactions are measured against the records, input VAT against
  // the declared side.
  check.p = pair == TotalsPair::kInputsVat ? PercentDifference(sides.summed, sides.declared)
                                           : PercentDifference(sides.declared, sides.summed);
  const bool exempt = (pair == TotalsPair::kInputsVat && sides.declared == 0) ||
                      Absolute(SubtractAmounts(sides.summed, sides.declared)) < kAmountScale ||
                      (check.p.has_value() && *check.p >= kHundredPercent);
  if (exempt) check.p = 0;
  check.passes = WithinFivePercent(check.p);
  return check;
}

std::optional<PairCheck> FirstFailingPair(const FileEntry& combined) {
  for (TotalsPair pair : {TotalsPair::kIncome, TotalsPair::kSalesVat, TotalsPair::kInputsVat}) {
    if (PairCheck check = CheckPair(combined, pair); !check.passes) return check;
  }
  return std::nullopt;
}

}  // namespace pcn
