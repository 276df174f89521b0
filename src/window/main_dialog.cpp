// The main dialog's construction and its message loop: an empty dialog from an in-memory
// template, its frame, the controls of the control table, then the loop until the window is
// destroyed. The dialog procedure answers its messages.
#include "window/main_dialog.h"

#include <memory>
#include <string>
#include <string_view>

#include "controls/dpi.h"
#include "controls/wide_text.h"
#include "text/captions.h"
#include "window/control_table.h"
#include "window/dialog_procedure.h"
#include "window/dpi_resources.h"
#include "window/layout.h"
#include "window/main_window.h"
#include "window/menu_and_keys.h"
#include "window/window_dialog.h"

namespace pcn {

MainWindow g_main;

namespace {

// An empty template: no menu, the default class, no title, no controls.
HWND CreateEmptyDialog(HINSTANCE instance) {
  alignas(4) static const WORD kTemplate[] = {LOWORD(kDialogStyle),
                                              HIWORD(kDialogStyle),
                                              LOWORD(kDialogExStyle),
                                              HIWORD(kDialogExStyle),
                                              0,
                                              0,
                                              0,
                                              0,
                                              0,
                                              0,
                                              0,
                                              0,
                                              0};
  return CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(kTemplate),
                                    nullptr, &MainDialogProc, 0);
}

// The state the dialog procedure works on, from the moment the dialog exists.
void AttachMainWindow(HWND dialog, FileTable& table) {
  g_main.dialog = dialog;
  g_main.table = &table;
  g_main.port = std::make_unique<WindowDialog>(dialog);
  g_main.dpi = WindowDpi(dialog);
}

void SetTitleAndIcons(HWND dialog, HINSTANCE instance) {
  SetWindowTextW(dialog, Utf8ToWide(text::kDialogTitle).c_str());
  g_main.largeIcon.reset(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 32, 32, 0)));
  g_main.smallIcon.reset(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 16, 16, 0)));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_main.largeIcon.get()));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_main.smallIcon.get()));
}

// Every row of the control table, at the window's resolution and with the dialog's fonts.
void CreateControls(HWND dialog, HINSTANCE instance) {
  for (const ControlRow& row : MainDialogControls()) {
    const std::wstring text = row.text ? Utf8ToWide(row.text) : std::wstring();
    const Rect place = ScaleForDpi(row.place, g_main.dpi);
    HWND control = CreateWindowExW(
        row.exStyle, row.cls, text.c_str(), WS_CHILD | WS_VISIBLE | row.style, place.x, place.y,
        place.w, place.h, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(row.id))),
        instance, nullptr);
    if (row.id == ControlId::kFileList) {
      SendMessageW(control, LVM_SETTEXTCOLOR, 0, row.textColour.rgb);
    }
    if (row.cls == std::wstring_view(UPDOWN_CLASSW)) {
      // Some up-down implementations give themselves their default width when they take
      // their automatic buddy; the table's rectangle is the one wanted.
      SetWindowPos(control, nullptr, place.x, place.y, place.w, place.h,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      SendMessageW(control, UDM_SETRANGE, 0, MAKELPARAM(row.spin.upper, row.spin.lower));
    }
  }
  ApplyFonts(dialog);
}

// The controls initialised and laid out for the window's size, then the window shown.
void ShowBuiltDialog(HWND dialog) {
  SendMessageW(dialog, WM_INITDIALOG, 0, kControlsBuilt);
  RECT client;
  GetClientRect(dialog, &client);
  SendMessageW(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  ShowWindow(dialog, SW_SHOWNORMAL);
  SetForegroundWindow(dialog);
}

// GetMessage waits instead of spinning; WM_DESTROY posts the quit message.
void RunMessageLoop(HWND dialog) {
  const HACCEL keys = MakeAccelerators();
  MSG message;
  while (IsWindow(dialog) && GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The keys only for the main window's own messages: a message box's run their own loop.
    if (keys && TranslateAcceleratorW(dialog, keys, &message)) continue;
    if (!IsDialogMessageW(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (keys) DestroyAcceleratorTable(keys);
}

// What the window's destruction leaves: its fonts, its icons and the dialog port.
void ReleaseMainWindow() {
  ReleaseFonts();
  g_main.largeIcon.reset();
  g_main.smallIcon.reset();
  g_main.port.reset();
}

}  // namespace

void RunMainDialog(FileTable& table) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND dialog = CreateEmptyDialog(instance);
  if (!dialog) return;
  AttachMainWindow(dialog, table);
  CentreInWorkArea(dialog);
  DragAcceptFiles(dialog, TRUE);
  SetTitleAndIcons(dialog, instance);
  CreateControls(dialog, instance);
  ShowBuiltDialog(dialog);
  RunMessageLoop(dialog);
  ReleaseMainWindow();
}

}  // namespace pcn
