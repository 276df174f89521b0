// The system's one message form and the open-file request, over the dialog port.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/dialog_port.h"

namespace pcn {

// Button set 1 is the single OK button this system always shows.
inline constexpr int kOkButton = 1;
// Message-box flags, with the values the Windows API gives them.
inline constexpr std::uint32_t kIconStop = 0x10;
inline constexpr std::uint32_t kMessageRight = 0x80000;
inline constexpr std::uint32_t kMessageRtlReading = 0x100000;
inline constexpr std::uint32_t kMessageTaskModal = 0x2000;
// Open-file flag: the chosen file must exist.
inline constexpr std::uint32_t kFileMustExist = 0x1000;

int ShowMessage(Dialog& owner, int buttons, std::uint32_t icon, std::string_view text);
// Shows `text` with the OK button and the stop icon, as every message of the system is.
void ShowStop(Dialog& owner, std::string_view text);

// Asks for a file; true when the user chose one with OK. `fileName` is in and out.
bool AskOpenFile(Dialog& owner, std::string_view title, std::string& fileName,
                 std::string_view initialFolder, std::string_view filter,
                 std::string_view defaultExtension, std::uint32_t& flags);

}  // namespace pcn
