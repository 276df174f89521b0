// Writing a merged file while its sources are read, each once: every source is checked,
// summed and copied into a temporary output file in the same reading, and the first
// record, whose width is fixed, goes into the place kept for it at the start once the
// totals are known. The command line loads its files this way (Add); the window, whose
// files were loaded at Add-file, reads each again as it copies it and requires the same
// entry as at Add-file (Copy), so that the header never disagrees with the records.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/finding.h"
#include "check/line_checks.h"
#include "check/repeat_finder.h"
#include "format/line_reader.h"
#include "merge/block_writer.h"
#include "merge/merged_file.h"
#include "platform/atomic_file.h"
#include "report/file_table.h"
#include "report/load_file.h"

namespace pcn {

class MergeRun {
 public:
  // Of each source's format and deduction findings, `listed` are kept to be listed.
  MergeRun(std::string directory, OutputKind kind, std::size_t listed = LineChecker::kListed);
  // The temporary file goes unless Finish completed the merge.
  ~MergeRun() = default;
  MergeRun(const MergeRun&) = delete;
  MergeRun& operator=(const MergeRun&) = delete;

  // Loads `path` by the Add-file rules against the files added so far (LoadReportFor) and
  // copies its lines as they are read. Accepted, it joins Table(). A refusal ends the
  // merge: the caller tells it and lets the object go.
  LoadResult Add(const std::string& path);

  // Reads again the file `loaded` came from and copies its lines. Fails (and ends the
  // merge) when the file cannot be opened or read, or no longer gives the same entry: it
  // changed, was replaced, truncated or deleted since it was loaded.
  WriteResult Copy(const FileEntry& loaded);

  // The files added and the combined entry, which spin steps may move before Finish.
  FileTable& Table() { return table_; }

  // A finding of the merged file, with the file its line is in.
  struct PlacedFinding {
    std::string path;
    Finding finding;
  };
  // What the checks before upload find in the file that Finish would write for `table`.
  struct Findings {
    // The union record's first, then each source's in line order, repeats of an earlier
    // source included: every refusal and repeat, and the format and deduction findings each
    // source kept to be listed.
    std::vector<PlacedFinding> listed;
    FindingCounts counts;  // all of them, listed or not
    std::int64_t Unlisted() const {
      return counts.Total() - static_cast<std::int64_t>(listed.size());
    }
    // The weighty findings (check/finding.h), in order: every one of them is listed.
    std::vector<const PlacedFinding*> Weighty() const;
  };
  // Every source's lines as read here and, in the union form, the new opening record's
  // findings in place of the sources' own opening and closing records, which it drops.
  Findings MergedFindings(const FileTable& table) const;

  // The findings that hold back the file Finish would write for `table` and `typedNumber`:
  // `--strict` writes nothing then, and the window asks first. They are the weighty ones,
  // and only while nothing else refuses the file (CheckBeforeWriting): a refusal of its own
  // is told instead, with no question before it. Empty when the file may be written.
  std::vector<const PlacedFinding*> HoldingBack(const Findings& findings, const FileTable& table,
                                                std::string_view typedNumber) const;

  // Generate's checks in Generate's order for the files of `table` (Table(), or the
  // window's table whose files were all copied, in order): CheckBeforeWriting, then the
  // output can be opened, then every write succeeded; then the last record, the first
  // record in its place, the sync and the final name. `typedNumber` is normalised here.
  WriteResult Finish(const FileTable& table, std::string_view typedNumber, std::string_view date);

 private:
  void CreateOutput();
  bool Writing() const { return out_.has_value() && !writeFailure_.has_value(); }
  // Reads one source through `read`, copying when the output is being written.
  template <typename Read>
  auto Copying(const std::string& path, Read read);

  std::string directory_;
  OutputKind kind_;
  FileTable table_;
  std::size_t listed_;
  RepeatFinder repeats_;  // the records of every source read so far
  struct Source {
    std::string path;
    std::vector<Finding> findings;  // repeats aside
    FindingCounts counts;
    FindingCounts openingAndClosing;  // of counts
  };
  std::vector<Source> sources_;
  bool ended_ = false;  // a source was refused or failed: nothing is to be written
  bool outputTried_ = false;
  platform::AtomicFile output_;
  std::optional<BlockWriter> out_;           // over output_'s temporary file, once created
  std::optional<WriteResult> writeFailure_;  // the first failed write
  std::string outputError_;                  // why the temporary file could not be created
};

}  // namespace pcn
