// The window's system menu (About, saving the merge's record) and its keys (F1 for the guide,
// Ctrl+S for the record), and the commands they run.
#pragma once

#include "controls/windows_api.h"

namespace pcn {

// About and the record's item below the system menu's own items.
void ExtendSystemMenu(HWND dialog);
// The record can be saved once a Generate has written a merged file.
void EnableSaveRecord(HWND dialog);
// F1 and Ctrl+S, translated before the dialog sees the keys; the caller destroys the table.
HACCEL MakeAccelerators();
// Runs the command `id` of the menu or the keys; false for anything else.
bool RunMenuCommand(int id);

}  // namespace pcn
