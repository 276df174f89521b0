// Loading one PCN874 report: every line validated and summed into a FileEntry, or the
// file refused with the line and the reason. No window and no texts: the fronts say it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "format/content_hash.h"
#include "format/line_reader.h"
#include "format/record_format.h"
#include "platform/platform.h"
#include "report/file_table.h"

namespace pcn {

enum class LoadRefusal {
  kNone,
  kAlreadyLoaded,  // the table holds this file already, under this or another name, or a
                   // file with the same bytes (`samePath` then names it)
  kCannotOpen,     // missing, held elsewhere, no access, or 0 bytes long
  kReadFailed,     // a line could not be read
  kMonthDiffers,   // an opening record names another month than the loaded files
  kClosingDealerDiffers,
  kTooFewRecords,  // fewer than two accepted opening or closing records
};

struct LoadResult {
  LoadRefusal refusal = LoadRefusal::kNone;
  std::int64_t line = 0;  // the line (from 1) where reading stopped on a refusal, else 0
  std::string samePath;   // the loaded file this one is a copy of
  // What a month or closing-record refusal found on its line, and what was expected there.
  std::string found;
  std::string expected;
  FileEntry entry;
};

// The result of a refused file: the refusal and the line where reading stopped.
inline LoadResult Refused(LoadRefusal refusal, std::int64_t line) {
  LoadResult result;
  result.refusal = refusal;
  result.line = line;
  return result;
}

// The acceptance rules over a report's lines, one line at a time, and the entry they give.
class EntryBuilder {
 public:
  // With `checkMonth`, every opening record's month must equal `month` exactly.
  EntryBuilder(bool checkMonth, std::string_view month) : checkMonth_(checkMonth), month_(month) {}

  // Takes the next line (without its line end; the head of a long line is enough).
  // kNone while the file is still acceptable; otherwise the refusal, and reading stops.
  LoadRefusal Take(std::string_view line);
  // After the last line: kNone when the file is accepted, else kTooFewRecords.
  LoadRefusal Finish() const {
    return accepted_ < 2 ? LoadRefusal::kTooFewRecords : LoadRefusal::kNone;
  }

  FileEntry& Entry() { return entry_; }
  // After a month or closing-record refusal: what the line held and what was expected.
  const std::string& Found() const { return found_; }
  const std::string& Expected() const { return expected_; }

 private:
  bool checkMonth_;
  std::string month_;
  FileEntry entry_;
  bool opened_ = false;  // an opening record was read: the closing record has a number to match
  int accepted_ = 0;     // opening records, and closing records whose dealer number matched
  std::string found_;
  std::string expected_;
};

// The parts besides the entry builder that want a source's lines; each may be missing.
struct SourceParts {
  LineSink* copier = nullptr;       // writes the lines into a merged file
  LineObserver* checker = nullptr;  // the checks before upload
};

// The one reading of a source: every line of `file`, once, to the builder and to `parts`;
// every byte into the entry's size and hash. Accepted, the entry is the builder's; path and
// identity are the caller's to fill in.
LoadResult ReadSource(platform::File& file, EntryBuilder& builder, SourceParts parts = {});

// Reads and validates `path`. With `checkMonth`, every opening record's month must equal
// `month` exactly (the month of the files already loaded).
LoadResult LoadSourceFile(const std::string& path, bool checkMonth, std::string_view month);

// The Add-file rules against a table: refused when the table already holds the file
// (FindLoaded); otherwise loaded, the month checked against the loaded files' when there
// are any, and refused when a loaded file holds the same bytes (FindCopy). The lines also
// go to `parts` as they are read. The table is not changed: AddEntry takes an accepted
// entry.
LoadResult LoadReportFor(const FileTable& table, const std::string& path, SourceParts parts = {});

}  // namespace pcn
