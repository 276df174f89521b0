// The spin buttons over the in-memory dialog: steps within the 5% rule move the total and
// redraw the displays, others show the pair's message and change nothing.
#include "app/adjust_command.h"

#include <gtest/gtest.h>

#include "app/headless_dialog.h"
#include "app/messages.h"
#include "app/show_totals.h"
#include "table_fixtures.h"

namespace pcn {
namespace {

using fixtures::kUnit;
using fixtures::TableWith;

struct SpinFixture {
  FileTable table;
  HeadlessDialog dialog;
  explicit SpinFixture(FileTable t) : table(std::move(t)) { ShowTotals(dialog, table); }
  void Click(ControlId spin, std::int64_t delta) { AdjustMergedTotal(dialog, table, spin, delta); }
};

TEST(AdjustMergedTotal, MovesTaxableSalesWithinFivePercent) {
  SpinFixture f(TableWith(1050, 0, 0, 0, 0, 1050, 0, 0));
  for (int i = 0; i < 52; ++i) f.Click(ControlId::kSpinTaxableSales, +1);
  EXPECT_EQ(f.table.Combined().taxableSales, 1102 * kUnit);
  EXPECT_TRUE(f.dialog.messages.empty());
  f.Click(ControlId::kSpinTaxableSales, +1);  // 1,103: p = -5.0476
  EXPECT_EQ(f.table.Combined().taxableSales, 1102 * kUnit);
  ASSERT_EQ(f.dialog.messages.size(), 1u);
  EXPECT_EQ(f.dialog.messages[0].text, text::kIncomeDiffers);
  EXPECT_EQ(f.dialog.Text(ControlId::kTaxableSales), "1,102 ");

  for (int i = 0; i < 104; ++i) f.Click(ControlId::kSpinTaxableSales, -1);
  EXPECT_EQ(f.table.Combined().taxableSales, 998 * kUnit);
  f.Click(ControlId::kSpinTaxableSales, -1);  // 997: p = 5.0476
  EXPECT_EQ(f.table.Combined().taxableSales, 998 * kUnit);
  EXPECT_EQ(f.dialog.messages.size(), 2u);
}

TEST(AdjustMergedTotal, VatStepsRecomputeVatPayable) {
  SpinFixture f(TableWith(1000, 0, 170, 100, 20, 1000, 170, 120));
  f.Click(ControlId::kSpinInputsVat, +2);
  EXPECT_EQ(f.table.Combined().inputsVat, 102 * kUnit);
  EXPECT_EQ(f.table.Combined().vatPayable, (170 - 102 - 20) * kUnit);
  EXPECT_EQ(f.dialog.Text(ControlId::kVatPayable), "48 ");
  f.Click(ControlId::kSpinAssetInputsVat, -1);
  EXPECT_EQ(f.table.Combined().vatPayable, (170 - 102 - 19) * kUnit);
  f.Click(ControlId::kSpinSalesVat, +3);
  EXPECT_EQ(f.table.Combined().vatPayable, (173 - 102 - 19) * kUnit);
  const Amount payable = f.table.Combined().vatPayable;
  f.Click(ControlId::kSpinTaxableSales, +1);
  EXPECT_EQ(f.table.Combined().vatPayable, payable);  // income steps leave it alone
  EXPECT_TRUE(f.dialog.messages.empty());
}

TEST(AdjustMergedTotal, DoesNothingOnAZeroOrEmptyTotal) {
  SpinFixture f(TableWith(0, 0, 0, 0, 0, 1000, 0, 0));
  f.Click(ControlId::kSpinTaxableSales, +1);
  EXPECT_EQ(f.table.Combined().taxableSales, 0);
  EXPECT_TRUE(f.dialog.messages.empty());

  HeadlessDialog empty;  // no file was ever loaded: the displays are still empty
  FileTable table;
  AdjustMergedTotal(empty, table, ControlId::kSpinSalesVat, +1);
  EXPECT_EQ(table.Combined().salesVat, 0);
  EXPECT_TRUE(empty.messages.empty());
}

TEST(AdjustMergedTotal, RefusesWhenTheRecordsSumToZero) {
  SpinFixture f(TableWith(0, 100, 0, 0, 0, 0, 0, 0));
  f.Click(ControlId::kSpinExemptSales, +1);
  EXPECT_EQ(f.table.Combined().exemptSales, 100 * kUnit);
  ASSERT_EQ(f.dialog.messages.size(), 1u);
  EXPECT_EQ(f.dialog.messages[0].text, text::kIncomeDiffers);
}

TEST(AdjustMergedTotal, IgnoresOtherControls) {
  SpinFixture f(TableWith(1000, 0, 0, 0, 0, 1000, 0, 0));
  f.Click(ControlId::kTaxableSales, +1);
  EXPECT_EQ(f.table.Combined().taxableSales, 1000 * kUnit);
}

}  // namespace
}  // namespace pcn
