// A tooltip over one control that shows the control's whole text: for a field whose text may
// be too long for it, a path shortened in the middle as it is drawn.
#pragma once

#include <string>

#include "controls/windows_api.h"

namespace pcn {

// Gives `control` a tip of its own; a static control needs SS_NOTIFY to see the pointer.
void AddTextTip(HWND control);
// Sets the control's text, and its tip's to the same.
void SetTextWithTip(HWND control, const std::wstring& text);
// Destroys the control's tip, before the control goes.
void RemoveTextTip(HWND control);

}  // namespace pcn
