// The one way texts are put together from pieces. Each piece is appended in turn: GCC 12
// warns falsely (-Wrestrict, -Warray-bounds) at -O3 on chains of std::string additions
// that start from a literal, so nothing here adds strings with +.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pcn {

// The pieces, one after another.
inline std::string Joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) text += piece;
  return text;
}

// `pattern` with each "{}" replaced by the next of `values`, in order; a "{}" beyond the
// values stays as it is.
inline std::string Filled(std::string_view pattern,
                          std::initializer_list<std::string_view> values) {
  std::string text;
  const std::string_view* value = values.begin();
  for (std::size_t at = 0; at < pattern.size();) {
    const std::size_t hole = pattern.find("{}", at);
    if (hole == std::string_view::npos || value == values.end()) {
      text += pattern.substr(at);
      break;
    }
    text += pattern.substr(at, hole - at);
    text += *value++;
    at = hole + 2;
  }
  return text;
}

}  // namespace pcn
