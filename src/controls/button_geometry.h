// Where each part of an image button goes, as plain arithmetic the tests can call without a
// window. Coordinates are the button's own logical coordinates.
#pragma once

namespace pcn {

struct Box {
  int left, top, right, bottom;
  friend bool operator==(const Box&, const Box&) = default;
};

struct ButtonGeometry {
  Box outline;     // RoundRect, 6 x 6 corners
  Box innerFrame;  // default and hot frames, 3 x 3 corners
  Box focus;
  int bitmapX = 0, bitmapY = 0;
  Box text;
  bool centreText = true;
};

// (whole - part) / 2 rounded to the nearest integer, an exact half to the even neighbour,
// and 0 when negative: the top of a bitmap centred in a button.
int CentredOffset(int whole, int part);

// The geometry of a w x h button; bitmapWidth and bitmapHeight are 0 without a bitmap. The
// insets and the pressed offset are 96-DPI lengths scaled to `dpi`.
ButtonGeometry ComputeButtonGeometry(int w, int h, int bitmapWidth, int bitmapHeight, bool pressed,
                                     int dpi = 96);

// The background gradient's vertex colours, as 0x00BBGGRR, and the button's.
inline constexpr unsigned kBackgroundLeft = 0xE0E0E0;   // RGB(224,224,224)
inline constexpr unsigned kBackgroundRight = 0xDAC3B4;  // RGB(180,195,218)
inline constexpr unsigned kGradientLight = 0xDBC0A1;    // RGB(161,192,219)
inline constexpr unsigned kGradientDark = 0x785B3B;     // RGB(59,91,120)
inline constexpr unsigned kOutline = 0x743C00;          // RGB(0,60,116)
inline constexpr unsigned kDefaultFrame = 0xE8B495;     // RGB(149,180,232)
inline constexpr unsigned kHotFrame = 0x79D2FC;         // RGB(252,210,121)

}  // namespace pcn
