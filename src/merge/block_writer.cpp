// Buffered writing in large blocks.
#include "merge/block_writer.h"

#include <cstring>

namespace pcn {

BlockWriter::BlockWriter(platform::File& file, std::size_t bufferSize)
    : file_(file), buffer_(bufferSize == 0 ? 1 : bufferSize) {}

bool BlockWriter::Append(std::string_view bytes) {
  if (failed_) return false;
  if (bytes.size() > buffer_.size() - used_) {
    if (!Flush()) return false;
    if (bytes.size() >= buffer_.size()) {
      failed_ = !file_.Write(bytes.data(), bytes.size());
      return !failed_;
    }
  }
  std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  return true;
}

bool BlockWriter::Flush() {
  if (failed_) return false;
  if (used_ > 0) {
    failed_ = !file_.Write(buffer_.data(), used_);
    used_ = 0;
  }
  return !failed_;
}

}  // namespace pcn
