// The spin step's candidate and percentage by the moved total. None of the exemptions of
// the check before generating applies: a zero side refuses the step.
#include "merge/spin_step.h"

namespace pcn {

Amount ShownTotal(const FileEntry& c, SpinTotal total) {
  switch (total) {
    case SpinTotal::kTaxableSales:
      return ShownAmount(c.taxableSales);
    case SpinTotal::kExemptSales:
      return ShownAmount(c.exemptSales);
    case SpinTotal::kSalesVat:
      return ShownAmount(c.salesVat);
    case SpinTotal::kInputsVat:
      return ShownAmount(c.inputsVat);
    case SpinTotal::kAssetInputsVat:
      return ShownAmount(c.assetInputsVat);
  }
  return 0;
}

SpinStep StepTotal(const FileEntry& c, SpinTotal total, Amount shown, std::int64_t delta) {
  SpinStep step;
  if (shown == 0) return step;  // a total shown as zero cannot be moved
  const Amount amount = AmountFromWhole(delta);
  const Amount moved = AddAmounts(amount, shown);

  std::optional<Amount> p;
  TotalsPair pair = TotalsPair::kIncome;
  switch (total) {
    case SpinTotal::kTaxableSales:
      p = PercentDifference(AddAmounts(moved, c.exemptSales), c.salesRecordAmount);
      break;
    case SpinTotal::kExemptSales:
      p = PercentDifference(AddAmounts(moved, c.taxableSales), c.salesRecordAmount);
      break;
    case SpinTotal::kSalesVat:
      p = PercentDifference(moved, c.salesRecordVat);
      pair = TotalsPair::kSalesVat;
      break;
    case SpinTotal::kInputsVat:
      p = PercentDifference(c.inputRecordVat, AddAmounts(moved, c.assetInputsVat));
      pair = TotalsPair::kInputsVat;
      break;
    case SpinTotal::kAssetInputsVat:
      p = PercentDifference(c.inputRecordVat, AddAmounts(moved, c.inputsVat));
      pair = TotalsPair::kInputsVat;
      break;
  }
  if (!WithinFivePercent(p)) {
    step.refused = pair;
    return step;
  }
  step.moved = true;
  step.combined = c;
  FileEntry& n = step.combined;
  Amount* field = nullptr;
  switch (total) {
    case SpinTotal::kTaxableSales:
      field = &n.taxableSales;
      break;
    case SpinTotal::kExemptSales:
      field = &n.exemptSales;
      break;
    case SpinTotal::kSalesVat:
      field = &n.salesVat;
      break;
    case SpinTotal::kInputsVat:
      field = &n.inputsVat;
      break;
    case SpinTotal::kAssetInputsVat:
      field = &n.assetInputsVat;
      break;
  }
  *field = AddAmounts(*field, amount);
  if (pair != TotalsPair::kIncome) RecomputeVatPayable(n);
  return step;
}

}  // namespace pcn
