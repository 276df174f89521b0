// The 5% rule. The percentage difference is computed in double precision and then held as
// an amount with four decimals, as the comparison with 5 is made on that rounded value.
#include "merge/totals_check.h"

#include <cmath>
#include <limits>

#include "app/message_box.h"
#include "app/messages.h"
#include "report/record_format.h"

namespace pcn {
namespace {

constexpr Amount kFivePercent = 5 * kAmountScale;
constexpr Amount kHundredPercent = 100 * kAmountScale;

Amount Absolute(Amount value) {
  return value < 0 ? SubtractAmounts(0, value) : value;
}

bool WithinFivePercent(const std::optional<Amount>& p) {
  return p.has_value() && Absolute(*p) <= kFivePercent;
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
  const bool exempt =
      (pair == TotalsPair::kInputsVat && sides.declared == 0) ||
      Absolute(SubtractAmounts(sides.summed, sides.declared)) < kAmountScale ||
      (check.p.has_value() && *check.p >= kHundredPercent);
  if (exempt) check.p = 0;
  check.passes = WithinFivePercent(check.p);
  return check;
}

const char* PairMessage(TotalsPair pair) {
  switch (pair) {
    case TotalsPair::kIncome: return text::kIncomeDiffers;
    case TotalsPair::kSalesVat: return text::kSalesVatDiffers;
    case TotalsPair::kInputsVat: return text::kInputsVatDiffers;
  }
  return "";
}

int CheckMergedTotals(Dialog& dialog, const FileTable& table) {
  for (TotalsPair pair : {TotalsPair::kIncome, TotalsPair::kSalesVat, TotalsPair::kInputsVat}) {
    if (!CheckPair(table.Combined(), pair).passes) {
      ShowStop(dialog, PairMessage(pair));
      return 1;
    }
  }
  return 0;
}

void AdjustMergedTotal(Dialog& dialog, FileTable& table, ControlId spinButton,
                       std::int64_t delta) {
  FileEntry& c = table.Combined();
  ControlId valueField;
  switch (spinButton) {
    case ControlId::kSpinTaxableSales: valueField = ControlId::kTaxableSales; break;
    case ControlId::kSpinExemptSales: valueField = ControlId::kExemptSales; break;
    case ControlId::kSpinSalesVat: valueField = ControlId::kSalesVat; break;
    case ControlId::kSpinInputsVat: valueField = ControlId::kInputsVat; break;
    case ControlId::kSpinAssetInputsVat: valueField = ControlId::kAssetInputsVat; break;
    default: return;
  }
  const std::string shownText = dialog.Text(valueField);
  if (NumberValue(shownText) == 0) return;  // a total shown as zero cannot be moved
  std::string withoutCommas;
  for (char ch : shownText) {
    if (ch != ',') withoutCommas += ch;
  }
  const Amount shown = NumberValue(withoutCommas);
  const Amount step = AmountFromWhole(delta);
  const Amount moved = AddAmounts(step, shown);

  Amount candidate = 0;
  std::optional<Amount> p;
  TotalsPair pair = TotalsPair::kIncome;
  Amount* field = nullptr;
  switch (spinButton) {
    case ControlId::kSpinTaxableSales:
      candidate = AddAmounts(moved, c.exemptSales);
      p = PercentDifference(candidate, c.salesRecordAmount);
      field = &c.taxableSales;
      break;
    case ControlId::kSpinExemptSales:
      candidate = AddAmounts(moved, c.taxableSales);
      p = PercentDifference(candidate, c.salesRecordAmount);
      field = &c.exemptSales;
      break;
    case ControlId::kSpinSalesVat:
      candidate = moved;
      p = PercentDifference(candidate, c.salesRecordVat);
      pair = TotalsPair::kSalesVat;
      field = &c.salesVat;
      break;
    case ControlId::kSpinInputsVat:
      candidate = AddAmounts(moved, c.assetInputsVat);
      p = PercentDifference(c.inputRecordVat, candidate);
      pair = TotalsPair::kInputsVat;
      field = &c.inputsVat;
      break;
    default:  // kSpinAssetInputsVat
      candidate = AddAmounts(moved, c.inputsVat);
      p = PercentDifference(c.inputRecordVat, candidate);
      pair = TotalsPair::kInputsVat;
      field = &c.assetInputsVat;
      break;
  }
  if (!WithinFivePercent(p)) {
    ShowStop(dialog, PairMessage(pair));
    return;
  }
  *field = AddAmounts(*field, step);
  if (pair != TotalsPair::kIncome) RecomputeVatPayable(c);
  ShowTotals(dialog, table);
}

}  // namespace pcn
