// The main dialog's construction, its dialog procedure (one handler per message) and the
// hook on the four image buttons that keeps track of the button under the pointer.
#include "window/main_dialog.h"

#include <algorithm>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "app/add_file.h"
#include "app/adjust_command.h"
#include "app/findings.h"
#include "app/generate_command.h"
#include "app/message_box.h"
#include "app/record_commands.h"
#include "app/remove_file.h"
#include "app/system_menu.h"
#include "controls/dpi.h"
#include "controls/file_list.h"
#include "controls/gdi_scoped.h"
#include "controls/painting.h"
#include "controls/text_tip.h"
#include "controls/wide_text.h"
#include "controls/windows_api.h"
#include "platform/platform.h"
#include "text/messages.h"
#include "window/control_table.h"
#include "window/file_drop.h"
#include "window/layout.h"
#include "window/window_dialog.h"

namespace pcn {
namespace {

constexpr wchar_t kButtonProcProperty[] = L"Pcn874.ButtonProc";
// lParam of the WM_INITDIALOG sent once every control exists; the one the platform sends
// while creating the still empty dialog is ignored.
constexpr LPARAM kControlsBuilt = 0x874;

using enum ControlId;

struct ImageButton {
  ControlId id;
  const wchar_t* bitmap;  // the 96-DPI picture; "Bizua120" and so on are drawn larger
};
// The Generate button first: the procedure its hook replaces is the one all four share.
constexpr ImageButton kImageButtons[] = {
    {kGenerate, L"Bizua"}, {kAddFile, L"Add"}, {kRemoveFile, L"Gra"}, {kBrowse, L"Iun"}};
// The resolutions the pictures are drawn for, largest first.
constexpr int kPictureDpis[] = {192, 144, 120};

// State of the one main window.
struct MainWindow {
  HWND dialog = nullptr;
  FileTable* table = nullptr;
  std::unique_ptr<WindowDialog> port;
  bool ready = false;  // controls built and initialised
  HINSTANCE instance = nullptr;
  HWND hotButton = nullptr;
  HWND savedFocus = nullptr;
  int dpi = kBaseDpi;                              // the resolution the controls are laid out for
  std::map<COLORREF, gdi::Owned<HBRUSH>> brushes;  // one solid brush per background colour
  gdi::Owned<HFONT> regularFont, boldFont;
  gdi::Owned<HBITMAP> buttonBitmaps[std::size(kImageButtons)];
  gdi::OwnedIcon largeIcon, smallIcon;
  MergeRecordState record;  // the spin steps and the last merge, for the merge record
};

MainWindow g_main;

HWND Item(HWND dialog, ControlId id) {
  return GetDlgItem(dialog, IdOf(id));
}

int Scaled(int value) {
  return ScaleForDpi(value, g_main.dpi);
}

// --- Everything that depends on the resolution --------------------------------------------

HFONT MakeDialogFont(int weight) {
  LOGFONTW font = {};
  font.lfHeight = -MulDiv(8, g_main.dpi, 72);
  font.lfWeight = weight;
  font.lfCharSet = ANSI_CHARSET;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

// Gives every control with text the dialog's fonts at the current resolution; the fonts
// they had before are deleted once no control uses them.
void ApplyFonts(HWND dialog) {
  gdi::Owned<HFONT> regular(MakeDialogFont(FW_NORMAL));
  gdi::Owned<HFONT> bold(MakeDialogFont(FW_BOLD));
  for (const ControlRow& row : MainDialogControls()) {
    if (row.font == FontKind::kNone) continue;
    SendMessageW(Item(dialog, row.id), WM_SETFONT,
                 reinterpret_cast<WPARAM>(row.font == FontKind::kBold ? bold.get() : regular.get()),
                 FALSE);
  }
  g_main.regularFont.reset(regular.release());
  g_main.boldFont.reset(bold.release());
}

// The table's rectangles at the current resolution, for the controls the resize layout
// leaves alone; the layout places the others.
void PlaceControls(HWND dialog) {
  for (const ControlRow& row : MainDialogControls()) {
    const Rect place = ScaleForDpi(row.place, g_main.dpi);
    SetWindowPos(Item(dialog, row.id), nullptr, place.x, place.y, place.w, place.h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The file list's columns in pixels, the filler last.
std::vector<ListColumn> ScaledColumns() {
  std::vector<ListColumn> columns;
  for (const ListColumn& column : kFileListColumns) {
    columns.push_back({Scaled(column.width), column.title});
  }
  columns.push_back({Scaled(kFillerColumnWidth), ""});
  return columns;
}

// Each image button shows the picture drawn for the largest resolution not above the
// window's, so pictures are never shrunk.
void LoadButtonBitmaps(HWND dialog) {
  for (std::size_t i = 0; i < std::size(kImageButtons); ++i) {
    std::wstring name = kImageButtons[i].bitmap;
    for (int dpi : kPictureDpis) {
      if (g_main.dpi >= dpi) {
        name += std::to_wstring(dpi);
        break;
      }
    }
    HANDLE bitmap = LoadImageW(g_main.instance, name.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS);
    HWND button = Item(dialog, kImageButtons[i].id);
    if (bitmap) {
      SetPropW(button, kButtonBitmapProperty, bitmap);
    } else {
      RemovePropW(button, kButtonBitmapProperty);
    }
    g_main.buttonBitmaps[i].reset(static_cast<HBITMAP>(bitmap));
  }
}

// The window's outer size for the table's client size at the current resolution, centred in
// the work area.
void CentreInWorkArea(HWND dialog) {
  const RECT outer =
      OuterForClient({0, 0, Scaled(kClientWidth), Scaled(kClientHeight)},
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)),
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)), g_main.dpi);
  const int w = outer.right - outer.left;
  const int h = outer.bottom - outer.top;
  RECT work = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = std::max(0L, work.left + work.right - w) / 2;
  const int top = std::max(0L, work.top + work.bottom - h) / 2;
  SetWindowPos(dialog, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(std::max(0, GetWindowTextW(window, text.data(), length + 1))));
  return text;
}

std::wstring CurrentDirectoryText() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  std::wstring path(needed, L'\0');
  path.resize(GetCurrentDirectoryW(needed, path.data()));
  return path;
}

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

void Invalidate(HWND window) {
  if (window) InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK ButtonHook(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  auto saved = reinterpret_cast<WNDPROC>(GetPropW(GetParent(button), kButtonProcProperty));
  if (!saved) return 0;
  if (message == WM_MOUSEMOVE && g_main.hotButton != button) {
    // Repaint the button that loses the pointer and the one that gets it. The frame follows
    // the messages, not a later look at the pointer, which can lag behind them.
    Invalidate(g_main.hotButton);
    g_main.hotButton = button;
    Invalidate(button);
    // Told when the pointer leaves straight for another window or outside this one.
    TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, button, 0};
    TrackMouseEvent(&leave);
  } else if (message == WM_MOUSELEAVE && g_main.hotButton == button) {
    g_main.hotButton = nullptr;
    Invalidate(button);
  }
  return CallWindowProcW(saved, button, message, wParam, lParam);
}

// --- The system menu and the keys -----------------------------------------------------------

constexpr int IdOf(MenuCommand command) {
  return static_cast<int>(command);
}

// About and the record's item below the system menu's own items.
void ExtendSystemMenu(HWND dialog) {
  HMENU menu = GetSystemMenu(dialog, FALSE);
  if (!menu) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_GRAYED, IdOf(MenuCommand::kSaveRecord),
              Utf8ToWide(text::kSaveRecordMenuItem).c_str());
  AppendMenuW(menu, MF_STRING, IdOf(MenuCommand::kAbout), Utf8ToWide(text::kAboutMenuItem).c_str());
}

