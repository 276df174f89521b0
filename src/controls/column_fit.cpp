// The proportional fit of the file list's columns.
#include "controls/column_fit.h"

#include <algorithm>
#include <cmath>

namespace pcn {

std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth) {
  std::vector<int> fitted = widths;
  const std::size_t n = widths.size();
  if (n < 2) return fitted;
  // Column 0 is not scaled, so the others share only what it leaves: sharing the whole width
  // pushed the last of them past the edge.
  const int room = std::max(0, clientWidth - widths[0]);
  double sum = 0;
  for (std::size_t c = 1; c + 1 < n; ++c) sum += widths[c];
  int used = widths[0];
  for (std::size_t c = 1; c + 1 < n; ++c) {
    fitted[c] = sum == 0 ? 0 : static_cast<int>(std::trunc(widths[c] / sum * room));
    used += fitted[c];
  }
  // The filler only paints the header to the edge: any wider and the list scrolls.
  fitted[n - 1] = std::max(0, clientWidth - used);
  return fitted;
}

}  // namespace pcn
