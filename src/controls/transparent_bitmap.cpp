// Transparent blitting with two monochrome masks, using only BitBlt between memory device
// contexts. The caller's bitmap is changed in the middle (step "clear transparent pixels")
// and restored from a saved copy before returning.
#include "controls/transparent_bitmap.h"

namespace {

HGDIOBJ HandleFrom(std::int32_t value) {
  return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(value));
}

}  // namespace

extern "C" void WINAPI DrawTransparentBitmap(const std::int32_t* destination,
                                             const std::int32_t* bitmap, const std::int32_t* x,
                                             const std::int32_t* y,
                                             std::int32_t* transparentColour) {
  HDC dc = static_cast<HDC>(HandleFrom(*destination));
  HBITMAP picture = static_cast<HBITMAP>(HandleFrom(*bitmap));
  const int left = *x;
  const int top = *y;

  HDC source = CreateCompatibleDC(dc);
  // The new context's own 1x1 bitmap is not kept: deleting the context at the end lets the
  // caller's bitmap go again.
  SelectObject(source, picture);

  if (*transparentColour < 0) {
    *transparentColour = static_cast<std::int32_t>(GetPixel(source, 0, 0));
  }
  const COLORREF transparent = static_cast<COLORREF>(*transparentColour);

  BITMAP info = {};
  GetObjectW(picture, sizeof(info), &info);
  const int w = info.bmWidth;
  const int h = info.bmHeight;

  HDC back = CreateCompatibleDC(dc);
  HDC object = CreateCompatibleDC(dc);
  HDC memory = CreateCompatibleDC(dc);
  HDC save = CreateCompatibleDC(dc);
  HBITMAP backBitmap = CreateBitmap(w, h, 1, 1, nullptr);
  HBITMAP objectBitmap = CreateBitmap(w, h, 1, 1, nullptr);
  HBITMAP memoryBitmap = CreateCompatibleBitmap(dc, w, h);
  HBITMAP saveBitmap = CreateCompatibleBitmap(dc, w, h);
  HGDIOBJ backOld = SelectObject(back, backBitmap);
  HGDIOBJ objectOld = SelectObject(object, objectBitmap);
  HGDIOBJ memoryOld = SelectObject(memory, memoryBitmap);
  HGDIOBJ saveOld = SelectObject(save, saveBitmap);

  SetMapMode(source, GetMapMode(dc));

  BitBlt(save, 0, 0, w, h, source, 0, 0, SRCCOPY);

  // Colour to monochrome: pixels equal to the source's background colour become 1 (white).
  const COLORREF oldBack = SetBkColor(source, transparent);
  BitBlt(object, 0, 0, w, h, source, 0, 0, SRCCOPY);
  SetBkColor(source, oldBack);

  BitBlt(back, 0, 0, w, h, object, 0, 0, NOTSRCCOPY);
  BitBlt(memory, 0, 0, w, h, dc, left, top, SRCCOPY);
  // Monochrome to colour uses the target's text (black, for 0) and background (white, for
  // 1) colours: the defaults of a new memory context.
  BitBlt(memory, 0, 0, w, h, object, 0, 0, SRCAND);
  BitBlt(source, 0, 0, w, h, back, 0, 0, SRCAND);
  BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCPAINT);
  BitBlt(dc, left, top, w, h, memory, 0, 0, SRCCOPY);
  BitBlt(source, 0, 0, w, h, save, 0, 0, SRCCOPY);

  DeleteObject(SelectObject(back, backOld));
  DeleteObject(SelectObject(object, objectOld));
  DeleteObject(SelectObject(memory, memoryOld));
  DeleteObject(SelectObject(save, saveOld));
  DeleteDC(memory);
  DeleteDC(back);
  DeleteDC(object);
  DeleteDC(save);
  DeleteDC(source);
}

namespace pcn {

void DrawTransparentBitmap(HDC destination, HBITMAP bitmap, int x, int y,
                           std::int32_t& transparentColour) {
  // Handles are 32-bit values on every Windows (sign-extended on 64-bit), so the truncation
  // is lossless.
  const auto dc = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(destination));
  const auto picture = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(bitmap));
  const std::int32_t left = x;
  const std::int32_t top = y;
  ::DrawTransparentBitmap(&dc, &picture, &left, &top, &transparentColour);
}

}  // namespace pcn
