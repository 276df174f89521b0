// The spin step's candidate and percentage by the moved total. None of the exemptions of
// the check before generating applies: a zero side refuses the step.
#include "totals/adjustment.h"

#include <cstddef>
#include <iterator>

namespace pcn {
namespace {

// What a step on one total reads and moves. The pair's declared side is the moved total
// plus `alongside` (no other for VAT on transactions); `summed` is its records' side.
struct SpinRow {
  Amount FileEntry::*field;
  TotalsPair pair;
  Amount FileEntry::*alongside;
  Amount FileEntry::*summed;
};

// One row per AdjustableTotal, in its order.
constexpr SpinRow kSpinRows[] = {
    {&FileEntry::taxableSales, TotalsPair::kIncome, &FileEntry::exemptSales,
     &FileEntry::salesRecordAmount},
    {&FileEntry::exemptSales, TotalsPair::kIncome, &FileEntry::taxableSales,
     &FileEntry::salesRecordAmount},
    {&FileEntry::salesVat, TotalsPair::kSalesVat, nullptr, &FileEntry::salesRecordVat},
    {&FileEntry::inputsVat, TotalsPair::kInputsVat, &FileEntry::assetInputsVat,
     &FileEntry::inputRecordVat},
    {&FileEntry::assetInputsVat, TotalsPair::kInputsVat, &FileEntry::inputsVat,
     &FileEntry::inputRecordVat},
};
static_assert(std::size(kSpinRows) ==
              static_cast<std::size_t>(AdjustableTotal::kAssetInputsVat) + 1);

const SpinRow& RowOf(AdjustableTotal total) {
  return kSpinRows[static_cast<std::size_t>(total)];
}

}  // namespace

Amount ShownTotal(const FileEntry& c, AdjustableTotal total) {
  // Rounded as FormatAmount rounds it for the display.
  return AmountFromWhole(RoundToWhole(c.*RowOf(total).field));
}

AdjustmentResult AdjustTotal(const FileEntry& c, AdjustableTotal total, Amount shown,
                             std::int64_t delta) {
  AdjustmentResult step;
  if (shown == 0) return step;  // a total shown as zero cannot be moved
  const SpinRow& row = RowOf(total);
  const Amount amount = AmountFromWhole(delta);
  const Amount moved = AddAmounts(amount, shown);
  const Amount declared = row.alongside == nullptr ? moved : AddAmounts(moved, c.*row.alongside);
  // Input VAT is measured against the declared side, the others against the records, as
  // the check before generating measures them.
  const std::optional<Amount> p = row.pair == TotalsPair::kInputsVat
                                      ? PercentDifference(c.*row.summed, declared)
                                      : PercentDifference(declared, c.*row.summed);
  if (!WithinFivePercent(p)) {
    step.refused = PairCheck{row.pair, declared, c.*row.summed, p, false};
    return step;
  }
  step.moved = true;
  step.combined = c;
  step.combined.*row.field = AddAmounts(c.*row.field, amount);
  if (row.pair != TotalsPair::kIncome) RecomputeVatPayable(step.combined);
  return step;
}

}  // namespace pcn
