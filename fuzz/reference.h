// Slow, independent readings of the record format for the fuzz targets to compare the
// real code with: numbers by exact decimal text arithmetic, lines by a plain byte walk.
// Written from the rules, not from the production code, so the two fail differently.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace pcn::fuzz {

using Int128 = __int128;
inline constexpr std::int64_t kMaxAmount = std::numeric_limits<std::int64_t>::max();
inline constexpr std::int64_t kMinAmount = std::numeric_limits<std::int64_t>::min();

inline std::int64_t Clamp(Int128 value) {
  if (value > kMaxAmount) return kMaxAmount;
  if (value < kMinAmount) return kMinAmount;
  return static_cast<std::int64_t>(value);
}

inline std::string_view RefField(std::string_view line, int column, int width) {
  if (column < 1 || width < 1) return {};
  const std::size_t start = static_cast<std::size_t>(column) - 1;
  if (start >= line.size()) return {};
  return line.substr(start,
                     std::min<std::size_t>(static_cast<std::size_t>(width), line.size() - start));
}

// "&H..", "&B..", "&O.." / "&Q..", or "&" followed directly by octal digits.
inline std::int64_t RefRadix(std::string_view s) {
  int base = 8;
  std::size_t i = 0;  // where the digits start: after a radix letter, else at once
  if (!s.empty()) {
    switch (s[0]) {
      case 'H':
      case 'h':
        base = 16;
        i = 1;
        break;
      case 'B':
      case 'b':
        base = 2;
        i = 1;
        break;
      case 'O':
      case 'o':
      case 'Q':
      case 'q':
        i = 1;
        break;
      default:
        break;
    }
  }
  Int128 value = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int digit = 99;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit >= base) break;
    // Anything past 2^64 saturates anyway; keep the number from growing without bound.
    if (value < (static_cast<Int128>(1) << 80)) value = value * base + digit;
  }
  return Clamp(value * 10000);
}

// The amount (value times 10,000) of a text, by the number rule, computed on the digit
// text itself: no digit is ever dropped and no intermediate can overflow.
inline std::int64_t RefNumber(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
  if (i < s.size() && s[i] == '&') return RefRadix(s.substr(i + 1));
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  std::string digits;         // every mantissa digit, the point left out
  std::int64_t pointAt = -1;  // how many digits stood before the point, -1: no point
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      digits += s[i];
    } else if (s[i] == '.' && pointAt < 0) {
      pointAt = static_cast<std::int64_t>(digits.size());
    } else {
      break;
    }
  }
  if (digits.empty()) return 0;
  std::int64_t exponent = 0;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    ++i;
    bool negativeExponent = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negativeExponent = s[i++] == '-';
    std::int64_t magnitude = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
      magnitude = std::min<std::int64_t>(magnitude * 10 + (s[i] - '0'), 9999);
    }
    exponent = negativeExponent ? -magnitude : magnitude;
  }
  if (pointAt < 0) pointAt = static_cast<std::int64_t>(digits.size());

  // value x 10^4 = 0.digits x 10^(pointAt + exponent + 4): this many digits are whole.
  const std::size_t firstNonZero = digits.find_first_not_of('0');
  if (firstNonZero == std::string::npos) return 0;
  const std::int64_t wholeDigits = pointAt + exponent + 4 - static_cast<std::int64_t>(firstNonZero);
  digits.erase(0, firstNonZero);
  if (wholeDigits > 20) return negative ? kMinAmount : kMaxAmount;

  Int128 whole = 0;
  for (std::int64_t d = 0; d < wholeDigits; ++d) {
    whole = whole * 10 + (d < static_cast<std::int64_t>(digits.size()) ? digits[d] - '0' : 0);
  }
  // Half to even: compare the fraction with one half.
  if (wholeDigits >= 0 && wholeDigits < static_cast<std::int64_t>(digits.size())) {
    const std::string fraction = digits.substr(static_cast<std::size_t>(wholeDigits));
    const bool aboveHalf =
        fraction[0] > '5' ||
        (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string::npos);
    const bool exactlyHalf = fraction[0] == '5' && !aboveHalf;
    if (aboveHalf || (exactlyHalf && whole % 2 == 1)) ++whole;
  }
  return Clamp(negative ? -whole : whole);
}

inline std::int64_t RefFieldValue(std::string_view line, int column, int width) {
  return RefNumber(RefField(line, column, width));
}

// The lines of a file's bytes: a CR ends a line and takes a directly following LF with it,
// a Ctrl-Z ends the data, the last line needs no end.
inline std::vector<std::string_view> RefLines(std::string_view data) {
  // Lines end at CR (an LF right after it included); in a file without any CR, at LF. A
  // UTF-8 byte-order mark at the start belongs to no line.
  const char stop = data.find('\r') == std::string_view::npos ? '\n' : '\r';
  std::vector<std::string_view> lines;
  std::size_t pos = data.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  while (pos < data.size() && data[pos] != 26) {
    std::size_t end = pos;
    while (end < data.size() && data[end] != stop && data[end] != 26) ++end;
    lines.push_back(data.substr(pos, end - pos));
    if (end == data.size() || data[end] == 26) break;
    pos = end + 1;
    if (stop == '\r' && pos < data.size() && data[pos] == '\n') ++pos;
  }
  return lines;
}

inline std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b) {
  return Clamp(static_cast<Int128>(a) + b);
}

}  // namespace pcn::fuzz
