// Huge pages on Linux: memory aligned to a huge page and marked for them; the system may
// still give ordinary pages.
#include <sys/mman.h>

#include <cstdlib>
#include <new>

#include "platform/io_buffer.h"

namespace pcn::platform {
namespace {

constexpr std::size_t kHugePage = 2 << 20;

}  // namespace

IoBuffer::IoBuffer(std::size_t size, bool huge) {
#ifdef MADV_HUGEPAGE
  // A small buffer would take a whole huge page for little.
  if (huge && size >= kHugePage / 2) {
    const std::size_t whole = (size + kHugePage - 1) / kHugePage * kHugePage;
    data_ = static_cast<char*>(std::aligned_alloc(kHugePage, whole));
    if (data_ == nullptr) throw std::bad_alloc();
    (void)::madvise(data_, whole, MADV_HUGEPAGE);  // only a hint
    return;
  }
#endif
  (void)huge;
  data_ = static_cast<char*>(std::malloc(size == 0 ? 1 : size));
  if (data_ == nullptr) throw std::bad_alloc();
}

IoBuffer::~IoBuffer() {
  std::free(data_);
}

}  // namespace pcn::platform
