// The spin buttons over the in-memory dialog: steps within the 5% rule move the total and
// redraw the displays, others show the pair's message and change nothing.
#include "app/adjust_command.h"

#include <gtest/gtest.h>

#include "app/show_totals.h"
#include "support/headless_dialog.h"
#include "table_fixtures.h"
#include "text/messages.h"

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
  // The step's figures on a second line, the minus sign held before its digits (U+200E).
  EXPECT_EQ(f.dialog.messages[0].text,
            text::kIncomeDiffers.hebrew +
                std::string("\rסכום מדווח 1,103.00, סכום התנועות 1,050.00, הפרש \u200E-5.0476%"));
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

TEST(AdjustMergedTotal, StepsFromTheTotalAsDisplayed) {
  // The records sum to 1,050, so the candidate must stay within 997.5 .. 1,102.5. A total
  // halfway between units shows rounded to even; the candidate is that shown value plus
  // the step, while the stored total moves by the step.
  static const struct {
    Amount stored;  // in ten-thousandths
    std::int64_t delta;
    Amount storedAfter;
    const char* shownAfter;
  } kCases[] = {
      {11015000, +1, 11015000, "1,102 "},  // shows 1,102: 1,103 is refused
      {9985000, -1, 9985000, "998 "},      // shows 998: 997 is refused
      {11005000, +1, 11015000, "1,102 "},  // shows 1,100: 1,101 passes
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.stored);
    FileTable table = TableWith(0, 0, 0, 0, 0, 1050, 0, 0);
    table.Combined().taxableSales = c.stored;
    SpinFixture f(std::move(table));
    f.Click(ControlId::kSpinTaxableSales, c.delta);
    EXPECT_EQ(f.table.Combined().taxableSales, c.storedAfter);
    EXPECT_EQ(f.dialog.Text(ControlId::kTaxableSales), c.shownAfter);
    EXPECT_EQ(f.dialog.messages.size(), c.storedAfter == c.stored ? 1u : 0u);
  }
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
  EXPECT_EQ(f.dialog.messages[0].text,
            text::kIncomeDiffers.hebrew + std::string("\rסכום מדווח 101.00, סכום התנועות 0.00"));
}

TEST(AdjustMergedTotal, IgnoresOtherControls) {
  SpinFixture f(TableWith(1000, 0, 0, 0, 0, 1000, 0, 0));
  f.Click(ControlId::kTaxableSales, +1);
  EXPECT_EQ(f.table.Combined().taxableSales, 1000 * kUnit);
}

}  // namespace
}  // namespace pcn
