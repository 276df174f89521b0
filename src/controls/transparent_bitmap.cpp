// Transparent blitting with two monochrome masks, using only BitBlt between memory device
// contexts. The caller's bitmap is changed in the middle (step "clear transparent pixels")
// and restored from a saved copy before returning.
#include "controls/transparent_bitmap.h"

#include "controls/gdi_scoped.h"

namespace {

namespace gdi = pcn::gdi;

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

  // Declared before the contexts, so each is deleted after its context lets it go.
  gdi::Owned<HBITMAP> backBitmap, objectBitmap, memoryBitmap, saveBitmap;
  gdi::MemoryDc source(dc);
  // The caller's bitmap is selected out again before the context is deleted.
  gdi::ScopedSelect sourcePicture(source.get(), picture);

  if (*transparentColour < 0) {
    *transparentColour = static_cast<std::int32_t>(GetPixel(source.get(), 0, 0));
  }
  const COLORREF transparent = static_cast<COLORREF>(*transparentColour);

  BITMAP info = {};
  GetObjectW(picture, sizeof(info), &info);
  const int w = info.bmWidth;
  const int h = info.bmHeight;

  gdi::MemoryDc back(dc), object(dc), memory(dc), save(dc);
  backBitmap.reset(CreateBitmap(w, h, 1, 1, nullptr));
  objectBitmap.reset(CreateBitmap(w, h, 1, 1, nullptr));
  memoryBitmap.reset(CreateCompatibleBitmap(dc, w, h));
  saveBitmap.reset(CreateCompatibleBitmap(dc, w, h));
  gdi::ScopedSelect backSelected(back.get(), backBitmap.get());
  gdi::ScopedSelect objectSelected(object.get(), objectBitmap.get());
  gdi::ScopedSelect memorySelected(memory.get(), memoryBitmap.get());
  gdi::ScopedSelect saveSelected(save.get(), saveBitmap.get());

  SetMapMode(source.get(), GetMapMode(dc));

  BitBlt(save.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);

  // Colour to monochrome: pixels equal to the source's background colour become 1 (white).
  const COLORREF oldBack = SetBkColor(source.get(), transparent);
  BitBlt(object.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);
  SetBkColor(source.get(), oldBack);

  BitBlt(back.get(), 0, 0, w, h, object.get(), 0, 0, NOTSRCCOPY);
  BitBlt(memory.get(), 0, 0, w, h, dc, left, top, SRCCOPY);
  // Monochrome to colour uses the target's text (black, for 0) and background (white, for
  // 1) colours: the defaults of a new memory context.
  BitBlt(memory.get(), 0, 0, w, h, object.get(), 0, 0, SRCAND);
  BitBlt(source.get(), 0, 0, w, h, back.get(), 0, 0, SRCAND);
  BitBlt(memory.get(), 0, 0, w, h, source.get(), 0, 0, SRCPAINT);
  BitBlt(dc, left, top, w, h, memory.get(), 0, 0, SRCCOPY);
  BitBlt(source.get(), 0, 0, w, h, save.get(), 0, 0, SRCCOPY);
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
