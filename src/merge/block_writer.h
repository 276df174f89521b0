// Collects output in a large buffer and writes it in big blocks. After a failed write it
// keeps refusing, so a caller can check once per line.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace pcn {

class BlockWriter {
 public:
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;
  // Spans at least this long are written directly, after what is buffered.
  static constexpr std::size_t kLargeSpan = 64 * 1024;

  explicit BlockWriter(platform::File& file, std::size_t bufferSize = kDefaultBufferSize);

  // False once any write has failed.
  bool Append(std::string_view bytes);
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  platform::File& file_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace pcn
