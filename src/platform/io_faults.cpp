// The fault-injection seam's state: one plan and one counter per kind of call. The
// one-pass merge writes on a worker thread, so the state is guarded (by a spin lock: the
// Windows build's compiler has no std::mutex, and the lock is held for a few loads).
#include "platform/io_faults.h"

#include <array>
#include <atomic>

namespace pcn::platform {
namespace {

std::atomic_flag g_busy = ATOMIC_FLAG_INIT;
IoFaultPlan g_plan;
std::array<std::int64_t, static_cast<int>(IoOp::kCount)> g_calls{};
bool g_tracing = false;
std::vector<IoOp> g_trace;

class Guard {
 public:
  Guard() {
    while (g_busy.test_and_set(std::memory_order_acquire)) {
    }
  }
  ~Guard() { g_busy.clear(std::memory_order_release); }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;
};

}  // namespace

void SetIoFaultPlan(const IoFaultPlan& plan) {
  const Guard guard;
  g_plan = plan;
  g_calls.fill(0);
}

void ClearIoFaultPlan() {
  SetIoFaultPlan(IoFaultPlan{});
}

std::int64_t IoCallCount(IoOp op) {
  const Guard guard;
  return g_calls[static_cast<int>(op)];
}

void TraceIoCalls(bool on) {
  const Guard guard;
  g_tracing = on;
  if (on) g_trace.clear();
}

const std::vector<IoOp>& IoCallTrace() {
  const Guard guard;
  return g_trace;
}

bool TakeIoFault(IoOp op, IoFaultKind& kind) {
  const Guard guard;
  const std::int64_t count = ++g_calls[static_cast<int>(op)];
  if (g_tracing) g_trace.push_back(op);
  if (op != g_plan.op || count != g_plan.nth) return false;
  kind = g_plan.kind;
  return true;
}

}  // namespace pcn::platform
