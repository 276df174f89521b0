// The Add-file button over the in-memory dialog: what the window shows after each file,
// and every refusal with its one message and nothing changed.
#include "app/add_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "app/file_list_text.h"
#include "app/findings.h"
#include "app/message_box.h"
#include "app/remove_file.h"
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

Opening MarchOpening() {
  Opening o;
  o.taxableSales = 1000;
  o.salesVat = 170;
  o.inputsVat = 50;
  o.vatPayable = 120;
  return o;
}

// A window with files added through the open-file dialog, as a user would.
struct Window {
  FileTable table;
  HeadlessDialog dialog;

  AddOutcome Add(const std::string& path) {
    dialog.QueueOpenFile({true, path});
    return AddFile(dialog, table);
  }
};

std::string MarchFile(const std::string& dealer, std::int64_t taxable) {
  Opening o = MarchOpening();
  o.dealer = dealer;
  o.taxableSales = taxable;
  return CrLf({OpeningLine(o), DetailLine('S', 170, '+', taxable), ClosingLine(dealer)});
}

TEST(AddFile, AddsToTableListComboAndTotals) {
  test::TempDir dir;
  test::WriteFile(dir.File("a.txt"), MarchFile("123456782", 1000));
  test::WriteFile(dir.File("b.txt"), MarchFile("000000018", 2500));
  Window w;
  EXPECT_EQ(w.Add(dir.File("a.txt")), AddOutcome::kAdded);
  EXPECT_EQ(w.Add(dir.File("b.txt")), AddOutcome::kAdded);
  EXPECT_EQ(w.dialog.FileCount(), 2);
  EXPECT_EQ(w.table.FileCount(), 2);
  EXPECT_EQ(w.dialog.Text(ControlId::kTaxableSales), "3,500 ");
  EXPECT_EQ(w.dialog.Text(ControlId::kReportMonth), "03-2024  ");
  EXPECT_EQ(w.dialog.Text(ControlId::kSalesRecordCount), "2 ");
  EXPECT_EQ(w.dialog.Dealers(), (std::vector<std::string>{"123456782", "000000018"}));
  EXPECT_EQ(w.dialog.DealerText(), "123456782");  // the first entry is selected
  EXPECT_EQ(w.dialog.Text(ControlId::kNumber), "123456782");
  EXPECT_TRUE(w.dialog.messages.empty());

  // The open-file dialog was asked as the Add-file button asks it.
  const OpenFileRequest& request = w.dialog.openFileRequests.at(0);
  EXPECT_EQ(request.title, text::kOpenFileTitle);
  using namespace std::string_literals;
  EXPECT_EQ(request.filter, "קבצי טקסט\0*.TXT\0כל הקבצים\0*.*\0\0"s);
  EXPECT_EQ(request.flags, kFileMustExist | kAllowMultiSelect | kExplorer);
  EXPECT_EQ(request.filterIndex, 1);
}

// Everything the window shows, to prove that a refusal changed nothing.
std::string Snapshot(Window& w) {
  std::string s = std::to_string(w.dialog.FileCount()) + "|" + w.dialog.DealerText() + "|" +
                  w.dialog.Text(ControlId::kNumber);
  for (ControlId id :
       {ControlId::kReportMonth, ControlId::kTaxableSales, ControlId::kExemptSales,
        ControlId::kSalesVat, ControlId::kInputsVat, ControlId::kAssetInputsVat,
        ControlId::kSalesRecordCount, ControlId::kInputRecordCount, ControlId::kVatPayable}) {
    s += "|" + w.dialog.Text(id);
  }
  for (const std::string& d : w.dialog.Dealers()) s += "|" + d;
  const FileEntry& c = w.table.Combined();
  s += "|" + std::to_string(c.taxableSales) + "|" + std::to_string(c.salesRecordAmount) + "|" +
       std::to_string(w.table.FileCount());
  return s;
}

