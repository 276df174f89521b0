// The Generate button.
#pragma once

#include <string>

#include "app/dialog_port.h"
#include "merge/merged_writer.h"
#include "report/file_table.h"

namespace pcn {

// Writes the merged file of every loaded file with the number, directory and output type
// the window holds; `today` (YYYYMMDD) dates the opening record. Shows the one message of
// the outcome and selects each file's row while it is copied.
WriteResult GenerateMergedFile(Dialog& dialog, const FileTable& table, const std::string& today);

}  // namespace pcn
