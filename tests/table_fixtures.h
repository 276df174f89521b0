// Tables of round amounts, and a window filled as adding files fills it, for the tests of
// the table, the 5% rule and the window's commands over them.
#pragma once

#include <string>
#include <utility>

#include "app/headless_dialog.h"
#include "app/remove_file.h"
#include "app/show_totals.h"
#include "report/file_table.h"

namespace pcn::fixtures {

constexpr Amount kUnit = kAmountScale;

inline FileEntry Entry(const std::string& dealer, Amount taxable, Amount salesVat, Amount inputsVat,
                       Amount assetVat, Amount declaredPayable) {
  FileEntry e;
  e.path = dealer + ".txt";
  e.dealerNumber = dealer;
  e.reportMonth = "03-2024 ";
  e.headerCode = "1";
  e.taxableSales = taxable * kUnit;
  e.salesVat = salesVat * kUnit;
  e.inputsVat = inputsVat * kUnit;
  e.assetInputsVat = assetVat * kUnit;
  e.vatPayable = declaredPayable * kUnit;
  e.salesRecordCount = 3;
  e.inputRecordCount = 2;
  e.salesRecordAmount = taxable * kUnit;
  e.salesRecordVat = salesVat * kUnit;
  e.inputRecordVat = (inputsVat + assetVat) * kUnit;
  return e;
}

// A window whose table and controls are filled as adding files fills them.
struct Window {
  FileTable table;
  HeadlessDialog dialog{
      [this](int row, int column) { return FileListCellText(table, row, column); }};

  void Add(FileEntry e) {
    const std::string dealer = e.dealerNumber;
    AddEntry(table, std::move(e));
    dialog.SetFileCount(table.FileCount());
    if (dialog.FindDealerExact(dealer) < 0) {
      dialog.AddDealer(dealer);
      dialog.SelectFirstDealer();
    }
    dialog.SetText(ControlId::kNumber, dialog.DealerText());
    ShowTotals(dialog, table);
  }
  void Remove(int row) {
    dialog.SelectRow(row);
    RemoveFile(dialog, table);
  }
};

// A table of one file with these declared totals and record sums.
inline FileTable TableWith(Amount taxable, Amount exempt, Amount salesVat, Amount inputsVat,
                           Amount assetVat, Amount recordAmount, Amount recordVat,
                           Amount inputRecordVat) {
  FileEntry e;
  e.path = "a";
  e.dealerNumber = "123456782";
  e.reportMonth = "03-2024 ";
  e.headerCode = "1";
  e.taxableSales = taxable * kUnit;
  e.exemptSales = exempt * kUnit;
  e.salesVat = salesVat * kUnit;
  e.inputsVat = inputsVat * kUnit;
  e.assetInputsVat = assetVat * kUnit;
  e.salesRecordAmount = recordAmount * kUnit;
  e.salesRecordVat = recordVat * kUnit;
  e.inputRecordVat = inputRecordVat * kUnit;
  FileTable table;
  AddEntry(table, e);
  return table;
}

}  // namespace pcn::fixtures
