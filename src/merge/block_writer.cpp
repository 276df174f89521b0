// Buffered writing in large blocks.
#include "merge/block_writer.h"

#include <cstring>

namespace pcn {

BlockWriter::BlockWriter(platform::File& file, std::size_t bufferSize)
    : file_(file), buffer_(bufferSize == 0 ? 1 : bufferSize) {}

bool BlockWriter::Append(std::string_view bytes) {
  if (failed_) return false;
  // A large span (a run of copied lines) goes out from where it stands: copying it into
  // the buffer first would only cost a pass over the data.
  if (bytes.size() >= buffer_.size() || bytes.size() >= kLargeSpan) {
    return Flush() && Write(bytes.data(), bytes.size());
  }
  if (bytes.size() > buffer_.size() - used_ && !Flush()) return false;
  std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  return true;
}

bool BlockWriter::Flush() {
  if (failed_) return false;
  if (used_ > 0) {
    Write(buffer_.data(), used_);
    used_ = 0;
  }
  return !failed_;
}

bool BlockWriter::Write(const char* data, std::size_t size) {
  if (failed_) return false;  // what follows a failed write is not written
  if (!file_.Write(data, size)) {
    failed_ = true;
    return false;
  }
  written_ += static_cast<std::int64_t>(size);
  if (written_ - writtenBack_ >= kWriteBackStep) {
    file_.StartWriteBack(writtenBack_, written_ - writtenBack_);
    writtenBack_ = written_;
  }
  return true;
}

}  // namespace pcn
