// The merge record: the core checks the record's path, takes every digest and writes the
// page; this file fills the record in and says what failed.
#include "cli/record_command.h"

#include <iostream>

#include "cli/commands.h"
#include "format/dealer_number.h"
#include "merge_record/record_file.h"
#include "platform/platform.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn::cli {
namespace {

// "pcn874: cannot write the record FILE: reason"; kExitDone when it was written.
int Told(const std::string& recordPath, const RecordResult& result) {
  if (result.Done()) return kExitDone;
  std::cerr << "pcn874: " << text::kRecordNotSaved.english << recordPath << ": "
            << ReasonFor(result) << '\n';
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
  for (const FileEntry& source : done.table.Files()) {
    record.sourcePaths.push_back(platform::FullPath(source.path));
  }
  return Told(recordPath, WriteRecordFile(recordPath, record, done.table));
}

}  // namespace pcn::cli
