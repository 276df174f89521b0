// The fault-injection seam's state: one plan and one counter per kind of call.
#include "platform/io_faults.h"

#include <array>

namespace pcn::platform {
namespace {

IoFaultPlan g_plan;
std::array<std::int64_t, static_cast<int>(IoOp::kCount)> g_calls{};

}  // namespace

void SetIoFaultPlan(const IoFaultPlan& plan) {
  g_plan = plan;
  g_calls.fill(0);
}

void ClearIoFaultPlan() { SetIoFaultPlan(IoFaultPlan{}); }

std::int64_t IoCallCount(IoOp op) { return g_calls[static_cast<int>(op)]; }

bool TakeIoFault(IoOp op, IoFaultKind& kind) {
  const std::int64_t count = ++g_calls[static_cast<int>(op)];
  if (op != g_plan.op || count != g_plan.nth) return false;
  kind = g_plan.kind;
  return true;
}

}  // namespace pcn::platform
