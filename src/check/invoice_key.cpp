// Eight columns at a time: each 8-byte word is tested for digits and folded into 32 bits,
// one 4-bit value a digit, without a branch per character.
#include "check/invoice_key.h"

#include "format/digits.h"
#include "format/record_format.h"

namespace pcn {
namespace {

constexpr std::size_t kKeyLength = 31;  // columns 1-31
// Eight digits as eight 4-bit values, the first digit lowest.
std::uint64_t Nibbles(std::uint64_t word) {
  word &= 0x0F * kEveryByte;
  word = (word | word >> 4) & 0x00FF00FF00FF00FFull;
  word = (word | word >> 8) & 0x0000FFFF0000FFFFull;
  return (word | word >> 16) & 0xFFFFFFFFull;
}

}  // namespace

bool InvoiceKeyOf(std::string_view line, InvoiceKey& key) {
  if (line.size() < kKeyLength) return false;
  const unsigned char type = static_cast<unsigned char>(line[0]);
  const RecordKind kind = KindOfRecord(line);
  if ((kind != RecordKind::kTransaction && kind != RecordKind::kInput) || type == 'K') {
    return false;
  }
  // Columns 2-9, 10-17, 18-25 and 24-31: the last word overlaps the third by two columns.
  const char* const p = line.data();
  const std::uint64_t a = EightBytes(p + 1), b = EightBytes(p + 9), c = EightBytes(p + 17),
                      d = EightBytes(p + 23);
  if (!EightDigits(a) || !EightDigits(b) || !EightDigits(c) || !EightDigits(d)) return false;
  // The reference, columns 23-31: "0" in every place is no invoice's number.
  if ((c >> 40) == 0x303030 && d == 0x30 * kEveryByte) return false;
  key.high = static_cast<std::uint64_t>(type) << 56 | Nibbles(a) << 24 | Nibbles(d) >> 8;
  key.low = Nibbles(b) << 32 | Nibbles(c);
  return true;
}

}  // namespace pcn
