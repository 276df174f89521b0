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

using enum ControlId;
constexpr LayoutRule kRules[] = {
    {kMergedGroup, LayoutRule::kResize, FromW(-15), Fixed(126)},
    {kFileList, LayoutRule::kResize, FromW(-20), FromH(-310)},
    {kRemoveFile, LayoutRule::kMove, FromW(-126), Fixed(133)},
    {kGenerationGroup, LayoutRule::kMove, Fixed(5), FromH(-125)},
    {kGenerationGroup, LayoutRule::kResize, FromW(-18), Fixed(83)},
    {kOutputDirectory, LayoutRule::kMove, Fixed(17), FromH(-80)},
    {kOutputDirectoryCaption, LayoutRule::kMove, Fixed(17), FromH(-100)},
    {kBrowse, LayoutRule::kMove, Fixed(328), FromH(-80)},
    {kGenerate, LayoutRule::kMove, FromW(-165), FromH(-100)},
    {kOutputTypeGroup, LayoutRule::kMove, Fixed(390), FromH(-110)},
    {kDealersUnionOption, LayoutRule::kMove, Fixed(400), FromH(-90)},
    {kRepresentativeOption, LayoutRule::kMove, Fixed(400), FromH(-70)},
    {kNumber, LayoutRule::kMove, Fixed(310), FromH(-110)},
    {kNumberCaption, LayoutRule::kMove, Fixed(240), FromH(-108)},
    {kFileListCaption, LayoutRule::kMove, {1, 0, -45}, Fixed(150)},  // W / 2 - 45
};

}  // namespace

Rect ScaleForDpi(const Rect& rect, int dpi) {
  return {ScaleForDpi(rect.x, dpi), ScaleForDpi(rect.y, dpi), ScaleForDpi(rect.w, dpi),
          ScaleForDpi(rect.h, dpi)};
}

int LayoutTerm::Evaluate(int w, int h, int dpi) const {
  const long long twice = static_cast<long long>(wHalves) * w +
                          static_cast<long long>(hHalves) * h + 2LL * ScaleForDpi(constant, dpi);
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
