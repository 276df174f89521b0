// The window's record of a merge: the command-line tool's page (MergeRecordPage), filled the
// same way with the window's spin steps as its adjustments, and written by the same core.
#include "app/record_commands.h"

#include "app/generate_command.h"
#include "app/message_box.h"
#include "app/message_fit.h"
#include "format/dealer_number.h"
#include "merge_record/record_file.h"
#include "platform/path_parts.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn {

bool KeepMergeRecord(MergeRecordState& state, const FileTable& table, const GenerateResult& result,
                     const std::string& dateTime) {
  if (!result.Written()) return true;
  MergeRecordState::LastMerge last{table, {}};
  MergeRecord& record = last.record;
  record.dateTime = dateTime;
  // Whole, but with a drive's root ("C:\") joined to the name by one separator.
  record.outputPath = TidyPath(result.write.path);
  record.kind = result.kind;
  record.number = NormaliseDealerNumber(result.number);
  record.adjustments = state.steps;
  record.findings = result.findingsBySeverity;
  // Held to the bytes the merge read: a file changed since gets no record at all.
  if (!TakeDigests(record, table, result.write.path).Done()) {
    state.last.reset();
    return false;
  }
  state.last = std::move(last);
  return true;
}

void SaveMergeRecord(Dialog& dialog, const MergeRecordState& state) {
  if (!state.last) {
    dialog.Beep();
    return;
  }
  const MergeRecordState::LastMerge& last = *state.last;
  // Beside the merged file, under its name: the page is filed with it.
  const std::string merged = last.record.outputPath;
  const std::string_view mergedName = platform::FileNameOf(merged);
  std::string name(mergedName.substr(0, mergedName.rfind('.')));
  name += '.';
  name += text::kRecordExtension;
  std::uint32_t flags = kOverwritePrompt | kPathMustExist | kExplorer;
  const std::string folder = merged.substr(0, merged.size() - mergedName.size());
  if (!AskSaveFile(dialog, text::kSaveRecordTitle, name, folder, text::kRecordFilter,
                   text::kRecordExtension, flags) ||
      name.empty()) {
    return;
  }
  const RecordResult saved = WriteRecordFile(name, last.record, last.table);
  // The stop icon, as Generate's success message has.
  ShowStop(dialog, MessageFor(saved, ShownPath(dialog, name)));
}

}  // namespace pcn
