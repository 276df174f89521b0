// The main dialog's 41 controls as data, in creation (and Tab) order, and the dialog's own
// properties. Positions are pixels at 96 DPI, scaled by DPI / 96 when the window is built;
// x is measured from the right edge of the client area because the dialog uses the mirrored
// right-to-left layout.
#pragma once

#include <span>

#include "app/control_id.h"
#include "controls/column_fit.h"
#include "controls/windows_api.h"
#include "text/captions.h"
#include "window/layout.h"

namespace pcn {

enum class FontKind { kNone, kRegular, kBold };

// A text or background colour: the platform's own, transparent (the gradient shows
// through), or a fixed RGB value.
struct Colour {
  enum Kind { kSystem, kTransparent, kRgb } kind = kSystem;
  COLORREF rgb = 0;
};

// The positions an up-down control steps between.
struct SpinRange {
  int lower = 0, upper = 0;
};

struct ControlRow {
  ControlId id;
  const wchar_t* cls;
  DWORD style;  // WS_CHILD | WS_VISIBLE are added by the creation loop
  DWORD exStyle = 0;
  const char* text = nullptr;  // UTF-8; nullptr for controls without text
  Rect place;                  // at 96 DPI
  FontKind font = FontKind::kRegular;
  Colour textColour = {};
  Colour back = {};
  SpinRange spin = {};  // up-down controls only
};

std::span<const ControlRow> MainDialogControls();
// The row of `id`, or nullptr.
const ControlRow* FindControl(ControlId id);

inline constexpr int kClientWidth = 734;
inline constexpr int kClientHeight = 488;
inline constexpr int kMinimumWidth = 734;  // outer window, enforced on WM_SIZING
inline constexpr int kMinimumHeight = 473;
inline constexpr int kIconId = 102;
inline constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                      WS_MAXIMIZEBOX | WS_CLIPSIBLINGS | DS_MODALFRAME | DS_3DLOOK |
                                      DS_CENTER;
inline constexpr DWORD kDialogExStyle = WS_EX_LAYOUTRTL | WS_EX_CONTROLPARENT;

// The file list's columns at 96 DPI; a filler column follows them. The name keeps its width;
// the others share the rest of the list in these proportions, which at the window's smallest
// size leave a dealer number whole and every title on at most two lines. The findings column
// holds a count only, so it takes the smallest share.
inline constexpr ListColumn kFileListColumns[] = {
    {100, text::kColumnFileName},        {80, text::kDealerNumberShort},
    {56, text::kColumnTaxableSales},     {56, text::kColumnExemptSales},
    {56, text::kColumnSalesVat},         {56, text::kColumnInputsVat},
    {56, text::kColumnAssetInputsVat},   {56, text::kColumnVatPayable},
    {54, text::kColumnSalesRecordCount}, {54, text::kColumnInputRecordCount},
    {50, text::kColumnFindings},
};
// The filler's width is whatever the fit leaves.
inline constexpr int kFillerColumnWidth = 0;

}  // namespace pcn
