// The proportional fit of the file list's columns.
#include "controls/column_fit.h"

#include <cmath>

namespace pcn {

std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth) {
  std::vector<int> fitted = widths;
  const std::size_t n = widths.size();
  if (n < 2) return fitted;
  double sum = 0;
  for (std::size_t c = 1; c + 1 < n; ++c) sum += widths[c];
  for (std::size_t c = 1; c < n; ++c) {
    fitted[c] = sum == 0 ? 0 : static_cast<int>(std::trunc(widths[c] / sum * clientWidth));
  }
  return fitted;
}

}  // namespace pcn
