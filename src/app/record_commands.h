// The record of the window's last merge: kept at each Generate that writes a merged file,
// saved from the system menu (Ctrl+S) or from the success message's offer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/dialog_port.h"
#include "merge_record/merge_record.h"
#include "report/file_table.h"

namespace pcn {

struct GenerateResult;

// What the record of a merge needs, kept by the window.
struct MergeRecordState {
  // Every spin step made in the window. Adding or removing a file folds that file in or out
  // and leaves the steps in the combined totals, so none may be dropped from the record.
  std::vector<RecordedAdjustment> steps;
  // The last merged file written: the files and the combined entry as they were merged, and
  // the record with every digest taken then.
  struct LastMerge {
    FileTable table;
    MergeRecord record;
  };
  std::optional<LastMerge> last;
};

// After a Generate: when it wrote the merged file, keeps the record of that merge, the files
// and the merged file hashed now; else leaves the last one. False when a file could not be
// read again (nothing is kept then: a record without a digest proves nothing).
bool KeepMergeRecord(MergeRecordState& state, const FileTable& table, const GenerateResult& result,
                     const std::string& dateTime);

// Asks for a file name and writes the record of the last merge there, under a temporary name
// renamed when complete; says where it went, or why not. A beep when there is no merge yet.
void SaveMergeRecord(Dialog& dialog, const MergeRecordState& state);

}  // namespace pcn
