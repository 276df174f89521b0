// Faults the fuzz targets found in the core, each kept as a test of the smallest input that
// showed it.
#include <gtest/gtest.h>

#include "app/add_file.h"
#include "app/generate_command.h"
#include "format/record_format.h"
#include "merge/merged_file.h"
#include "platform/platform.h"
#include "report/load_file.h"
#include "support/headless_dialog.h"
#include "test_support.h"
#include "text/messages.h"

namespace pcn {
namespace {

using test::ClosingLine;
using test::CrLf;
using test::DetailLine;

constexpr char kNumber[] = "123456782";

struct Window {
  FileTable table;
  HeadlessDialog dialog;

  bool Add(const std::string& path) {
    dialog.QueueOpenFile({true, path});
    return AddFile(dialog, table) == AddOutcome::kAdded;
  }
};

// regression: a month shorter than MM-YYYY shifted every later column of the merged first record
TEST(RobustnessRegression, ShortMonthIsNoMonthToNameAFileBy) {
  test::TempDir dir;
  // An opening record cut after column 12: the month reads "-20", which names no file.
  const std::string source = CrLf({"O12345678220", DetailLine('S', 170, '+', 1000), ClosingLine()});
  test::WriteFile(dir.File("a.txt"), source);
  test::WriteFile(dir.File("b.txt"), source + "A\r\n");  // not a copy: a line of no type

  for (const bool representative : {false, true}) {
    SCOPED_TRACE(representative ? "representative" : "dealers' union");
    Window w;
    ASSERT_TRUE(w.Add(dir.File("a.txt")));
    ASSERT_TRUE(w.Add(dir.File("b.txt")));
    w.dialog.SetText(ControlId::kNumber, kNumber);
    w.dialog.SetRepresentative(representative);
    test::TempDir out;
    w.dialog.SetOutputDirectory(out.path());
    const WriteResult result = GenerateMergedFile(w.dialog, w.table, "20240415").write;
    EXPECT_EQ(result.failure, WriteFailure::kMonthNotReal);
    EXPECT_EQ(result.path, dir.File("a.txt"));
    EXPECT_TRUE(test::ListDirectory(out.path()).empty());
  }
}

// regression: a NUL in the month cut the merged file's name short at the system calls
TEST(RobustnessRegression, NulInsideAPathNamesNoFile) {
  test::TempDir dir;
  test::Opening o;
  o.year = std::string(
      "20\0"
      "4",
      4);
  const std::string source = CrLf({test::OpeningLine(o), ClosingLine()});
  test::WriteFile(dir.File("a.txt"), source);
  test::WriteFile(dir.File("b.txt"), source + "A\r\n");  // not a copy: a line of no type

  Window w;
  ASSERT_TRUE(w.Add(dir.File("a.txt")));
  ASSERT_TRUE(w.Add(dir.File("b.txt")));
  w.dialog.SetOutputDirectory(dir.path());
  w.dialog.messages.clear();
  EXPECT_FALSE(GenerateMergedFile(w.dialog, w.table, "20240415").Written());
  ASSERT_EQ(w.dialog.messages.size(), 1u);
  EXPECT_EQ(w.dialog.messages[0].text, text::kMonthNotReal.hebrew + std::string("\ra.txt"));
  // Not written as "Pcn874-03-20", the name cut at the NUL.
  EXPECT_EQ(test::ListDirectory(dir.path()), (std::vector<std::string>{"a.txt", "b.txt"}));

  const std::string cut = dir.File("a.txt") + std::string(1, '\0') + "x";
  EXPECT_FALSE(platform::PathExists(cut));
  EXPECT_FALSE(platform::IsOrdinaryFile(cut));
  EXPECT_FALSE(platform::OpenForReading(cut).IsOpen());
  EXPECT_FALSE(platform::DeleteFilePath(cut));
  EXPECT_TRUE(test::Exists(dir.File("a.txt")));
}

}  // namespace
}  // namespace pcn
