// The commands of the window's system menu and keys: the guide (F1), About, and saving the
// record of the last merge (Ctrl+S), which the window keeps from Generate to Generate.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/dialog_port.h"
#include "app/generate_command.h"
#include "merge_record/merge_record.h"
#include "report/file_table.h"

namespace pcn {

// The identifiers of the commands: below 0xF000 and with the low four bits clear, as the
// system menu requires, and apart from every control's.
enum class MenuCommand : int { kAbout = 0x110, kSaveRecord = 0x120, kGuide = 0x130 };

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

// Opens guide.html in `programDirectory` (UTF-8); says so when it is missing or cannot be
// opened.
void OpenGuide(Dialog& dialog, const std::string& programDirectory);

// The version and what the program is for, in one message.
void ShowAbout(Dialog& dialog);

// After a Generate: when it wrote the merged file, keeps the record of that merge, the files
// and the merged file hashed now; else leaves the last one. False when a file could not be
// read again (nothing is kept then: a record without a digest proves nothing).
bool KeepMergeRecord(MergeRecordState& state, const FileTable& table, const GenerateResult& result,
                     const std::string& dateTime);

// Asks for a file name and writes the record of the last merge there, under a temporary name
// renamed when complete; says where it went, or why not. A beep when there is no merge yet.
void SaveMergeRecord(Dialog& dialog, const MergeRecordState& state);

// The Generate button with the record: the merge's record is kept (its digests taken before
// the success message lets anyone at the files), offered in that message, and saved on Yes.
void GenerateKeepingRecord(Dialog& dialog, const FileTable& table, MergeRecordState& state);

}  // namespace pcn
