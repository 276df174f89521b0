// The Add-file button: asks for files, loads each through the core's rules and, for every
// file accepted, updates the table, the list, the dealer-number combo box, the number
// field and the totals.
#pragma once

#include <string>
#include <vector>

#include "app/dialog_port.h"
#include "report/file_table.h"

namespace pcn {

enum class AddOutcome { kAdded, kNothingChosen, kRefused };

// Asks for files with the open-file dialog (several may be chosen together) and adds them
// as AddFiles does. A cancelled dialog loads "Pc874.txt" from the current folder; a missing
// or non-ordinary file beeps. A selection too long for the dialog's buffer loads nothing
// and says so. kAdded when any file was taken.
AddOutcome AddFile(Dialog& dialog, FileTable& table);

// Adds `paths` as if chosen together in the open-file dialog: sorted by file name
// (case-insensitive), each through the Add-file rules; a refused file's message carries
// its name on a second line and the next file goes on; files already added stay.
// A single path is added exactly as one chosen alone (no second line). In a list of
// several, a missing or non-ordinary file (a folder included) sounds the beep, as it does
// alone, and the next file goes on.
void AddFiles(Dialog& dialog, FileTable& table, std::vector<std::string> paths);

}  // namespace pcn
