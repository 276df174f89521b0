// Image-button geometry: frames inset from the edges, the bitmap at the leading edge and
// vertically centred, the text after it.
#include "controls/button_geometry.h"

#include "controls/scale.h"

namespace pcn {

int CentredOffset(int whole, int part) {
  const int twice = whole - part;  // the offset is twice / 2
  if (twice <= 0) return 0;
  int half = twice / 2;
  if (twice % 2 != 0 && half % 2 != 0) ++half;  // x.5 goes to the even neighbour
  return half;
}

ButtonGeometry ComputeButtonGeometry(int w, int h, int bitmapWidth, int bitmapHeight, bool pressed,
                                     int dpi) {
  const auto s = [dpi](int value) { return ScaleForDpi(value, dpi); };
  ButtonGeometry g;
  g.outline = {s(1), s(1), w - s(2), h - s(2)};
  g.innerFrame = {s(3), s(3), w - s(4), h - s(4)};
  g.focus = {s(5), s(5), w - s(5), h - s(5)};
  const bool hasBitmap = bitmapWidth > 0 && bitmapHeight > 0;
  g.bitmapX = s(4);
  g.bitmapY = hasBitmap ? CentredOffset(h, bitmapHeight) : 0;
  g.text = {hasBitmap ? s(4) + bitmapWidth + s(8) : s(4), s(4), w - s(4), h - s(4)};
  g.centreText = !hasBitmap;
  if (pressed) {
    g.text.left -= s(1);
    g.text.top -= s(1);
  }
  return g;
}

}  // namespace pcn
