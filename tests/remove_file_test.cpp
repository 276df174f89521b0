// The Remove-file button: the table, the dealer-number combo box and the displays after
// each removal.
#include "app/remove_file.h"

#include <gtest/gtest.h>

#include "app/file_list_text.h"
#include "app/show_totals.h"
#include "support/headless_dialog.h"
#include "table_fixtures.h"
#include "text/messages.h"

namespace pcn {
namespace {

using fixtures::kUnit;
using fixtures::Source;
using fixtures::Window;

TEST(RemoveFile, KeepsOrderAndDealerList) {
  Window w;
  w.Add(Source("111111118", 1000, 0, 0, 0, 0));
  w.Add(Source("222222226", 2000, 0, 0, 0, 0));
  w.Add(Source("111111118", 3000, 0, 0, 0, 0));
  w.Add(Source("333333334", 4000, 0, 0, 0, 0));
  w.Remove(1);  // the second file: the only one of dealer 222222226
  ASSERT_EQ(w.table.FileCount(), 3);
  EXPECT_EQ(w.table.File(1).taxableSales, 1000 * kUnit);
  EXPECT_EQ(w.table.File(2).taxableSales, 3000 * kUnit);
  EXPECT_EQ(w.dialog.FileCount(), 3);
  EXPECT_EQ(FileListCellText(w.table, 1, 2), "3,000");
  EXPECT_EQ(w.dialog.Dealers(), (std::vector<std::string>{"111111118", "333333334"}));
  EXPECT_EQ(w.dialog.DealerText(), "111111118");
  EXPECT_EQ(w.dialog.Text(ControlId::kTaxableSales), "8,000 ");

  w.Remove(0);  // dealer 111111118 still has another file
  EXPECT_EQ(w.dialog.Dealers(), (std::vector<std::string>{"111111118", "333333334"}));
  w.Remove(0);
  EXPECT_EQ(w.dialog.Dealers(), (std::vector<std::string>{"333333334"}));
  EXPECT_EQ(w.dialog.Text(ControlId::kNumber), "333333334");
}

TEST(RemoveFile, LastFileBlanksEverything) {
  Window w;
  w.Add(Source("111111118", 1000, 170, 50, 20, 100));
  w.Add(Source("222222226", 2500, 425, 100, 0, 325));
  w.Remove(1);
  w.Remove(0);
  const FileEntry& c = w.table.Combined();
  EXPECT_EQ(c.taxableSales, 0);
  EXPECT_EQ(c.vatPayable, 0);
  EXPECT_EQ(c.salesRecordCount, 0);
  EXPECT_EQ(c.inputRecordVat, 0);
  EXPECT_EQ(c.headerCode, "1");
  EXPECT_EQ(w.dialog.Text(ControlId::kReportMonth), std::string(9, ' '));
  EXPECT_TRUE(w.dialog.Dealers().empty());
  EXPECT_EQ(w.dialog.Text(ControlId::kNumber), "");
  for (ControlId id :
       {ControlId::kTaxableSales, ControlId::kExemptSales, ControlId::kSalesVat,
        ControlId::kInputsVat, ControlId::kAssetInputsVat, ControlId::kSalesRecordCount,
        ControlId::kInputRecordCount, ControlId::kVatPayable}) {
    EXPECT_EQ(w.dialog.Text(id), "0 ");
  }
}

TEST(RemoveFile, BeepsOrAsksForASelection) {
  Window w;
  RemoveFile(w.dialog, w.table);
  EXPECT_EQ(w.dialog.beeps, 1);
  EXPECT_TRUE(w.dialog.messages.empty());

  w.Add(Source("111111118", 1000, 0, 0, 0, 0));
  w.dialog.SelectRow(-1);
  RemoveFile(w.dialog, w.table);
  ASSERT_EQ(w.dialog.messages.size(), 1u);
  EXPECT_EQ(w.dialog.messages[0].text, text::kMarkFileToRemove);
  EXPECT_EQ(w.table.FileCount(), 1);
}

}  // namespace
}  // namespace pcn
