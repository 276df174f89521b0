// The printing of messages and refusals.
#include "cli/printing.h"

#include <ostream>

#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn::cli {

void PrintRefusal(std::ostream& out, const std::string& path, const LoadResult& loaded) {
  std::string where = path;
  if (loaded.line > 0) {
    where += ':';
    where += std::to_string(loaded.line);
  }
  where += ": ";
  where += MessageFor(loaded.refusal);
  PrintRefusal(out, where, ReasonFor(loaded));
}

void PrintNotAFile(std::ostream& out, const std::string& path) {
  std::string where = path;
  where += ": ";
  where += text::kNotAFile.hebrew;
  PrintRefusal(out, where, text::kNotAFile.english);
}

void PrintRefusal(std::ostream& out, std::string_view message, std::string_view reason) {
  std::string line = "pcn874: ";
  line += message;
  line += " (";
  line += reason;
  line += ')';
  PrintMessage(out, line);
}

void PrintMessage(std::ostream& out, std::string_view message) {
  for (char c : message) out << (c == '\r' ? '\n' : c);
  out << '\n';
}

}  // namespace pcn::cli
