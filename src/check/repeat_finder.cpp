// Partitions of chunks carved from large blocks: memory grows with the records read, never
// with a file's size, and is touched in order.
#include "check/repeat_finder.h"

#include <algorithm>
#include <cassert>
#include <limits>

#include "platform/platform.h"

namespace pcn {
namespace {

// One multiplication spreads both halves over the high bits: the partition is the top byte,
// a partition's table takes the bits below it.
std::uint64_t Spread(const InvoiceKey& key, int issuer) {
  std::uint64_t h = key.high ^ (key.low * 0x9E3779B97F4A7C15ull);
  h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(issuer)) * 0xD6E8FEB86659FD93ull;
  h *= 0xC2B2AE3D27D4EB4Full;
  return h ^ (h >> 29);
}
std::size_t PartitionOf(const InvoiceKey& key) {
  // Not the issuer: it may be known only after the file's records are read.
  return static_cast<std::size_t>(Spread(key, 0) >> 56);
}

constexpr int kNoIssuer = -1;

}  // namespace

RepeatFinder::~RepeatFinder() {
  for (void* block : blocks_) platform::FreeLargeBlock(block);
}

int RepeatFinder::AddSource() {
  issuers_.push_back(kNoIssuer - 1 - static_cast<int>(issuers_.size()));
  return static_cast<int>(issuers_.size()) - 1;
}

void RepeatFinder::SetIssuer(int source, std::string_view dealer) {
  auto known = std::find(dealers_.begin(), dealers_.end(), dealer);
  if (known == dealers_.end()) known = dealers_.insert(dealers_.end(), std::string(dealer));
  issuers_[static_cast<std::size_t>(source)] = static_cast<int>(known - dealers_.begin());
}

RepeatFinder::Entry* RepeatFinder::NewChunk() {
  constexpr std::size_t kChunkBytes = kChunkEntries * sizeof(Entry);
  if (chunksLeft_ == 0) {
    // Room first, so that a block once allocated is always owned.
    if (blocks_.size() == blocks_.capacity()) blocks_.reserve(2 * blocks_.size() + 8);
    blocks_.push_back(platform::AllocateLargeBlock());
    chunksLeft_ = platform::kLargeBlockSize / kChunkBytes;
  }
  char* const block = static_cast<char*>(blocks_.back());
  const std::size_t used = platform::kLargeBlockSize / kChunkBytes - chunksLeft_--;
  return reinterpret_cast<Entry*>(block + used * kChunkBytes);
}

void RepeatFinder::Partition::Seek() {
  const std::size_t chunk = size / kChunkEntries;
  if (chunk < chunks.size()) {
    next = chunks[chunk] + size % kChunkEntries;
    end = chunks[chunk] + kChunkEntries;
  } else {
    next = end = nullptr;
  }
}

void RepeatFinder::Grow(Partition& p) {
  // A chunk carved and then not recorded is only memory of the block that owns it.
  if (p.size == p.chunks.size() * kChunkEntries) p.chunks.push_back(NewChunk());
  p.Seek();
}

void RepeatFinder::Add(int source, const InvoiceKey& key, std::int64_t line) {
  assert(source >= 0 && source < SourceCount() && line > 0);
  Partition& p = partitions_[PartitionOf(key)];
  if (p.next == p.end) Grow(p);
  // Past 2^40 lines (a file of tens of terabytes) the line is told as the last one it holds.
  constexpr std::int64_t kMaxLine = (std::int64_t{1} << kLineBits) - 1;
  const auto place = static_cast<std::uint64_t>(source) << kLineBits |
                     static_cast<std::uint64_t>(std::min(line, kMaxLine));
  *p.next++ = {key, place};
  ++p.size;
}

void RepeatFinder::Remove(int source) {
  const auto removed = static_cast<std::uint64_t>(source);
  for (Partition& p : partitions_) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < p.size; ++i) {
      Entry entry = p.At(i);
      const std::uint64_t from = entry.place >> kLineBits;
      if (from == removed) continue;
      if (from > removed) entry.place -= std::uint64_t{1} << kLineBits;
      p.At(kept++) = entry;
    }
    p.size = kept;  // the chunks stay, for the records to come
    p.Seek();
  }
  assert(source >= 0 && source < SourceCount());
  issuers_.erase(issuers_.begin() + source);
}

int RepeatFinder::IssuerOf(const Entry& entry) const {
  if (!IsSaleKey(entry.key)) return kNoIssuer;
  // A source without an issuer of its own has a number below kNoIssuer, unique to it.
  return issuers_[static_cast<std::size_t>(entry.place >> kLineBits)];
}

std::vector<RepeatFinder::Repeat> RepeatFinder::Find() const {
  std::vector<Repeat> repeats;
  constexpr std::uint32_t kEmpty = std::numeric_limits<std::uint32_t>::max();
  constexpr std::uint64_t kLineMask = (std::uint64_t{1} << kLineBits) - 1;
  std::vector<std::uint32_t> table;
  for (const Partition& p : partitions_) {
    if (p.size < 2) continue;
    // At most half full: a probe ends after one or two slots.
    std::size_t capacity = 16;
    while (capacity < 2 * p.size) capacity *= 2;
    table.assign(capacity, kEmpty);
    const std::size_t mask = capacity - 1;
    for (std::size_t i = 0; i < p.size; ++i) {
      const Entry& entry = p.At(i);
      const int issuer = IssuerOf(entry);
      std::size_t at = static_cast<std::size_t>(Spread(entry.key, issuer) >> 8) & mask;
      for (;; at = (at + 1) & mask) {
        if (table[at] == kEmpty) {
          table[at] = static_cast<std::uint32_t>(i);
          break;
        }
        const Entry& first = p.At(table[at]);
        if (first.key == entry.key && IssuerOf(first) == issuer) {
          repeats.push_back({static_cast<int>(entry.place >> kLineBits),
                             static_cast<std::int64_t>(entry.place & kLineMask),
                             static_cast<int>(first.place >> kLineBits),
                             static_cast<std::int64_t>(first.place & kLineMask)});
          break;
        }
      }
    }
  }
  std::sort(repeats.begin(), repeats.end(), [](const Repeat& a, const Repeat& b) {
    return a.source != b.source ? a.source < b.source : a.line < b.line;
  });
  return repeats;
}

}  // namespace pcn
