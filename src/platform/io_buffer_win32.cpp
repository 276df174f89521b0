// Windows gives large pages only to programs holding the lock-pages privilege: ordinary
// memory.
#include <cstdlib>
#include <new>

#include "platform/io_buffer.h"

namespace pcn::platform {

IoBuffer::IoBuffer(std::size_t size, bool) {
  data_ = static_cast<char*>(std::malloc(size == 0 ? 1 : size));
  if (data_ == nullptr) throw std::bad_alloc();
}

IoBuffer::~IoBuffer() {
  std::free(data_);
}

}  // namespace pcn::platform
