// Image-button geometry: frames inset from the edges, the bitmap at the leading edge and
// vertically centred, the text after it.
#include "controls/button_geometry.h"

namespace pcn {

int CentredOffset(int whole, int part) {
  const int twice = whole - part;  // the offset is twice / 2
  if (twice <= 0) return 0;
  int half = twice / 2;
  if (twice % 2 != 0 && half % 2 != 0) ++half;  // x.5 goes to the even neighbour
  return half;
}

ButtonGeometry ComputeButtonGeometry(int w, int h, int bitmapWidth, int bitmapHeight,
                                     bool pressed) {
  ButtonGeometry g;
  g.outline = {1, 1, w - 2, h - 2};
  g.innerFrame = {3, 3, w - 4, h - 4};
  g.focus = {5, 5, w - 5, h - 5};
  const bool hasBitmap = bitmapWidth > 0 && bitmapHeight > 0;
  g.bitmapX = 4;
  g.bitmapY = hasBitmap ? CentredOffset(h, bitmapHeight) : 0;
  g.text = {hasBitmap ? 4 + bitmapWidth + 8 : 4, 4, w - 4, h - 4};
  g.centreText = !hasBitmap;
  if (pressed) {
    --g.text.left;
    --g.text.top;
  }
  return g;
}

}  // namespace pcn