TEST(AddFile, RefusalsShowOneMessageAndChangeNothing) {
  test::TempDir dir;
  test::WriteFile(dir.File("a.txt"), MarchFile("123456782", 1000));
  Opening april = MarchOpening();
  april.month = "04";
  test::WriteFile(dir.File("april.txt"), CrLf({OpeningLine(april), ClosingLine()}));
  test::WriteFile(dir.File("dealer.txt"),
                  CrLf({OpeningLine(MarchOpening()), ClosingLine("999999999")}));
  test::WriteFile(dir.File("short.txt"), CrLf({OpeningLine(MarchOpening())}));
  test::WriteFile(dir.File("empty.txt"), "");
  static const struct {
    const char* name;
    const char* message;
    const char* after = "";  // what the message tells after the file's name
  } kCases[] = {
      {"a.txt", text::kAlreadyLoaded.hebrew},
      {"april.txt", text::kMonthDiffers.hebrew,
       "\rחודש הדיווח בקובץ 04-2024, בקבצים שברשימה 03-2024"},
      {"dealer.txt", text::kClosingDealerDiffers.hebrew},
      {"short.txt", text::kCorruptFile.hebrew},
      {"empty.txt", text::kCannotOpen.hebrew},
  };
  Window w;
  ASSERT_EQ(w.Add(dir.File("a.txt")), AddOutcome::kAdded);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::string before = Snapshot(w);
    w.dialog.messages.clear();
    EXPECT_EQ(w.Add(dir.File(c.name)), AddOutcome::kRefused);
    ASSERT_EQ(w.dialog.messages.size(), 1u);
    EXPECT_EQ(w.dialog.messages[0].text, c.message + std::string("\r") + c.name + c.after)
        << "the file is named on a second line";
    EXPECT_EQ(w.dialog.messages[0].caption, text::kCaption);
    EXPECT_EQ(w.dialog.messages[0].style, 0x80000u | 0x100000u | 0x2000u | 0x10u);
    EXPECT_EQ(Snapshot(w), before);
  }
}

TEST(AddFile, FirstFileIsNeverMonthChecked) {
  test::TempDir dir;
  Opening april = MarchOpening();
  april.month = "04";
  test::WriteFile(dir.File("april.txt"), CrLf({OpeningLine(april), ClosingLine()}));
  test::WriteFile(dir.File("march.txt"), MarchFile("123456782", 1000));
  Window w;
  EXPECT_EQ(w.Add(dir.File("april.txt")), AddOutcome::kAdded);
  EXPECT_EQ(w.Add(dir.File("march.txt")), AddOutcome::kRefused);
  EXPECT_EQ(w.dialog.messages.at(0).text,
            text::kMonthDiffers.hebrew +
                std::string("\rmarch.txt\rחודש הדיווח בקובץ 03-2024, בקבצים שברשימה 04-2024"));
}

TEST(AddFile, TheSameFileUnderAnotherNameIsRefused) {
  // regression: the same file reached by a second path was loaded, and counted, twice
  test::TempDir dir;
  test::WriteFile(dir.File("a.txt"), MarchFile("123456782", 1000));
  std::filesystem::create_directory(dir.File("sub"));
  std::filesystem::create_symlink(dir.File("a.txt"), dir.File("link.txt"));
  std::filesystem::create_hard_link(dir.File("a.txt"), dir.File("hard.txt"));
  const struct {
    std::string path;
    const char* why;
  } kCases[] = {
      {dir.path() + "/./a.txt", "a \".\" in the path"},
      {dir.path() + "/sub/../a.txt", "a \"..\" in the path"},
      {std::filesystem::relative(dir.File("a.txt")).string(), "a relative path"},
      {dir.File("link.txt"), "a symbolic link"},
      {dir.File("hard.txt"), "a hard link"},
  };
  Window w;
  ASSERT_EQ(w.Add(dir.File("a.txt")), AddOutcome::kAdded);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    w.dialog.messages.clear();
    EXPECT_EQ(w.Add(c.path), AddOutcome::kRefused);
    ASSERT_EQ(w.dialog.messages.size(), 1u);
    EXPECT_EQ(w.dialog.messages[0].text,
              text::kAlreadyLoaded.hebrew + ("\r" + c.path.substr(c.path.rfind('/') + 1)));
  }
  EXPECT_EQ(w.table.FileCount(), 1);
  // Another file of a dealer already listed is taken, and adds no combo entry.
  test::WriteFile(dir.File("b.txt"), MarchFile("123456782", 2000));
  EXPECT_EQ(w.Add(dir.File("b.txt")), AddOutcome::kAdded);
  EXPECT_EQ(w.dialog.Dealers().size(), 1u);
  // regression: a copy of a loaded file (the same report under another name) counted twice
  std::filesystem::copy_file(dir.File("b.txt"), dir.File("copy.txt"));
  w.dialog.messages.clear();
  EXPECT_EQ(w.Add(dir.File("copy.txt")), AddOutcome::kRefused);
  ASSERT_EQ(w.dialog.messages.size(), 1u);
  EXPECT_EQ(w.dialog.messages[0].text, text::kAlreadyLoaded.hebrew + std::string("\rcopy.txt") +
                                           text::kCopyOf.hebrew + "b.txt");
  EXPECT_EQ(w.table.FileCount(), 2);
}

