// A file's bytes in a 64-bit value, computed as they are read, so that a copy of a loaded
// file (the same report under another name) is found without reading it twice. Not a
// cryptographic hash: equal values only say that the bytes are worth comparing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pcn {

class ContentHash {
 public:
  // The bytes, in order; how they are cut into calls does not change the value.
  void Add(const char* bytes, std::size_t size);
  std::uint64_t Value() const;
  std::int64_t Size() const { return size_; }

 private:
  void Mix(const char* block);  // one block of kBlock bytes

  static constexpr std::size_t kBlock = 32;  // four words, one to each lane
  std::uint64_t lanes_[4] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull, 0xA4093822299F31D0ull,
                             0x082EFA98EC4E6C89ull};
  char pending_[kBlock] = {};
  std::size_t pendingSize_ = 0;
  std::int64_t size_ = 0;
};

// True when the two files hold the same bytes; false when they differ or either cannot be
// read to its end.
bool SameContent(const std::string& pathA, const std::string& pathB);

}  // namespace pcn
