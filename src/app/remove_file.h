// The Remove-file button.
#pragma once

#include "app/dialog_port.h"
#include "report/file_table.h"

namespace pcn {

// Removes the file selected in the list from the table, the dealer-number combo box (when
// no other file has its dealer) and the totals; beeps when the list is empty.
void RemoveFile(Dialog& dialog, FileTable& table);

}  // namespace pcn
