// SHA-256 of a file's bytes, for the record of a merge: the accountant can show later that
// the files filed are the files that were merged. Written here because the static Windows
// build takes no cryptographic library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pcn {

class Sha256 {
 public:
  // The bytes, in order; how they are cut into calls does not change the digest.
  void Add(const void* bytes, std::size_t size);
  void Add(std::string_view bytes) { Add(bytes.data(), bytes.size()); }
  // The digest of everything added so far, as 64 lower-case hex digits. More may be added
  // afterwards: the padding is applied to a copy.
  std::string Hex() const;

 private:
  void Compress(const unsigned char* block);  // one block of kBlock bytes

  static constexpr std::size_t kBlock = 64;
  std::uint32_t state_[8] = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                             0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
  unsigned char pending_[kBlock] = {};
  std::size_t pendingSize_ = 0;
  std::uint64_t size_ = 0;  // bytes added
};

class ContentHash;

// The SHA-256 of the file `path` names, read through the platform layer; none when it
// cannot be opened or read to its end. With `also`, the same bytes go into it too.
std::optional<std::string> Sha256OfFile(const std::string& path, ContentHash* also = nullptr);

}  // namespace pcn
