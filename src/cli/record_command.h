// `pcn874 merge --record FILE.html`: the page that records a merge for the accountant's
// client file, written once the merged file is in place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "merge/merge_run.h"
#include "merge_record/merge_record.h"

namespace pcn::cli {

struct MergeDone {
  const FileTable& table;  // the merged files and the combined entry as written
  OutputKind kind;
  std::string number;      // as typed or defaulted; normalised for the page
  std::string outputPath;  // the merged file
  std::vector<RecordedAdjustment> adjustments;
  const MergeRun::Findings& findings;
};

// Hashes the merged file and every source (refused when a source changed since the merge
// read it), and writes the page to `recordPath` under a
// temporary name renamed into place. kExitDone, or kExitRefused with the reason printed;
// the merged file stays either way.
int WriteMergeRecord(const std::string& recordPath, const MergeDone& done);

}  // namespace pcn::cli
