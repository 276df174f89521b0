// The wide folder browser, so that Hebrew folder names work whatever the system's code page;
// the field holds the folder as UTF-16, as the system gave it.
#include "window/output_directory.h"

#include <string>

#include "controls/text_tip.h"
#include "controls/wide_text.h"
#include "controls/window_text.h"
#include "platform/platform.h"
#include "text/captions.h"
#include "window/main_window.h"

namespace pcn {
namespace {

// Places the browser a little below and right of the main window's corner and selects the
// field's folder (`data`) in it.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    RECT main;
    GetWindowRect(g_main.dialog, &main);
    SetWindowPos(browser, nullptr, main.left + Scaled(30), main.top + Scaled(30), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, data);
  }
  return 0;
}

}  // namespace

void SetUpOutputDirectory(HWND dialog) {
  AddTextTip(Item(dialog, ControlId::kOutputDirectory));
  SetTextWithTip(Item(dialog, ControlId::kOutputDirectory),
                 Utf8ToWide(platform::CurrentDirectory()));
}

void ChooseOutputDirectory(HWND dialog) {
  HWND field = Item(dialog, ControlId::kOutputDirectory);
  const std::wstring current = WindowText(field);
  const std::wstring instruction = Utf8ToWide(text::kBrowseInstruction);
  BROWSEINFOW browse = {};
  browse.hwndOwner = dialog;
  browse.lpszTitle = instruction.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  browse.lpfn = &BrowseCallback;
  browse.lParam = reinterpret_cast<LPARAM>(current.c_str());
  std::wstring chosen;
  if (PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&browse)) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(item, path)) chosen = path;
    CoTaskMemFree(item);
  }
  // Cancelled, or no file-system path: back to the current directory.
  if (chosen.empty()) chosen = Utf8ToWide(platform::CurrentDirectory());
  SetTextWithTip(field, chosen);
}

void TearDownOutputDirectory(HWND dialog) {
  RemoveTextTip(Item(dialog, ControlId::kOutputDirectory));
}

}  // namespace pcn
