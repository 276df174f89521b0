// Console output of the command-line tool: the system's messages as UTF-8 lines, and
// file bytes (single-byte Windows-1255 text) made printable.
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "report/load_file.h"

namespace pcn::cli {

// A short English reason for a refusal, beside the window's message.
const char* RefusalReason(LoadRefusal refusal);
// The same with what the refused line held: "month 04-2024, expected 03-2024".
std::string RefusalReason(const LoadResult& loaded);
// "pcn874: FILE:LINE: " (the line left out when there is none), the window's message and
// the English reason; a copy's second line names the file it repeats.
void PrintRefusal(std::ostream& out, const std::string& path, const LoadResult& loaded);

// Windows-1255 bytes as UTF-8; a byte with no character becomes U+FFFD.
std::string Cp1255ToUtf8(std::string_view bytes);

// Prints a message of the system: a CR inside it becomes a line break, and a line break
// ends it.
void PrintMessage(std::ostream& out, std::string_view message);

}  // namespace pcn::cli
