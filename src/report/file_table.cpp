// The combined entry follows every addition and removal exactly.
#include "report/file_table.h"

#include "report/record_format.h"

namespace pcn {
namespace {

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
}

}  // namespace

void RecomputeVatPayable(FileEntry& c) {
  c.vatPayable = SubtractAmounts(SubtractAmounts(c.salesVat, c.inputsVat), c.assetInputsVat);
}

void AddEntry(FileTable& table, FileEntry entry) {
  FileEntry& c = table.Combined();
  c.reportMonth = entry.reportMonth;
  c.headerCode = entry.headerCode;
  Fold(c, entry, +1);
  table.slots.push_back(std::move(entry));
}

void DeleteEntry(FileTable& table, int slot) {
  Fold(table.Combined(), table.slots[static_cast<std::size_t>(slot)], -1);
  table.slots.erase(table.slots.begin() + slot);
  if (table.FileCount() == 0) table.Combined().reportMonth = std::string(8, ' ');
}

int FindLoaded(const FileTable& table, const std::string& path) {
  const platform::FileIdentity identity = platform::IdentityOf(path);
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    const FileEntry& entry = table.slots[static_cast<std::size_t>(slot)];
    if (entry.path == path) return slot;
    // The file its path names now, which is what Generate reads; while that path names
    // nothing (moved since), the file as it was loaded.
    platform::FileIdentity loaded = platform::IdentityOf(entry.path);
    if (!loaded.known) loaded = entry.identity;
    if (platform::SameIdentity(identity, loaded)) return slot;
  }
  return 0;
}

std::string LoadedMonth(const FileTable& table) {
  return std::string(TrimBlanks(table.Combined().reportMonth));
}

Amount ShownAmount(Amount amount) {
  return AmountFromWhole(RoundToWhole(amount));
}

std::string FileListCellText(const FileTable& table, int row, int column) {
  if (row < 0 || row >= table.FileCount()) return " ";
  const FileEntry& e = table.slots[static_cast<std::size_t>(row) + 1];
  std::string text;
  switch (column) {
    case 0:
      text = e.dealerNumber;
      break;
    case 1:
      text = FormatAmount(e.taxableSales);
      break;
    case 2:
      text = FormatAmount(e.exemptSales);
      break;
    case 3:
      text = FormatAmount(e.salesVat);
      break;
    case 4:
      text = FormatAmount(e.inputsVat);
      break;
    case 5:
      text = FormatAmount(e.assetInputsVat);
      break;
    case 6:
      text = FormatAmount(e.vatPayable);
      break;
    case 7:
      text = FormatWholeNumber(e.salesRecordCount);
      break;
    case 8:
      text = FormatWholeNumber(e.inputRecordCount);
      break;
    default:
      break;
  }
  if (text.size() > 255) text.resize(255);
  return text.empty() ? " " : text;
}

}  // namespace pcn
