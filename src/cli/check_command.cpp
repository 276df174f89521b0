// `pcn874 check`: the files loaded together by the Add-file rules, each line checked by the
// rules the tax authority applies after upload, and, for two files or more, the opening
// record a union file of them would carry. Findings go to the standard output, refusals to
// the error stream.
#include <iostream>

#include "check/line_checks.h"
#include "check/rules.h"
#include "cli/commands.h"
#include "cli/printing.h"
#include "format/joined.h"
#include "merge/merged_file.h"
#include "nlohmann/json.hpp"
#include "platform/platform.h"
#include "report/checked_load.h"
#include "text/command_line.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn::cli {
namespace {

using nlohmann::ordered_json;

ordered_json FindingsJson(const std::vector<Finding>& findings) {
  ordered_json array = ordered_json::array();
  for (const Finding& finding : findings) {
    ordered_json object;
    object["line"] = finding.line;
    object["rule"] = RowOf(finding.rule).id;
    object["code"] = finding.code != 0 ? ordered_json(finding.code) : ordered_json(nullptr);
    object["severity"] = SeverityName(SeverityOf(finding));
    object["message"] = FindingMessage(finding);
    array.push_back(object);
  }
  return array;
}

void PrintFindings(std::string_view file, const std::vector<Finding>& findings) {
  for (const Finding& finding : findings) std::cout << FindingText(file, finding) << '\n';
}

}  // namespace

int RunCheck(const CheckOptions& options) {
  FileTable table;
  RepeatFinder repeats;
  LineChecker::Options checks;
  checks.repeats = &repeats;
  bool refused = false;
  ordered_json files = ordered_json::array();
  std::vector<int> slots;  // each file's slot in the table, or 0 for a refused one
  for (const std::string& path : options.files) {
    ordered_json file;
    file["path"] = path;
    const bool isFile = platform::IsOrdinaryFile(path);
    LoadResult loaded =
        isFile ? LoadChecked(table, path, checks) : Refused(LoadRefusal::kCannotOpen, 0);
    if (loaded.refusal != LoadRefusal::kNone) {
      refused = true;
      file["refused"] = true;
      file["reason"] = isFile ? ReasonFor(loaded.refusal) : text::kNotAFile.english;
      file["line"] = loaded.line;
      file["findingCount"] = 0;  // its records count for nothing
      file["findings"] = ordered_json::array();
      if (isFile) {
        PrintRefusal(std::cerr, path, loaded);
      } else {
        PrintNotAFile(std::cerr, path);
      }
      slots.push_back(0);
    } else {
      AddEntry(table, std::move(loaded.entry));
      slots.push_back(table.FileCount());
    }
    files.push_back(file);
  }

  // Repeats are known once every file has been read; a refused file's records count for
  // nothing.
  const std::vector<RepeatFinder::Repeat> found = repeats.Find();
  std::vector<std::string> paths;
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    paths.push_back(table.File(slot).path);
  }
  bool anything = false;
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] == 0) continue;
    AddRepeats(found, slots[i] - 1, paths, table.FindingsOf(slots[i]),
               table.FindingCountsOf(slots[i]));
    const FileEntry& e = table.File(slots[i]);
    anything = anything || e.findingCounts.Total() > 0;
    ordered_json& file = files[i];
    file["refused"] = false;
    file["findingCount"] = e.findingCounts.Total();
    file["findings"] = FindingsJson(e.findings);
    if (!options.json) {
      // A clean file is named too: silence would not tell it from a file not checked.
      if (e.findingCounts.Total() == 0)
        std::cout << e.path << ": " << text::kNoFindings.english << '\n';
      PrintFindings(e.path, e.findings);
      const auto unlisted = e.findingCounts.Total() - static_cast<std::int64_t>(e.findings.size());
      if (unlisted > 0) {
        std::cout << e.path << ": " << Filled(text::cli::kMoreNotListed, {std::to_string(unlisted)})
                  << '\n';
      }
    }
  }
  ordered_json merged(nullptr);
  if (table.FileCount() >= 2) {
    const std::vector<Finding> findings = UnionRecordFindings(table.Combined());
    anything = anything || !findings.empty();
    merged = ordered_json::object();
    merged["findings"] = FindingsJson(findings);
    if (!options.json) PrintFindings(MergedFileName(LoadedMonth(table)), findings);
  }
  if (options.json) {
    ordered_json out;
    out["files"] = files;
    out["merged"] = merged;
    std::cout << out.dump(2, ' ', false, ordered_json::error_handler_t::replace) << '\n';
  }
  if (refused) return kExitRefused;
  return anything ? kExitFindings : kExitDone;
}

}  // namespace pcn::cli
