// The number that heads a merged file: its nine-digit form and its check digit.
#pragma once

#include <string>
#include <string_view>

namespace pcn {

// The numeric value of the text (read as a field value is) formatted with the mask
// "000000000": at least nine digits, zero-padded on the left. "18" gives "000000018".
std::string NormaliseDealerNumber(std::string_view text);

// 0 when the number is valid: a Luhn mod-10 sum counted from the rightmost digit (weight
// 1, then 2, alternately; a non-digit counts as 0). 1 for a number whose value is zero,
// otherwise the non-zero remainder.
int DealerNumberCheck(std::string_view number);

// The same rule for a text of digits only, as every record's counterparty is checked: true
// when the sum's remainder is 0 (a value of zero aside, which the caller tells).
bool CheckDigitHolds(std::string_view digits);

}  // namespace pcn
