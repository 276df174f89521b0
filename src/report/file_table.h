// The table of loaded files: slot 0 is the combined entry (the running totals of all
// loaded files), slots 1..n the files in load order; and the texts the file list shows for
// each cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "report/amount.h"

namespace pcn {

struct FileEntry {
  std::string path;                                 // as chosen; never cut
  platform::FileIdentity identity;                  // of the file read, taken while it was open
  std::string dealerNumber = std::string(9, '\0');  // 9 characters, blank-padded once read
  std::string reportMonth = std::string(8, '\0');   // MM-YYYY and a blank
  std::string headerCode = std::string(1, '\0');
  Amount taxableSales = 0;
  Amount exemptSales = 0;
  Amount salesVat = 0;
  Amount inputsVat = 0;
  Amount assetInputsVat = 0;
  Amount vatPayable = 0;
  std::int64_t salesRecordCount = 0;
  std::int64_t inputRecordCount = 0;
  Amount salesRecordAmount = 0;
  Amount salesRecordVat = 0;
  Amount inputRecordVat = 0;
};

struct FileTable {
  std::vector<FileEntry> slots = std::vector<FileEntry>(1);  // slot 0: the combined entry

  FileEntry& Combined() { return slots[0]; }
  const FileEntry& Combined() const { return slots[0]; }
  int FileCount() const { return static_cast<int>(slots.size()) - 1; }
};

// Appends a complete entry and folds it into the combined entry.
void AddEntry(FileTable& table, FileEntry entry);
// Takes slot `slot` (from 1) out of the combined entry and the table. With the last file
// gone the month is blank again.
void DeleteEntry(FileTable& table, int slot);
// vatPayable of the combined entry follows its VAT fields, never the files' own.
void RecomputeVatPayable(FileEntry& combined);

// The slot (from 1) of the loaded file that `path` names, or 0 when none does: the same
// path text, or the same file on disk however the path is written (the file the loaded
// path names now; when it names none, the file as it was loaded).
int FindLoaded(const FileTable& table, const std::string& path);
// The month of the loaded files, MM-YYYY, as the report-month display shows it trimmed.
std::string LoadedMonth(const FileTable& table);
// The figure the summary shows for an amount: rounded to whole units.
Amount ShownAmount(Amount amount);

// The text of one cell of the file list: row from 0, column 0 the dealer number, 1-6 the
// amounts, 7-8 the counts, anything else (the filler) a single space.
std::string FileListCellText(const FileTable& table, int row, int column);

}  // namespace pcn