TEST(AddFile, LongPathsAreKeptWhole) {
  // regression guard: a path of more than 255 characters must not be cut
  test::TempDir dir;
  std::string path = dir.path();
  while (path.size() < 300) {
    path += "/" + std::string(60, 'd');
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
  }
  path += "/a.txt";
  test::WriteFile(path, MarchFile("123456782", 1000));
  Window w;
  ASSERT_EQ(w.Add(path), AddOutcome::kAdded);
  EXPECT_EQ(w.table.File(1).path, path);
  EXPECT_EQ(w.Add(path), AddOutcome::kRefused);
  EXPECT_EQ(w.dialog.messages.at(0).text, text::kAlreadyLoaded.hebrew + std::string("\ra.txt"));
}

TEST(AddFile, BeepsWhenThereIsNothingToLoad) {
  test::TempDir dir;
  Window w;
  EXPECT_EQ(w.Add(dir.File("missing.txt")), AddOutcome::kNothingChosen);
  EXPECT_EQ(w.Add(dir.path()), AddOutcome::kNothingChosen);  // a folder counts as missing
  EXPECT_EQ(w.dialog.beeps, 2);
  EXPECT_TRUE(w.dialog.messages.empty());
  EXPECT_EQ(w.dialog.FileCount(), 0);
}

TEST(AddFile, CancelLoadsPc874FromTheCurrentFolder) {
  test::TempDir dir;
  test::WriteFile(dir.File("Pc874.txt"), MarchFile("123456782", 1000));
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(::chdir(dir.path().c_str()), 0);
  Window w;
  w.dialog.QueueOpenFile({false, ""});
  const AddOutcome outcome = AddFile(w.dialog, w.table);
  w.dialog.QueueOpenFile({false, ""});
  const AddOutcome again = AddFile(w.dialog, w.table);
  ASSERT_EQ(::chdir(previous), 0);
  EXPECT_EQ(outcome, AddOutcome::kAdded);
  EXPECT_EQ(w.table.File(1).path, "Pc874.txt");
  EXPECT_EQ(again, AddOutcome::kRefused);  // the same name again is a duplicate
}

