// Loading and validating source files.
#include "report/load_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/add_file.h"
#include "app/message_box.h"
#include "support/headless_dialog.h"
#include "test_support.h"
#include "text/messages.h"

namespace pcn {
namespace {

using test::ClosingLine;
using test::CrLf;
using test::DetailLine;
using test::Opening;
using test::OpeningLine;

constexpr Amount kUnit = kAmountScale;

Opening MarchOpening() {
  Opening o;
  o.taxableSales = 1000;
  o.salesVat = 170;
  o.inputsVat = 50;
  o.vatPayable = 120;
  return o;
}

TEST(LoadSourceFile, AcceptsOrRefusesByTheRules) {
  const std::string opening = OpeningLine(MarchOpening());
  const std::string sale = DetailLine('S', 170, '+', 1000);
  Opening other = MarchOpening();
  other.month = "04";
  const struct Case {
    std::string bytes;
    LoadRefusal refusal;
    std::int64_t line;
    const char* why;
  } kCases[] = {
      {CrLf({opening, sale, ClosingLine()}), LoadRefusal::kNone, 0, "a normal file"},
      {CrLf({opening, opening}), LoadRefusal::kNone, 0, "two opening records, no closing"},
      {CrLf({sale, opening, ClosingLine(), sale}), LoadRefusal::kNone, 0,
       "records before the opening and after the closing record count"},
      {CrLf({opening}), LoadRefusal::kTooFewRecords, 1, "only an opening record"},
      {CrLf({opening, sale, ClosingLine("123456783")}), LoadRefusal::kClosingDealerDiffers, 3,
       "closing record names another dealer"},
      {CrLf({opening, ClosingLine("12345678 ")}), LoadRefusal::kClosingDealerDiffers, 2,
       "a blank instead of a digit"},
      {CrLf({ClosingLine(), opening}), LoadRefusal::kClosingDealerDiffers, 1,
       "closing record before the opening record"},
      {opening + "\n" + ClosingLine() + "\n", LoadRefusal::kNone, 0,
       "a file without any CR: LF ends its lines"},
      {opening + "\n" + ClosingLine() + "\r", LoadRefusal::kTooFewRecords, 1,
       "with a CR in the file, LF alone does not end a line"},
      {"\xEF\xBB\xBF" + CrLf({opening, ClosingLine()}), LoadRefusal::kNone, 0,
       "a UTF-8 byte-order mark before the opening record"},
      {std::string(1, '\x1a'), LoadRefusal::kTooFewRecords, 0, "only a Ctrl-Z"},
      {CrLf({opening}) + "\x1a" + CrLf({ClosingLine()}), LoadRefusal::kTooFewRecords, 1,
       "nothing after a Ctrl-Z is read"},
      {"", LoadRefusal::kCannotOpen, 0, "an empty file cannot be opened"},
      {opening + "\r" + ClosingLine(), LoadRefusal::kNone, 0,
       "CR alone ends a line; the last line needs no end"},
      {CrLf({opening, "A", "Z", "o123", "", ClosingLine()}), LoadRefusal::kNone, 0,
       "other lines change nothing"},
  };
  test::TempDir dir;
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    const std::string path = dir.File("case.txt");
    test::WriteFile(path, c.bytes);
    const LoadResult result = LoadSourceFile(path, false, "");
    EXPECT_EQ(result.refusal, c.refusal);
    if (c.refusal != LoadRefusal::kNone) {
      EXPECT_EQ(result.line, c.line);
    }
  }
}

TEST(LoadSourceFile, SumsDetailRecordsByType) {
  test::TempDir dir;
  const std::string path = dir.File("a.txt");
  test::WriteFile(path, CrLf({OpeningLine(MarchOpening()), DetailLine('S', 170, '+', 1000),
                              DetailLine('L', 17, '-', 100), DetailLine('M', 1, ' ', 10),
                              DetailLine('T', 40, '+', 999), DetailLine('K', 10, '-', 0),
                              "S" + std::string(30, '0') + "0001",  // 35 characters long
                              ClosingLine()}));
  const LoadResult result = LoadSourceFile(path, false, "");
  ASSERT_EQ(result.refusal, LoadRefusal::kNone);
  const FileEntry& e = result.entry;
  EXPECT_EQ(e.path, path);
  EXPECT_EQ(e.dealerNumber, "123456782");
  EXPECT_EQ(e.reportMonth, "03-2024 ");
  EXPECT_EQ(e.headerCode, "1");
  EXPECT_EQ(e.taxableSales, 1000 * kUnit);
  EXPECT_EQ(e.salesVat, 170 * kUnit);
  EXPECT_EQ(e.inputsVat, 50 * kUnit);
  EXPECT_EQ(e.vatPayable, 120 * kUnit);
  EXPECT_EQ(e.salesRecordCount, 4);
  EXPECT_EQ(e.inputRecordCount, 2);
  EXPECT_EQ(e.salesRecordAmount, (1000 - 100 + 10) * kUnit);
  EXPECT_EQ(e.salesRecordVat, (170 - 17 + 1 + 1) * kUnit);
  EXPECT_EQ(e.inputRecordVat, (40 - 10) * kUnit);
}

TEST(LoadSourceFile, ShortOpeningRecordReadsWhatItHas) {
  test::TempDir dir;
  const std::string path = dir.File("a.txt");
  const std::string opening = OpeningLine(MarchOpening()).substr(0, 60);
  test::WriteFile(path, CrLf({opening, ClosingLine()}));
  const LoadResult result = LoadSourceFile(path, false, "");
  ASSERT_EQ(result.refusal, LoadRefusal::kNone);
  EXPECT_EQ(result.entry.taxableSales, 1000 * kUnit);
  EXPECT_EQ(result.entry.salesVat, 170 * kUnit);
  EXPECT_EQ(result.entry.inputsVat, 0);
  EXPECT_EQ(result.entry.vatPayable, 0);
}

}  // namespace
}  // namespace pcn
