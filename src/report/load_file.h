// Loading one PCN874 report: every line validated and summed into a FileEntry, or the
// file refused with the line and the reason. No window and no texts: the fronts say it.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/file_table.h"
#include "report/record_format.h"

namespace pcn {

enum class LoadRefusal {
  kNone,
  kAlreadyLoaded,  // the table holds this file already, under this or another name
  kCannotOpen,     // missing, held elsewhere, no access, or 0 bytes long
  kReadFailed,     // a line could not be read
  kMonthDiffers,   // an opening record names another month than the loaded files
  kClosingDealerDiffers,
  kTooFewRecords,  // fewer than two accepted opening or closing records
};

struct LoadResult {
  LoadRefusal refusal = LoadRefusal::kNone;
  std::int64_t line = 0;  // the line (from 1) where reading stopped on a refusal, else 0
  FileEntry entry;
};

// The result of a refused file: the refusal and the line where reading stopped.
inline LoadResult Refused(LoadRefusal refusal, std::int64_t line) {
  LoadResult result;
  result.refusal = refusal;
  result.line = line;
  return result;
}

// The acceptance rules over a report's lines, one line at a time, so that a caller that
// reads the file for another purpose too (copying it) can validate it in the same pass.
class EntryBuilder {
 public:
  // With `checkMonth`, every opening record's month must equal `month` exactly.
  EntryBuilder(bool checkMonth, std::string_view month) : checkMonth_(checkMonth), month_(month) {}

  // Takes the next line (without its line end; the head of a long line is enough).
  // kNone while the file is still acceptable; otherwise the refusal, and reading stops.
  // Nearly every line is a detail record of plain digits: that is taken here, inline in
  // the reading loop, everything else apart.
  LoadRefusal Take(std::string_view line) {
    const RecordKind kind = KindOfRecord(line);
    const bool sale = kind == RecordKind::kTransaction;
    // Types mix at random in a file: both kinds take the same steps, without a branch.
    if ((sale || kind == RecordKind::kInput) && line.size() >= 51 &&
        std::endian::native == std::endian::little) {
      const PlainDetail d = ReadPlainDetail(line.data());
      if (d.vatPlain && (d.amountPlain || !sale)) {
        entry_.salesRecordVat = AddAmounts(entry_.salesRecordVat, sale ? d.vat : 0);
        entry_.salesRecordAmount = AddAmounts(entry_.salesRecordAmount, sale ? d.amount : 0);
        entry_.inputRecordVat = AddAmounts(entry_.inputRecordVat, sale ? 0 : d.vat);
        entry_.salesRecordCount += sale ? 1 : 0;
        entry_.inputRecordCount += sale ? 0 : 1;
        return LoadRefusal::kNone;
      }
    }
    return TakeCarefully(line, kind);
  }
  // After the last line: kNone when the file is accepted, else kTooFewRecords.
  LoadRefusal Finish() const {
    return accepted_ < 2 ? LoadRefusal::kTooFewRecords : LoadRefusal::kNone;
  }

  FileEntry& Entry() { return entry_; }

 private:
  LoadRefusal TakeCarefully(std::string_view line, RecordKind kind);

  bool checkMonth_;
  std::string month_;
  FileEntry entry_;
  int accepted_ = 0;  // opening records, and closing records whose dealer number matched
};

// Reads and validates `path`. With `checkMonth`, every opening record's month must equal
// `month` exactly (the month of the files already loaded).
LoadResult LoadSourceFile(const std::string& path, bool checkMonth, std::string_view month);

// The Add-file rules against a table: refused when the table already holds the file
// (FindLoaded); otherwise loaded, the month checked against the loaded files' when there
// are any. The table is not changed: AddEntry takes an accepted entry.
LoadResult LoadReportFor(const FileTable& table, const std::string& path);

}  // namespace pcn
