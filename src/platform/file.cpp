// What an open file does the same way on every platform: it closes itself and moves.
#include "platform/platform.h"

namespace pcn::platform {

File::~File() {
  Close();
}

File::File(File&& other) noexcept : handle_(other.handle_) {
  other.handle_ = kNoHandle;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = kNoHandle;
  }
  return *this;
}

}  // namespace pcn::platform
