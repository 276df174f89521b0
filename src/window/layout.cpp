// Which controls follow the window's width and height when it is resized.
#include "window/layout.h"

namespace pcn {
namespace {

constexpr LayoutTerm Fixed(int value) {
  return {0, 0, value};
}
constexpr LayoutTerm FromW(int offset) {
  return {2, 0, offset};
}
constexpr LayoutTerm FromH(int offset) {
  return {0, 2, offset};
}

constexpr LayoutRule kRules[] = {
    {1001, LayoutRule::kResize, FromW(-15), Fixed(126)},   // merged-totals group
    {1023, LayoutRule::kResize, FromW(-20), FromH(-310)},  // file list
    {1021, LayoutRule::kMove, FromW(-126), Fixed(133)},    // Remove-file button
    {1024, LayoutRule::kMove, Fixed(5), FromH(-125)},      // generation group
    {1024, LayoutRule::kResize, FromW(-18), Fixed(83)},
    {1025, LayoutRule::kMove, Fixed(17), FromH(-80)},    // output directory field
    {1026, LayoutRule::kMove, Fixed(17), FromH(-100)},   // its caption
    {1027, LayoutRule::kMove, Fixed(328), FromH(-80)},   // Browse button
    {0, LayoutRule::kMove, FromW(-165), FromH(-100)},    // Generate button
    {1037, LayoutRule::kMove, Fixed(390), FromH(-110)},  // output-type group
    {1033, LayoutRule::kMove, Fixed(400), FromH(-90)},   // dealers' union option
    {1034, LayoutRule::kMove, Fixed(400), FromH(-70)},   // representative option
    {1036, LayoutRule::kMove, Fixed(310), FromH(-110)},  // number field
    {1035, LayoutRule::kMove, Fixed(240), FromH(-108)},  // its caption
    {1029, LayoutRule::kMove, {1, 0, -45}, Fixed(150)},  // file list caption, W / 2 - 45
};

}  // namespace

int LayoutTerm::Evaluate(int w, int h) const {
  const long long twice =
      static_cast<long long>(wHalves) * w + static_cast<long long>(hHalves) * h + 2LL * constant;
  long long value = twice / 2;
  const long long rest = twice % 2;
  if (rest != 0) {
    // Exactly half way: go to the even neighbour.
    const long long other = rest > 0 ? value + 1 : value - 1;
    if (value % 2 != 0) value = other;
  }
  return static_cast<int>(value);
}

std::span<const LayoutRule> ResizeLayout() {
  return kRules;
}

Edges ApplyMinimumSize(Edges dragged, int minimumWidth, int minimumHeight) {
  if (dragged.bottom - dragged.top < minimumHeight) dragged.bottom = dragged.top + minimumHeight;
  if (dragged.right - dragged.left < minimumWidth) dragged.right = dragged.left + minimumWidth;
  return dragged;
}

}  // namespace pcn
