// Each file's name, and its figures in the "#," format the summary uses for the combined ones.
#include "app/file_list_text.h"

#include "format/amount.h"
#include "platform/path_parts.h"

namespace pcn {

std::string FileListCellText(const FileTable& table, int row, int column) {
  if (row < 0 || row >= table.FileCount()) return " ";
  const FileEntry& e = table.File(row + 1);
  std::string text;
  switch (column) {
    case kNameColumn:
      text = platform::FileNameOf(e.path);
      break;
    case 1:
      text = e.dealerNumber;
      break;
    case 2:
      text = FormatAmount(e.taxableSales);
      break;
    case 3:
      text = FormatAmount(e.exemptSales);
      break;
    case 4:
      text = FormatAmount(e.salesVat);
      break;
    case 5:
      text = FormatAmount(e.inputsVat);
      break;
    case 6:
      text = FormatAmount(e.assetInputsVat);
      break;
    case 7:
      text = FormatAmount(e.vatPayable);
      break;
    case 8:
      text = FormatWholeNumber(e.salesRecordCount);
      break;
    case 9:
      text = FormatWholeNumber(e.inputRecordCount);
      break;
    case kFindingsColumn:
      // Blank for a file without findings, so that the ones with findings stand out.
      if (e.findingCounts.Total() > 0) text = FormatWholeNumber(e.findingCounts.Total());
      break;
    default:
      break;
  }
  if (text.size() > 255) text.resize(255);
  return text.empty() ? " " : text;
}

std::string FileListTipText(const FileTable& table, int row) {
  if (row < 0 || row >= table.FileCount()) return {};
  return table.File(row + 1).path;
}

}  // namespace pcn
