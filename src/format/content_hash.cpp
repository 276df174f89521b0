// Four independent lanes of multiply and rotate over 8-byte words, so that the processor
// works on them side by side; folded together with the length at the end.
#include "format/content_hash.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace pcn {
namespace {

constexpr std::uint64_t kPrime = 0x9E3779B97F4A7C15ull;

std::uint64_t Rotate(std::uint64_t x, int by) {
  return (x << by) | (x >> (64 - by));
}

std::uint64_t Word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

std::uint64_t Finalise(std::uint64_t x) {
  x ^= x >> 33;
  x *= 0xFF51AFD7ED558CCDull;
  x ^= x >> 33;
  x *= 0xC4CEB9FE1A85EC53ull;
  return x ^ (x >> 33);
}

}  // namespace

void ContentHash::Mix(const char* block) {
  for (int lane = 0; lane < 4; ++lane) {
    lanes_[lane] = Rotate(lanes_[lane] ^ Word(block + 8 * lane), 29) * kPrime;
  }
}

void ContentHash::Add(const char* bytes, std::size_t size) {
  size_ += static_cast<std::int64_t>(size);
  if (pendingSize_ > 0) {
    const std::size_t take = std::min(size, kBlock - pendingSize_);
    std::memcpy(pending_ + pendingSize_, bytes, take);
    pendingSize_ += take;
    bytes += take;
    size -= take;
    if (pendingSize_ < kBlock) return;
    Mix(pending_);
    pendingSize_ = 0;
  }
  for (; size >= kBlock; bytes += kBlock, size -= kBlock) Mix(bytes);
  std::memcpy(pending_, bytes, size);
  pendingSize_ = size;
}

std::uint64_t ContentHash::Value() const {
  std::uint64_t h = static_cast<std::uint64_t>(size_) * kPrime;
  for (std::uint64_t lane : lanes_) h = Rotate(h ^ Finalise(lane), 23) * kPrime;
  for (std::size_t i = 0; i < pendingSize_; ++i) {
    h = (h ^ static_cast<unsigned char>(pending_[i])) * kPrime;
  }
  return Finalise(h);
}

bool SameContent(const std::string& pathA, const std::string& pathB) {
  platform::File a = platform::OpenForReading(pathA);
  platform::File b = platform::OpenForReading(pathB);
  if (!a.IsOpen() || !b.IsOpen()) return false;
  constexpr std::size_t kChunk = 64 * 1024;
  std::vector<char> bytesA(kChunk), bytesB(kChunk);
  for (;;) {
    const std::int64_t gotA = a.Read(bytesA.data(), kChunk);
    if (gotA < 0) return false;
    // The same count from the second file, however its reads come back.
    std::int64_t gotB = 0;
    while (gotB < gotA) {
      const std::int64_t got = b.Read(bytesB.data() + gotB, static_cast<std::size_t>(gotA - gotB));
      if (got <= 0) return false;
      gotB += got;
    }
    if (gotA == 0) {
      char extra;
      return b.Read(&extra, 1) == 0;
    }
    if (std::memcmp(bytesA.data(), bytesB.data(), static_cast<std::size_t>(gotA)) != 0) {
      return false;
    }
  }
}

}  // namespace pcn
