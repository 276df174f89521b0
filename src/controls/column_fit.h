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

// New widths of columns 1 .. n-1 for a list `clientWidth` pixels wide: each keeps its share
// of the sum S of columns 1 .. n-2 (the filler column n-1 is not in S but is scaled too),
// truncated toward zero; all 0 when S is 0. Column 0 keeps its width. widths[0] is copied.
std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth);

}  // namespace pcn
