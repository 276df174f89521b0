// The control table holds 96-DPI rectangles and the pictures come drawn for a few
// resolutions; these functions bring both to the window's.
#include "window/dpi_resources.h"

#include <algorithm>
#include <string>

#include "controls/dpi.h"
#include "controls/file_list.h"
#include "controls/painting.h"
#include "window/control_table.h"
#include "window/image_buttons.h"
#include "window/layout.h"
#include "window/main_window.h"

namespace pcn {
namespace {

// The resolutions the pictures are drawn for, largest first.
constexpr int kPictureDpis[] = {192, 144, 120};

HFONT MakeDialogFont(int weight) {
  LOGFONTW font = {};
  font.lfHeight = -MulDiv(8, g_main.dpi, 72);
  font.lfWeight = weight;
  font.lfCharSet = ANSI_CHARSET;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

// The table's rectangles, for the controls the resize layout leaves alone; the layout places
// the others.
void PlaceControls(HWND dialog) {
  for (const ControlRow& row : MainDialogControls()) {
    const Rect place = ScaleForDpi(row.place, g_main.dpi);
    SetWindowPos(Item(dialog, row.id), nullptr, place.x, place.y, place.w, place.h,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

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

void ReleaseFonts() {
  g_main.regularFont.reset();
  g_main.boldFont.reset();
}

std::vector<ListColumn> ScaledColumns() {
  std::vector<ListColumn> columns;
  for (const ListColumn& column : kFileListColumns) {
    columns.push_back({Scaled(column.width), column.title});
  }
  columns.push_back({Scaled(kFillerColumnWidth), ""});
  return columns;
}

void LoadButtonBitmaps(HWND dialog) {
  for (std::size_t i = 0; i < kImageButtonCount; ++i) {
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

void ReleaseButtonBitmaps(HWND dialog) {
  for (std::size_t i = 0; i < kImageButtonCount; ++i) {
    RemovePropW(Item(dialog, kImageButtons[i].id), kButtonBitmapProperty);
    g_main.buttonBitmaps[i].reset();
  }
}

void ChangeDpi(HWND dialog, int dpi) {
  g_main.dpi = dpi;
  SetFileListDpi(dialog, IdOf(ControlId::kFileList), g_main.dpi);
  ApplyFonts(dialog);
  PlaceControls(dialog);
  SetFileListColumnWidths(dialog, IdOf(ControlId::kFileList), ScaledColumns());
  LoadButtonBitmaps(dialog);
}

}  // namespace pcn
