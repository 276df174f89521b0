// The table of loaded files: slot 0 is the combined entry (the running totals of all
// loaded files), slots 1..n the files in load order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "check/finding.h"
#include "check/invoice_key.h"
#include "format/amount.h"
#include "platform/platform.h"

namespace pcn {

struct FileEntry {
  std::string path;                 // as chosen; never cut
  platform::FileIdentity identity;  // of the file read, taken while it was open
  // What the file held when it was read: its size and the hash of its bytes.
  std::int64_t size = 0;
  std::uint64_t contentHash = 0;
  // Empty until an opening record is read; then 9, 8 and 1 characters, blank-padded.
  std::string dealerNumber;
  std::string reportMonth;  // MM-YYYY and a blank
  std::string headerCode;
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
  // What the checks before upload found in the file, in line order, and the VAT of its
  // petty-cash records (summed in the combined entry for the union record's check).
  std::vector<Finding> findings;  // those kept to be listed; findingCounts counts them all
  FindingCounts findingCounts;
  // The keys of its records that can repeat an invoice, kept where the repeats among the
  // loaded files are counted again as files come and go (the window's list).
  std::shared_ptr<const std::vector<KeyedRecord>> invoiceKeys;
  Amount pettyCashVat = 0;
};

// Two entries read from the same bytes: every figure and text taken from the file equal, and
// the same size and hash. The path and the identity on disk are not compared.
bool SameReading(const FileEntry& a, const FileEntry& b);

struct FileTable {
  std::vector<FileEntry> slots = std::vector<FileEntry>(1);  // slot 0: the combined entry

  FileEntry& Combined() { return slots[0]; }
  const FileEntry& Combined() const { return slots[0]; }
  int FileCount() const { return static_cast<int>(slots.size()) - 1; }

  // How many loaded files have each key (a path's text, an identity on disk, a content
  // fingerprint), so that a new file is looked up in the same time however many are
  // loaded; kept by AddEntry and DeleteEntry.
  std::unordered_map<std::uint64_t, int> loadedKeys;
};

// Appends a complete entry and folds it into the combined entry.
void AddEntry(FileTable& table, FileEntry entry);
// Takes slot `slot` (from 1) out of the combined entry and the table. With the last file
// gone the month is blank again.
void DeleteEntry(FileTable& table, int slot);
// vatPayable of the combined entry follows its VAT fields, never the files' own.
void RecomputeVatPayable(FileEntry& combined);

// The slot (from 1) of the loaded file that `path` names, or 0 when none does: the same
// path text, or the same file on disk (as it was loaded) however the path is written.
int FindLoaded(const FileTable& table, const std::string& path);
// The slot (from 1) of a loaded file that holds the same bytes as the file `path`, read
// with `size` bytes and `contentHash`: a copy of it under another name. 0 when none does.
int FindCopy(const FileTable& table, const std::string& path, std::int64_t size,
             std::uint64_t contentHash);
// The month of the loaded files, MM-YYYY, as the report-month display shows it trimmed.
std::string LoadedMonth(const FileTable& table);

}  // namespace pcn
