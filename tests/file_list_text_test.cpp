// The texts of the file list's cells.
#include "app/file_list_text.h"

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace pcn {
namespace {

TEST(FileListCellText, NamesTheFileAndFormatsEveryColumn) {
  FileTable table;
  FileEntry e;
  e.path = "/reports/03-2024/north.txt";
  e.dealerNumber = "12345678 ";
  e.taxableSales = -1234567 * kAmountScale;
  e.exemptSales = 25000;  // 2.5 shows as 2
  e.salesVat = 35000;     // 3.5 shows as 4
  e.salesRecordCount = 12;
  e.inputRecordCount = 1234;
  e.findingCounts.bySeverity[static_cast<int>(Severity::kFormat)] = 1500;
  AddEntry(table, e);
  // A Hebrew name (UTF-8) after this system's separator (a backslash on Windows).
  e.path =
      std::string("Reports") + platform::kPathSeparator + "\xD7\x93\xD7\xA8\xD7\x95\xD7\x9D.txt";
  e.findingCounts = FindingCounts();
  AddEntry(table, e);
  e.path = "north.txt";  // no folder at all
  AddEntry(table, e);
  static const struct {
    int row, column;
    const char* want;
  } kCells[] = {
      {0, kNameColumn, "north.txt"},
      {1, kNameColumn, "\xD7\x93\xD7\xA8\xD7\x95\xD7\x9D.txt"},
      {2, kNameColumn, "north.txt"},
      {0, 1, "12345678 "},
      {0, 2, "-1,234,567"},
      {0, 3, "2"},
      {0, 4, "4"},
      {0, 5, "0"},
      {0, 8, "12"},
      {0, 9, "1,234"},
      {0, kFindingsColumn, "1,500"},
      {1, kFindingsColumn, " "},      // no findings: blank
      {0, kFindingsColumn + 1, " "},  // the filler column
      {3, 1, " "},                    // no such row
      {-1, kNameColumn, " "},
  };
  for (const auto& c : kCells) {
    EXPECT_EQ(FileListCellText(table, c.row, c.column), c.want) << c.row << "," << c.column;
  }
  // The tip is the whole path, as chosen, so that two files of one name are told apart.
  EXPECT_EQ(FileListTipText(table, 0), "/reports/03-2024/north.txt");
  EXPECT_EQ(FileListTipText(table, 2), "north.txt");
  EXPECT_EQ(FileListTipText(table, 3), "");
  EXPECT_EQ(FileListTipText(table, -1), "");
}

}  // namespace
}  // namespace pcn
