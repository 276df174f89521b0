// Tables and a window filled from real source files, through the loading and the Add-file
// command, for the tests of the table, the 5% rule and the window's commands over them.
// Amounts are in whole units and never negative.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "app/add_file.h"
#include "app/remove_file.h"
#include "report/file_table.h"
#include "report/load_file.h"
#include "support/headless_dialog.h"
#include "test_support.h"

namespace pcn::fixtures {

constexpr Amount kUnit = kAmountScale;

// A March file declaring these totals, its three sales records summing to `taxable` and
// `salesVat`, its two input records' VAT to `inputsVat + assetVat`.
inline std::string Source(const std::string& dealer, Amount taxable, Amount salesVat,
                          Amount inputsVat, Amount assetVat, Amount declaredPayable) {
  test::Opening o;
  o.dealer = dealer;
  o.taxableSales = taxable;
  o.salesVat = salesVat;
  o.salesCount = 3;
  o.inputsVat = inputsVat;
  o.assetInputsVat = assetVat;
  o.inputCount = 2;
  o.vatPayable = declaredPayable;
  return test::CrLf({test::OpeningLine(o), test::DetailLine('S', salesVat, '+', taxable),
                     test::DetailLine('S', 0, '+', 0), test::DetailLine('S', 0, '+', 0),
                     test::DetailLine('T', inputsVat + assetVat, '+', 0),
                     test::DetailLine('T', 0, '+', 0), test::ClosingLine(dealer)});
}

// A window whose files are added with the Add-file button, each from its own file.
struct Window {
  test::TempDir dir;
  FileTable table;
  HeadlessDialog dialog;
  int written = 0;

  void Add(const std::string& source) {
    const std::string path = dir.File("file" + std::to_string(++written) + ".txt");
    test::WriteFile(path, source);
    dialog.QueueOpenFile({true, path});
    ASSERT_EQ(AddFile(dialog, table), AddOutcome::kAdded) << path;
  }
  void Remove(int row) {
    dialog.SelectRow(row);
    RemoveFile(dialog, table);
  }
};

// A table of one file with these declared totals and record sums, loaded as Add-file
// loads it.
inline FileTable TableWith(Amount taxable, Amount exempt, Amount salesVat, Amount inputsVat,
                           Amount assetVat, Amount recordAmount, Amount recordVat,
                           Amount inputRecordVat) {
  test::Opening o;
  o.taxableSales = taxable;
  o.exemptSales = exempt;
  o.salesVat = salesVat;
  o.salesCount = 1;
  o.inputsVat = inputsVat;
  o.assetInputsVat = assetVat;
  o.inputCount = 1;
  test::TempDir dir;
  const std::string path = dir.File("a.txt");
  test::WriteFile(
      path,
      test::CrLf({test::OpeningLine(o), test::DetailLine('S', recordVat, '+', recordAmount),
                  test::DetailLine('T', inputRecordVat, '+', 0), test::ClosingLine(o.dealer)}));
  FileTable table;
  LoadResult loaded = LoadReportFor(table, path);
  EXPECT_EQ(loaded.refusal, LoadRefusal::kNone) << path;
  if (loaded.refusal == LoadRefusal::kNone) AddEntry(table, std::move(loaded.entry));
  return table;
}

}  // namespace pcn::fixtures
