// The combined entry through additions and removals, and the displays that show it.
#include "report/file_table.h"

#include <gtest/gtest.h>

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
}  // namespace
}  // namespace pcn
