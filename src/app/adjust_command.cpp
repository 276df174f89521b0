// The spin step starts from the value the display shows, as the user sees it, and lets the
// core decide.
#include "app/adjust_command.h"

#include "app/message_box.h"
#include "app/show_totals.h"
#include "totals/adjustment.h"
#include "wording/refusal_text.h"

namespace pcn {
namespace {

struct SpinButton {
  ControlId spin;
  AdjustableTotal total;
};
constexpr SpinButton kSpinButtons[] = {
    {ControlId::kSpinTaxableSales, AdjustableTotal::kTaxableSales},
    {ControlId::kSpinExemptSales, AdjustableTotal::kExemptSales},
    {ControlId::kSpinSalesVat, AdjustableTotal::kSalesVat},
    {ControlId::kSpinInputsVat, AdjustableTotal::kInputsVat},
    {ControlId::kSpinAssetInputsVat, AdjustableTotal::kAssetInputsVat},
};

}  // namespace

std::optional<RecordedAdjustment> AdjustMergedTotal(Dialog& dialog, FileTable& table,
                                                    ControlId spinButton, std::int64_t delta) {
  const SpinButton* button = nullptr;
  for (const SpinButton& each : kSpinButtons) {
    if (each.spin == spinButton) button = &each;
  }
  if (button == nullptr) return std::nullopt;
  const FileEntry& combined = table.Combined();
  const Amount before = ShownTotal(combined, button->total);
  const AdjustmentResult step = AdjustTotal(combined, button->total, before, delta);
  if (step.refused) {
    ShowStop(dialog, MessageFor(*step.refused));
    return std::nullopt;
  }
  if (!step.moved) return std::nullopt;
  const RecordedAdjustment made = {button->total, delta, before,
                                   ShownTotal(step.combined, button->total)};
  table.Combined() = step.combined;
  ShowTotals(dialog, table);
  return made;
}

}  // namespace pcn
