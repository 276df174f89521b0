// Collects output in a buffer and writes it in large blocks; a long span goes out from
// where it stands, without a copy. After a failed write it keeps refusing, so a caller can
// check once per line. Every few MiB written it has the system start putting them on the
// device, so that the final sync of a large file waits for little.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace pcn {

class BlockWriter {
 public:
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;
  // Spans at least this long are written directly, after what is buffered.
  static constexpr std::size_t kLargeSpan = 64 * 1024;
  static constexpr std::int64_t kWriteBackStep = 8 << 20;

  explicit BlockWriter(platform::File& file, std::size_t bufferSize = kDefaultBufferSize);

  // False once any write has failed.
  bool Append(std::string_view bytes);
  // Everything appended is written; false once any write failed.
  bool Flush();
  bool Failed() const { return failed_; }

 private:
  bool Write(const char* data, std::size_t size);

  platform::File& file_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
  std::int64_t written_ = 0;      // bytes written to the file
  std::int64_t writtenBack_ = 0;  // of which the system was asked to start writing back
};

}  // namespace pcn
