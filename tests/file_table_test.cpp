// The combined entry through additions and removals, RemoveFile and the displays.
#include "report/file_table.h"

#include <gtest/gtest.h>

#include <limits>

#include "app/remove_file.h"
#include "app/show_totals.h"
#include "support/headless_dialog.h"
#include "table_fixtures.h"
#include "text/messages.h"

namespace pcn {
namespace {

using fixtures::kUnit;
using fixtures::Source;
using fixtures::Window;

TEST(FileTable, CombinedVatPayableNeverTakesTheFilesOwn) {
  Window w;
  w.Add(Source("111111118", 1000, 170, 50, 20, 999999));
  w.Add(Source("222222226", 2500, 425, 100, 0, -7));
  const FileEntry& c = w.table.Combined();
  EXPECT_EQ(c.vatPayable, (170 + 425 - 50 - 100 - 20) * kUnit);
  EXPECT_EQ(w.dialog.Text(ControlId::kTaxableSales), "3,500 ");
  EXPECT_EQ(w.dialog.Text(ControlId::kVatPayable), "425 ");
  w.Remove(0);
  EXPECT_EQ(c.vatPayable, (425 - 100) * kUnit);
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

TEST(FormatDecimal, KeepsTheDecimalsAskedFor) {
  static const struct {
    Amount value;
    int decimals;
    const char* want;
  } kCases[] = {
      {1000 * kUnit, 2, "1,000.00"},
      {90909, 4, "9.0909"},
      {-50420, 4, "-5.0420"},  // the trailing zero kept
      {12345, 2, "1.23"},      // 1.2345: below half
      {12350, 2, "1.24"},      // a tie to the even neighbour
      {12250, 2, "1.22"},
      {-49, 2, "0.00"},  // rounds to nothing, which has no sign
      {1234567 * kUnit + 5, 0, "1,234,567"},
      {std::numeric_limits<Amount>::min(), 2, "-922,337,203,685,477.58"},
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatDecimal(c.value, c.decimals), c.want) << c.value;
}

}  // namespace
}  // namespace pcn
