// The table of loaded files: slot 0 is the combined entry (the running totals of all
// loaded files), slots 1..n the files in load order.
#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <span>
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

// The loaded files, numbered from 1 in load order (the slot), and the combined entry. Files
// come and go only through AddEntry and DeleteEntry, which keep the combined entry and the
// index of loaded files; what may change of a loaded file afterwards is its findings.
class FileTable {
 public:
  FileEntry& Combined() { return slots_[0]; }
  const FileEntry& Combined() const { return slots_[0]; }
  int FileCount() const { return static_cast<int>(slots_.size()) - 1; }
  // The file in `slot`, 1 to FileCount().
  const FileEntry& File(int slot) const { return slots_[Checked(slot)]; }
  std::span<const FileEntry> Files() const { return {slots_.data() + 1, slots_.size() - 1}; }
  // Repeats are counted across files, so a file's findings change as others come and go.
  std::vector<Finding>& FindingsOf(int slot) { return slots_[Checked(slot)].findings; }
  FindingCounts& FindingCountsOf(int slot) { return slots_[Checked(slot)].findingCounts; }

 private:
  friend void AddEntry(FileTable& table, FileEntry entry);
  friend void DeleteEntry(FileTable& table, int slot);
  friend int FindLoaded(const FileTable& table, const std::string& path);
  friend int FindCopy(const FileTable& table, const std::string& path, std::int64_t size,
                      std::uint64_t contentHash);

  void Reindex(const FileEntry& entry, int change);
  bool IsIndexed(std::uint64_t key) const { return loadedKeys_.contains(key); }

  std::size_t Checked(int slot) const {
    assert(slot >= 1 && slot <= FileCount());
    return static_cast<std::size_t>(slot);
  }

  std::vector<FileEntry> slots_ = std::vector<FileEntry>(1);  // slot 0: the combined entry
  // How many loaded files have each key (a path's text, an identity on disk, a content
  // fingerprint), so that a new file is looked up in the same time however many are
  // loaded.
  std::unordered_map<std::uint64_t, int> loadedKeys_;
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
