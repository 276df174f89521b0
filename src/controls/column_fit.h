// The file list's column arithmetic, free of windows so the tests can call it: fitting the
// columns to the list's width.
#pragma once

#include <vector>

namespace pcn {

// A column of the file list: its width at 96 DPI and its title (UTF-8).
struct ListColumn {
  int width;
  const char* title;
};

// New widths of the columns for a list `clientWidth` pixels wide. Columns 1 .. n-2 share what
// column 0 leaves, each in proportion to its width (truncated toward zero; all 0 when their sum
// is 0 or column 0 takes everything), but none narrower than its `needs` entry (the width that
// shows its widest text whole; none when `needs` is empty): one whose share falls short takes
// its need, and the others share what is left. Column 0 keeps its width unless the needs want
// the room: then it gives way first, down to `firstMinimum`. The filler n-1 takes what is left,
// so that together they span the width exactly; when even the needs do not fit, the columns
// keep them and the list scrolls, rather than cut a figure.
std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth,
                                 const std::vector<int>& needs = {}, int firstMinimum = 0);

}  // namespace pcn