// The record can be saved once a Generate has written a merged file.
void EnableSaveRecord(HWND dialog) {
  EnableMenuItem(GetSystemMenu(dialog, FALSE), IdOf(MenuCommand::kSaveRecord),
                 MF_BYCOMMAND | (g_main.record.last ? MF_ENABLED : MF_GRAYED));
}

// F1 and Ctrl+S, translated before the dialog sees the keys.
HACCEL MakeAccelerators() {
  ACCEL keys[] = {
      {FVIRTKEY, VK_F1, static_cast<WORD>(IdOf(MenuCommand::kGuide))},
      {FVIRTKEY | FCONTROL, 'S', static_cast<WORD>(IdOf(MenuCommand::kSaveRecord))},
  };
  return CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
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

// The commands of the menu and the keys; false for anything else.
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

// --- Handlers, one per message --------------------------------------------------------

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  if (lParam != kControlsBuilt) return FALSE;
  g_main.ready = true;
  g_main.instance = GetModuleHandleW(nullptr);

  LoadButtonBitmaps(dialog);
  for (const ImageButton& button : kImageButtons) {
    const LONG_PTR replaced = SetWindowLongPtrW(Item(dialog, button.id), GWLP_WNDPROC,
                                                reinterpret_cast<LONG_PTR>(&ButtonHook));
    if (button.id == kGenerate) {
      SetPropW(dialog, kButtonProcProperty, reinterpret_cast<HANDLE>(replaced));
    }
  }

  CheckDlgButton(dialog, IdOf(kDealersUnionOption), BST_CHECKED);
  KeepOptionsOutOfTabOrder(dialog);
  AddTextTip(Item(dialog, kOutputDirectory));
  SetTextWithTip(Item(dialog, kOutputDirectory), CurrentDirectoryText());

  SetUpFileList(dialog, IdOf(kFileList), ScaledColumns());
  ExtendSystemMenu(dialog);

  SetForegroundWindow(dialog);
  SetFocus(Item(dialog, kFileList));
  return FALSE;
}

