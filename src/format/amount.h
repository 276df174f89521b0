// Fixed-point amounts (the value times 10,000 in a signed 64-bit integer) and the "#,"
// display format. Amounts add exactly; values beyond the 64-bit range saturate rather
// than wrap, so an absurd field can never turn into a small, plausible-looking total.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace pcn {

using Amount = std::int64_t;
inline constexpr Amount kAmountScale = 10000;

// Inline: it runs twice for every record of a file being read.
inline Amount AddAmounts(Amount a, Amount b) {
  Amount sum;
  if (__builtin_add_overflow(a, b, &sum)) {
    return b > 0 ? std::numeric_limits<Amount>::max() : std::numeric_limits<Amount>::min();
  }
  return sum;
}
Amount SubtractAmounts(Amount a, Amount b);
// Whole units from whole units, saturating at the amount range.
Amount AmountFromWhole(std::int64_t whole);

// The amount rounded to a whole number, an exact half going to the even neighbour.
std::int64_t RoundToWhole(Amount amount);

// "#,": a whole number with a comma between groups of three digits, "-" before the digits
// of a negative value, "0" for zero; never depends on the locale.
std::string FormatWholeNumber(std::int64_t value);
std::string FormatAmount(Amount amount);  // rounded half to even first
// "#,##0.00" for two decimals: the amount rounded half to even to `decimals` (0 to 4), its
// digits grouped as FormatWholeNumber groups them.
std::string FormatDecimal(Amount amount, int decimals);

// The amount as a decimal text in whole units, with a fraction only where there is one:
// "12345", "-12.5".
std::string AmountDecimalText(Amount amount);

}  // namespace pcn
