// Buffered writing in large blocks.
#include "merge/block_writer.h"

#include <cstring>
#include <utility>

namespace pcn {

BlockWriter::BlockWriter(platform::File& file, std::size_t bufferSize)
    : file_(file), buffer_(bufferSize == 0 ? 1 : bufferSize) {}

BlockWriter::BlockWriter(platform::File& file, platform::SerialWorker& worker)
    : file_(file), worker_(&worker), buffer_(kDefaultBufferSize) {}

bool BlockWriter::Append(std::string_view bytes) {
  if (Failed()) return false;
  if (worker_ != nullptr && bytes.size() > buffer_.size() - used_) {
    // The worker may still be writing from a buffer: a full one goes to it whole, and a
    // span too long for an empty buffer goes as a copy of its own.
    PostBuffer();
    if (bytes.size() > buffer_.size()) {
      worker_->Post([this, copy = std::vector<char>(bytes.begin(), bytes.end())] {
        Write(copy.data(), copy.size());
      });
      return !Failed();
    }
  }
  // A large span (a run of copied lines) goes out from where it stands: copying it into
  // the buffer first would only cost a pass over the data.
  if (worker_ == nullptr && (bytes.size() >= buffer_.size() || bytes.size() >= kLargeSpan)) {
    return Flush() && Write(bytes.data(), bytes.size());
  }
  if (bytes.size() > buffer_.size() - used_ && !Flush()) return false;
  std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
  return !Failed();
}

bool BlockWriter::AppendLasting(std::string_view bytes) {
  if (worker_ == nullptr) return Append(bytes);
  if (Failed()) return false;
  PostBuffer();
  worker_->Post([this, bytes] { Write(bytes.data(), bytes.size()); });
  return !Failed();
}

void BlockWriter::PostBuffer() {
  if (used_ == 0) return;
  // Mostly a line or two between runs: a copy of just those, and the buffer is free again.
  worker_->Post([this, bytes = std::vector<char>(buffer_.data(), buffer_.data() + used_)] {
    Write(bytes.data(), bytes.size());
  });
  used_ = 0;
}

bool BlockWriter::Flush() {
  if (worker_ != nullptr) {
    PostBuffer();
    worker_->Wait();
    return !Failed();
  }
  if (Failed()) return false;
  if (used_ > 0) {
    Write(buffer_.data(), used_);
    used_ = 0;
  }
  return !Failed();
}

bool BlockWriter::Write(const char* data, std::size_t size) {
  if (Failed()) return false;  // what follows a failed write is not written
  if (!file_.Write(data, size)) {
    failed_.store(true, std::memory_order_relaxed);
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
