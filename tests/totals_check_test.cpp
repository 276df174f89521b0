// The 5% rule before generating and on spin-button steps.
#include "merge/totals_check.h"

#include <gtest/gtest.h>

#include "app/headless_dialog.h"
#include "app/messages.h"

namespace pcn {
namespace {

constexpr Amount kUnit = kAmountScale;

FileTable TableWith(Amount taxable, Amount exempt, Amount salesVat, Amount inputsVat,
                    Amount assetVat, Amount recordAmount, Amount recordVat, Amount inputRecordVat) {
  FileEntry e;
  e.path = "a";
  e.dealerNumber = "123456782";
  e.reportMonth = "03-2024 ";
  e.headerCode = "1";
  e.taxableSales = taxable * kUnit;
  e.exemptSales = exempt * kUnit;
  e.salesVat = salesVat * kUnit;
  e.inputsVat = inputsVat * kUnit;
  e.assetInputsVat = assetVat * kUnit;
  e.salesRecordAmount = recordAmount * kUnit;
  e.salesRecordVat = recordVat * kUnit;
  e.inputRecordVat = inputRecordVat * kUnit;
  FileTable table;
  AddEntry(table, e);
  return table;
}

TEST(PercentDifference, RoundsToFourDecimals) {
  EXPECT_EQ(PercentDifference(1000 * kUnit, 1050 * kUnit), 47619);
  EXPECT_EQ(PercentDifference(1000 * kUnit, 1060 * kUnit), 56604);
  EXPECT_EQ(PercentDifference(1000 * kUnit, 952 * kUnit), -50420);
  EXPECT_EQ(PercentDifference(1050 * kUnit, 1000 * kUnit), -50000);
  EXPECT_EQ(PercentDifference(5 * kUnit, 0), std::nullopt);
  EXPECT_EQ(PercentDifference(0, 0), std::nullopt);
}

TEST(CheckMergedTotals, AppliesTheRuleAndItsExemptions) {
  static const struct {
    Amount taxable, exempt, salesVat, inputsVat, assetVat, recordAmount, recordVat, inputRecordVat;
    const char* message;  // nullptr: all pairs pass
    const char* why;
  } kCases[] = {
      {1000, 0, 0, 0, 0, 1050, 0, 0, nullptr, "p 4.7619 passes"},
      {1000, 0, 0, 0, 0, 1060, 0, 0, text::kIncomeDiffers, "p 5.6604 fails"},
      {1000, 0, 0, 0, 0, 952, 0, 0, text::kIncomeDiffers, "p -5.0420 fails"},
      {1050, 0, 0, 0, 0, 1000, 0, 0, nullptr, "exactly -5 passes"},
      {600, 450, 0, 0, 0, 1000, 0, 0, nullptr, "income is taxable plus exempt"},
      {0, 0, 0, 0, 0, 1234, 170, 55, nullptr, "declared 0 against records: p 100 passes"},
      {0, 0, 0, 0, 0, 0, 0, 0, nullptr, "both sides 0"},
      {500, 0, 0, 0, 0, 0, 0, 0, text::kIncomeDiffers, "records summing to 0 fail income"},
      {0, 0, 0, 500, 0, 0, 0, 0, nullptr, "input records 0 against 500: p 100 passes"},
      {0, 0, 0, 600, 400, 0, 0, 1060, text::kInputsVatDiffers, "inputs: p -6 fails"},
      {0, 0, 100, 0, 0, 0, 106, 0, text::kSalesVatDiffers, "VAT on transactions fails"},
      {1000, 0, 100, 600, 400, 1060, 106, 1060, text::kIncomeDiffers, "first failing pair only"},
      {0, 0, 0, 0, 0, 0, 0, 0, nullptr, "nothing at all"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    const FileTable table = TableWith(c.taxable, c.exempt, c.salesVat, c.inputsVat, c.assetVat,
                                      c.recordAmount, c.recordVat, c.inputRecordVat);
    HeadlessDialog dialog;
    const int result = CheckMergedTotals(dialog, table);
    if (c.message == nullptr) {
      EXPECT_EQ(result, 0);
      EXPECT_TRUE(dialog.messages.empty());
    } else {
      EXPECT_EQ(result, 1);
      ASSERT_EQ(dialog.messages.size(), 1u);
      EXPECT_EQ(dialog.messages[0].text, c.message);
    }
  }
}

TEST(CheckMergedTotals, DifferenceBelowOneUnitIsExempt) {
  // 0.5 declared against 0 records: p cannot be computed, but |D - T| < 1 clears it.
  FileTable table = TableWith(0, 0, 0, 0, 0, 0, 0, 0);
  table.Combined().taxableSales = 5000;
  HeadlessDialog dialog;
  EXPECT_EQ(CheckMergedTotals(dialog, table), 0);
}

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
