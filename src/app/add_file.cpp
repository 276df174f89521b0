// Add-file over the core: the checks and the reading are LoadChecked's; this file asks,
// tells and keeps the window in step.
#include "app/add_file.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "app/message_box.h"
#include "app/show_totals.h"
#include "check/line_checks.h"
#include "platform/path_parts.h"
#include "platform/platform.h"
#include "report/checked_load.h"
#include "report/load_file.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn {
namespace {

// One file through the Add-file rules. A refusal names the file, chosen alone or with others.
AddOutcome AddPath(Dialog& dialog, FileTable& table, const std::string& path) {
  if (path.empty() || !platform::IsOrdinaryFile(path)) {
    dialog.Beep();
    return AddOutcome::kNothingChosen;
  }
  // The file's keys are kept, so that its repeats of the files above it are counted now and
  // counted again when a file above it goes.
  auto keys = std::make_shared<std::vector<KeyedRecord>>();
  LineChecker::Options checks;
  checks.keys = keys.get();
  LoadResult loaded = LoadChecked(table, path, checks);
  if (loaded.refusal != LoadRefusal::kNone) {
    ShowStop(dialog, MessageFor(loaded, path));
    return AddOutcome::kRefused;
  }
  keys->shrink_to_fit();
  loaded.entry.invoiceKeys = std::move(keys);
  const std::string dealer = loaded.entry.dealerNumber;
  AddEntry(table, std::move(loaded.entry));
  CountRepeats(table);
  dialog.SetFileCount(table.FileCount());
  if (dialog.FindDealerExact(dealer) < 0) {
    dialog.AddDealer(dealer);
    dialog.SelectFirstDealer();
  }
  dialog.SetText(ControlId::kNumber, dialog.DealerText());
  ShowTotals(dialog, table);
  return AddOutcome::kAdded;
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lowered;
}

// Several files, one after another; kAdded when any was taken.
AddOutcome AddSeveral(Dialog& dialog, FileTable& table, std::vector<std::string> paths) {
  // By file name, letter case aside (as Windows compares names); the full path settles ties
  // so that the order never depends on how the list came.
  std::sort(paths.begin(), paths.end(), [](const std::string& a, const std::string& b) {
    const std::string la = Lowered(platform::FileNameOf(a)), lb = Lowered(platform::FileNameOf(b));
    return la != lb ? la < lb : a < b;
  });
  AddOutcome outcome = AddOutcome::kNothingChosen;
  for (const std::string& path : paths) {
    switch (AddPath(dialog, table, path)) {
      case AddOutcome::kAdded:
        outcome = AddOutcome::kAdded;
        break;
      case AddOutcome::kRefused:
        if (outcome != AddOutcome::kAdded) outcome = AddOutcome::kRefused;
        break;
      case AddOutcome::kNothingChosen:
        break;
    }
  }
  return outcome;
}

}  // namespace

AddOutcome AddFile(Dialog& dialog, FileTable& table) {
  std::string name;
  std::uint32_t flags = kFileMustExist | kAllowMultiSelect | kExplorer;
  bool selectionTooLong = false;
  const bool chosen = AskOpenFile(dialog, text::kOpenFileTitle, name, "", text::kTextFilesFilter,
                                  "", flags, &selectionTooLong);
  if (selectionTooLong) {
    ShowStop(dialog, text::kTooManyFiles);
    return AddOutcome::kRefused;
  }
  if (!chosen || name.empty()) name = text::kFallbackFileName;
  return AddSeveral(dialog, table, ChosenPaths(name));
}

void AddFiles(Dialog& dialog, FileTable& table, std::vector<std::string> paths) {
  if (!paths.empty()) AddSeveral(dialog, table, std::move(paths));
}

}  // namespace pcn
