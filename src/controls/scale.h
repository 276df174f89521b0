// Lengths written for 96 DPI, scaled to the screen's resolution. Portable: no Windows headers.
#pragma once

namespace pcn {

inline constexpr int kBaseDpi = 96;

// `value` * dpi / 96, rounded to the nearest integer, a half away from zero (as the
// platform's MulDiv rounds). At 96 DPI every value is unchanged.
constexpr int ScaleForDpi(int value, int dpi) {
  if (dpi == kBaseDpi) return value;
  const long long product = static_cast<long long>(value) * dpi;
  const long long rounded =
      product >= 0 ? (product + kBaseDpi / 2) / kBaseDpi : -((-product + kBaseDpi / 2) / kBaseDpi);
  return static_cast<int>(rounded);
}

}  // namespace pcn
