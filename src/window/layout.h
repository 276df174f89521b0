// The resize layout, the minimum window size and the scaling to the screen's resolution, as
// plain arithmetic over the outer window size W x H, so the tests can check the rules
// without a window. The control table is written for 96 DPI; every length is scaled by
// DPI / 96.
#pragma once

#include <span>

#include "app/control_id.h"
#include "controls/scale.h"

namespace pcn {

// A control's rectangle in the mirrored client area: x is the distance of its right edge
// from the client area's right edge.
struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};
Rect ScaleForDpi(const Rect& rect, int dpi);

// A coordinate or size as (wHalves * W + hHalves * H) / 2 + constant * dpi / 96, rounded to
// the nearest integer with a half going to the even neighbour (only W / 2 ever produces a
// half).
struct LayoutTerm {
  int wHalves = 0, hHalves = 0, constant = 0;
  int Evaluate(int w, int h, int dpi = kBaseDpi) const;
};

struct LayoutRule {
  ControlId id;
  enum Kind { kMove, kResize } kind;
  LayoutTerm first, second;  // x and y for kMove, width and height for kResize
};

// The rules in the order they are applied.
std::span<const LayoutRule> ResizeLayout();

struct Edges {
  int left, top, right, bottom;
};
// The rectangle being dragged grown to at least the minimum size; right and bottom move.
Edges ApplyMinimumSize(Edges dragged, int minimumWidth, int minimumHeight);

}  // namespace pcn
