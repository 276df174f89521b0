// The Windows build's compiler (win32 threads) has no std::thread: tasks are done at once.
#include "platform/serial_worker.h"

namespace pcn::platform {

struct SerialWorker::State {
  std::uint64_t posted = 0;
};

SerialWorker::SerialWorker(std::size_t) : state_(std::make_unique<State>()) {}
SerialWorker::~SerialWorker() = default;

std::uint64_t SerialWorker::Post(std::function<void()> task) {
  task();
  return ++state_->posted;
}

std::uint64_t SerialWorker::Posted() const {
  return state_->posted;
}

void SerialWorker::WaitFor(std::uint64_t) {}

}  // namespace pcn::platform
