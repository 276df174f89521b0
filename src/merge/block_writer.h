// Collects output in a large buffer and writes it in big blocks. After a failed write it
// keeps refusing, so a caller can check once per line. Every few MiB written (from the
// start of the file) it has the system start putting them on the device, so the disk
// works while the caller goes on and a final sync of a large file waits for little.
// Given a worker, it writes on the worker's thread while the caller goes on reading.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/serial_worker.h"
#include "report/line_reader.h"

namespace pcn {

// As a reader's RunKeeper, it has the reader wait before reading over runs still being
// written.
class BlockWriter : public RunKeeper {
 public:
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;
  // Spans at least this long are written directly, after what is buffered.
  static constexpr std::size_t kLargeSpan = 64 * 1024;

  // Writes in the caller's thread.
  explicit BlockWriter(platform::File& file, std::size_t bufferSize = kDefaultBufferSize);
  // Writes on `worker`'s thread; the file and the worker outlive the writer.
  BlockWriter(platform::File& file, platform::SerialWorker& worker);

  // False once any write has failed (with a worker: any write done so far).
  bool Append(std::string_view bytes);
  // The same, for bytes that stay where they are, unchanged, until this writer's WaitFor a
  // later Mark (or Flush) returns: with a worker they are written from there, not copied.
  bool AppendLasting(std::string_view bytes);
  // Everything appended is written (waiting for the worker); false once any write failed.
  bool Flush();
  bool Failed() const { return failed_.load(std::memory_order_relaxed); }

  std::uint64_t Mark() override { return worker_ != nullptr ? worker_->Posted() : 0; }
  void WaitFor(std::uint64_t mark) override {
    if (worker_ != nullptr) worker_->WaitFor(mark);
  }

  static constexpr std::int64_t kWriteBackStep = 8 << 20;

 private:
  bool Write(const char* data, std::size_t size);
  void PostBuffer();

  platform::File& file_;
  platform::SerialWorker* worker_ = nullptr;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::atomic<bool> failed_ = false;
  // Touched only where the writes are made (the worker's thread, given one).
  std::int64_t written_ = 0;      // bytes written to the file
  std::int64_t writtenBack_ = 0;  // of which the system was asked to start writing back
};

}  // namespace pcn
