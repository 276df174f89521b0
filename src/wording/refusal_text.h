// The one place where every refusal and failure of the core becomes the message the user
// reads. The window shows it in a message box, the command-line tool prints it.
#pragma once

#include <string>
#include <string_view>

#include "merge/merged_file.h"
#include "report/load_file.h"
#include "totals/five_percent_rule.h"

namespace pcn {

std::string MessageFor(LoadRefusal refusal);  // empty for kNone
// The refusal of the file at `path`: the message, the file's name on a second line and, for
// a copy of a loaded file, that file's name on a third.
std::string MessageFor(const LoadResult& loaded, std::string_view path);
std::string MessageFor(TotalsPair pair);
std::string MessageFor(const WriteResult& result);  // the success message when written

}  // namespace pcn
