// The main dialog: built from an in-memory template with no controls, its 41 controls
// created from the control table, then run modally until it is closed.
#pragma once

#include "report/file_table.h"

namespace pcn {

// Builds and runs the main dialog over the process-wide `table`; returns once the window
// has been destroyed and its fonts released.
void RunMainDialog(FileTable& table);

}  // namespace pcn