TEST(AddFile, SeveralFilesInOneTripInFileNameOrder) {
  test::TempDir dir;
  test::WriteFile(dir.File("b.txt"), MarchFile("000000018", 2000));
  test::WriteFile(dir.File("C.txt"), MarchFile("513987651", 3000));
  Opening april = MarchOpening();
  april.month = "04";
  test::WriteFile(dir.File("a-april.txt"), CrLf({OpeningLine(april), ClosingLine()}));
  test::WriteFile(dir.File("D.txt"), MarchFile("123456782", 4000));
  Window w;
  ASSERT_EQ(w.Add(dir.File("D.txt")), AddOutcome::kAdded);
  // The open-file dialog's answer: the folder, then the names as the user picked them.
  using namespace std::string_literals;
  w.dialog.QueueOpenFile({true, dir.path() + "\0C.txt\0D.txt\0a-april.txt\0b.txt\0missing.txt"s});
  EXPECT_EQ(AddFile(w.dialog, w.table), AddOutcome::kAdded);
  // a-april.txt went first by name, against the month of D.txt loaded before; D.txt again
  // is a duplicate; b.txt and C.txt were taken in that order.
  ASSERT_EQ(w.dialog.messages.size(), 2u);
  EXPECT_EQ(w.dialog.messages[0].text,
            std::string(text::kMonthDiffers.hebrew) +
                "\ra-april.txt\rחודש הדיווח בקובץ 04-2024, בקבצים שברשימה 03-2024");
  EXPECT_EQ(w.dialog.messages[1].text, std::string(text::kAlreadyLoaded.hebrew) + "\rD.txt");
  EXPECT_EQ(w.dialog.beeps, 1);  // missing.txt
  ASSERT_EQ(w.table.FileCount(), 3);
  EXPECT_EQ(w.table.File(2).path, dir.File("b.txt"));
  EXPECT_EQ(w.table.File(3).path, dir.File("C.txt"));
  EXPECT_EQ(w.dialog.FileCount(), 3);
  EXPECT_EQ(w.dialog.Text(ControlId::kTaxableSales), "9,000 ");
}

TEST(AddFile, SelectionTooLongForTheBufferIsToldAndLoadsNothing) {
  test::TempDir dir;
  test::WriteFile(dir.File("Pc874.txt"), MarchFile("123456782", 1000));
  char previous[4096];
  ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(::chdir(dir.path().c_str()), 0);
  Window w;
  w.dialog.QueueOpenFile({false, "", true});
  const AddOutcome outcome = AddFile(w.dialog, w.table);
  ASSERT_EQ(::chdir(previous), 0);
  EXPECT_EQ(outcome, AddOutcome::kRefused);
  ASSERT_EQ(w.dialog.messages.size(), 1u);
  EXPECT_EQ(w.dialog.messages[0].text, text::kTooManyFiles);
  EXPECT_EQ(w.table.FileCount(), 0);  // not even the "Pc874.txt" of a cancelled dialog
}

