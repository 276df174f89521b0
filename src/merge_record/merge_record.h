// The record of a merge for the accountant's client file: one printable Hebrew page that
// says which files went into the merged file and what each declared, what was adjusted,
// what the checks found, and the SHA-256 of every file, so that the files filed can be
// shown later to be the ones merged. Values in, text out: the caller hashes and writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/amount.h"
#include "merge/merged_file.h"
#include "report/file_table.h"
#include "totals/adjustment.h"

namespace pcn {

// One spin step that moved a combined total.
struct RecordedAdjustment {
  AdjustableTotal total = AdjustableTotal::kTaxableSales;
  std::int64_t delta = 0;  // whole units, as asked
  Amount before = 0;       // the total as shown before the step
  Amount after = 0;        // and after it
};

// The merged file's findings by weight, every one counted, and how many of them the
// findings file does not list.
struct FindingsSummary {
  std::int64_t bySeverity[4] = {};  // indexed by Severity
  std::int64_t unlisted = 0;
};

struct MergeRecord {
  std::string dateTime;  // when the merge was made, as the page shows it
  std::string outputPath;
  std::int64_t outputSize = 0;
  std::string outputSha256;
  OutputKind kind = OutputKind::kDealersUnion;
  std::string number;                     // as the merged file carries it
  std::vector<std::string> sourceSha256;  // of the table's files, in load order
  // The files' paths as the page names them (whole, to be read from another folder); the
  // table's own where none is given.
  std::vector<std::string> sourcePaths;
  std::vector<RecordedAdjustment> adjustments;
  FindingsSummary findings;
};

// The SHA-256 of every file of `table` (slots from 1), each read once more and held to the
// bytes the merge read (their size and content hash), so that a digest is never of a file
// that changed after it was merged. None when a file cannot be read again or has changed;
// `failedPath` names it and `changed` tells which.
std::optional<std::vector<std::string>> DigestsOfMergedFiles(const FileTable& table,
                                                             std::string& failedPath,
                                                             bool& changed);

// The page, UTF-8 HTML, right to left, sized for one A4 sheet. `table` holds the merged
// files (slots from 1) and the combined entry as it was written, adjustments included.
std::string MergeRecordPage(const MergeRecord& record, const FileTable& table);

// Text for an HTML page: the markup characters escaped, and every byte that is no part of
// a valid UTF-8 character (a path in another code page, a field of a file) replaced by
// U+FFFD, so that the page stays valid UTF-8 whatever it is given.
std::string HtmlText(std::string_view text);

}  // namespace pcn
