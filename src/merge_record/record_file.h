// The record of a merge as a file: the digests taken of every file it names, and the page
// written beside them, never in the place of a file it records. The window and the command
// line both write it through here and only say what came of it.
#pragma once

#include <string>

#include "merge/merge_run.h"
#include "merge_record/merge_record.h"
#include "report/file_table.h"

namespace pcn {

enum class RecordFailure {
  kNone,
  kNoFileName,        // the record's path ends in a separator
  kIsMergedFile,      // it names the merged file
  kIsSource,          // it names one of the files merged
  kMergedUnreadable,  // the merged file (`path`) cannot be read
  kSourceUnreadable,  // a file merged (`path`) cannot be read again
  kSourceChanged,     // a file merged (`path`) no longer holds the bytes the merge read
  kCannotCreate,      // the folder cannot take the record, or a file there cannot be replaced
  kWriteFailed,       // writing the page or giving it its name failed
};

struct RecordResult {
  RecordFailure failure = RecordFailure::kNone;
  std::string path;  // the file read when reading failed; else the record's own path
  int error = 0;     // errno of the failed call where the system set one, else 0

  bool Done() const { return failure == RecordFailure::kNone; }
};

// The merged file's findings by weight, as the record counts them.
FindingsSummary SummaryOf(const MergeRun::Findings& findings);

// Refused when `recordPath` names no file, the merged file (`record.outputPath`) or one of
// the files of `table`, however the path is written: the page must not take their place.
RecordResult CheckRecordPath(const std::string& recordPath, const MergeRecord& record,
                             const FileTable& table);

// Reads the merged file at `mergedPath` and every file of `table` for their SHA-256, into
// `record` with the merged file's size. Each file merged is held to the bytes the merge
// read (DigestsOfMergedFiles): a digest of a file changed since proves nothing.
RecordResult TakeDigests(MergeRecord& record, const FileTable& table,
                         const std::string& mergedPath);

// CheckRecordPath, then the page of `record` over `table` written to `recordPath` under a
// temporary name renamed when complete: a failure leaves no half a page, and an earlier
// file of that name as it was.
RecordResult WriteRecordFile(const std::string& recordPath, const MergeRecord& record,
                             const FileTable& table);

}  // namespace pcn
