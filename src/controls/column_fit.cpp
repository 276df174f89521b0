// Column specifications and the proportional fit of the file list.
#include "controls/column_fit.h"

#include <cmath>
#include <cwctype>

namespace pcn {

ColumnSpec ParseColumnSpec(const std::wstring& text) {
  ColumnSpec column;
  std::size_t i = 0;
  while (i < text.size() &&
         (text[i] == L' ' || text[i] == L'\t' || text[i] == L'\r' || text[i] == L'\n')) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  long long width = 0;
  while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') {
    if (width < 100000) width = width * 10 + (text[i] - L'0');
    ++i;
  }
  column.width = static_cast<int>(negative ? -width : width);

  const std::size_t first = text.find(L',');
  if (first == std::wstring::npos) return column;
  const std::size_t second = text.find(L',', first + 1);
  std::wstring title = text.substr(
      first + 1, second == std::wstring::npos ? std::wstring::npos : second - first - 1);
  const std::size_t begin = title.find_first_not_of(L' ');
  const std::size_t end = title.find_last_not_of(L' ');
  title = begin == std::wstring::npos ? std::wstring() : title.substr(begin, end - begin + 1);
  if (title.size() > 63) title.resize(63);
  column.title = title;
  return column;
}

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
