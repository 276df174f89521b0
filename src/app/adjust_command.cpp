// The spin step reads the value the display shows, as the user sees it, and lets the core
// decide.
#include "app/adjust_command.h"

#include "app/message_box.h"
#include "app/refusal_text.h"
#include "app/show_totals.h"
#include "merge/spin_step.h"
#include "report/record_format.h"

namespace pcn {
namespace {

struct SpinButton {
  ControlId spin;
  ControlId valueField;
  SpinTotal total;
};
constexpr SpinButton kSpinButtons[] = {
    {ControlId::kSpinTaxableSales, ControlId::kTaxableSales, SpinTotal::kTaxableSales},
    {ControlId::kSpinExemptSales, ControlId::kExemptSales, SpinTotal::kExemptSales},
    {ControlId::kSpinSalesVat, ControlId::kSalesVat, SpinTotal::kSalesVat},
    {ControlId::kSpinInputsVat, ControlId::kInputsVat, SpinTotal::kInputsVat},
    {ControlId::kSpinAssetInputsVat, ControlId::kAssetInputsVat, SpinTotal::kAssetInputsVat},
};

}  // namespace

void AdjustMergedTotal(Dialog& dialog, FileTable& table, ControlId spinButton, std::int64_t delta) {
  const SpinButton* button = nullptr;
  for (const SpinButton& each : kSpinButtons) {
    if (each.spin == spinButton) button = &each;
  }
  if (button == nullptr) return;
  // The display as ShowTotals wrote it ("1,234 "); read up to its first comma it is 0 only
  // when the total shows as 0 (or nothing was ever shown).
  const std::string shownText = dialog.Text(button->valueField);
  if (NumberValue(shownText) == 0) return;
  std::string withoutCommas;
  for (char ch : shownText) {
    if (ch != ',') withoutCommas += ch;
  }
  const SpinStep step =
      StepTotal(table.Combined(), button->total, NumberValue(withoutCommas), delta);
  if (step.refused) {
    ShowStop(dialog, MessageFor(*step.refused));
    return;
  }
  if (!step.moved) return;
  table.Combined() = step.combined;
  ShowTotals(dialog, table);
}

}  // namespace pcn
