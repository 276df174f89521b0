// The command line's merge, reading each source once: every file is validated, summed and
// copied into the temporary output file in the same pass, and the first record, whose width
// is fixed, goes into the place kept for it at the start once the totals are known. The
// window keeps its two steps (load at Add, copy at Generate); both give the same bytes and
// the same refusals, told in the same order.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "merge/block_writer.h"
#include "merge/merged_output.h"
#include "merge/merged_writer.h"
#include "platform/serial_worker.h"
#include "report/file_table.h"
#include "report/load_file.h"

namespace pcn {

class OnePassMerge {
 public:
  OnePassMerge(std::string directory, OutputKind kind);
  // Removes the temporary file unless the merge was completed.
  ~OnePassMerge() = default;
  OnePassMerge(const OnePassMerge&) = delete;
  OnePassMerge& operator=(const OnePassMerge&) = delete;

  // Loads `path` by the Add-file rules (LoadReportFor) and copies its lines as they are
  // read. Accepted, it joins the table. A refusal ends the merge: the caller tells it and
  // lets the object go. A failure to create or write the temporary file is kept for Finish
  // to tell where Generate would tell it; reading goes on meanwhile without writing, so
  // that a later file's refusal still comes first.
  LoadResult Add(const std::string& path);

  // The loaded files and the combined entry, which spin steps may move before Finish.
  FileTable& Table() { return table_; }

  // Generate's checks in Generate's order (CheckBeforeWriting, then the output can be
  // opened, then every write succeeded), then the last record, the first record in its
  // place, the sync and the final name. `typedNumber` is normalised here.
  WriteResult Finish(std::string_view typedNumber, std::string_view date);

 private:
  void CreateOutput();
  bool Writing() const { return out_.has_value() && writeFailure_.Written(); }
  void NoteWriteFailure(WriteFailure failure, const std::string& path = {});

  std::string directory_;
  OutputKind kind_;
  std::array<bool, 256> runExcluded_;
  FileTable table_;
  bool refused_ = false;
  bool outputTried_ = false;
  MergedOutput output_;
  std::optional<BlockWriter> out_;  // over output_'s temporary file, once created
  WriteResult writeFailure_;        // the first failed write; none while none
  // Writes the output while the next lines are read. Declared last: it finishes its work
  // before the writer and the file it writes to go.
  platform::SerialWorker worker_;
};

}  // namespace pcn
