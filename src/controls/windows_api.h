// The Windows headers this program uses, in the order they need (<windows.h> first), and
// without the MessageBox macro, which would otherwise rename the dialog port's MessageBox
// operation to MessageBoxW in some files and not in others.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#undef MessageBox
