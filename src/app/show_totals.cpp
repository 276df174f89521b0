// Every figure in the "#," format with a trailing blank, as the displays have always shown them.
#include "app/show_totals.h"

namespace pcn {
namespace {

std::string WithBlank(std::string text) {
  text += ' ';
  return text;
}

}  // namespace

void ShowTotals(Dialog& dialog, const FileTable& table) {
  const FileEntry& c = table.Combined();
  dialog.SetText(ControlId::kReportMonth, WithBlank(c.reportMonth));
  dialog.SetText(ControlId::kTaxableSales, WithBlank(FormatAmount(c.taxableSales)));
  dialog.SetText(ControlId::kExemptSales, WithBlank(FormatAmount(c.exemptSales)));
  dialog.SetText(ControlId::kSalesVat, WithBlank(FormatAmount(c.salesVat)));
  dialog.SetText(ControlId::kInputsVat, WithBlank(FormatAmount(c.inputsVat)));
  dialog.SetText(ControlId::kAssetInputsVat, WithBlank(FormatAmount(c.assetInputsVat)));
  dialog.SetText(ControlId::kSalesRecordCount, WithBlank(FormatWholeNumber(c.salesRecordCount)));
  dialog.SetText(ControlId::kInputRecordCount, WithBlank(FormatWholeNumber(c.inputRecordCount)));
  dialog.SetText(ControlId::kVatPayable, WithBlank(FormatAmount(c.vatPayable)));
}

}  // namespace pcn
