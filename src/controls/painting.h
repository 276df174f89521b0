// Painting of the owner-drawn image buttons and of the main window's background gradient.
#pragma once

#include "controls/windows_api.h"

namespace pcn {

// The window property under which each image button keeps the bitmap it shows.
inline constexpr wchar_t kButtonBitmapProperty[] = L"Pcn874.ButtonBitmap";

// Paints the button named by the draw record (WM_DRAWITEM) in every state, with the insets,
// corners and font of the resolution the dialog is laid out for; `hot`: the pointer is over it.
void PaintImageButton(HWND dialog, const DRAWITEMSTRUCT& item, int dpi, bool hot);
// Fills the whole client area of the window owning `dc` with the left-to-right gradient.
void PaintDialogBackground(HDC dc);

}  // namespace pcn
