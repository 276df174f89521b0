// The Generate button: writes one merged PCN874 file from every loaded file, as a
// dealers' union file or a representative's file.
#pragma once

#include <string>

#include "app/dialog_port.h"
#include "report/file_table.h"

namespace pcn {

enum class OutputKind { kDealersUnion, kRepresentative };

struct GenerateResult {
  bool written = false;
  std::string path;  // the merged file's path when written
};

// `today` is the date for the opening record, YYYYMMDD. Every outcome is shown to the user
// through the dialog; the result tells a caller without a window what happened.
GenerateResult GenerateMergedFile(Dialog& dialog, const FileTable& table,
                                  const std::string& today);

}  // namespace pcn
