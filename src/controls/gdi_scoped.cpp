// The one gradient helper shared by the header, the buttons and the background.
#include "controls/gdi_scoped.h"

namespace pcn::gdi {

void FillGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second, bool vertical) {
  auto channel = [](BYTE value) { return static_cast<COLOR16>(value << 8); };
  TRIVERTEX vertices[2] = {
      {rect.left, rect.top, channel(GetRValue(first)), channel(GetGValue(first)),
       channel(GetBValue(first)), 0},
      {rect.right, rect.bottom, channel(GetRValue(second)), channel(GetGValue(second)),
       channel(GetBValue(second)), 0},
  };
  GRADIENT_RECT mesh = {0, 1};
  GradientFill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

}  // namespace pcn::gdi
