// The window's findings: texts from the core's rules, the file through the same
// temporary-then-rename path as the merged file.
#include "app/findings.h"

#include <algorithm>

#include "app/message_box.h"
#include "app/message_fit.h"
#include "check/line_checks.h"
#include "check/rules.h"
#include "format/amount.h"
#include "merge/block_writer.h"
#include "platform/atomic_file.h"
#include "platform/path_parts.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn {
namespace {

void AppendNumbered(std::string& text, std::int64_t number, const Finding& finding) {
  text += std::to_string(number);
  text += ": ";
  text += FindingMessage(finding);
}

}  // namespace

void ShowFileFindings(Dialog& dialog, const FileTable& table, int row) {
  if (row < 0 || row >= table.FileCount()) return;
  const FileEntry& entry = table.File(row + 1);
  std::string message(platform::FileNameOf(entry.path));
  message += '\r';
  if (entry.findingCounts.Total() == 0) message += text::kNoFindings.hebrew;
  // The file's name and the count of the rest take a line each.
  const MessageRoom room = dialog.MessageBoxRoom();
  const std::size_t most =
      std::min(kFindingsShown, static_cast<std::size_t>(std::max(1, room.lines - 2)));
  std::size_t shown = 0;
  for (; shown < entry.findings.size() && shown < most; ++shown) {
    if (shown > 0) message += '\r';
    // One line a finding, its Hebrew message: wrapped with its English reason, thirty made a box
    // taller than a laptop's screen. The findings file and `pcn874 check` give them whole.
    const Finding& finding = entry.findings[shown];
    std::string line = std::to_string(finding.line);
    line += ": ";
    line += RowOf(finding.rule).text.hebrew;
    message += FitLine(line, static_cast<std::size_t>(std::max(1, room.lineChars)));
  }
  // Counted from all the file's findings, not only the ones the entry keeps.
  if (const std::int64_t more = entry.findingCounts.Total() - static_cast<std::int64_t>(shown);
      more > 0) {
    message += text::kMoreFindingsPrefix;
    message += FormatWholeNumber(more);
    message += text::kMoreFindingsSuffix;
  }
  ShowStop(dialog, message);
}

std::string WeightyFindingQuestion(const MergeRun::PlacedFinding& first) {
  const auto& [path, finding] = first;
  std::string question =
      SeverityOf(finding) == Severity::kRefused ? text::kWouldBeRefused : text::kWouldCountTwice;
  question += RowOf(finding.rule).id;
  if (finding.code != 0) {
    question += ' ';
    question += std::to_string(finding.code);
  }
  question += '\r';
  question += platform::FileNameOf(path);
  question += ':';
  AppendNumbered(question, finding.line, finding);
  question += text::kGenerateAnyway;
  return question;
}

std::string FindingsFileName(std::string_view mergedName) {
  constexpr std::string_view kText = ".txt";
  if (mergedName.ends_with(kText)) mergedName.remove_suffix(kText.size());
  return std::string(mergedName) + ".findings.txt";
}

bool WriteFindingsFile(const std::string& directory, const std::string& name,
                       const MergeRun::Findings& findings) {
  const std::int64_t unlisted = findings.Unlisted();
  platform::AtomicFile output;
  if (!output.Open(directory, name)) return false;
  BlockWriter out(output.File());
  out.Append("\xEF\xBB\xBF");
  for (const auto& [path, finding] : findings.listed) {
    out.Append(FindingText(path, finding));
    out.Append("\r\n");
  }
  if (unlisted > 0) {
    const std::string count = std::to_string(unlisted);
    out.Append(text::kUnlistedPrefix);
    out.Append(count);
    out.Append(text::kUnlistedMiddle);
    out.Append(count);
    out.Append(text::kUnlistedSuffix);
    out.Append("\r\n");
  }
  return out.Flush() && output.Commit();
}

}  // namespace pcn