INT_PTR OnNotify(HWND dialog, WPARAM wParam, LPARAM lParam) {
  const auto* notify = reinterpret_cast<const NMHDR*>(lParam);
  const int id = static_cast<int>(notify->idFrom);
  if (id == IdOf(kFileList)) {
    const LRESULT result = FileListNotify(dialog, id, wParam, lParam, *g_main.table);
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
  g_main.dpi = HIWORD(wParam);
  SetFileListDpi(dialog, IdOf(kFileList), g_main.dpi);
  ApplyFonts(dialog);
  PlaceControls(dialog);
  SetFileListColumnWidths(dialog, IdOf(kFileList), ScaledColumns());
  LoadButtonBitmaps(dialog);
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

void ChooseOutputDirectory(HWND dialog) {
  HWND field = Item(dialog, kOutputDirectory);
  const std::wstring current = WindowText(field);
  const std::wstring instruction = Utf8ToWide(kBrowseInstruction);
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
  if (chosen.empty()) chosen = CurrentDirectoryText();
  SetTextWithTip(field, chosen);
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
      SetDlgItemTextW(dialog, IdOf(kNumberCaption), Utf8ToWide(kDealerNumberCaption).c_str());
      RedrawAll(dialog);
      break;
    case kRepresentativeOption:
      KeepOptionsOutOfTabOrder(dialog);
      SetDlgItemTextW(dialog, IdOf(kNumberCaption),
                      Utf8ToWide(kRepresentativeNumberCaption).c_str());
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
  if (g_main.hotButton) {
    Invalidate(g_main.hotButton);
    g_main.hotButton = nullptr;
  }
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
  auto saved = reinterpret_cast<LONG_PTR>(GetPropW(dialog, kButtonProcProperty));
  for (std::size_t i = 0; i < std::size(kImageButtons); ++i) {
    HWND window = Item(dialog, kImageButtons[i].id);
    RemovePropW(window, kButtonBitmapProperty);
    if (saved) SetWindowLongPtrW(window, GWLP_WNDPROC, saved);
    g_main.buttonBitmaps[i].reset();
  }
  RemovePropW(dialog, kButtonProcProperty);
  RemoveTextTip(Item(dialog, kOutputDirectory));
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

// No exception may cross into the system's code. Memory that ran out anywhere in a command
// ends that command with a message; the objects it held on its way out removed any
// temporary file, so nothing half written is left.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(dialog, message, wParam, lParam);
  } catch (const std::bad_alloc&) {
    try {
      if (g_main.port != nullptr) ShowStop(*g_main.port, text::kOutOfMemory);
    } catch (const std::bad_alloc&) {
      MessageBeep(MB_ICONHAND);  // not even room for the message
    }
    return FALSE;
  }
}

}  // namespace

void RunMainDialog(FileTable& table) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  // An empty template: no menu, the default class, no title, no controls.
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
  HWND dialog = CreateDialogIndirectParamW(
      instance, reinterpret_cast<const DLGTEMPLATE*>(kTemplate), nullptr, &DialogProc, 0);
  if (!dialog) return;
  g_main.dialog = dialog;
  g_main.table = &table;
  g_main.port = std::make_unique<WindowDialog>(dialog);

  g_main.dpi = WindowDpi(dialog);
  CentreInWorkArea(dialog);
  DragAcceptFiles(dialog, TRUE);
  SetWindowTextW(dialog, Utf8ToWide(kDialogTitle).c_str());

  g_main.largeIcon.reset(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 32, 32, 0)));
  g_main.smallIcon.reset(
      static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, 16, 16, 0)));
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_main.largeIcon.get()));
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(g_main.smallIcon.get()));

  for (const ControlRow& row : MainDialogControls()) {
    const std::wstring text = row.text ? Utf8ToWide(row.text) : std::wstring();
    const Rect place = ScaleForDpi(row.place, g_main.dpi);
    HWND control = CreateWindowExW(
        row.exStyle, row.cls, text.c_str(), WS_CHILD | WS_VISIBLE | row.style, place.x, place.y,
        place.w, place.h, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(row.id))),
        instance, nullptr);
    if (row.id == kFileList) SendMessageW(control, LVM_SETTEXTCOLOR, 0, row.textColour.rgb);
    if (row.cls == std::wstring_view(UPDOWN_CLASSW)) {
      // Some up-down implementations give themselves their default width when they take
      // their automatic buddy; the table's rectangle is the one wanted.
      SetWindowPos(control, nullptr, place.x, place.y, place.w, place.h,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      SendMessageW(control, UDM_SETRANGE, 0, MAKELPARAM(row.spin.upper, row.spin.lower));
    }
  }
  ApplyFonts(dialog);

  SendMessageW(dialog, WM_INITDIALOG, 0, kControlsBuilt);
  RECT client;
  GetClientRect(dialog, &client);
  SendMessageW(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));

  ShowWindow(dialog, SW_SHOWNORMAL);
  SetForegroundWindow(dialog);
  // GetMessage waits instead of spinning; WM_DESTROY posts the quit message.
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
  g_main.regularFont.reset();
  g_main.boldFont.reset();
  g_main.largeIcon.reset();
  g_main.smallIcon.reset();
  g_main.port.reset();
}

}  // namespace pcn
