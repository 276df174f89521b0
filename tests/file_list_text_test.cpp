// The texts of the file list's cells.
#include "app/file_list_text.h"

#include <gtest/gtest.h>

namespace pcn {
namespace {

TEST(FileListCellText, FormatsEveryColumn) {
  FileTable table;
  FileEntry e;
  e.dealerNumber = "12345678 ";
  e.taxableSales = -1234567 * kAmountScale;
  e.exemptSales = 25000;  // 2.5 shows as 2
  e.salesVat = 35000;     // 3.5 shows as 4
  e.salesRecordCount = 12;
  e.inputRecordCount = 1234;
  e.findingCount = 1500;
  AddEntry(table, e);
  e.findingCount = 0;
  AddEntry(table, e);
  EXPECT_EQ(FileListCellText(table, 0, 0), "12345678 ");
  EXPECT_EQ(FileListCellText(table, 0, 1), "-1,234,567");
  EXPECT_EQ(FileListCellText(table, 0, 2), "2");
  EXPECT_EQ(FileListCellText(table, 0, 3), "4");
  EXPECT_EQ(FileListCellText(table, 0, 4), "0");
  EXPECT_EQ(FileListCellText(table, 0, 7), "12");
  EXPECT_EQ(FileListCellText(table, 0, 8), "1,234");
  EXPECT_EQ(FileListCellText(table, 0, 9), "1,500");
  EXPECT_EQ(FileListCellText(table, 1, 9), " ");   // no findings: blank
  EXPECT_EQ(FileListCellText(table, 0, 10), " ");  // the filler column
  EXPECT_EQ(FileListCellText(table, 2, 1), " ");   // no such row
}

}  // namespace
}  // namespace pcn
