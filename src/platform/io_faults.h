// A seam for tests: makes the k-th call of one kind of file operation fail, so that every
// failure path of loading and generating can be exercised on a real file system.
#pragma once

#include <cstdint>
#include <vector>

namespace pcn::platform {

enum class IoOp { kOpen, kRead, kWrite, kFlush, kRename, kClose, kCount };

enum class IoFaultKind {
  kFail,        // the call reports failure and does nothing
  kShortWrite,  // a write stores half of its bytes, then reports failure
  kDiskFull,    // a write stores nothing and fails as a full device would
};

struct IoFaultPlan {
  IoOp op = IoOp::kCount;  // kCount: no fault planned
  std::int64_t nth = 0;    // 1 for the first call of that kind after the plan was set
  IoFaultKind kind = IoFaultKind::kFail;
};

// Sets the plan and resets the call counters.
void SetIoFaultPlan(const IoFaultPlan& plan);
void ClearIoFaultPlan();
// How many calls of a kind were made since the plan was last set or cleared.
std::int64_t IoCallCount(IoOp op);
// Counts one call of `op`; returns the fault to apply, or nothing (false) when none.
bool TakeIoFault(IoOp op, IoFaultKind& kind);

// Records every call from now on (true; the record starts empty) or stops recording, so
// that a test can tell which step of an operation the k-th call of a kind belongs to.
void TraceIoCalls(bool on);
const std::vector<IoOp>& IoCallTrace();

}  // namespace pcn::platform
