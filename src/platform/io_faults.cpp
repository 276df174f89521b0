// The fault-injection seam's state: one plan and one counter per kind of call. Every file
// operation runs on the one thread, so plain variables do.
#include "platform/io_faults.h"

#include <array>

namespace pcn::platform {
namespace {

IoFaultPlan g_plan;
std::array<std::int64_t, static_cast<int>(IoOp::kCount)> g_calls{};
bool g_tracing = false;
std::vector<IoOp> g_trace;

}  // namespace

void SetIoFaultPlan(const IoFaultPlan& plan) {
  g_plan = plan;
  g_calls.fill(0);
}

void ClearIoFaultPlan() {
  SetIoFaultPlan(IoFaultPlan{});
}

std::int64_t IoCallCount(IoOp op) {
  return g_calls[static_cast<int>(op)];
}

void TraceIoCalls(bool on) {
  g_tracing = on;
  if (on) g_trace.clear();
}

const std::vector<IoOp>& IoCallTrace() {
  return g_trace;
}

bool TakeIoFault(IoOp op, IoFaultKind& kind) {
  const std::int64_t count = ++g_calls[static_cast<int>(op)];
  if (g_tracing) g_trace.push_back(op);
  if (op != g_plan.op || count != g_plan.nth) return false;
  kind = g_plan.kind;
  return true;
}

}  // namespace pcn::platform
