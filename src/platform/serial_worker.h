// Work handed to a thread of its own, done in the order it was handed over, so that the
// caller goes on meanwhile: a reader reads the next block there while its lines are
// looked at, and the one-pass merge writes its output there. Where this build has no
// threads (the Windows build's compiler), each task is done at once, in the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace pcn::platform {

class SerialWorker {
 public:
  // Post waits while `maxWaiting` tasks are waiting, so that the caller cannot run ahead
  // without bound.
  explicit SerialWorker(std::size_t maxWaiting = 8);
  // Does what is still waiting, then ends the thread.
  ~SerialWorker();
  SerialWorker(const SerialWorker&) = delete;
  SerialWorker& operator=(const SerialWorker&) = delete;

  // Returns the task's number: 1 for the first, then counting up.
  std::uint64_t Post(std::function<void()> task);
  // The number of the last task posted; 0 before any.
  std::uint64_t Posted() const;
  // Returns once the task of that number, and every one before it, is done.
  void WaitFor(std::uint64_t task);
  // Returns once every task posted so far is done.
  void Wait() { WaitFor(Posted()); }

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace pcn::platform
