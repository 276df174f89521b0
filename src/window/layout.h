// The resize layout and the minimum window size, as plain arithmetic over the outer window
// size W x H, so the tests can check the rules without a window.
#pragma once

#include <span>

namespace pcn {

// A coordinate or size as (wHalves * W + hHalves * H) / 2 + constant, rounded to the nearest
// integer with a half going to the even neighbour (only W / 2 ever produces a half).
struct LayoutTerm {
  int wHalves = 0, hHalves = 0, constant = 0;
  int Evaluate(int w, int h) const;
};

struct LayoutRule {
  int id;
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
