// Console output of the command-line tool: the system's messages as UTF-8 lines, each
// refusal as the program's Hebrew message and its English reason.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "report/load_file.h"

namespace pcn::cli {

// "pcn874: FILE:LINE: " (the line left out when there is none), the window's message and
// the English reason; a copy's reason names the file it repeats.
void PrintRefusal(std::ostream& out, const std::string& path, const LoadResult& loaded);
// "pcn874: FILE: " and the message of a name that is no file at all, with its reason.
void PrintNotAFile(std::ostream& out, const std::string& path);

// "pcn874: ", the message and " (reason)": the reason after the message's last line.
void PrintRefusal(std::ostream& out, std::string_view message, std::string_view reason);

// Prints a message of the system: a CR inside it becomes a line break, and a line break
// ends it.
void PrintMessage(std::ostream& out, std::string_view message);

}  // namespace pcn::cli
