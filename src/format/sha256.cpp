// SHA-256 as FIPS 180-4 defines it, one 64-byte block at a time.
#include "format/sha256.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "format/content_hash.h"
#include "platform/platform.h"

namespace pcn {
namespace {

constexpr std::uint32_t kRound[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2};

constexpr std::uint32_t Rotate(std::uint32_t x, int n) {
  return (x >> n) | (x << (32 - n));
}

}  // namespace

void Sha256::Compress(const unsigned char* block) {
  std::uint32_t w[64];
  for (int i = 0; i < 16; ++i) {
    w[i] = static_cast<std::uint32_t>(block[4 * i]) << 24 |
           static_cast<std::uint32_t>(block[4 * i + 1]) << 16 |
           static_cast<std::uint32_t>(block[4 * i + 2]) << 8 |
           static_cast<std::uint32_t>(block[4 * i + 3]);
  }
  for (int i = 16; i < 64; ++i) {
    const std::uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
    const std::uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
    w[i] = w[i - 16] + s0 + w[i - 7] + s1;
  }
  std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
  std::uint32_t e = state_[4], f = state_[5], g = state_[6], h = state_[7];
  for (int i = 0; i < 64; ++i) {
    const std::uint32_t s1 = Rotate(e, 6) ^ Rotate(e, 11) ^ Rotate(e, 25);
    const std::uint32_t choice = (e & f) ^ (~e & g);
    const std::uint32_t t1 = h + s1 + choice + kRound[i] + w[i];
    const std::uint32_t s0 = Rotate(a, 2) ^ Rotate(a, 13) ^ Rotate(a, 22);
    const std::uint32_t majority = (a & b) ^ (a & c) ^ (b & c);
    const std::uint32_t t2 = s0 + majority;
    h = g;
    g = f;
    f = e;
    e = d + t1;
    d = c;
    c = b;
    b = a;
    a = t1 + t2;
  }
  state_[0] += a;
  state_[1] += b;
  state_[2] += c;
  state_[3] += d;
  state_[4] += e;
  state_[5] += f;
  state_[6] += g;
  state_[7] += h;
}

void Sha256::Add(const void* bytes, std::size_t size) {
  const auto* in = static_cast<const unsigned char*>(bytes);
  size_ += size;
  if (pendingSize_ > 0) {
    const std::size_t take = std::min(size, kBlock - pendingSize_);
    std::memcpy(pending_ + pendingSize_, in, take);
    pendingSize_ += take;
    in += take;
    size -= take;
    if (pendingSize_ < kBlock) return;
    Compress(pending_);
    pendingSize_ = 0;
  }
  // Whole blocks straight from the caller's bytes, without a copy.
  for (; size >= kBlock; in += kBlock, size -= kBlock) Compress(in);
  if (size > 0) std::memcpy(pending_, in, size);
  pendingSize_ = size;
}

std::string Sha256::Hex() const {
  Sha256 last = *this;
  // A 1 bit, zeros up to 8 bytes short of a block's end, then the length in bits.
  const std::uint64_t bits = size_ * 8;
  unsigned char padding[kBlock + 8] = {0x80};
  const std::size_t zeros = (kBlock + kBlock - 8 - 1 - pendingSize_) % kBlock;
  std::size_t length = 1 + zeros;
  for (int shift = 56; shift >= 0; shift -= 8) {
    padding[length++] = static_cast<unsigned char>(bits >> shift);
  }
  last.Add(padding, length);
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(64);
  for (std::uint32_t word : last.state_) {
    for (int shift = 28; shift >= 0; shift -= 4) hex += kDigits[(word >> shift) & 0xF];
  }
  return hex;
}

std::optional<std::string> Sha256OfFile(const std::string& path, ContentHash* also) {
  platform::File file = platform::OpenForReading(path);
  if (!file.IsOpen()) return std::nullopt;
  Sha256 sha;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const std::int64_t got = file.Read(buffer.data(), buffer.size());
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    sha.Add(buffer.data(), static_cast<std::size_t>(got));
    if (also != nullptr) also->Add(buffer.data(), static_cast<std::size_t>(got));
  }
  return sha.Hex();
}

}  // namespace pcn
