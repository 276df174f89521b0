// The main dialog's procedure: one handler per message, over the window's state (g_main).
// Until the controls are built only a drop of files is handled.
#include "window/dialog_procedure.h"

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/add_file.h"
#include "app/adjust_command.h"
#include "app/file_list_text.h"
#include "app/findings.h"
#include "app/generate_command.h"
#include "app/message_box.h"
#include "app/remove_file.h"
#include "app/system_menu.h"
#include "controls/file_list.h"
#include "controls/painting.h"
#include "controls/wide_text.h"
#include "text/captions.h"
#include "text/messages.h"
#include "window/control_table.h"
#include "window/dpi_resources.h"
#include "window/file_drop.h"
#include "window/image_buttons.h"
#include "window/layout.h"
#include "window/main_window.h"
#include "window/menu_and_keys.h"
#include "window/output_directory.h"

namespace pcn {
namespace {

using enum ControlId;

void RedrawAll(HWND dialog) {
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Checking a radio button makes it a tab stop (the button control does that itself); the
// option buttons stay out of the Tab order, which holds only the image buttons, the combo box
// and the file list.
void KeepOptionsOutOfTabOrder(HWND dialog) {
  for (ControlId id : {kDealersUnionOption, kRepresentativeOption}) {
    HWND option = Item(dialog, id);
    const LONG style = GetWindowLongW(option, GWL_STYLE);
    if (style & WS_TABSTOP) SetWindowLongW(option, GWL_STYLE, style & ~WS_TABSTOP);
  }
}

// --- Handlers, one per message ---------------------------------------------------------

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  if (lParam != kControlsBuilt) return FALSE;
  g_main.ready = true;
  g_main.instance = GetModuleHandleW(nullptr);

  LoadButtonBitmaps(dialog);
  HookImageButtons(dialog);

  CheckDlgButton(dialog, IdOf(kDealersUnionOption), BST_CHECKED);
  KeepOptionsOutOfTabOrder(dialog);
  SetUpOutputDirectory(dialog);

  SetUpFileList(dialog, IdOf(kFileList), ScaledColumns());
  ExtendSystemMenu(dialog);

  SetForegroundWindow(dialog);
  SetFocus(Item(dialog, kFileList));
  return FALSE;
}

// The list's texts, from the loaded files.
const FileListTexts& ListTexts() {
  static const FileListTexts texts{
      [](int row, int column) { return FileListCellText(*g_main.table, row, column); },
      [](int row) { return FileListTipText(*g_main.table, row); }};
  return texts;
}

INT_PTR OnNotify(HWND dialog, WPARAM wParam, LPARAM lParam) {
  const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
  const int id = static_cast<int>(notify->idFrom);
  if (id == IdOf(kFileList)) {
    const LRESULT result = FileListNotify(dialog, id, wParam, lParam, ListTexts());
    // A double click on a row lists that file's findings; on no row it does nothing.
    if (notify->code == NM_DBLCLK) {
      ShowFileFindings(*g_main.port, *g_main.table,
                       reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem);
    }
    return result;
  }
  if (notify->code == UDN_DELTAPOS) {
    const auto* step = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (const auto made = AdjustMergedTotal(*g_main.port, *g_main.table, static_cast<ControlId>(id),
                                            step->iDelta)) {
      g_main.record.steps.push_back(*made);
    }
  }
  // 0 lets the spin button take its new position.
  return FALSE;
}

INT_PTR OnSizing(RECT* dragged) {
  const Edges edges =
      ApplyMinimumSize({dragged->left, dragged->top, dragged->right, dragged->bottom},
                       Scaled(kMinimumWidth), Scaled(kMinimumHeight));
  *dragged = {edges.left, edges.top, edges.right, edges.bottom};
  return TRUE;
}

INT_PTR OnSize(HWND dialog) {
  RECT window;
  GetWindowRect(dialog, &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  for (const LayoutRule& rule : ResizeLayout()) {
    const int a = rule.first.Evaluate(w, h, g_main.dpi);
    const int b = rule.second.Evaluate(w, h, g_main.dpi);
    const UINT keep = rule.kind == LayoutRule::kMove ? SWP_NOSIZE : SWP_NOMOVE;
    SetWindowPos(Item(dialog, rule.id), nullptr, a, b, a, b, keep | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  FitFileListColumns(dialog, IdOf(kFileList));
  RedrawAll(dialog);
  return FALSE;
}

// Moved to a monitor of another resolution: everything again at the new one, in the
// rectangle the system suggests.
INT_PTR OnDpiChanged(HWND dialog, WPARAM wParam, const RECT* suggested) {
  ChangeDpi(dialog, HIWORD(wParam));
  SetWindowPos(dialog, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  OnSize(dialog);
  return TRUE;
}

INT_PTR OnNcActivate(WPARAM wParam) {
  if (wParam == 0) {
    g_main.savedFocus = GetFocus();
  } else if (g_main.savedFocus) {
    SetFocus(g_main.savedFocus);
    g_main.savedFocus = nullptr;
  }
  return FALSE;
}

INT_PTR OnDrawItem(HWND dialog, WPARAM wParam, const DRAWITEMSTRUCT* item) {
  if (wParam != static_cast<WPARAM>(IdOf(kFileList))) {
    PaintImageButton(dialog, *item, g_main.dpi, item->hwndItem == g_main.hotButton);
  }
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  // A click, or the code 1 of an accelerator; a double click's notification is not a command.
  const bool clicked = code == BN_CLICKED || code == 1;
  WindowDialog& port = *g_main.port;
  if (code == 1 && RunMenuCommand(id)) return FALSE;
  // Enter reaches the dialog as IDOK whatever has the focus, since an owner-drawn button is
  // never a default push button: on an image button it presses that button, as on any dialog;
  // in the file list it lists the selected file's findings; elsewhere it does nothing.
  if (id == IDOK) {
    HWND focus = GetFocus();
    if (focus == Item(dialog, kFileList)) {
      ShowFileFindings(port, *g_main.table, port.SelectedFile());
      return FALSE;
    }
    for (const ImageButton& button : kImageButtons) {
      if (focus == Item(dialog, button.id)) {
        return OnCommand(dialog, MAKEWPARAM(IdOf(button.id), BN_CLICKED));
      }
    }
    return FALSE;
  }
  switch (static_cast<ControlId>(id)) {
    case kDealersUnionOption:
      KeepOptionsOutOfTabOrder(dialog);
      SetDlgItemTextW(dialog, IdOf(kNumberCaption), Utf8ToWide(text::kDealerNumberCaption).c_str());
      RedrawAll(dialog);
      break;
    case kRepresentativeOption:
      KeepOptionsOutOfTabOrder(dialog);
      SetDlgItemTextW(dialog, IdOf(kNumberCaption),
                      Utf8ToWide(text::kRepresentativeNumberCaption).c_str());
      RedrawAll(dialog);
      break;
    case kGenerate:
      if (clicked) {
        GenerateKeepingRecord(port, *g_main.table, g_main.record);
        EnableSaveRecord(dialog);
      }
      break;
    case kDealerCombo:
      if (code == CBN_SELENDOK) port.SetText(kNumber, port.DealerText());
      break;
    case kAddFile:
      if (clicked) AddFile(port, *g_main.table);
      break;
    case kRemoveFile:
      if (clicked) RemoveFile(port, *g_main.table);
      break;
    case kBrowse:
      if (clicked) ChooseOutputDirectory(dialog);
      break;
    default:
      break;  // IDCANCEL from Escape included: it does nothing
  }
  return FALSE;
}

// Files dropped anywhere on the window are added as if chosen together in the open-file
// dialog. The names are copied out first: the message boxes of refused files run their own
// message loops, and the drop handle is released before them, even for a drop that arrives
// while the window is still being built.
INT_PTR OnDropFiles(HDROP drop) {
  std::vector<std::string> paths = DroppedFiles(drop);
  DragFinish(drop);
  if (g_main.ready && !paths.empty()) AddFiles(*g_main.port, *g_main.table, std::move(paths));
  return TRUE;
}

INT_PTR OnPaint(HWND dialog) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  PaintDialogBackground(dc);
  EndPaint(dialog, &paint);
  return TRUE;
}

INT_PTR OnMouseMove() {
  LeaveImageButtons();
  return FALSE;
}

HBRUSH SolidBrush(COLORREF colour) {
  gdi::Owned<HBRUSH>& brush = g_main.brushes.try_emplace(colour).first->second;
  if (!brush.get()) brush.reset(CreateSolidBrush(colour));
  return brush.get();
}

// The colours of the control table, applied whenever a control asks its parent.
INT_PTR OnCtlColor(HWND dialog, UINT message, HDC dc, HWND control) {
  if (GetParent(control) != dialog) return FALSE;
  const ControlRow* row = FindControl(static_cast<ControlId>(GetDlgCtrlID(control)));
  if (!row || (row->textColour.kind == Colour::kSystem && row->back.kind == Colour::kSystem)) {
    return FALSE;
  }
  const bool editLike = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  if (row->textColour.kind == Colour::kRgb) {
    SetTextColor(dc, row->textColour.rgb);
  } else {
    SetTextColor(dc, GetSysColor(editLike ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  }
  switch (row->back.kind) {
    case Colour::kTransparent:
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    case Colour::kRgb:
      SetBkColor(dc, row->back.rgb);
      return reinterpret_cast<INT_PTR>(SolidBrush(row->back.rgb));
    case Colour::kSystem:
    default: {
      const int index = editLike ? COLOR_WINDOW : COLOR_3DFACE;
      SetBkColor(dc, GetSysColor(index));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(index));
    }
  }
}

INT_PTR OnDestroy(HWND dialog) {
  UnhookImageButtons(dialog);
  ReleaseButtonBitmaps(dialog);
  TearDownOutputDirectory(dialog);
  g_main.brushes.clear();
  g_main.hotButton = nullptr;
  g_main.savedFocus = nullptr;
  g_main.ready = false;
  PostQuitMessage(0);
  return FALSE;
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(dialog, lParam);
  if (message == WM_DROPFILES) return OnDropFiles(reinterpret_cast<HDROP>(wParam));
  if (!g_main.ready) return FALSE;  // still being built
  switch (message) {
    case WM_NOTIFY:
      return OnNotify(dialog, wParam, lParam);
    case WM_SIZING:
      return OnSizing(reinterpret_cast<RECT*>(lParam));
    case WM_SIZE:
      return OnSize(dialog);
    case WM_NCACTIVATE:
      return OnNcActivate(wParam);
    case WM_DRAWITEM:
      return OnDrawItem(dialog, wParam, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
    case WM_SYSCOMMAND:
      // The low four bits of a system command are the system's own.
      if ((wParam & 0xFFF0) < 0xF000 && RunMenuCommand(static_cast<int>(wParam & 0xFFF0))) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WM_ERASEBKGND:
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);  // the gradient is the only background
      return TRUE;
    case WM_PAINT:
      return OnPaint(dialog);
    case WM_MOUSEMOVE:
      return OnMouseMove();
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      return OnCtlColor(dialog, message, reinterpret_cast<HDC>(wParam),
                        reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
      // Default dialog processing would turn the close box into IDCANCEL, which nothing
      // handles (so that Escape does nothing); closing destroys the window instead.
      DestroyWindow(dialog);
      return TRUE;
    case WM_DPICHANGED:
      return OnDpiChanged(dialog, wParam, reinterpret_cast<const RECT*>(lParam));
    case WM_DESTROY:
      return OnDestroy(dialog);
    default:
      return FALSE;
  }
}

}  // namespace

// No exception may cross into the system's code. Memory that ran out anywhere in a command
// ends that command with a message; the objects it held on its way out removed any
// temporary file, so nothing half written is left.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(dialog, message, wParam, lParam);
  } catch (const std::bad_alloc&) {
    try {
      if (g_main.port != nullptr) ShowStop(*g_main.port, text::kOutOfMemory.hebrew);
    } catch (const std::bad_alloc&) {
      MessageBeep(MB_ICONHAND);  // not even room for the message
    }
    return FALSE;
  }
}

}  // namespace pcn
