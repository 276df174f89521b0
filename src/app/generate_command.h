// The Generate button, and Generate keeping the record of the merge.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/dialog_port.h"
#include "merge/merged_file.h"
#include "merge_record/merge_record.h"
#include "report/file_table.h"

namespace pcn {

struct MergeRecordState;

// What Generate came to.
struct GenerateResult {
  WriteResult write;          // the merge's outcome; the copies' when the user declined
  bool declined = false;      // No to the question about findings: nothing written, nothing told
  std::int64_t findings = 0;  // in the merged file written
  std::string findingsPath;   // the findings file written beside it, or empty
  // For the record of the merge: its shape, the number as typed, its findings by weight.
  OutputKind kind = OutputKind::kDealersUnion;
  std::string number;
  FindingsSummary findingsBySeverity;
  bool recordWanted = false;  // Yes to the success message's offer of the merge's record

  bool Written() const { return !declined && write.Written(); }
};

// Writes the merged file of every loaded file with the number, directory and output type
// the window holds; `today` (YYYYMMDD) dates the opening record. Selects each file's row
// while it is copied. When the merged file would carry a finding the reception refuses or
// that counts an invoice twice, asks first. With findings, writes the findings file beside
// the merged file. Shows the one message of the outcome; a written file is handed to
// `onWritten` first, before the user (or another program) can open it. When that kept a
// record of the merge (returned true), the success message offers to save it.
GenerateResult GenerateMergedFile(
    Dialog& dialog, const FileTable& table, const std::string& today,
    const std::function<bool(const GenerateResult&)>& onWritten = nullptr);

// The Generate button with the record: the merge's record is kept (its digests taken before
// the success message lets anyone at the files), offered in that message, and saved on Yes.
void GenerateKeepingRecord(Dialog& dialog, const FileTable& table, MergeRecordState& state);

}  // namespace pcn
