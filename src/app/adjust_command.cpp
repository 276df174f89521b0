// The spin step starts from the value the display shows, as the user sees it, and lets the
// core decide.
#include "app/adjust_command.h"

#include "app/message_box.h"
#include "app/refusal_text.h"
#include "app/show_totals.h"
#include "merge/spin_step.h"

namespace pcn {
namespace {

struct SpinButton {
  ControlId spin;
  SpinTotal total;
};
constexpr SpinButton kSpinButtons[] = {
    {ControlId::kSpinTaxableSales, SpinTotal::kTaxableSales},
    {ControlId::kSpinExemptSales, SpinTotal::kExemptSales},
    {ControlId::kSpinSalesVat, SpinTotal::kSalesVat},
    {ControlId::kSpinInputsVat, SpinTotal::kInputsVat},
    {ControlId::kSpinAssetInputsVat, SpinTotal::kAssetInputsVat},
};

}  // namespace

void AdjustMergedTotal(Dialog& dialog, FileTable& table, ControlId spinButton, std::int64_t delta) {
  const SpinButton* button = nullptr;
  for (const SpinButton& each : kSpinButtons) {
    if (each.spin == spinButton) button = &each;
  }
  if (button == nullptr) return;
  const FileEntry& combined = table.Combined();
  const SpinStep step =
      StepTotal(combined, button->total, ShownTotal(combined, button->total), delta);
  if (step.refused) {
    ShowStop(dialog, MessageFor(*step.refused));
    return;
  }
  if (!step.moved) return;
  table.Combined() = step.combined;
  ShowTotals(dialog, table);
}

}  // namespace pcn
