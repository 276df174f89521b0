// Image buttons: a rounded region, a vertical gradient (swapped when pressed), an outline,
// the default and hot frames, the focus rectangle, the bitmap with its top-left colour
// transparent, and the text. The background: one horizontal gradient over the client area.
#include "controls/painting.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "controls/button_geometry.h"
#include "controls/gdi_scoped.h"
#include "controls/scale.h"
#include "controls/transparent_bitmap.h"

namespace pcn {
namespace {

void DrawRoundFrame(HDC dc, const Box& box, int corner, int width, COLORREF colour) {
  gdi::Owned<HPEN> pen(CreatePen(PS_INSIDEFRAME, width, colour));
  gdi::ScopedSelect selected(dc, pen.get());
  RoundRect(dc, box.left, box.top, box.right, box.bottom, corner, corner);
}

// Tahoma 8 pt at the button's resolution; the negative height asks for the character
// height, rounded half to even as the platform's conversion does.
HFONT MakeButtonFont(int dpi) {
  LOGFONTW font = {};
  font.lfHeight = -static_cast<LONG>(std::nearbyint(8.0 * dpi / 72.0));
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = PROOF_QUALITY;
  lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace

void PaintImageButton(HWND dialog, const DRAWITEMSTRUCT& item, int dpi, bool hot) {
  HWND button = GetDlgItem(dialog, static_cast<int>(item.CtlID));
  if (!button) button = item.hwndItem;
  RECT window;
  GetWindowRect(button, &window);
  const int w = window.right - window.left;
  const int h = window.bottom - window.top;
  HDC dc = item.hDC;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const auto s = [dpi](int value) { return ScaleForDpi(value, dpi); };

  // The platform owns the region once it is set.
  SetWindowRgn(button, CreateRoundRectRgn(0, 0, w, h, s(6), s(6)), TRUE);

  const RECT all = {0, 0, w, h};
  gdi::FillGradient(dc, all, pressed ? kGradientDark : kGradientLight,
                    pressed ? kGradientLight : kGradientDark, true);

  auto bitmap = static_cast<HBITMAP>(GetPropW(button, kButtonBitmapProperty));
  BITMAP info = {};
  if (bitmap && GetObjectW(bitmap, sizeof(info), &info) == 0) bitmap = nullptr;
  const ButtonGeometry g = ComputeButtonGeometry(w, h, bitmap ? info.bmWidth : 0,
                                                 bitmap ? info.bmHeight : 0, pressed, dpi);

  gdi::ScopedSelect hollow(dc, GetStockObject(NULL_BRUSH));
  DrawRoundFrame(dc, g.outline, s(6), s(1), kOutline);
  if (item.itemState & ODS_DEFAULT) {
    DrawRoundFrame(dc, g.innerFrame, s(3), s(2), kDefaultFrame);
  }
  // Drawn after the default frame, so it covers it.
  if (!pressed && hot) {
    DrawRoundFrame(dc, g.innerFrame, s(3), s(2), kHotFrame);
  }
  if (item.itemState & ODS_FOCUS) {
    const RECT focus = {g.focus.left, g.focus.top, g.focus.right, g.focus.bottom};
    DrawFocusRect(dc, &focus);
  }
  if (bitmap) {
    std::int32_t transparent = -1;  // the bitmap's top-left pixel
    DrawTransparentBitmap(dc, bitmap, g.bitmapX, g.bitmapY, transparent);
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? RGB(192, 192, 192) : RGB(0, 0, 0));
  wchar_t text[64] = {};
  GetWindowTextW(button, text, 64);
  gdi::Owned<HFONT> font(MakeButtonFont(dpi));
  gdi::ScopedSelect selectedFont(dc, font.get());
  RECT textBox = {g.text.left, g.text.top, g.text.right, g.text.bottom};
  DrawTextW(dc, text, -1, &textBox, DT_VCENTER | DT_SINGLELINE | (g.centreText ? DT_CENTER : 0));
}

void PaintDialogBackground(HDC dc) {
  HWND window = WindowFromDC(dc);
  RECT client = {};
  GetClientRect(window, &client);
  // One pixel beyond each side: some mirrored-DC implementations map logical x = 0 one pixel
  // short of the right edge, which would leave that column unpainted. The platform clips
  // the rest.
  InflateRect(&client, 1, 0);
  gdi::FillGradient(dc, client, kBackgroundLeft, kBackgroundRight, false);
}

}  // namespace pcn
