// Whether a text is digits only, eight characters at a time: each 8-byte word is tested
// without a branch per character. The checks ask it of several fields of every record.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace pcn {

inline constexpr std::uint64_t kEveryByte = 0x0101010101010101ull;

// The eight bytes at `p`, the first one lowest, whatever the processor's byte order.
inline std::uint64_t EightBytes(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i, word >>= 8) swapped = swapped << 8 | (word & 0xFF);
    word = swapped;
  }
  return word;
}

// True when each of the eight bytes is '0' to '9': below '0' borrows into the high bit of
// its byte, above '9' carries into it.
inline bool EightDigits(std::uint64_t word) {
  return (((word - 0x30 * kEveryByte) | (word + 0x46 * kEveryByte)) & 0x80 * kEveryByte) == 0;
}

// The value of eight digits (EightDigits holds), the first one the most significant: the
// digits are paired, the pairs paired, and the fours joined, by three multiplications.
inline std::uint64_t EightDigitsValue(std::uint64_t word) {
  word -= 0x30 * kEveryByte;
  word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFull;
  word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFull;
  return (word * 10000 + (word >> 32)) & 0xFFFFFFFFull;
}

// True when every character is '0' to '9' (an empty text too).
inline bool AllDigits(std::string_view text) {
  const char* p = text.data();
  std::size_t n = text.size();
  if (n < 8) {
    for (std::size_t i = 0; i < n; ++i) {
      if (p[i] < '0' || p[i] > '9') return false;
    }
    return true;
  }
  for (; n > 8; p += 8, n -= 8) {
    if (!EightDigits(EightBytes(p))) return false;
  }
  return EightDigits(EightBytes(p + n - 8));  // the last eight, overlapping what was tested
}

}  // namespace pcn
