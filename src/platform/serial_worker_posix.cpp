// The worker as one thread and a queue; the thread starts with the first task.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/serial_worker.h"

namespace pcn::platform {

struct SerialWorker::State {
  std::size_t maxWaiting = 1;
  mutable std::mutex mutex;
  std::condition_variable changed;  // a task was posted or done, or the end is asked
  std::deque<std::function<void()>> waiting;
  std::atomic<std::uint64_t> posted = 0;
  std::atomic<std::uint64_t> done = 0;
  std::atomic<bool> ending = false;
  std::thread thread;

  // Hand-overs come every few tens of microseconds while a file is read; sleeping and
  // being woken costs about as much, so a waiting side first looks again for a while,
  // giving way now and then to whatever else the machine has to run.
  template <typename Ready>
  static bool SpinUntil(Ready ready) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
    for (int i = 0;; ++i) {
      if (ready()) return true;
      if (i % 64 == 63) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::yield();
      }
    }
  }

  void Run() {
    std::unique_lock lock(mutex);
    for (;;) {
      if (waiting.empty() && !ending) {
        lock.unlock();
        SpinUntil([this] { return posted.load() > done.load() || ending.load(); });
        lock.lock();
      }
      changed.wait(lock, [this] { return ending || !waiting.empty(); });
      if (waiting.empty()) return;
      std::function<void()> task = std::move(waiting.front());
      waiting.pop_front();
      lock.unlock();
      changed.notify_all();  // room for the poster
      task();
      task = nullptr;  // what it held goes before it counts as done
      lock.lock();
      ++done;
      changed.notify_all();
    }
  }
};

SerialWorker::SerialWorker(std::size_t maxWaiting) : state_(std::make_unique<State>()) {
  state_->maxWaiting = maxWaiting == 0 ? 1 : maxWaiting;
}

SerialWorker::~SerialWorker() {
  {
    std::lock_guard lock(state_->mutex);
    state_->ending = true;
  }
  state_->changed.notify_all();
  if (state_->thread.joinable()) state_->thread.join();
}

std::uint64_t SerialWorker::Post(std::function<void()> task) {
  State& s = *state_;
  std::uint64_t number;
  {
    std::unique_lock lock(s.mutex);
    if (!s.thread.joinable()) s.thread = std::thread([&s] { s.Run(); });
    s.changed.wait(lock, [&s] { return s.waiting.size() < s.maxWaiting; });
    s.waiting.push_back(std::move(task));
    number = ++s.posted;
  }
  s.changed.notify_all();
  return number;
}

std::uint64_t SerialWorker::Posted() const {
  return state_->posted.load();
}

void SerialWorker::WaitFor(std::uint64_t task) {
  State& s = *state_;
  if (State::SpinUntil([&s, task] { return s.done.load() >= task; })) return;
  std::unique_lock lock(s.mutex);
  s.changed.wait(lock, [&s, task] { return s.done >= task; });
}

}  // namespace pcn::platform
