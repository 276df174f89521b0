// Memory for the large buffers files are read into. Reading copies every byte of a file
// into it; on Linux, in huge pages (where the system gives them) the copy meets far fewer
// misses in the processor's address translation, which in a virtual machine cost most of
// the time a read takes. Elsewhere, ordinary memory.
#pragma once

#include <cstddef>

namespace pcn::platform {

class IoBuffer {
 public:
  // `size` bytes, not cleared; in huge pages when `huge` and the system has them.
  IoBuffer(std::size_t size, bool huge);
  ~IoBuffer();
  IoBuffer(const IoBuffer&) = delete;
  IoBuffer& operator=(const IoBuffer&) = delete;

  char* Data() const { return data_; }

 private:
  char* data_;
};

}  // namespace pcn::platform
