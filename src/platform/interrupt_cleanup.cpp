// The files to remove on an interruption, in a few slots that a signal handler can read while
// the program changes them. A slot's path is touched only by whoever moved the slot out of
// kArmed, so a handler never reads a path that is being changed, and a file is removed once.
// The program registers from its one thread: no lock among threads is needed.
#include "platform/interrupt_cleanup.h"

#include <atomic>

namespace pcn::platform {
namespace {

enum SlotState : int { kFree, kBusy, kArmed, kRemoving };

struct Slot {
  std::atomic<int> state{kFree};
  std::string path;
};

static_assert(std::atomic<int>::is_always_lock_free,
              "a signal handler may use lock-free atomics only");

Slot g_slots[4];
}  // namespace

void RemoveOnInterrupt(const std::string& path) {
  static const bool installed = (interrupt::InstallHandlers(), true);
  (void)installed;
  for (Slot& slot : g_slots) {
    if (slot.state.load() != kFree) continue;
    slot.state.store(kBusy);
    slot.path = path;
    slot.state.store(kArmed);
    return;
  }
}

void KeepOnInterrupt(const std::string& path) {
  for (Slot& slot : g_slots) {
    if (slot.state.load() != kArmed || slot.path != path) continue;
    int armed = kArmed;
    // When a handler has taken the slot, the program is ending: the slot stays as it is.
    if (slot.state.compare_exchange_strong(armed, kBusy)) {
      slot.path.clear();
      slot.state.store(kFree);
    }
    return;
  }
}

void interrupt::RemoveRegisteredFiles(void (*remove)(const std::string& path)) {
  for (Slot& slot : g_slots) {
    int armed = kArmed;
    if (slot.state.compare_exchange_strong(armed, kRemoving)) remove(slot.path);
  }
}

}  // namespace pcn::platform
