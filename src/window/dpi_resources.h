// Everything of the main window that depends on the resolution it is laid out for (g_main.dpi):
// its size, the controls' rectangles and fonts, the file list's columns and the image buttons'
// pictures, made for the window's resolution and made again when it moves to a monitor of
// another.
#pragma once

#include <vector>

#include "controls/column_fit.h"
#include "controls/windows_api.h"

namespace pcn {

// The window's outer size for the table's client size, centred in the work area.
void CentreInWorkArea(HWND dialog);
// Gives every control with text the dialog's fonts; the fonts they had before are deleted once
// no control uses them.
void ApplyFonts(HWND dialog);
// Deletes the dialog's fonts, once its controls are gone.
void ReleaseFonts();
// The file list's columns in pixels, the filler last.
std::vector<ListColumn> ScaledColumns();
// Each image button shows the picture drawn for the largest resolution not above the
// window's, so pictures are never shrunk.
void LoadButtonBitmaps(HWND dialog);
// Takes the pictures from the buttons and deletes them, before the buttons go.
void ReleaseButtonBitmaps(HWND dialog);
// Moved to a monitor of resolution `dpi`: the fonts, the controls' rectangles, the columns and
// the pictures again at that one. The window's own rectangle and the resize layout are the
// caller's.
void ChangeDpi(HWND dialog, int dpi);

}  // namespace pcn
