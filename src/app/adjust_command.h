// The spin buttons beside the five adjustable totals.
#pragma once

#include <cstdint>
#include <optional>

#include "app/dialog_port.h"
#include "merge_record/merge_record.h"
#include "report/file_table.h"

namespace pcn {

// A spin button reported `delta` (whole units): moves the total beside it when the 5% rule
// allows, else shows the pair's message. Any other control does nothing. The step made, for
// the record of the merge; nothing when none was.
std::optional<RecordedAdjustment> AdjustMergedTotal(Dialog& dialog, FileTable& table,
                                                    ControlId spinButton, std::int64_t delta);

}  // namespace pcn
