// The virtual file list (control 1023): one row per loaded file, cell texts asked of its
// owner on request, each row's full path as its tip, alternating row colours, red for
// cells holding "-", and a custom-drawn gradient header whose column 0 cannot be resized.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "controls/column_fit.h"
#include "controls/windows_api.h"

namespace pcn {

// The texts of the rows, handed by the list's owner: column 0 a file's name in UTF-8 (laid
// out left to right, as a path is written), the others in Windows-1255 as the files hold
// them, a minus sign marking a negative figure; the tip a row's full path in UTF-8.
struct FileListTexts {
  std::function<std::string(int row, int column)> cell;
  std::function<std::string(int row)> tip;
};

// Extended styles, the columns (widths already in pixels; the last is the filler) and the two
// replacement window procedures.
void SetUpFileList(HWND dialog, int id, std::span<const ListColumn> columns);
// The resolution the header's fonts are made for, once the window is moved to another: the
// window's own may not have followed yet.
void SetFileListDpi(HWND dialog, int id, int dpi);
// Gives the columns new widths in pixels (after a change of resolution).
void SetFileListColumnWidths(HWND dialog, int id, std::span<const ListColumn> columns);
// WM_NOTIFY from the list; the result is the dialog procedure's, and for custom draw it is
// also stored as the dialog's message result.
LRESULT FileListNotify(HWND dialog, int id, WPARAM wParam, LPARAM lParam,
                       const FileListTexts& texts);
// Column 0 keeps its width, columns 1 .. n-2 keep their proportions in what it leaves, and
// with the filler they span the list's client width (narrower once a vertical scroll bar shows);
// but no column is made too narrow for its title or one of its cells, and column 0 gives way
// first (FitColumnWidths).
void FitFileListColumns(HWND dialog, int id);

// The rows now hold other files: the tip under a resting pointer is asked for again, or it
// would go on naming a file that was removed or moved to another row.
void RefreshRowTip(HWND list);

LRESULT CALLBACK FileListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FileListHeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam);

// A font of `points` points at `dpi` (a positive height: the cell height).
HFONT MakeFont(const wchar_t* face, BYTE charSet, int weight, bool underline, int points, int dpi);

inline constexpr COLORREF kRowEven = RGB(255, 255, 255);
inline constexpr COLORREF kRowOdd = RGB(200, 255, 255);
inline constexpr COLORREF kCellText = RGB(0, 0, 255);
inline constexpr COLORREF kCellNegative = RGB(255, 0, 0);

}  // namespace pcn
