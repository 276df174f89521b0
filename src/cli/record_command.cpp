// The merge record: the core checks the record's path, takes every digest and writes the
// page; this file fills the record in and says what failed.
#include "cli/record_command.h"

#include <cstring>
#include <iostream>

#include "cli/commands.h"
#include "format/dealer_number.h"
#include "merge_record/record_file.h"
#include "platform/platform.h"

namespace pcn::cli {
namespace {

// "pcn874: cannot write the record FILE: reason", the system's reason last where it told
// one. Appended piece by piece: GCC 12 warns falsely at -O3 on a chain of string additions.
int Told(const std::string& recordPath, const RecordResult& result) {
  std::string reason;
  switch (result.failure) {
    case RecordFailure::kNone:
      return kExitDone;
    case RecordFailure::kNoFileName:
      reason = "no file name given";
      break;
    case RecordFailure::kIsMergedFile:
      reason = "it is the merged file";
      break;
    case RecordFailure::kIsSource:
      reason = "it is one of the merged files";
      break;
    case RecordFailure::kMergedUnreadable:
      reason = "cannot read the merged file ";
      reason += result.path;
      break;
    case RecordFailure::kSourceUnreadable:
      reason = "cannot read ";
      reason += result.path;
      reason += " again";
      break;
    case RecordFailure::kSourceChanged:
      reason = result.path;
      reason += " changed after it was merged: its digest would not be of the bytes merged";
      break;
    case RecordFailure::kCannotCreate:
      reason = "the directory cannot take the file, or a file there cannot be replaced";
      break;
    case RecordFailure::kWriteFailed:
      reason = "writing the file failed";
      break;
  }
  if (result.error != 0) {
    reason += ": ";
    reason += std::strerror(result.error);
  }
  std::cerr << "pcn874: cannot write the record " << recordPath << ": " << reason << '\n';
  return kExitRefused;
}

}  // namespace

int WriteMergeRecord(const std::string& recordPath, const MergeDone& done) {
  MergeRecord record;
  record.dateTime = platform::LocalDateTimeText();
  // Full paths: the page is read later, from another folder.
  record.outputPath = platform::FullPath(done.outputPath);
  record.kind = done.kind;
  record.number = NormaliseDealerNumber(done.number);
  record.adjustments = done.adjustments;
  record.findings = SummaryOf(done.findings);
  if (RecordResult checked = CheckRecordPath(recordPath, record, done.table); !checked.Done()) {
    return Told(recordPath, checked);
  }
  if (RecordResult read = TakeDigests(record, done.table, done.outputPath); !read.Done()) {
    return Told(recordPath, read);
  }
  FileTable shown = done.table;
  for (FileEntry& source : shown.slots) source.path = platform::FullPath(source.path);
  return Told(recordPath, WriteRecordFile(recordPath, record, shown));
}

}  // namespace pcn::cli
