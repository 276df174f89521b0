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

// New widths of the columns for a list `clientWidth` pixels wide. Column 0 keeps its width;
// columns 1 .. n-2 share the rest, each in proportion to its width (truncated toward zero;
// all 0 when their sum is 0 or column 0 takes everything); the filler n-1 takes what is left,
// so that together they span the width exactly and no column lies past the edge.
std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth);

}  // namespace pcn
