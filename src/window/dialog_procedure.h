// The main dialog's procedure, which answers every message of the window.
#pragma once

#include "controls/windows_api.h"

namespace pcn {

// lParam of the WM_INITDIALOG sent once every control exists; the one the platform sends
// while creating the still empty dialog is ignored.
inline constexpr LPARAM kControlsBuilt = 0x874;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace pcn
