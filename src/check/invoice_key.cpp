// Eight columns at a time: each 8-byte word is tested for digits and folded into 32 bits,
// one 4-bit value a digit, without a branch per character.
#include "check/invoice_key.h"

#include "report/record_format.h"

namespace pcn {
namespace {

constexpr std::size_t kKeyLength = 31;  // columns 1-31
constexpr std::uint64_t kOnes = 0x0101010101010101ull;

// The eight bytes at `p`, the first one lowest, whatever the processor's byte order (this
// is one load where the order is little-endian).
std::uint64_t Word(const char* p) {
  std::uint64_t word = 0;
  for (int i = 7; i >= 0; --i) word = word << 8 | static_cast<unsigned char>(p[i]);
  return word;
}

// True when each of the eight bytes is '0' to '9': below '0' borrows into the high bit of
// its byte, above '9' carries into it.
bool EightDigits(std::uint64_t word) {
  return (((word - 0x30 * kOnes) | (word + 0x46 * kOnes)) & 0x80 * kOnes) == 0;
}

// Eight digits as eight 4-bit values, the first digit lowest.
std::uint64_t Nibbles(std::uint64_t word) {
  word &= 0x0F * kOnes;
  word = (word | word >> 4) & 0x00FF00FF00FF00FFull;
  word = (word | word >> 8) & 0x0000FFFF0000FFFFull;
  return (word | word >> 16) & 0xFFFFFFFFull;
}

bool IsSaleType(unsigned char type) {
  return KindOfRecord(std::string_view(reinterpret_cast<const char*>(&type), 1)) ==
         RecordKind::kTransaction;
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
  const std::uint64_t a = Word(p + 1), b = Word(p + 9), c = Word(p + 17), d = Word(p + 23);
  if (!EightDigits(a) || !EightDigits(b) || !EightDigits(c) || !EightDigits(d)) return false;
  // The reference, columns 23-31: "0" in every place is no invoice's number.
  if ((c >> 40) == 0x303030 && d == 0x30 * kOnes) return false;
  key.high = static_cast<std::uint64_t>(type) << 56 | Nibbles(a) << 24 | Nibbles(d) >> 8;
  key.low = Nibbles(b) << 32 | Nibbles(c);
  return true;
}

bool IsSaleKey(const InvoiceKey& key) {
  return IsSaleType(static_cast<unsigned char>(key.high >> 56));
}

}  // namespace pcn
