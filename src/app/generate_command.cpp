// Generate: the window's inputs to the core's writer, its outcome to one message.
#include "app/generate_command.h"

#include "app/message_box.h"
#include "app/refusal_text.h"

namespace pcn {

WriteResult GenerateMergedFile(Dialog& dialog, const FileTable& table, const std::string& today) {
  const OutputKind kind =
      dialog.RepresentativeChecked() ? OutputKind::kRepresentative : OutputKind::kDealersUnion;
  const WriteResult result =
      WriteMergedFile(table, kind, dialog.Text(ControlId::kNumber), dialog.OutputDirectory(), today,
                      [&dialog](int row) { dialog.SelectFileAndRedraw(row); });
  // The success message too carries the stop icon, as every message of the program does.
  ShowStop(dialog, MessageFor(result));
  return result;
}

}  // namespace pcn
