// The state of the one main window, in one place for the files of the main dialog: its
// construction and message loop (main_dialog.cpp), the dialog procedure, the resources of the
// resolution, the image buttons, the system menu and keys, and the folder browser.
#pragma once

#include <map>
#include <memory>

#include "app/control_id.h"
#include "app/record_commands.h"
#include "controls/gdi_scoped.h"
#include "controls/scale.h"
#include "controls/windows_api.h"
#include "report/file_table.h"
#include "window/image_buttons.h"
#include "window/window_dialog.h"

namespace pcn {

struct MainWindow {
  HWND dialog = nullptr;
  FileTable* table = nullptr;
  std::unique_ptr<WindowDialog> port;
  bool ready = false;  // controls built and initialised
  HINSTANCE instance = nullptr;
  HWND hotButton = nullptr;  // the image button under the pointer
  HWND savedFocus = nullptr;
  int dpi = kBaseDpi;                              // the resolution the controls are laid out for
  std::map<COLORREF, gdi::Owned<HBRUSH>> brushes;  // one solid brush per background colour
  gdi::Owned<HFONT> regularFont, boldFont;
  gdi::Owned<HBITMAP> buttonBitmaps[kImageButtonCount];
  gdi::OwnedIcon largeIcon, smallIcon;
  MergeRecordState record;  // the spin steps and the last merge, for the merge record
};

// The process's one main window, defined with its construction in main_dialog.cpp.
extern MainWindow g_main;

inline HWND Item(HWND dialog, ControlId id) {
  return GetDlgItem(dialog, IdOf(id));
}

// A length at 96 DPI at the resolution the window is laid out for.
inline int Scaled(int value) {
  return ScaleForDpi(value, g_main.dpi);
}

}  // namespace pcn
