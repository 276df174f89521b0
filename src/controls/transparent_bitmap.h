// Copies a bitmap onto a device context leaving every pixel of one colour transparent.
// Exported by the program by name and as ordinal 1; all five parameters are addresses of
// 32-bit values (GDI handles fit in 32 bits and are sign-extended on 64-bit Windows).
#pragma once

#include <cstdint>

#include "controls/windows_api.h"

extern "C" {

// `transparentColour` below 0 means: the colour of the bitmap's top-left pixel, which is then
// written back into *transparentColour.
__declspec(dllexport) void WINAPI
    DrawTransparentBitmap(const std::int32_t* destination, const std::int32_t* bitmap,
                          const std::int32_t* x, const std::int32_t* y,
                          std::int32_t* transparentColour);
}

namespace pcn {

// The same for callers holding handles.
void DrawTransparentBitmap(HDC destination, HBITMAP bitmap, int x, int y,
                           std::int32_t& transparentColour);

}  // namespace pcn
