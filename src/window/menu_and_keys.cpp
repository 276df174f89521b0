// The menu items and keys carry MenuCommand identifiers; the commands themselves are the
// app's, run over the window's dialog port.
#include "window/menu_and_keys.h"

#include <iterator>
#include <string>

#include "app/record_commands.h"
#include "app/system_menu.h"
#include "controls/wide_text.h"
#include "text/messages.h"
#include "window/main_window.h"

namespace pcn {
namespace {

constexpr int IdOf(MenuCommand command) {
  return static_cast<int>(command);
}

// The folder Pcn874Merge.exe is in, where the guide is installed beside it.
std::string ProgramDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t cut = path.find_last_of(L"\\/");
  return WideToUtf8(cut == std::wstring::npos ? std::wstring(L".") : path.substr(0, cut));
}

}  // namespace

void ExtendSystemMenu(HWND dialog) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_GRAYED, IdOf(MenuCommand::kSaveRecord),
              Utf8ToWide(text::kSaveRecordMenuItem).c_str());
  AppendMenuW(menu, MF_STRING, IdOf(MenuCommand::kAbout), Utf8ToWide(text::kAboutMenuItem).c_str());
}

void EnableSaveRecord(HWND dialog) {
  EnableMenuItem(GetSystemMenu(dialog, FALSE), IdOf(MenuCommand::kSaveRecord),
                 MF_BYCOMMAND | (g_main.record.last ? MF_ENABLED : MF_GRAYED));
}

HACCEL MakeAccelerators() {
  ACCEL keys[] = {
      {FVIRTKEY, VK_F1, static_cast<WORD>(IdOf(MenuCommand::kGuide))},
      {FVIRTKEY | FCONTROL, 'S', static_cast<WORD>(IdOf(MenuCommand::kSaveRecord))},
  };
  return CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

bool RunMenuCommand(int id) {
  WindowDialog& port = *g_main.port;
  switch (static_cast<MenuCommand>(id)) {
    case MenuCommand::kAbout:
      ShowAbout(port);
      return true;
    case MenuCommand::kGuide:
      OpenGuide(port, ProgramDirectory());
      return true;
    case MenuCommand::kSaveRecord:
      SaveMergeRecord(port, g_main.record);
      return true;
  }
  return false;
}

}  // namespace pcn
