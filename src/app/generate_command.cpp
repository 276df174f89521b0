// Generate: the window's inputs to the core's merge, the merged file's findings to a question
// and a file, its outcome to one message.
#include "app/generate_command.h"

#include <limits>
#include <vector>

#include "app/findings.h"
#include "app/message_box.h"
#include "app/message_fit.h"
#include "app/record_commands.h"
#include "check/rules.h"
#include "format/amount.h"
#include "merge/merge_run.h"
#include "merge_record/record_file.h"
#include "platform/platform.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn {
namespace {

// The outcome as the message tells it: its paths tidied and shortened for the box.
std::string ShownMessageFor(Dialog& dialog, WriteResult result) {
  result.path = ShownPath(dialog, result.path);
  result.directory = ShownPath(dialog, result.directory);
  return MessageFor(result);
}

}  // namespace

GenerateResult GenerateMergedFile(Dialog& dialog, const FileTable& table, const std::string& today,
                                  const std::function<bool(const GenerateResult&)>& onWritten) {
  const OutputKind kind =
      dialog.RepresentativeChecked() ? OutputKind::kRepresentative : OutputKind::kDealersUnion;
  const std::string directory = dialog.OutputDirectory();
  const std::string typedNumber = dialog.Text(ControlId::kNumber);
  GenerateResult result;
  result.kind = kind;
  result.number = typedNumber;
  // One file is refused before any is read: the merge would write a whole temporary file
  // first, left in the folder while the message shows.
  if (table.FileCount() < 2) {
    result.write = Failed(WriteFailure::kTooFewFiles);
    ShowStop(dialog, MessageFor(result.write));
    return result;
  }
  // The findings file is where the user reads every finding: none is left unlisted.
  MergeRun run(directory, kind, std::numeric_limits<std::size_t>::max());
  // Every loaded file read again and copied, each row selected while its file is copied.
  for (int row = 0; row < table.FileCount(); ++row) {
    dialog.SelectFileAndRedraw(row);
    result.write = run.Copy(table.File(row + 1));
    if (!result.write.Written()) {
      ShowStop(dialog, ShownMessageFor(dialog, result.write));
      return result;
    }
  }

  const MergeRun::Findings findings = run.MergedFindings(table);
  if (const auto held = run.HoldingBack(findings, table, typedNumber);
      !held.empty() && !AskYesNo(dialog, WeightyFindingQuestion(*held.front()))) {
    result.declined = true;
    return result;  // the run's temporary file goes with it
  }

  result.write = run.Finish(table, typedNumber, today);
  // The success message too carries the stop icon, as every message of the program does.
  std::string message = ShownMessageFor(dialog, result.write);
  const std::int64_t count = findings.counts.Total();
  result.findingsBySeverity = SummaryOf(findings);
  if (result.write.Written() && count > 0) {
    result.findings = count;
    const std::string name = FindingsFileName(MergedFileName(LoadedMonth(table)));
    // Joined to a drive's root ("C:\") the separator would be doubled.
    const std::string path = TidyPath(directory + platform::kPathSeparator + name);
    const bool written = WriteFindingsFile(directory, name, findings);
    if (written) result.findingsPath = path;
    message += text::kFindingsWrittenPrefix;
    message += FormatWholeNumber(count);  // as the list counts them
    message += written ? text::kFindingsWrittenSuffix : text::kFindingsNotWrittenSuffix;
    message += ShownPath(dialog, path);
  }
  if (onWritten && result.Written() && onWritten(result)) {
    // Still one message, with the stop icon; No the default, so Enter alone goes on as the
    // plain success message did.
    message += text::kOfferRecord;
    result.recordWanted = AskYesNo(dialog, message, kIconStop);
    return result;
  }
  ShowStop(dialog, message);
  return result;
}

void GenerateKeepingRecord(Dialog& dialog, const FileTable& table, MergeRecordState& state) {
  const GenerateResult result = GenerateMergedFile(
      dialog, table, platform::LocalDateText(), [&](const GenerateResult& written) {
        return KeepMergeRecord(state, table, written, platform::LocalDateTimeText()) &&
               state.last.has_value();
      });
  if (result.recordWanted) SaveMergeRecord(dialog, state);
}

}  // namespace pcn
