// The combined entry follows every addition and removal exactly; RemoveFile and
// ShowTotals keep the window in step with the table.
#include "report/file_table.h"

#include "app/message_box.h"
#include "app/messages.h"

namespace pcn {
namespace {

// Adds (sign +1) or subtracts (sign -1) a file's figures into the combined entry. The
// month, the report code and vatPayable are not summed.
void Fold(FileEntry& c, const FileEntry& e, int sign) {
  auto apply = [sign](Amount& total, Amount value) {
    total = sign > 0 ? AddAmounts(total, value) : SubtractAmounts(total, value);
  };
  apply(c.taxableSales, e.taxableSales);
  apply(c.exemptSales, e.exemptSales);
  apply(c.salesVat, e.salesVat);
  apply(c.inputsVat, e.inputsVat);
  apply(c.assetInputsVat, e.assetInputsVat);
  RecomputeVatPayable(c);
  c.salesRecordCount += sign * e.salesRecordCount;
  c.inputRecordCount += sign * e.inputRecordCount;
  apply(c.salesRecordAmount, e.salesRecordAmount);
  apply(c.salesRecordVat, e.salesRecordVat);
  apply(c.inputRecordVat, e.inputRecordVat);
}

std::string WithBlank(std::string text) {
  text += ' ';
  return text;
}

}  // namespace

void RecomputeVatPayable(FileEntry& c) {
  c.vatPayable = SubtractAmounts(SubtractAmounts(c.salesVat, c.inputsVat), c.assetInputsVat);
}

void AddEntry(FileTable& table, FileEntry entry) {
  FileEntry& c = table.Combined();
  c.reportMonth = entry.reportMonth;
  c.headerCode = entry.headerCode;
  Fold(c, entry, +1);
  table.slots.push_back(std::move(entry));
}

void DeleteEntry(FileTable& table, int slot) {
  Fold(table.Combined(), table.slots[static_cast<std::size_t>(slot)], -1);
  table.slots.erase(table.slots.begin() + slot);
}

void RemoveFile(Dialog& dialog, FileTable& table) {
  const int n = dialog.FileCount();
  if (n == 0) {
    dialog.Beep();
    return;
  }
  const int s = dialog.SelectedFile() + 1;  // from 1; 0 when no row is selected
  if (s <= 0 || s > n || s > table.FileCount()) {
    ShowStop(dialog, text::kMarkFileToRemove);
    return;
  }
  const std::string dealer = table.slots[static_cast<std::size_t>(s)].dealerNumber;
  bool anotherHasIt = false;
  for (int r = 1; r <= n && !anotherHasIt; ++r) {
    if (r != s) anotherHasIt = dialog.FileListFirstColumn(r - 1) == dealer;
  }
  if (!anotherHasIt) {
    const int index = dialog.FindDealerExact(dealer);
    if (index >= 0) dialog.DeleteDealer(index);
    dialog.SelectFirstDealer();
  }
  DeleteEntry(table, s);
  dialog.SetFileCount(n - 1);
  if (n - 1 == 0) {
    table.Combined().reportMonth = std::string(8, ' ');
    dialog.ClearDealers();
  }
  ShowTotals(dialog, table);
  dialog.SetText(ControlId::kNumber, dialog.DealerText());
}

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

std::string FileListCellText(const FileTable& table, int row, int column) {
  if (row < 0 || row >= table.FileCount()) return " ";
  const FileEntry& e = table.slots[static_cast<std::size_t>(row) + 1];
  std::string text;
  switch (column) {
    case 0: text = e.dealerNumber; break;
    case 1: text = FormatAmount(e.taxableSales); break;
    case 2: text = FormatAmount(e.exemptSales); break;
    case 3: text = FormatAmount(e.salesVat); break;
    case 4: text = FormatAmount(e.inputsVat); break;
    case 5: text = FormatAmount(e.assetInputsVat); break;
    case 6: text = FormatAmount(e.vatPayable); break;
    case 7: text = FormatWholeNumber(e.salesRecordCount); break;
    case 8: text = FormatWholeNumber(e.inputRecordCount); break;
    default: break;
  }
  if (text.size() > 255) text.resize(255);
  return text.empty() ? " " : text;
}

}  // namespace pcn
