// Fixed-point arithmetic and the "#," display format.
#include "format/amount.h"

#include <limits>

namespace pcn {
namespace {

constexpr Amount kMax = std::numeric_limits<Amount>::max();
constexpr Amount kMin = std::numeric_limits<Amount>::min();

// Magnitude as unsigned, so that the most negative value has one too.
std::uint64_t Magnitude(std::int64_t value) {
  return value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
}

std::string GroupDigits(std::uint64_t magnitude, bool negative) {
  char digits[32];
  int length = 0;
  do {
    if (length % 4 == 3) digits[length++] = ',';
    digits[length++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::string text;
  text.reserve(static_cast<std::size_t>(length) + 1);
  if (negative) text += '-';
  while (length > 0) text += digits[--length];
  return text;
}

}  // namespace

Amount SubtractAmounts(Amount a, Amount b) {
  if (b < 0 && a > kMax + b) return kMax;
  if (b > 0 && a < kMin + b) return kMin;
  return a - b;
}

Amount AmountFromWhole(std::int64_t whole) {
  if (whole > kMax / kAmountScale) return kMax;
  if (whole < kMin / kAmountScale) return kMin;
  return whole * kAmountScale;
}

std::int64_t RoundToWhole(Amount amount) {
  std::int64_t whole = amount / kAmountScale;
  const std::int64_t rest = amount % kAmountScale;  // same sign as amount
  const std::int64_t twice = 2 * (rest < 0 ? -rest : rest);
  if (twice > kAmountScale || (twice == kAmountScale && whole % 2 != 0)) {
    whole += amount < 0 ? -1 : 1;
  }
  return whole;
}

std::string FormatWholeNumber(std::int64_t value) {
  return GroupDigits(Magnitude(value), value < 0);
}

std::string FormatAmount(Amount amount) {
  return FormatWholeNumber(RoundToWhole(amount));
}

std::string FormatDecimal(Amount amount, int decimals) {
  std::uint64_t dropped = 1;  // the part of the scale the text leaves out
  for (int i = decimals; i < 4; ++i) dropped *= 10;
  std::uint64_t kept = Magnitude(amount) / dropped;
  const std::uint64_t rest = Magnitude(amount) % dropped;
  if (2 * rest > dropped || (2 * rest == dropped && kept % 2 != 0)) ++kept;
  const std::uint64_t scale = kAmountScale / dropped;
  // No "-0.00" for a value that rounds to nothing.
  std::string text = GroupDigits(kept / scale, amount < 0 && kept != 0);
  if (decimals > 0) {
    const std::string fraction = std::to_string(kept % scale + scale);  // "1" and the digits
    text += '.';
    text += fraction.substr(1);
  }
  return text;
}

std::string AmountDecimalText(Amount amount) {
  const std::uint64_t magnitude = Magnitude(amount);
  std::string text = amount < 0 ? "-" : "";
  text += std::to_string(magnitude / kAmountScale);
  std::uint64_t fraction = magnitude % kAmountScale;
  if (fraction != 0) {
    char digits[5] = {0};
    for (int i = 3; i >= 0; --i) {
      digits[i] = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    int length = 4;
    while (digits[length - 1] == '0') --length;
    text += '.';
    text.append(digits, static_cast<std::size_t>(length));
  }
  return text;
}

}  // namespace pcn
