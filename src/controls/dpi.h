// The resolution a window is shown at, and the window size for a client size at that
// resolution. The newer per-monitor functions are looked up at run time: older systems (and
// older import libraries) lack them, and the screen's resolution stands in.
#pragma once

#include "controls/windows_api.h"

namespace pcn {

// The window's DPI: its monitor's on systems with per-monitor scaling, else the screen's.
int WindowDpi(HWND window);

// The outer size of a window with `style` and `exStyle` whose client area is `client`, with
// the frame measured at `dpi`.
RECT OuterForClient(RECT client, DWORD style, DWORD exStyle, int dpi);

}  // namespace pcn
