// The 5% rule before generating.
#include "totals/five_percent_rule.h"

#include <gtest/gtest.h>

#include "table_fixtures.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn {
namespace {

using fixtures::kUnit;
using fixtures::TableWith;

TEST(PercentDifference, RoundsToFourDecimals) {
  EXPECT_EQ(PercentDifference(1000 * kUnit, 1050 * kUnit), 47619);
  EXPECT_EQ(PercentDifference(1000 * kUnit, 1060 * kUnit), 56604);
  EXPECT_EQ(PercentDifference(1000 * kUnit, 952 * kUnit), -50420);
  EXPECT_EQ(PercentDifference(1050 * kUnit, 1000 * kUnit), -50000);
  EXPECT_EQ(PercentDifference(5 * kUnit, 0), std::nullopt);
  EXPECT_EQ(PercentDifference(0, 0), std::nullopt);
}

TEST(FirstFailingPair, AppliesTheRuleAndItsExemptions) {
  static const struct {
    Amount taxable, exempt, salesVat, inputsVat, assetVat, recordAmount, recordVat, inputRecordVat;
    const char* message;  // nullptr: all pairs pass
    const char* why;
  } kCases[] = {
      {1000, 0, 0, 0, 0, 1050, 0, 0, nullptr, "p 4.7619 passes"},
      {1000, 0, 0, 0, 0, 1060, 0, 0, text::kIncomeDiffers.hebrew, "p 5.6604 fails"},
      {1000, 0, 0, 0, 0, 952, 0, 0, text::kIncomeDiffers.hebrew, "p -5.0420 fails"},
      {1050, 0, 0, 0, 0, 1000, 0, 0, nullptr, "exactly -5 passes"},
      {600, 450, 0, 0, 0, 1000, 0, 0, nullptr, "income is taxable plus exempt"},
      {0, 0, 0, 0, 0, 1234, 170, 55, nullptr, "declared 0 against records: p 100 passes"},
      {0, 0, 0, 0, 0, 0, 0, 0, nullptr, "both sides 0"},
      {500, 0, 0, 0, 0, 0, 0, 0, text::kIncomeDiffers.hebrew, "records summing to 0 fail income"},
      {0, 0, 0, 500, 0, 0, 0, 0, nullptr, "input records 0 against 500: p 100 passes"},
      {0, 0, 0, 600, 400, 0, 0, 1060, text::kInputsVatDiffers.hebrew, "inputs: p -6 fails"},
      {0, 0, 100, 0, 0, 0, 106, 0, text::kSalesVatDiffers.hebrew, "VAT on transactions fails"},
      {1000, 0, 100, 600, 400, 1060, 106, 1060, text::kIncomeDiffers.hebrew,
       "first failing pair only"},
      {0, 0, 0, 0, 0, 0, 0, 0, nullptr, "nothing at all"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    const FileTable table = TableWith(c.taxable, c.exempt, c.salesVat, c.inputsVat, c.assetVat,
                                      c.recordAmount, c.recordVat, c.inputRecordVat);
    const std::optional<PairCheck> failing = FirstFailingPair(table.Combined());
    if (c.message == nullptr) {
      EXPECT_FALSE(failing.has_value());
    } else {
      ASSERT_TRUE(failing.has_value());
      EXPECT_EQ(MessageFor(failing->pair), c.message);
    }
  }
}

TEST(FirstFailingPair, DifferenceBelowOneUnitIsExempt) {
  // 0.5 declared against 0 records: p cannot be computed, but |D - T| < 1 clears it.
  FileTable table = TableWith(0, 0, 0, 0, 0, 0, 0, 0);
  table.Combined().taxableSales = 5000;
  EXPECT_FALSE(FirstFailingPair(table.Combined()).has_value());
}

}  // namespace
}  // namespace pcn
