// The main dialog's 41 controls as data, in creation (and Tab) order, and the dialog's own
// properties. Positions are pixels; x is measured from the right edge of the client area
// because the dialog uses the mirrored right-to-left layout.
#pragma once

#include <span>

#include "controls/windows_api.h"

namespace pcn {

enum class FontKind { kNone, kRegular, kBold };

// A text or background colour: the platform's own, transparent (the gradient shows
// through), or a fixed RGB value.
struct Colour {
  enum Kind { kSystem, kTransparent, kRgb } kind = kSystem;
  COLORREF rgb = 0;
};

struct ControlSpec {
  int id;
  const wchar_t* cls;
  DWORD style;  // WS_CHILD | WS_VISIBLE are added by the creation loop
  DWORD exStyle;
  const char* text;  // UTF-8; nullptr for controls without text
  int x, y, w, h;
  FontKind font;
  Colour textColour, back;
};

std::span<const ControlSpec> MainDialogControls();
// The row of `id`, or nullptr.
const ControlSpec* FindControl(int id);

inline constexpr char kDialogTitle[] = "איחוד קבצי PCN874 - Velmora מוצרי תוכנה בע'מ";
inline constexpr int kClientWidth = 734;
inline constexpr int kClientHeight = 488;
inline constexpr int kMinimumWidth = 734;  // outer window, enforced on WM_SIZING
inline constexpr int kMinimumHeight = 473;
inline constexpr int kIconId = 102;
inline constexpr DWORD kDialogStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                      WS_MAXIMIZEBOX | WS_CLIPSIBLINGS | DS_MODALFRAME | DS_3DLOOK |
                                      DS_CENTER;
inline constexpr DWORD kDialogExStyle = WS_EX_LAYOUTRTL | WS_EX_CONTROLPARENT;

// Control identifiers the window code names (the logic's are in platform/dialog_port.h).
enum : int {
  kIdGenerate = 0,
  kIdMergedGroup = 1001,
  kIdDealerCombo = 1015,
  kIdRemoveFile = 1021,
  kIdAddFile = 1022,
  kIdFileList = 1023,
  kIdGenerationGroup = 1024,
  kIdOutputDirectory = 1025,
  kIdOutputDirectoryCaption = 1026,
  kIdBrowse = 1027,
  kIdFileListCaption = 1029,
  kIdDealersUnion = 1033,
  kIdRepresentative = 1034,
  kIdNumberCaption = 1035,
  kIdNumber = 1036,
  kIdOutputTypeGroup = 1037,
};

// Texts the dialog procedure writes.
inline constexpr char kDealerNumberCaption[] = "מספר עוסק";
inline constexpr char kRepresentativeNumberCaption[] = "מספר מייצג";
inline constexpr char kBrowseInstruction[] = "ציין את שם הספרייה אליה יופק הקובץ";

}  // namespace pcn
