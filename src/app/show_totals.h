// The summary area: the combined entry written into the report-month display and the eight
// value fields.
#pragma once

#include "app/dialog_port.h"
#include "report/file_table.h"

namespace pcn {

void ShowTotals(Dialog& dialog, const FileTable& table);

}  // namespace pcn
