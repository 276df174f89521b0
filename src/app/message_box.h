// The system's one message form, its question and the open-file request, over the dialog
// port.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialog_port.h"

namespace pcn {

// Button set 1 is the single OK button this system always shows.
inline constexpr int kOkButton = 1;
// Message-box flags, with the values the Windows API gives them.
inline constexpr std::uint32_t kIconStop = 0x10;
inline constexpr std::uint32_t kMessageRight = 0x80000;
inline constexpr std::uint32_t kMessageRtlReading = 0x100000;
inline constexpr std::uint32_t kMessageTaskModal = 0x2000;
// The question's buttons Yes and No, No the default, and its warning icon.
inline constexpr std::uint32_t kYesNo = 0x4;
inline constexpr std::uint32_t kSecondButtonDefault = 0x100;
inline constexpr std::uint32_t kIconWarning = 0x30;
// Open-file flags: the chosen file must exist; several files may be chosen, returned in the
// Explorer form (NUL-separated).
inline constexpr std::uint32_t kFileMustExist = 0x1000;
inline constexpr std::uint32_t kAllowMultiSelect = 0x200;
inline constexpr std::uint32_t kExplorer = 0x80000;
// Save-file flags: ask before replacing a file; the folder must exist.
inline constexpr std::uint32_t kOverwritePrompt = 0x2;
inline constexpr std::uint32_t kPathMustExist = 0x800;

int ShowMessage(Dialog& owner, int buttons, std::uint32_t icon, std::string_view text);
// Shows `text` with the OK button and the stop icon, as every message of the system is.
void ShowStop(Dialog& owner, std::string_view text);

// `path` as a message of `owner` names it: shortened in the middle to a line of its box.
std::string ShownPath(Dialog& owner, std::string_view path);

// Asks `text` with Yes and No in the same form, No the default (Enter alone does not go
// on); true for Yes.
bool AskYesNo(Dialog& owner, std::string_view text, std::uint32_t icon = kIconWarning);

// Asks for a file; true when the user chose one with OK. `fileName` is in and out: with
// several files chosen it holds the folder and the names, NUL-separated (see ChosenPaths).
// `selectionTooLong`, when given, tells that the selection did not fit the buffer.
bool AskOpenFile(Dialog& owner, std::string_view title, std::string& fileName,
                 std::string_view initialFolder, std::string_view filter,
                 std::string_view defaultExtension, std::uint32_t& flags,
                 bool* selectionTooLong = nullptr);

// Asks for a name to save under, in the same form; `fileName` is in (the name offered) and
// out (the full path chosen). True when the user chose one with OK.
bool AskSaveFile(Dialog& owner, std::string_view title, std::string& fileName,
                 std::string_view initialFolder, std::string_view filter,
                 std::string_view defaultExtension, std::uint32_t flags);

// The full paths in what AskOpenFile returned: the one path, or the folder joined with each
// of the names after it.
std::vector<std::string> ChosenPaths(std::string_view fileName);

}  // namespace pcn
