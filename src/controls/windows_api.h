// <windows.h> for this program's sources: its MessageBox macro would otherwise rename the
// dialog port's MessageBox operation to MessageBoxW in some files and not in others.
#pragma once

#include <windows.h>

#undef MessageBox
