// The checks before upload over loaded reports: a file loaded with its lines checked, the
// repeats among the files of the window's list, and the opening record a union of them
// would carry.
#pragma once

#include <string>
#include <vector>

#include "check/finding.h"
#include "check/line_checks.h"
#include "format/line_reader.h"
#include "report/file_table.h"
#include "report/load_file.h"

namespace pcn {

// What the file-wide rules hold a loaded file to.
ReadCounts ReadCountsOf(const FileEntry& entry);

// LoadReportFor with the checks: an accepted entry carries its findings (repeats aside) and
// petty-cash VAT. The records' keys go to `checks.repeats` as a new source, which a refused
// file's records leave again. With `openingAndClosing`, the counts of the findings on opening
// and closing records go there.
LoadResult LoadChecked(const FileTable& table, const std::string& path, LineChecker::Options checks,
                       LineSink* copier = nullptr, FindingCounts* openingAndClosing = nullptr);

// The repeats among the files of `table`, each file's records against its own earlier lines
// and the files above it, from the keys they were loaded with: every entry's repeated-record
// findings and counts are made anew (after a file came or went).
void CountRepeats(FileTable& table);

// The findings of the union file's opening record, built from `combined`: its line is 1.
std::vector<Finding> UnionRecordFindings(const FileEntry& combined);

}  // namespace pcn
