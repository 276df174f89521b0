// `pcn874 check`: the files loaded together by the Add-file rules, each line checked by the
// rules the tax authority applies after upload, and, for two files or more, the opening
// record a union file of them would carry. Findings go to the standard output, refusals to
// the error stream.
#include <iostream>

#include "app/refusal_text.h"
#include "check/line_checks.h"
#include "check/rules.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "merge/merged_writer.h"
#include "nlohmann/json.hpp"
#include "platform/platform.h"

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
  RepeatIndex repeats;
  repeats.Reserve(EstimatedRecords(options.files));
  bool refused = false;
  bool found = false;
  ordered_json files = ordered_json::array();
  for (const std::string& path : options.files) {
    ordered_json file;
    file["path"] = path;
    LoadResult loaded;
    if (!platform::IsOrdinaryFile(path)) {
      loaded = Refused(LoadRefusal::kCannotOpen, 0);
    } else {
      loaded = LoadChecked(table, path, repeats);
    }
    if (loaded.refusal != LoadRefusal::kNone) {
      refused = true;
      file["refused"] = true;
      file["reason"] = RefusalReason(loaded.refusal);
      file["line"] = loaded.line;
      file["findings"] = ordered_json::array();
      PrintRefusal(std::cerr, path, loaded);
    } else {
      const FileEntry& e = loaded.entry;
      found = found || e.findingCount > 0;
      file["refused"] = false;
      file["findingCount"] = e.findingCount;
      file["findings"] = FindingsJson(e.findings);
      if (!options.json) {
        PrintFindings(path, e.findings);
        const auto unlisted = e.findingCount - static_cast<std::int64_t>(e.findings.size());
        if (unlisted > 0) std::cout << path << ": " << unlisted << " more findings not listed\n";
      }
      AddEntry(table, std::move(loaded.entry));
    }
    files.push_back(file);
  }
  ordered_json merged(nullptr);
  if (table.FileCount() >= 2) {
    const std::vector<Finding> findings = UnionRecordFindings(table.Combined());
    found = found || !findings.empty();
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
  return found ? kExitFindings : kExitDone;
}

}  // namespace pcn::cli
