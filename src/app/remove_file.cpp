// RemoveFile: the table changes in the core (DeleteEntry), the window follows.
#include "app/remove_file.h"

#include "app/message_box.h"
#include "app/show_totals.h"
#include "check/line_checks.h"
#include "report/checked_load.h"
#include "text/messages.h"

namespace pcn {

void RemoveFile(Dialog& dialog, FileTable& table) {
  const int n = table.FileCount();
  if (n == 0) {
    dialog.Beep();
    return;
  }
  const int s = dialog.SelectedFile() + 1;  // from 1; 0 when no row is selected
  if (s <= 0 || s > n) {
    ShowStop(dialog, text::kMarkFileToRemove);
    return;
  }
  const std::string dealer = table.File(s).dealerNumber;
  bool anotherHasIt = false;
  for (int r = 1; r <= n && !anotherHasIt; ++r) {
    if (r != s) anotherHasIt = table.File(r).dealerNumber == dealer;
  }
  if (!anotherHasIt) {
    const int index = dialog.FindDealerExact(dealer);
    if (index >= 0) dialog.DeleteDealer(index);
    dialog.SelectFirstDealer();
  }
  DeleteEntry(table, s);
  CountRepeats(table);  // a file below it may have repeated only the file taken out
  dialog.SetFileCount(n - 1);
  if (n - 1 == 0) dialog.ClearDealers();
  ShowTotals(dialog, table);
  dialog.SetText(ControlId::kNumber, dialog.DealerText());
}

}  // namespace pcn
