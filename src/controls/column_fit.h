// The file list's column arithmetic, free of windows so the tests can call it: parsing a
// column definition ("width,title") and fitting the columns to the list's width.
#pragma once

#include <string>
#include <vector>

namespace pcn {

struct ColumnSpec {
  int width = 0;
  std::wstring title;
};

// "100, title": the width is the number before the first comma (leading blanks skipped,
// no number gives 0); the title lies between the first and a second comma, surrounding
// spaces removed, at most 63 characters.
ColumnSpec ParseColumnSpec(const std::wstring& text);

// New widths of columns 1 .. n-1 for a list `clientWidth` pixels wide: each keeps its share
// of the sum S of columns 1 .. n-2 (the filler column n-1 is not in S but is scaled too),
// truncated toward zero; all 0 when S is 0. Column 0 keeps its width. widths[0] is copied.
std::vector<int> FitColumnWidths(const std::vector<int>& widths, int clientWidth);

}  // namespace pcn
