// The window's geometry without a window: the scaling to the screen's resolution, the resize
// layout at 96, 120 and 144 DPI, the image buttons' parts and the list's column fit.
#include <gtest/gtest.h>

#include <vector>

#include "controls/button_geometry.h"
#include "controls/column_fit.h"
#include "window/layout.h"

namespace pcn {
namespace {

TEST(WindowGeometry, ScalesLengthsByResolution) {
  static const struct {
    int value, dpi, want;
  } kCases[] = {
      {734, 96, 734},  {734, 120, 918}, {734, 144, 1101}, {45, 144, 68},  // 67.5 up
      {-45, 144, -68},                                                    // and down
      {1, 120, 1},     {2, 120, 3},     {17, 144, 26},    {0, 192, 0},   {100, 192, 200},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(ScaleForDpi(c.value, c.dpi), c.want) << c.value << " at " << c.dpi;
  }
  EXPECT_EQ(ScaleForDpi(Rect{4, 132, 113, 35}, 120), (Rect{5, 165, 141, 44}));
}

// The resize rules for an outer window of W x H, against the same rules written out at each
// resolution (constants scaled, the W / 2 half going to the even neighbour).
TEST(WindowGeometry, ResizeLayoutFollowsTheWindowAtEveryResolution) {
  static const struct {
    ControlId id;
    LayoutRule::Kind kind;
    int first, second;  // at dpi, for W = 1000 and H = 800
    int dpi;
  } kCases[] = {
      {ControlId::kMergedGroup, LayoutRule::kResize, 985, 126, 96},
      {ControlId::kFileList, LayoutRule::kResize, 980, 490, 96},
      {ControlId::kGenerate, LayoutRule::kMove, 835, 700, 96},
      {ControlId::kFileListCaption, LayoutRule::kMove, 455, 150, 96},
      {ControlId::kMergedGroup, LayoutRule::kResize, 981, 158, 120},
      {ControlId::kFileList, LayoutRule::kResize, 975, 412, 120},
      {ControlId::kGenerate, LayoutRule::kMove, 794, 675, 120},
      {ControlId::kFileListCaption, LayoutRule::kMove, 444, 188, 120},
      {ControlId::kMergedGroup, LayoutRule::kResize, 977, 189, 144},
      {ControlId::kFileList, LayoutRule::kResize, 970, 335, 144},
      {ControlId::kGenerate, LayoutRule::kMove, 752, 650, 144},
      {ControlId::kFileListCaption, LayoutRule::kMove, 432, 225, 144},
  };
  for (const auto& c : kCases) {
    bool found = false;
    for (const LayoutRule& rule : ResizeLayout()) {
      if (rule.id != c.id || rule.kind != c.kind) continue;
      found = true;
      EXPECT_EQ(rule.first.Evaluate(1000, 800, c.dpi), c.first)
          << static_cast<int>(c.id) << " at " << c.dpi;
      EXPECT_EQ(rule.second.Evaluate(1000, 800, c.dpi), c.second)
          << static_cast<int>(c.id) << " at " << c.dpi;
    }
    EXPECT_TRUE(found) << static_cast<int>(c.id);
  }
  // W / 2 - 45 with odd widths: a half goes to the even neighbour.
  for (const LayoutRule& rule : ResizeLayout()) {
    if (rule.id != ControlId::kFileListCaption) continue;
    EXPECT_EQ(rule.first.Evaluate(741, 500), 326);
    EXPECT_EQ(rule.first.Evaluate(743, 500), 326);
    EXPECT_EQ(rule.first.Evaluate(745, 500), 328);
  }
}

TEST(WindowGeometry, MinimumSizeMovesOnlyTheRightAndBottomEdges) {
  const Edges grown =
      ApplyMinimumSize({100, 100, 300, 200}, ScaleForDpi(734, 144), ScaleForDpi(473, 144));
  EXPECT_EQ(grown.left, 100);
  EXPECT_EQ(grown.top, 100);
  EXPECT_EQ(grown.right, 100 + 1101);
  EXPECT_EQ(grown.bottom, 100 + 710);
  const Edges kept = ApplyMinimumSize({0, 0, 900, 700}, 734, 473);
  EXPECT_EQ(kept.right, 900);
  EXPECT_EQ(kept.bottom, 700);
}

TEST(WindowGeometry, ButtonPartsScaleWithResolution) {
  static const struct {
    int w, h, bitmap, dpi;
    bool pressed;
    Box outline, innerFrame, focus, text;
    int bitmapX, bitmapY;
  } kCases[] = {
      {113,
       35,
       24,
       96,
       false,
       {1, 1, 111, 33},
       {3, 3, 109, 31},
       {5, 5, 108, 30},
       {36, 4, 109, 31},
       4,
       6},
      {113,
       35,
       24,
       96,
       true,
       {1, 1, 111, 33},
       {3, 3, 109, 31},
       {5, 5, 108, 30},
       {35, 3, 109, 31},
       4,
       6},
      // 1.5 times: insets 2, 5, 8, 6 and 12; the picture 36 px.
      {170,
       53,
       36,
       144,
       false,
       {2, 2, 167, 50},
       {5, 5, 164, 47},
       {8, 8, 162, 45},
       {54, 6, 164, 47},
       6,
       8},
      {170,
       53,
       36,
       144,
       true,
       {2, 2, 167, 50},
       {5, 5, 164, 47},
       {8, 8, 162, 45},
       {52, 4, 164, 47},
       6,
       8},
  };
  for (const auto& c : kCases) {
    const ButtonGeometry g = ComputeButtonGeometry(c.w, c.h, c.bitmap, c.bitmap, c.pressed, c.dpi);
    EXPECT_EQ(g.outline, c.outline) << c.dpi;
    EXPECT_EQ(g.innerFrame, c.innerFrame) << c.dpi;
    EXPECT_EQ(g.focus, c.focus) << c.dpi;
    EXPECT_EQ(g.text, c.text) << c.dpi << (c.pressed ? " pressed" : "");
    EXPECT_EQ(g.bitmapX, c.bitmapX) << c.dpi;
    EXPECT_EQ(g.bitmapY, c.bitmapY) << c.dpi;
  }
}

TEST(WindowGeometry, ColumnsKeepTheirSharesOfTheListWidth) {
  static const struct {
    std::vector<int> widths;
    int client;
    std::vector<int> want;
    std::vector<int> needs = {};  // what each column's widest text needs; none when empty
    int nameMinimum = 0;
  } kCases[] = {
      // The file list at 144 DPI (150, 10 x 84, a filler) in a list 1077 px wide: the ten
      // share 927 px, 92 each, and the filler takes the 7 px the truncation leaves.
      {{150, 84, 84, 84, 84, 84, 84, 84, 84, 84, 84, 0},
       1077,
       {150, 92, 92, 92, 92, 92, 92, 92, 92, 92, 92, 7}},
      // Too wide at first: they shrink into the width, and the old filler counts for nothing.
      {{100, 300, 100, 2000}, 500, {100, 300, 100, 0}},
      {{100, 300, 100, 2000}, 300, {100, 150, 50, 0}},
      {{100, 1, 2, 10}, 110, {100, 3, 6, 1}},     // truncated toward zero
      {{100, 0, 0, 500}, 640, {100, 0, 0, 540}},  // nothing to share: the filler fills
      // Narrower than column 0: the others get nothing, and nothing is negative.
      {{100, 50, 50, 0}, 80, {100, 0, 0, 0}},
      // regression: "599,309,..." in a column of its share; it takes its need, the others
      // share what is left in their proportions
      {{100, 50, 50, 50, 0}, 400, {100, 150, 75, 75, 0}, {0, 150, 0, 0}, 40},
      // The name gives way first, and only as far as the figures need.
      {{100, 50, 50, 0}, 200, {40, 80, 80, 0}, {0, 80, 80}, 30},
      // Even the name at its least leaves too little: the figures stay whole, the list scrolls.
      {{100, 50, 50, 0}, 150, {30, 80, 80, 0}, {0, 80, 80}, 30},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FitColumnWidths(c.widths, c.client, c.needs, c.nameMinimum), c.want) << c.client;
  }
}

}  // namespace
}  // namespace pcn
