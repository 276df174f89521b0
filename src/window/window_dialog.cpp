// Port operations over HWNDs. Bytes from the files (dealer numbers, month, the totals) are
// Windows-1255 and converted for display; the system's messages and paths are UTF-8.
#include "window/window_dialog.h"

#include <cderr.h>

#include <algorithm>
#include <string_view>

#include "controls/dpi.h"
#include "controls/file_list.h"
#include "controls/gdi_scoped.h"
#include "controls/wide_text.h"
#include "controls/window_text.h"

namespace pcn {
namespace {

// How the texts of a box measure in a font: the height of a line, the width of a character of
// the widest kind of text (Hebrew, English with digits, a path) and of a path's, rounded up.
struct TextMeasures {
  int line = 1, widest = 1, path = 1;
};

TextMeasures MeasureTexts(HDC dc, HFONT font) {
  static constexpr std::wstring_view kPath = L"C:\\Reports\\03-2024\\Pcn874-03-2024.txt";
  static constexpr std::wstring_view kSamples[] = {
      L"\x05D0\x05D5\x05E8\x05DA \x05E8\x05E9\x05D5\x05DE\x05EA "
      L"\x05D4\x05E4\x05D9\x05E8\x05D5\x05D8 \x05D0\x05D9\x05E0\x05D5 60",
      L"the counterparty's number is not 9 digits",
      kPath,
  };
  gdi::ScopedSelect selected(dc, font);
  const auto perChar = [dc](std::wstring_view sample) {
    SIZE size = {};
    GetTextExtentPoint32W(dc, sample.data(), static_cast<int>(sample.size()), &size);
    const auto count = static_cast<int>(sample.size());
    return std::max(1, (static_cast<int>(size.cx) + count - 1) / count);
  };
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  TextMeasures measures;
  measures.line = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
  for (std::wstring_view sample : kSamples)
    measures.widest = std::max(measures.widest, perChar(sample));
  measures.path = perChar(kPath);
  return measures;
}

// The horizontal dialog base unit of `font`, as the platform computes it for a dialog.
int DialogBaseUnit(HDC dc, HFONT font) {
  static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  gdi::ScopedSelect selected(dc, font);
  SIZE size = {};
  GetTextExtentPoint32W(dc, kLetters, 52, &size);
  return (size.cx / 26 + 1) / 2;
}

}  // namespace

HWND WindowDialog::Control(ControlId id) const {
  return GetDlgItem(dialog_, static_cast<int>(id));
}

void WindowDialog::SetFileCount(int count) {
  HWND list = Control(ControlId::kFileList);
  SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOINVALIDATEALL);
  // Rows enough for a vertical scroll bar narrow the list's client area: fit the columns
  // again, or the last of them would lie under a horizontal one.
  FitFileListColumns(dialog_, static_cast<int>(ControlId::kFileList));
  RefreshRowTip(list);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
}

