// Loading one PCN874 source file: the pure reading and validation step, and AddFile, the
// Add-file button, which owns the user interaction around it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/dialog_port.h"
#include "report/file_table.h"

namespace pcn {

enum class LoadRefusal {
  kNone,
  kCannotOpen,         // missing, held elsewhere, no access, or 0 bytes long
  kReadFailed,         // a line could not be read
  kMonthDiffers,       // an opening record names another month than the loaded files
  kClosingDealerDiffers,
  kTooFewRecords,      // fewer than two accepted opening or closing records
};

struct LoadResult {
  LoadRefusal refusal = LoadRefusal::kNone;
  std::int64_t line = 0;  // the line (from 1) where reading stopped on a refusal, else 0
  FileEntry entry;
};

// Reads and validates `path`. With `checkMonth`, every opening record's month must equal
// `month` exactly (the report-month display of the files already loaded).
LoadResult LoadSourceFile(const std::string& path, bool checkMonth, std::string_view month);

// The message the window shows for a refusal (empty for kNone).
const char* LoadRefusalMessage(LoadRefusal refusal);
// A short English reason, for the command-line tool.
const char* LoadRefusalReason(LoadRefusal refusal);

enum class AddOutcome { kAdded, kNothingChosen, kRefused };

// The Add-file button: asks for a file, loads it and, when it is accepted, adds it to the
// table, the list, the dealer-number combo box, the number field and the totals.
AddOutcome AddFile(Dialog& dialog, FileTable& table);

}  // namespace pcn
