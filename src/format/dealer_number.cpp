// Normalising the number that heads a merged file and verifying its check digit.
#include "format/dealer_number.h"

#include <cstdint>

#include "format/amount.h"
#include "format/record_format.h"

namespace pcn {

std::string NormaliseDealerNumber(std::string_view text) {
  const std::int64_t whole = RoundToWhole(NumberValue(text));
  const std::uint64_t magnitude =
      whole < 0 ? 0 - static_cast<std::uint64_t>(whole) : static_cast<std::uint64_t>(whole);
  std::string digits = std::to_string(magnitude);
  if (digits.size() < 9) digits.insert(0, 9 - digits.size(), '0');
  return whole < 0 ? "-" + digits : digits;
}

int DealerNumberCheck(std::string_view number) {
  if (NumberValue(number) == 0) return 1;
  int sum = 0;
  int position = 1;  // from the rightmost character, which is the check digit
  for (auto it = number.rbegin(); it != number.rend(); ++it, ++position) {
    int digit = (*it >= '0' && *it <= '9') ? *it - '0' : 0;
    if (position % 2 == 0) digit *= 2;
    if (digit > 9) digit = digit % 10 + 1;
    sum += digit;
  }
  return sum % 10;
}

bool CheckDigitHolds(std::string_view digits) {
  // A digit of weight 2 and its doubled value's digits added.
  static constexpr int kDoubled[10] = {0, 2, 4, 6, 8, 1, 3, 5, 7, 9};
  const char* const d = digits.data();
  const std::size_t n = digits.size();
  int sum = 0;
  // The rightmost digit, the check digit, has weight 1; its left neighbour 2, and so on.
  if (n == 9) {  // a dealer's number, in every record: the weights known beforehand
    sum = (d[0] - '0') + kDoubled[d[1] - '0'] + (d[2] - '0') + kDoubled[d[3] - '0'] + (d[4] - '0') +
          kDoubled[d[5] - '0'] + (d[6] - '0') + kDoubled[d[7] - '0'] + (d[8] - '0');
  } else {
    for (std::size_t i = 0; i < n; ++i) {
      const int digit = d[i] - '0';
      sum += (n - i) % 2 == 0 ? kDoubled[digit] : digit;
    }
  }
  return sum % 10 == 0;
}

}  // namespace pcn
