// A window's text as the system holds it, in UTF-16.
#pragma once

#include <string>

#include "controls/windows_api.h"

namespace pcn {

// The text of `window` (a control's caption or contents); empty when it has none.
std::wstring WindowText(HWND window);

}  // namespace pcn
