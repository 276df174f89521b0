// The proportional fit of the file list's columns, within what their texts need.
#include "controls/column_fit.h"

#include <algorithm>
#include <cmath>

namespace pcn {

std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth,
                                 const std::vector<int>& needs, int firstMinimum) {
  std::vector<int> fitted = widths;
  const std::size_t n = widths.size();
  if (n < 2) return fitted;
  const auto need = [&](std::size_t c) { return c < needs.size() ? std::max(0, needs[c]) : 0; };
  int needed = 0;
  for (std::size_t c = 1; c + 1 < n; ++c) needed += need(c);
  // The name gives way before any figure is cut: its whole path is in the row's tip.
  if (needed > 0) {
    fitted[0] =
        std::max(std::min(widths[0], clientWidth - needed), std::min(firstMinimum, widths[0]));
  }
  // Column 0 is not scaled, so the others share only what it leaves: sharing the whole width
  // pushed the last of them past the edge.
  const int room = std::max(0, clientWidth - fitted[0]);
  // A column whose share falls short of its need takes its need, which leaves less for the
  // others: shared again until every share is enough.
  std::vector<bool> atNeed(n, false);
  for (bool again = true; again;) {
    again = false;
    int left = room;
    double sum = 0;
    for (std::size_t c = 1; c + 1 < n; ++c) {
      if (atNeed[c]) {
        left -= need(c);
      } else {
        sum += widths[c];
      }
    }
    for (std::size_t c = 1; c + 1 < n; ++c) {
      if (atNeed[c]) continue;
      fitted[c] = sum == 0 ? 0 : static_cast<int>(std::trunc(widths[c] / sum * std::max(0, left)));
      if (fitted[c] < need(c)) atNeed[c] = again = true;
    }
  }
  int used = fitted[0];
  for (std::size_t c = 1; c + 1 < n; ++c) {
    if (atNeed[c]) fitted[c] = need(c);
    used += fitted[c];
  }
  // The filler only paints the header to the edge: any wider and the list scrolls.
  fitted[n - 1] = std::max(0, clientWidth - used);
  return fitted;
}

}  // namespace pcn
