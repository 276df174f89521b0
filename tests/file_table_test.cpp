// The combined entry through additions and removals, RemoveFile and the displays.
#include "report/file_table.h"

#include <gtest/gtest.h>

#include <limits>

#include "app/headless_dialog.h"
#include "app/messages.h"
#include "app/remove_file.h"
#include "app/show_totals.h"
#include "table_fixtures.h"

namespace pcn {
namespace {

using fixtures::Entry;
using fixtures::kUnit;
using fixtures::Window;

TEST(FileTable, CombinedVatPayableNeverTakesTheFilesOwn) {
  Window w;
  w.Add(Entry("111111118", 1000, 170, 50, 20, 999999));
  w.Add(Entry("222222226", 2500, 425, 100, 0, -7));
  const FileEntry& c = w.table.Combined();
  EXPECT_EQ(c.vatPayable, (170 + 425 - 50 - 100 - 20) * kUnit);
  EXPECT_EQ(w.dialog.Text(ControlId::kTaxableSales), "3,500 ");
  EXPECT_EQ(w.dialog.Text(ControlId::kVatPayable), "425 ");
  w.Remove(0);
  EXPECT_EQ(c.vatPayable, (425 - 100) * kUnit);
}

TEST(FileListCellText, FormatsEveryColumn) {
  FileTable table;
  FileEntry e = Entry("12345678 ", -1234567, 0, 0, 0, 0);
  e.exemptSales = 25000;  // 2.5 shows as 2
  e.salesVat = 35000;     // 3.5 shows as 4
  e.salesRecordCount = 12;
  e.inputRecordCount = 1234;
  AddEntry(table, e);
  EXPECT_EQ(FileListCellText(table, 0, 0), "12345678 ");
  EXPECT_EQ(FileListCellText(table, 0, 1), "-1,234,567");
  EXPECT_EQ(FileListCellText(table, 0, 2), "2");
  EXPECT_EQ(FileListCellText(table, 0, 3), "4");
  EXPECT_EQ(FileListCellText(table, 0, 4), "0");
  EXPECT_EQ(FileListCellText(table, 0, 7), "12");
  EXPECT_EQ(FileListCellText(table, 0, 8), "1,234");
  EXPECT_EQ(FileListCellText(table, 0, 9), " ");  // the filler column
  EXPECT_EQ(FileListCellText(table, 1, 1), " ");  // no such row
}

TEST(FormatAmount, GroupsDigitsWithCommas) {
  static const struct {
    Amount value;
    const char* want;
  } kCases[] = {
      {0, "0"},
      {1234567 * kUnit, "1,234,567"},
      {-1500 * kUnit, "-1,500"},
      {999 * kUnit, "999"},
      {1000 * kUnit, "1,000"},
      {-4000, "0"},  // -0.4 rounds to zero, which has no sign
      {-5000, "0"},  // -0.5 rounds to even 0
      {-15000, "-2"},
      {std::numeric_limits<Amount>::min(), "-922,337,203,685,478"},  // .5808 rounds up
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatAmount(c.value), c.want);
}

}  // namespace
}  // namespace pcn
