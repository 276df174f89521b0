// What the checks before upload found, as the window tells it: one file's findings on
// request from the list, the question before writing a merged file the reception would
// refuse or that counts an invoice twice, and the findings file beside a merged file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/dialog_port.h"
#include "merge/merge_run.h"
#include "report/file_table.h"

namespace pcn {

// A message box holds at most this many findings, fewer when fewer lines fit the screen; a
// line with how many more follows them.
inline constexpr std::size_t kFindingsShown = 30;

// The findings of row `row` (from 0) in one message: the file's name, then "LINE: message" for
// each, the rule's Hebrew message on one line. Nothing for a row the table does not have.
void ShowFileFindings(Dialog& dialog, const FileTable& table, int row);

// The question Generate asks when a finding holds the merged file back (MergeRun::HoldingBack):
// the reception would refuse it, or an invoice would count twice. `first` is named.
std::string WeightyFindingQuestion(const MergeRun::PlacedFinding& first);

// "Pcn874-03-2024.findings.txt" beside "Pcn874-03-2024.txt".
std::string FindingsFileName(std::string_view mergedName);

// Writes `directory`/`name`: UTF-8 with a byte-order mark, one line per listed finding as
// FindingText gives it, CR LF after each, and a last line with the number of findings not
// listed when there are any. A file of that name is replaced only once the new one is
// complete; false when it could not be written.
bool WriteFindingsFile(const std::string& directory, const std::string& name,
                       const MergeRun::Findings& findings);

}  // namespace pcn