int WindowDialog::SelectedFile() {
  return static_cast<int>(SendMessageW(Control(ControlId::kFileList), LVM_GETNEXTITEM,
                                       static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void WindowDialog::SelectFileAndRedraw(int row) {
  HWND list = Control(ControlId::kFileList);
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int WindowDialog::FindDealerExact(std::string_view number) {
  for (std::size_t i = 0; i < dealers_.size(); ++i) {
    if (dealers_[i] == number) return static_cast<int>(i);
  }
  return -1;
}

void WindowDialog::AddDealer(std::string_view number) {
  dealers_.emplace_back(number);
  // Without CBS_SORT the entry goes to the end, keeping dealers_ in step.
  SendMessageW(Control(ControlId::kDealerCombo), CB_ADDSTRING, 0,
               reinterpret_cast<LPARAM>(HebrewToWide(number).c_str()));
}

void WindowDialog::DeleteDealer(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= dealers_.size()) return;
  dealers_.erase(dealers_.begin() + index);
  SendMessageW(Control(ControlId::kDealerCombo), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void WindowDialog::ClearDealers() {
  dealers_.clear();
  SendMessageW(Control(ControlId::kDealerCombo), CB_RESETCONTENT, 0, 0);
}

void WindowDialog::SelectFirstDealer() {
  SendMessageW(Control(ControlId::kDealerCombo), CB_SETCURSEL, 0, 0);
}

std::string WindowDialog::DealerText() {
  const auto selected =
      static_cast<int>(SendMessageW(Control(ControlId::kDealerCombo), CB_GETCURSEL, 0, 0));
  if (selected < 0 || static_cast<std::size_t>(selected) >= dealers_.size()) return std::string();
  return dealers_[static_cast<std::size_t>(selected)];
}

std::string WindowDialog::Text(ControlId id) {
  const std::wstring shown = WindowText(Control(id));
  auto written = written_.find(id);
  if (written != written_.end() && HebrewToWide(written->second) == shown) return written->second;
  return WideToHebrew(shown);
}

void WindowDialog::SetText(ControlId id, std::string_view text) {
  written_[id] = std::string(text);
  SetWindowTextW(Control(id), HebrewToWide(text).c_str());
}

std::string WindowDialog::OutputDirectory() {
  return WideToUtf8(WindowText(Control(ControlId::kOutputDirectory)));
}

bool WindowDialog::RepresentativeChecked() {
  return IsDlgButtonChecked(dialog_, static_cast<int>(ControlId::kRepresentativeOption)) ==
         BST_CHECKED;
}

int WindowDialog::MessageBox(std::string_view caption, std::string_view text, std::uint32_t style) {
  // No owner: task-modal keeps the main window from input while the box is open. Disabling
  // the window takes the focus from it, and a box without an owner gives the activation to no
  // window as it closes: the window would be left inactive, deaf to Tab and to its keys.
  HWND focus = GetFocus();
  const int answer =
      ::MessageBoxW(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(), style);
  GiveBackFocus(focus);
  return answer;
}

void WindowDialog::GiveBackFocus(HWND focus) {
  if (!IsWindow(dialog_)) return;
  SetForegroundWindow(dialog_);
  SetActiveWindow(dialog_);
  // The control that had the focus; the file list, where the focus starts, when none had.
  if (!focus || !IsChild(dialog_, focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
    focus = Control(ControlId::kFileList);
  }
  SetFocus(focus);
}

bool WindowDialog::Ask(std::string_view caption, std::string_view text, std::uint32_t style) {
  return MessageBox(caption, text, style) == IDYES;
}

MessageRoom WindowDialog::MessageBoxRoom() {
  // The box is centred in the work area of the window's monitor.
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(dialog_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const int workWidth = monitor.rcWork.right - monitor.rcWork.left;
  const int workHeight = monitor.rcWork.bottom - monitor.rcWork.top;
  // Some systems write the box in the message font, others in the dialog font (MS Shell Dlg,
  // 8 points): the larger of the two counts.
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  const int dpi = WindowDpi(dialog_);
  LOGFONTW dialogFace = {};
  dialogFace.lfHeight = -MulDiv(8, dpi, 72);
  lstrcpynW(dialogFace.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
  gdi::Owned<HFONT> messageFont(CreateFontIndirectW(&metrics.lfMessageFont));
  gdi::Owned<HFONT> dialogFont(CreateFontIndirectW(&dialogFace));
  HDC dc = GetDC(dialog_);
  const TextMeasures a = MeasureTexts(dc, messageFont.get()),
                     b = MeasureTexts(dc, dialogFont.get());
  const TextMeasures measures = {std::max(a.line, b.line), std::max(a.widest, b.widest),
                                 std::max(a.path, b.path)};
  // A box wraps its text at a width set in dialog units: 176 in Wine's, more in Windows'. A
  // line that it wraps all the same is counted as two lines but drawn as one.
  const int wrapWidth = MulDiv(176, DialogBaseUnit(dc, dialogFont.get()), 4);
  ReleaseDC(dialog_, dc);
  // Around the text: the title bar and the frame, margins, the icon and a row of buttons twice
  // a line tall; the box keeps a tenth of the screen free.
  const int margin = MulDiv(16, dpi, 96);
  const int frame = 2 * (GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYBORDER));
  const int aroundHeight = GetSystemMetrics(SM_CYCAPTION) + frame + 3 * margin + 3 * measures.line;
  const int aroundWidth = frame + GetSystemMetrics(SM_CXICON) + 4 * margin;
  MessageRoom room;
  room.lines = std::max(3, (workHeight * 9 / 10 - aroundHeight) / measures.line);
  room.lineChars = std::max(20, wrapWidth * 9 / 10 / measures.widest);
  room.pathChars = std::max(20, wrapWidth * 9 / 10 / measures.path);
  // Even where a screen is wider, a run longer than this is hard to read.
  room.runChars = std::clamp((workWidth * 9 / 10 - aroundWidth) / measures.widest, 40, 120);
  return room;
}

bool WindowDialog::RunOpenFileDialog(OpenFileRequest& request) {
  // The wide dialog, so Hebrew and long paths work whatever the system's code page.
  const std::wstring filter = Utf8ToWide(request.filter) + L'\0';
  std::wstring file = Utf8ToWide(request.fileBuffer);
  if (file.size() < 16384) file.resize(16384, L'\0');
  const std::wstring folder = Utf8ToWide(request.initialFolder);
  const std::wstring title = Utf8ToWide(request.title);
  const std::wstring extension = Utf8ToWide(request.defaultExtension);
  wchar_t fileTitle[260] = {};

  OPENFILENAMEW open = {};
  open.lStructSize = sizeof(open);
  open.hwndOwner = dialog_;
  open.lpstrFilter = filter.c_str();
  open.nFilterIndex = static_cast<DWORD>(request.filterIndex);
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.lpstrFileTitle = fileTitle;
  open.nMaxFileTitle = 260;
  open.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  open.lpstrTitle = title.empty() ? nullptr : title.c_str();
  open.Flags = request.flags;
  open.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  const BOOL chosen = request.save ? GetSaveFileNameW(&open) : GetOpenFileNameW(&open);
  // "If the buffer is too small, the function returns FALSE and the CommDlgExtendedError
  // function returns FNERR_BUFFERTOOSMALL": the selection is lost, and must be told.
  request.selectionTooLong = !chosen && CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;

  // The whole buffer, NULs included: with several files it holds the folder and each name.
  request.fileBuffer = request.selectionTooLong ? std::string() : WideToUtf8(file);
  request.flags = open.Flags;
  return chosen != FALSE;
}

bool WindowDialog::OpenDocument(std::string_view path) {
  const std::wstring wide = Utf8ToWide(path);
  // "If the function succeeds, it returns a value greater than 32."
  return reinterpret_cast<INT_PTR>(
             ShellExecuteW(dialog_, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

void WindowDialog::Beep() {
  MessageBeep(MB_OK);
}

}  // namespace pcn
