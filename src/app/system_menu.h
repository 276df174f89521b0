// The commands of the window's system menu and keys besides the record's: the guide (F1)
// and About, and the identifiers of every command there (the record's Ctrl+S among them).
#pragma once

#include <string>

#include "app/dialog_port.h"

namespace pcn {

// The identifiers of the commands: below 0xF000 and with the low four bits clear, as the
// system menu requires, and apart from every control's.
enum class MenuCommand : int { kAbout = 0x110, kSaveRecord = 0x120, kGuide = 0x130 };

// Opens guide.html in `programDirectory` (UTF-8); says so when it is missing or cannot be
// opened.
void OpenGuide(Dialog& dialog, const std::string& programDirectory);

// The version and what the program is for, in one message.
void ShowAbout(Dialog& dialog);

}  // namespace pcn
