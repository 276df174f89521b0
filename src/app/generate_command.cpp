// Generate: the window's inputs to the core's writer, its outcome to one message.
#include "app/generate_command.h"

#include "app/message_box.h"
#include "app/refusal_text.h"
#include "merge/merge_run.h"

namespace pcn {

namespace {

// Every loaded file read again and copied, each row selected while its file is copied,
// then the one Finish of every merge.
WriteResult Merge(Dialog& dialog, const FileTable& table, const std::string& today) {
  const OutputKind kind =
      dialog.RepresentativeChecked() ? OutputKind::kRepresentative : OutputKind::kDealersUnion;
  MergeRun run(dialog.OutputDirectory(), kind);
  for (int row = 0; row < table.FileCount(); ++row) {
    dialog.SelectFileAndRedraw(row);
    const WriteResult copied = run.Copy(table.slots[static_cast<std::size_t>(row) + 1]);
    if (!copied.Written()) return copied;
  }
  return run.Finish(table, dialog.Text(ControlId::kNumber), today);
}

}  // namespace

WriteResult GenerateMergedFile(Dialog& dialog, const FileTable& table, const std::string& today) {
  const WriteResult result = Merge(dialog, table, today);
  // The success message too carries the stop icon, as every message of the program does.
  ShowStop(dialog, MessageFor(result));
  return result;
}

}  // namespace pcn
