// Normalising the number that heads a merged file and verifying its check digit.
#include "merge/dealer_number.h"

#include <cstdint>

#include "report/amount.h"
#include "report/record_format.h"

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

}  // namespace pcn
