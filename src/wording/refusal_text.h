// The one place where every refusal and failure of the core becomes the words the user
// reads: the Hebrew message, which the window shows in a message box and the command-line
// tool prints, and the English reason with its figures that the command line prints beside
// it. The texts are text/messages.h's rows.
#pragma once

#include <string>
#include <string_view>

#include "merge/merged_file.h"
#include "merge_record/record_file.h"
#include "report/load_file.h"
#include "totals/five_percent_rule.h"

namespace pcn {

// --- The Hebrew messages -------------------------------------------------------------------

std::string MessageFor(LoadRefusal refusal);  // empty for kNone
// The refusal of the file at `path` as the window tells it: the message, the file's name on
// a second line and, for a copy of a loaded file, that file's name on a third; for another
// month, the file's month and the loaded files' on a third.
std::string MessageFor(const LoadResult& loaded, std::string_view path);
std::string MessageFor(TotalsPair pair);
// The pair's message and, on a second line, its figures: the declared total, what its
// records add up to and their difference in percent.
std::string MessageFor(const PairCheck& check);
// Generate's outcome: the success message with the merged file's path on a second line, or
// the refusal or failure with the file or folder it names.
std::string MessageFor(const WriteResult& result);
// Saving the record of a merge to the file `shownPath` names: saved there, or not, and when
// the file is one the record names, why.
std::string MessageFor(const RecordResult& result, std::string_view shownPath);

// --- The command line's English reasons ----------------------------------------------------

const char* ReasonFor(LoadRefusal refusal);  // without the figures
// With what the refused line held: "month 04-2024, expected 03-2024"; a copy's names the
// file it repeats.
std::string ReasonFor(const LoadResult& loaded);
// "income more than 5% from its records: declared 1,000.00, records 1,100.00, difference
// 9.0909%".
std::string ReasonFor(const PairCheck& check);
// The reason for a refusal or failure of Generate; empty when the file was written.
std::string ReasonFor(const WriteResult& result);
// Why the record could not be written, to follow "cannot write the record FILE: ".
std::string ReasonFor(const RecordResult& result);

}  // namespace pcn