TEST(AddFile, CountsRepeatsOfTheFilesAboveAndListsTheFindings) {
  test::TempDir dir;
  // 1,001 short input records of one supplier's invoice: 1,001 findings of length, 1,000 of
  // a repeated record, and the opening record's count of inputs (0) differs.
  Opening opening = MarchOpening();
  std::vector<std::string> lines = {OpeningLine(opening)};
  lines.insert(lines.end(), 1001, DetailLine('T', 170, '+', 1000));
  lines.push_back(ClosingLine());
  test::WriteFile(dir.File("many.txt"), CrLf(lines));
  // Another member deducts the same supplier invoice: every record of it repeats many.txt's.
  opening.dealer = "000000018";
  lines.front() = OpeningLine(opening);
  lines.back() = ClosingLine(opening.dealer);
  test::WriteFile(dir.File("same-records.txt"), CrLf(lines));
  // A whole record of 60 characters, counted as its opening record says: nothing to find.
  opening.dealer = "513987651";
  opening.salesCount = 1;
  test::WriteFile(dir.File("whole.txt"),
                  CrLf({OpeningLine(opening), DetailLine('S', 170, '+', 1000) + "000000000",
                        ClosingLine(opening.dealer)}));
  Window w;
  for (const char* name : {"many.txt", "same-records.txt", "whole.txt"}) {
    ASSERT_EQ(w.Add(dir.File(name)), AddOutcome::kAdded) << name;
  }
  // Counted from Add-file on, each file against itself and the files above it.
  EXPECT_EQ(FileListCellText(w.table, 0, kFindingsColumn), "2,002");
  EXPECT_EQ(FileListCellText(w.table, 1, kFindingsColumn), "2,003");
  EXPECT_EQ(FileListCellText(w.table, 2, kFindingsColumn), " ");

  w.dialog.messages.clear();
  ShowFileFindings(w.dialog, w.table, 0);
  ShowFileFindings(w.dialog, w.table, 2);
  ShowFileFindings(w.dialog, w.table, 3);  // no such row: nothing
  ASSERT_EQ(w.dialog.messages.size(), 2u);
  std::vector<std::string> shown;
  std::stringstream many(w.dialog.messages[0].text);
  for (std::string line; std::getline(many, line, '\r');) shown.push_back(line);
  ASSERT_EQ(shown.size(), 32u);  // the name, 30 findings, how many more
  EXPECT_EQ(shown[0], "many.txt");
  // The count its opening record declares came after 1,000 findings of format: counted, not
  // kept to be listed. One line a finding: its Hebrew message, within a line of the box.
  EXPECT_EQ(shown[1], "2: אורך הרשומה אינו תואם את סוגה");
  EXPECT_EQ(shown[3], "3: החשבונית דווחה כבר - היא תיספר פעמיים");
  EXPECT_EQ(shown[30].substr(0, 4), "17: ");         // line 2 has one finding, the others two
  EXPECT_EQ(shown[31], "ועוד 1,972 ממצאים נוספים");  // of all, not of the ones kept
  EXPECT_EQ(w.dialog.messages[1].text, "whole.txt\rלא נמצאו ממצאים בקובץ זה");

  // A screen with room for twelve lines: ten findings, the rest counted; a narrow box cuts the
  // lines short rather than wrap them.
  w.dialog.messages.clear();
  w.dialog.messageRoom = {12, 20, 20, 100};
  ShowFileFindings(w.dialog, w.table, 0);
  ASSERT_EQ(w.dialog.messages.size(), 1u);
  const std::string& fewer = w.dialog.messages[0].text;
  EXPECT_EQ(std::count(fewer.begin(), fewer.end(), '\r'), 11);
  EXPECT_TRUE(fewer.ends_with("\rועוד 1,992 ממצאים נוספים")) << fewer;
  EXPECT_TRUE(fewer.starts_with("many.txt\r2: אורך הרשומה אי...\r")) << fewer;

  // With many.txt gone, same-records.txt repeats only its own first record.
  w.dialog.SelectRow(0);
  RemoveFile(w.dialog, w.table);
  EXPECT_EQ(FileListCellText(w.table, 0, kFindingsColumn), "2,002");
}

TEST(ChosenPaths, OnePathOrAFolderAndItsNames) {
  using namespace std::string_literals;
  static const struct {
    std::string buffer;
    std::vector<std::string> want;
  } kCases[] = {
      {"/data/a.txt", {"/data/a.txt"}},
      {"/data\0a.txt\0b.txt"s, {"/data/a.txt", "/data/b.txt"}},
      {"/\0a.txt\0b.txt"s, {"/a.txt", "/b.txt"}},  // the root keeps its one separator
      {"", {""}},
  };
  for (const auto& c : kCases) EXPECT_EQ(ChosenPaths(c.buffer), c.want) << c.buffer;
}

TEST(AddFiles, OnePathIsAddedExactlyAsOneChosenAlone) {
  test::TempDir dir;
  test::WriteFile(dir.File("a.txt"), MarchFile("123456782", 1000));
  Window w;
  AddFiles(w.dialog, w.table, {dir.File("a.txt")});
  AddFiles(w.dialog, w.table, {dir.File("a.txt")});
  ASSERT_EQ(w.dialog.messages.size(), 1u);
  EXPECT_EQ(w.dialog.messages[0].text, text::kAlreadyLoaded.hebrew + std::string("\ra.txt"));
  AddFiles(w.dialog, w.table, {dir.File("missing.txt")});
  EXPECT_EQ(w.dialog.beeps, 1);
  EXPECT_EQ(w.table.FileCount(), 1);
}

}  // namespace
}  // namespace pcn
