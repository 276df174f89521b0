// The combined entry follows every addition and removal exactly.
#include "report/file_table.h"

#include <functional>

#include "format/content_hash.h"
#include "format/record_format.h"

namespace pcn {
namespace {

// The keys of the index: a hash of each thing a loaded file is found by. Two things may
// share a key; a hit is then confirmed against the slots themselves.
std::uint64_t Mixed(std::uint64_t kind, std::uint64_t a, std::uint64_t b) {
  std::uint64_t h = (kind + 1) * 0x9E3779B97F4A7C15ull ^ a;
  h = (h ^ (h >> 31)) * 0xBF58476D1CE4E5B9ull ^ b;
  return (h ^ (h >> 29)) * 0x94D049BB133111EBull;
}
std::uint64_t PathKey(const std::string& path) {
  return Mixed(0, std::hash<std::string>{}(path), 0);
}
std::uint64_t IdentityKey(const platform::FileIdentity& identity) {
  return Mixed(1, identity.volume, identity.index);
}
std::uint64_t ContentKey(std::int64_t size, std::uint64_t contentHash) {
  return Mixed(2, static_cast<std::uint64_t>(size), contentHash);
}

// Adds (sign +1) or subtracts (sign -1) a file's figures into the combined entry. The
// month, the report code and vatPayable are not summed.
void Fold(FileEntry& c, const FileEntry& e, int sign) {
  auto apply = [sign](Amount& total, Amount value) {
    total = sign > 0 ? AddAmounts(total, value) : SubtractAmounts(total, value);
  };
  apply(c.taxableSales, e.taxableSales);
  apply(c.exemptSales, e.exemptSales);
  apply(c.salesVat, e.salesVat);
  apply(c.inputsVat, e.inputsVat);
  apply(c.assetInputsVat, e.assetInputsVat);
  RecomputeVatPayable(c);
  c.salesRecordCount += sign * e.salesRecordCount;
  c.inputRecordCount += sign * e.inputRecordCount;
  apply(c.salesRecordAmount, e.salesRecordAmount);
  apply(c.salesRecordVat, e.salesRecordVat);
  apply(c.inputRecordVat, e.inputRecordVat);
  apply(c.pettyCashVat, e.pettyCashVat);
}

}  // namespace

void FileTable::Reindex(const FileEntry& entry, int change) {
  for (const std::uint64_t key : {PathKey(entry.path), IdentityKey(entry.identity),
                                  ContentKey(entry.size, entry.contentHash)}) {
    const int count = loadedKeys_[key] += change;
    if (count <= 0) loadedKeys_.erase(key);
  }
}

void RecomputeVatPayable(FileEntry& c) {
  c.vatPayable = SubtractAmounts(SubtractAmounts(c.salesVat, c.inputsVat), c.assetInputsVat);
}

void AddEntry(FileTable& table, FileEntry entry) {
  FileEntry& c = table.Combined();
  c.reportMonth = entry.reportMonth;
  c.headerCode = entry.headerCode;
  Fold(c, entry, +1);
  table.Reindex(entry, +1);
  table.slots_.push_back(std::move(entry));
}

void DeleteEntry(FileTable& table, int slot) {
  Fold(table.Combined(), table.File(slot), -1);
  table.Reindex(table.File(slot), -1);
  table.slots_.erase(table.slots_.begin() + slot);
  if (table.FileCount() == 0) table.Combined().reportMonth = std::string(8, ' ');
}

int FindLoaded(const FileTable& table, const std::string& path) {
  const platform::FileIdentity identity = platform::IdentityOf(path);
  const bool samePath = table.IsIndexed(PathKey(path));
  const bool sameFile = identity.known && table.IsIndexed(IdentityKey(identity));
  if (!samePath && !sameFile) return 0;
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    const FileEntry& entry = table.File(slot);
    if (entry.path == path || platform::SameIdentity(identity, entry.identity)) return slot;
  }
  return 0;
}

int FindCopy(const FileTable& table, const std::string& path, std::int64_t size,
             std::uint64_t contentHash) {
  if (!table.IsIndexed(ContentKey(size, contentHash))) return 0;
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    const FileEntry& entry = table.File(slot);
    if (entry.size == size && entry.contentHash == contentHash && SameContent(entry.path, path)) {
      return slot;
    }
  }
  return 0;
}

bool SameReading(const FileEntry& a, const FileEntry& b) {
  return a.size == b.size && a.contentHash == b.contentHash && a.dealerNumber == b.dealerNumber &&
         a.reportMonth == b.reportMonth && a.headerCode == b.headerCode &&
         a.taxableSales == b.taxableSales && a.exemptSales == b.exemptSales &&
         a.salesVat == b.salesVat && a.inputsVat == b.inputsVat &&
         a.assetInputsVat == b.assetInputsVat && a.vatPayable == b.vatPayable &&
         a.salesRecordCount == b.salesRecordCount && a.inputRecordCount == b.inputRecordCount &&
         a.salesRecordAmount == b.salesRecordAmount && a.salesRecordVat == b.salesRecordVat &&
         a.inputRecordVat == b.inputRecordVat;
}

std::string LoadedMonth(const FileTable& table) {
  return std::string(TrimBlanks(table.Combined().reportMonth));
}

}  // namespace pcn
