// Open addressing with linear probing over a power-of-two table. Two records are taken as
// the same when both 64-bit hashes of their keys agree: a false match among millions of
// records has a chance far below one in 10^20.
#include "check/repeat_index.h"

#include <cstring>
#include <limits>

namespace pcn {
namespace {

// Eight bytes at a time; `multiplier` makes the two hashes of a key independent.
std::uint64_t Hash(std::string_view key, std::uint64_t seed, std::uint64_t multiplier) {
  std::uint64_t h = seed ^ key.size();
  auto mix = [&h, multiplier](std::uint64_t word) {
    h = (h ^ word) * multiplier;
    h ^= h >> 29;
  };
  std::size_t at = 0;
  for (; at + 8 <= key.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, key.data() + at, 8);
    mix(word);
  }
  std::uint64_t tail = 0;
  std::memcpy(&tail, key.data() + at, key.size() - at);
  mix(tail);
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  return h ^ (h >> 33);
}

}  // namespace

int RepeatIndex::AddFile(const std::string& path) {
  paths_.push_back(path);
  return static_cast<int>(paths_.size()) - 1;
}

void RepeatIndex::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.file == 0) continue;
    std::size_t at = slot.a & mask;
    while (slots_[at].file != 0) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

RepeatIndex::Place RepeatIndex::FirstOrAdd(std::string_view key, int file, std::int64_t line) {
  if (3 * (used_ + 1) > 2 * slots_.size()) Grow();
  const std::uint64_t a = Hash(key, 0xCBF29CE484222325ull, 0x9E3779B97F4A7C15ull);
  const std::uint64_t b = Hash(key, 0x84222325CBF29CE4ull, 0xC2B2AE3D27D4EB4Full);
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = a & mask;
  for (; slots_[at].file != 0; at = (at + 1) & mask) {
    if (slots_[at].a == a && slots_[at].b == b) {
      return {static_cast<int>(slots_[at].file) - 1, slots_[at].line};
    }
  }
  constexpr std::int64_t kMaxLine = std::numeric_limits<std::uint32_t>::max();
  slots_[at] = {a, b, static_cast<std::uint32_t>(file + 1),
                static_cast<std::uint32_t>(line < kMaxLine ? line : kMaxLine)};
  ++used_;
  return {};
}

}  // namespace pcn
