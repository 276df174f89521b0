// Open addressing with linear probing. Two records are taken as the same when the 64-bit
// fingerprints of their keys agree: among the four million records of a large merge, a
// false match has a chance of about one in two million.
#include "check/repeat_index.h"

#include <cstring>
#include <limits>

namespace pcn {

std::uint64_t RepeatIndex::Fingerprint(std::string_view key) const {
  // Eight bytes at a time, each mixed in by a multiplication and a shift.
  std::uint64_t h = 0x9E3779B97F4A7C15ull ^ key.size();
  auto mix = [&h](std::uint64_t word) {
    h = (h ^ word) * 0xC2B2AE3D27D4EB4Full;
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
  h ^= h >> 33;
  return h != 0 ? h : 1;
}

std::size_t RepeatIndex::Home(std::uint64_t fingerprint) const {
  // The high bits of fingerprint x capacity: any capacity, no division.
  __extension__ typedef unsigned __int128 Wide;
  return static_cast<std::size_t>((static_cast<Wide>(fingerprint) * slots_.size()) >> 64);
}

void RepeatIndex::Prefetch(std::uint64_t fingerprint) const {
  if (!slots_.empty()) __builtin_prefetch(&slots_[Home(fingerprint)]);
}

void RepeatIndex::Reserve(std::int64_t records) {
  if (records <= 0) return;
  const auto wanted = static_cast<std::size_t>(records) * 5 / 3 + 16;  // 3/5 full
  if (wanted > slots_.size()) Rebuild(wanted);
}

int RepeatIndex::AddFile(const std::string& path) {
  paths_.push_back(path);
  return static_cast<int>(paths_.size()) - 1;
}

void RepeatIndex::Rebuild(std::size_t capacity) {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(capacity, Slot{});
  for (const Slot& slot : old) {
    if (slot.fingerprint == 0) continue;
    std::size_t at = Home(slot.fingerprint);
    while (slots_[at].fingerprint != 0) at = at + 1 < slots_.size() ? at + 1 : 0;
    slots_[at] = slot;
  }
}

RepeatIndex::Place RepeatIndex::FirstOrAdd(std::uint64_t fingerprint, int file, std::int64_t line) {
  if (4 * (used_ + 1) > 3 * slots_.size()) Rebuild(slots_.size() * 3 / 2 + 1024);
  std::size_t at = Home(fingerprint);
  for (; slots_[at].fingerprint != 0; at = at + 1 < slots_.size() ? at + 1 : 0) {
    if (slots_[at].fingerprint == fingerprint) {
      return {static_cast<int>(slots_[at].file), slots_[at].line};
    }
  }
  constexpr std::int64_t kMaxLine = std::numeric_limits<std::uint32_t>::max();
  slots_[at] = {fingerprint, static_cast<std::uint32_t>(file),
                static_cast<std::uint32_t>(line < kMaxLine ? line : kMaxLine)};
  ++used_;
  return {};
}

}  // namespace pcn
