// Generating the merged file: whole outputs against golden files, and every refusal and
// failure with its one message and nothing lost.
#include "app/generate_command.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "app/add_file.h"
#include "app/adjust_command.h"
#include "app/record_commands.h"
#include "app/system_menu.h"
#include "merge/merged_file.h"
#include "pcn_version.h"
#include "report/load_file.h"
#include "support/headless_dialog.h"
#include "test_support.h"
#include "text/captions.h"
#include "text/messages.h"
#include "totals/five_percent_rule.h"

namespace pcn {
namespace {

namespace fs = std::filesystem;

struct Window {
  FileTable table;
  HeadlessDialog dialog;

  explicit Window(const std::string& outputDirectory) {
    dialog.SetOutputDirectory(outputDirectory);
  }
  void Add(const std::string& path) {
    dialog.QueueOpenFile({true, path});
    ASSERT_EQ(AddFile(dialog, table), AddOutcome::kAdded) << path;
  }
  GenerateResult Generate(const std::string& today = "20241201") {
    dialog.messages.clear();
    return GenerateMergedFile(dialog, table, today);
  }
  std::string OnlyMessage() const {
    return dialog.messages.size() == 1 ? dialog.messages[0].text : "<not one message>";
  }
};

std::map<std::string, std::string> ReadOptions(const std::string& path) {
  std::map<std::string, std::string> options;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) options[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return options;
}

TEST(GenerateMergedFile, MatchesGoldenFiles) {
  const bool update = std::getenv("UPDATE_GOLDEN") != nullptr;
  int cases = 0;
  for (const auto& entry : fs::directory_iterator(PCN_GOLDEN_DIR)) {
    const std::string dir = entry.path().string();
    SCOPED_TRACE(dir);
    ++cases;
    std::map<std::string, std::string> options = ReadOptions(dir + "/options");
    std::vector<std::string> inputs;
    for (const auto& file : fs::directory_iterator(dir + "/in")) inputs.push_back(file.path());
    std::sort(inputs.begin(), inputs.end());

    test::TempDir out;
    Window w(out.path());
    for (const std::string& input : inputs) w.Add(input);
    w.dialog.SetRepresentative(options["representative"] == "1");
    if (options.count("number") && !options["number"].empty()) {
      w.dialog.SetText(ControlId::kNumber, options["number"]);
    }
    const GenerateResult result = w.Generate(options["date"]);
    ASSERT_TRUE(result.Written()) << w.OnlyMessage();
    // The merged file on a second line; with findings, the findings file beside it.
    std::string message = text::kGenerated + ("\r" + result.write.path);
    std::vector<std::string> files = {fs::path(result.write.path).filename()};
    if (result.findings > 0) {
      const std::string& merged = result.write.path;
      EXPECT_EQ(result.findingsPath, merged.substr(0, merged.size() - 4) + ".findings.txt");
      message += text::kFindingsWrittenPrefix + std::to_string(result.findings) +
                 text::kFindingsWrittenSuffix + result.findingsPath;
      files.push_back(fs::path(result.findingsPath).filename());
    }
    EXPECT_EQ(w.OnlyMessage(), message);
    const std::string actual = test::ReadFile(result.write.path);
    if (update) test::WriteFile(dir + "/expected", actual);
    const std::string expected = test::ReadFile(dir + "/expected");
    if (actual != expected) {
      test::WriteFile(dir + "/actual", actual);
      ADD_FAILURE() << "differs from expected; see " << dir << "/actual";
    }
    // The rows were selected one after another while their files were copied.
    std::vector<int> rows;
    for (int i = 0; i < static_cast<int>(inputs.size()); ++i) rows.push_back(i);
    EXPECT_EQ(w.dialog.selectionHistory, rows);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(test::ListDirectory(out.path()), files) << "no temporary file is left";
  }
  EXPECT_GE(cases, 3);
}

// Two consistent March files of two dealers in a fresh directory.
struct TwoFiles {
  test::TempDir dir;
  std::string a = dir.File("a.txt");
  std::string b = dir.File("b.txt");
  std::string out = dir.File("out");
  TwoFiles() {
    test::WriteFile(a, test::ConsistentFile("123456782", "03-2024", 1000, 170, 3, 40, 2));
    test::WriteFile(b, test::ConsistentFile("000000018", "03-2024", 500, 85, 2, 10, 1));
    fs::create_directory(out);
  }
  std::string Merged() const { return out + "/Pcn874-03-2024.txt"; }
};

TEST(GenerateMergedFile, WritesTheUnionRecords) {
  TwoFiles f;
  Window w(f.out);
  w.Add(f.a);
  w.Add(f.b);
  const GenerateResult result = w.Generate("20241201");
  ASSERT_TRUE(result.Written());
  EXPECT_EQ(result.write.path, f.Merged());
  const std::string merged = test::ReadFile(f.Merged());
  const std::string first = merged.substr(0, merged.find("\r\n"));
  EXPECT_EQ(first.size(), 131u);
  EXPECT_EQ(first.substr(0, 25), "O123456782202403120241201");
  EXPECT_EQ(first.substr(25, 12), "+00000004000");  // 3 x 1000 + 2 x 500
  EXPECT_EQ(first.substr(69, 9), "000000005");      // transaction records
  EXPECT_EQ(first.substr(110, 9), "000000003");     // input records
  EXPECT_EQ(merged.substr(merged.size() - 12), "X123456782\r\n");
}

// Every 51-character record made 60 long, its whole length: the checks find nothing.
std::string Whole(const std::string& bytes) {
  std::vector<std::string> lines = test::RuleLines(bytes);
  for (std::string& line : lines) {
    if (line.size() == 51) line += "000000000";
  }
  return test::CrLf(lines);
}

TEST(GenerateMergedFile, AsksBeforeAFileTheReceptionRefusesOrThatCountsTwice) {
  test::Opening negative;  // a negative total that its record matches
  negative.taxableSales = -1000;
  const std::string negativeFile = test::CrLf(
      {test::OpeningLine(negative), test::DetailLine('S', 0, '-', 1000), test::ClosingLine()});
  const std::string sales = test::ConsistentFile("123456782", "03-2024", 1000, 170, 1, 0, 0);
  const std::string sameInput = test::ConsistentFile("123456782", "03-2024", 0, 0, 0, 50, 1);
  static const std::string kRefused = "הקובץ המאוחד יידחה בקליטה: negative-total 101\r";
  static const std::string kTwice = "בקובץ המאוחד חשבונית תיספר פעמיים: repeated-record\r";
  const struct {
    std::string b;
    const char* number;
    int answer;            // -1: none queued
    std::string question;  // how it begins; empty: none asked
    const char* message;   // how the one message begins; nullptr: none
    const char* why;
  } kCases[] = {
      {sales, "", -1, "", text::kGenerated, "short records only: written without a question"},
      {sameInput, "", 0, kTwice + "b.txt:2: ", nullptr, "an invoice twice, No: nothing written"},
      {sameInput, "", 1, kTwice + "b.txt:2: ", text::kGenerated, "Yes: written"},
      {negativeFile, "", 0, kRefused + "Pcn874-03-2024.txt:1: ", nullptr,
       "the union record refused, No"},
      {negativeFile, "19", -1, "", text::kInvalidNumber.hebrew,
       "refused anyway: no question first"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    TwoFiles f;
    test::WriteFile(f.a, test::ConsistentFile("000000018", "03-2024", 0, 0, 0, 50, 1));
    test::WriteFile(f.b, c.b);
    Window w(f.out);
    w.Add(f.a);
    w.Add(f.b);
    if (*c.number != '\0') w.dialog.SetText(ControlId::kNumber, c.number);
    if (c.answer >= 0) w.dialog.QueueAnswer(c.answer == 1);
    const GenerateResult result = w.Generate();
    EXPECT_EQ(result.declined, c.answer == 0);
    ASSERT_EQ(w.dialog.questions.size(), c.question.empty() ? 0u : 1u);
    if (!c.question.empty()) {
      const HeadlessDialog::Message& asked = w.dialog.questions[0];
      EXPECT_EQ(asked.text.substr(0, c.question.size()), c.question);
      EXPECT_TRUE(asked.text.ends_with("\rלהפיק את הקובץ המאוחד בכל זאת?")) << asked.text;
      // Yes and No, No the default, the warning icon; right to left and task-modal.
      EXPECT_EQ(asked.style, 0x80000u | 0x100000u | 0x2000u | 0x30u | 0x4u | 0x100u);
    }
    ASSERT_EQ(w.dialog.messages.size(), c.message ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(w.dialog.messages[0].text.substr(0, strlen(c.message)), c.message);
    }
    const std::vector<std::string> written = {"Pcn874-03-2024.findings.txt", "Pcn874-03-2024.txt"};
    EXPECT_EQ(test::ListDirectory(f.out), result.Written() ? written : std::vector<std::string>{});
  }
}

TEST(GenerateMergedFile, WritesTheFindingsBesideTheMergedFileOnlyWhenThereAreAny) {
  TwoFiles f;
  const std::string findings = f.out + "/Pcn874-03-2024.findings.txt";
  test::WriteFile(findings, "an earlier run's");
  test::WriteFile(f.a, Whole(test::ConsistentFile("000000018", "03-2024", 0, 0, 0, 50, 1)));
  test::WriteFile(f.b, Whole(test::ConsistentFile("123456782", "03-2024", 1000, 170, 1, 0, 0)));
  {
    Window w(f.out);
    w.Add(f.a);
    w.Add(f.b);
    ASSERT_TRUE(w.Generate().Written());
    EXPECT_EQ(w.OnlyMessage(), text::kGenerated + ("\r" + f.Merged()));
    EXPECT_EQ(test::ReadFile(findings), "an earlier run's");  // left alone
  }
  // Short records, and b's 1,001 input records are a's one again: the findings file lists
  // every one, however many a file has.
  test::WriteFile(f.a, test::ConsistentFile("000000018", "03-2024", 0, 0, 0, 50, 1));
  test::WriteFile(f.b, test::ConsistentFile("123456782", "03-2024", 0, 0, 0, 50, 1001));
  Window w(f.out);
  w.Add(f.a);
  w.Add(f.b);
  const GenerateResult result = w.Generate();
  ASSERT_TRUE(result.Written());
  EXPECT_EQ(result.findingsPath, findings);
  EXPECT_EQ(w.OnlyMessage(), std::string(text::kGenerated) + "\r" + f.Merged() +
                                 "\rנמצאו 2,003 ממצאים - פירוט בקובץ " + findings);
  const std::string bytes = test::ReadFile(findings);
  ASSERT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF");
  std::vector<std::string> lines;
  for (std::size_t at = 3, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(bytes.substr(at, end - at));
  }
  ASSERT_EQ(lines.size(), 2003u);  // a's one, b's 1,001 short records and 1,001 repeats
  EXPECT_TRUE(bytes.ends_with("\r\n"));
  EXPECT_EQ(lines[0].substr(0, f.a.size() + 17), f.a + ":2: record-length");
  EXPECT_EQ(lines[1].substr(0, f.b.size() + 17), f.b + ":2: record-length");
  EXPECT_EQ(lines[2].substr(0, f.b.size() + 19), f.b + ":2: repeated-record");
  EXPECT_TRUE(lines[2].ends_with("; first at " + f.a + ":2)")) << lines[2];
  EXPECT_EQ(lines.back().substr(0, f.b.size() + 22), f.b + ":1002: repeated-record");
}

TEST(GenerateMergedFile, ShortensALongFolderInItsMessageOnly) {
  TwoFiles f;
  std::string deep = f.out;
  for (int i = 1; i <= 6; ++i) deep += "/the-client-files-of-a-long-name-" + std::to_string(i);
  fs::create_directories(deep);
  Window w(deep);
  w.dialog.messageRoom = {40, 70, 70, 100};  // a box of 70 characters a line
  w.Add(f.a);
  w.Add(f.b);
  const GenerateResult result = w.Generate();
  ASSERT_TRUE(result.Written());
  EXPECT_EQ(result.findingsPath, deep + "/Pcn874-03-2024.findings.txt");  // whole
  // On a line of its own: beside the words before it, the box would break it at a separator.
  EXPECT_EQ(w.OnlyMessage(), std::string(text::kGenerated) +
                                 "\r/.../the-client-files-of-a-long-name-6/Pcn874-03-2024.txt"
                                 "\rנמצאו 13 ממצאים - פירוט בקובץ\r/.../"
                                 "the-client-files-of-a-long-name-6/Pcn874-03-2024.findings.txt");
}

TEST(GenerateMergedFile, OverwritesAnEarlierMergeWithoutAsking) {
  TwoFiles f;
  test::WriteFile(f.Merged(), "an earlier merge");
  Window w(f.out);
  w.Add(f.a);
  w.Add(f.b);
  ASSERT_TRUE(w.Generate().Written());
  EXPECT_EQ(test::ReadFile(f.Merged()).substr(0, 1), "O");
}

TEST(GenerateMergedFile, RefusesBeforeWritingAnything) {
  static const struct {
    const char* number;
    const char* message;
    const char* why;
  } kCases[] = {
      {"", text::kInvalidNumber.hebrew, "empty number"},
      {"0", text::kInvalidNumber.hebrew, "zero"},
      {"19", text::kInvalidNumber.hebrew, "wrong check digit"},
      {"1234567897", text::kInvalidNumber.hebrew, "ten digits do not fit the records"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    TwoFiles f;
    test::WriteFile(f.Merged(), "an earlier merge");
    Window w(f.out);
    w.Add(f.a);
    w.Add(f.b);
    w.dialog.SetText(ControlId::kNumber, c.number);
    EXPECT_FALSE(w.Generate().Written());
    EXPECT_EQ(w.OnlyMessage(), c.message);
    EXPECT_EQ(test::ReadFile(f.Merged()), "an earlier merge");
    EXPECT_EQ(test::ListDirectory(f.out).size(), 1u);
  }
}

TEST(GenerateMergedFile, NeedsTwoFiles) {
  TwoFiles f;
  Window w(f.out);
  w.Add(f.a);
  EXPECT_FALSE(w.Generate().Written());
  EXPECT_EQ(w.OnlyMessage(), text::kTooFewFiles.hebrew);
  EXPECT_TRUE(test::ListDirectory(f.out).empty());
  // regression: one file was read and copied into a temporary merge before the refusal
  test::WriteFile(f.a, "exported again");
  EXPECT_FALSE(w.Generate().Written());
  EXPECT_EQ(w.OnlyMessage(), text::kTooFewFiles.hebrew);  // not that the file changed: never read
}

TEST(GenerateMergedFile, RefusesTotalsBeyondFivePercent) {
  TwoFiles f;
  test::Opening o;
  o.taxableSales = 2000;  // the records hold 1000
  test::WriteFile(f.b, test::CrLf({test::OpeningLine(o), test::DetailLine('S', 0, '+', 1000),
                                   test::ClosingLine()}));
  Window w(f.out);
  w.Add(f.a);
  w.Add(f.b);
  EXPECT_FALSE(w.Generate().Written());
  // The pair's figures on a second line: a's 3,000 and b's 2,000 declared, against 3,000
  // and 1,000 in their records.
  EXPECT_EQ(w.OnlyMessage(),
            text::kIncomeDiffers.hebrew +
                std::string("\rסכום מדווח 5,000.00, סכום התנועות 4,000.00, הפרש \u200E-25.0000%"));
  EXPECT_TRUE(test::ListDirectory(f.out).empty());
}

TEST(GenerateMergedFile, RefusesAValueTooWideForItsField) {
  // regression guard: a total of twelve digits must never be clipped into eleven
  TwoFiles f;
  test::Opening big;
  big.taxableSales = 99999999999;
  test::WriteFile(f.b,
                  test::CrLf({test::OpeningLine(big), test::DetailLine('S', 0, '+', 9999999999),
                              test::ClosingLine()}));
  // Another file of the same figures: a line of no record type makes it more than a copy.
  const std::string copy = f.dir.File("b2.txt");
  test::WriteFile(copy, test::ReadFile(f.b) + "A\r\n");
  Window w(f.out);
  w.Add(f.b);
  w.Add(copy);
  w.table.Combined().salesRecordAmount = w.table.Combined().taxableSales;  // pass the 5% rule
  EXPECT_FALSE(w.Generate().Written());
  EXPECT_EQ(w.OnlyMessage(), std::string("הערך של ") + text::kFieldTaxableSales +
                                 " גדול מרוחב השדה ברשומת הקובץ המאוחד - הקובץ לא הופק");
  EXPECT_TRUE(test::ListDirectory(f.out).empty());
}

TEST(GenerateMergedFile, NeverWritesOverASource) {
  // regression guard: a merged file loaded again as a source must not be emptied
  TwoFiles f;
  fs::copy_file(f.a, f.Merged());
  const std::string before = test::ReadFile(f.Merged());
  Window w(f.out);
  w.Add(f.out + "/./Pcn874-03-2024.txt");  // the same file, written another way
  w.Add(f.b);
  EXPECT_FALSE(w.Generate().Written());
  EXPECT_EQ(w.OnlyMessage(), std::string(text::kOutputIsSource.hebrew) + f.out +
                                 "/./Pcn874-03-2024.txt" + text::kChooseAnotherDirectory);
  EXPECT_EQ(test::ReadFile(f.Merged()), before);
  EXPECT_EQ(test::ListDirectory(f.out).size(), 1u);
}

TEST(GenerateMergedFile, MissingSourceStopsWithItsNameAndLeavesNothing) {
  TwoFiles f;
  test::WriteFile(f.Merged(), "an earlier merge");
  Window w(f.out);
  w.Add(f.a);
  w.Add(f.b);
  fs::remove(f.b);
  EXPECT_FALSE(w.Generate().Written());
  EXPECT_EQ(w.OnlyMessage(),
            std::string(text::kSourceChanged.hebrew) + "\r" + fs::path(f.b).filename().string());
  EXPECT_EQ(test::ReadFile(f.Merged()), "an earlier merge");
  EXPECT_EQ(test::ListDirectory(f.out).size(), 1u);
  EXPECT_EQ(w.dialog.SelectedFile(), 1);  // the row of the file that failed
}

TEST(GenerateMergedFile, OutputHeldElsewhereCannotBeOpened) {
  TwoFiles f;
  test::WriteFile(f.Merged(), "held");
  const int held = ::open(f.Merged().c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  Window w(f.out);
  w.Add(f.a);
  w.Add(f.b);
  EXPECT_FALSE(w.Generate().Written());
  ::close(held);
  EXPECT_EQ(w.OnlyMessage(),
            text::kCannotOpenOutput.hebrew + ("\r" + f.out) + " (Resource temporarily unavailable)")
      << "the folder and the system's reason on a second line";
  EXPECT_EQ(test::ReadFile(f.Merged()), "held");
  EXPECT_EQ(test::ListDirectory(f.out).size(), 1u);
}

TEST(GenerateMergedFile, MissingDirectoryCannotBeOpened) {
  TwoFiles f;
  Window w(f.dir.File("no-such-directory"));
  w.Add(f.a);
  w.Add(f.b);
  EXPECT_FALSE(w.Generate().Written());
  EXPECT_EQ(w.OnlyMessage(), text::kCannotOpenOutput.hebrew +
                                 ("\r" + f.dir.File("no-such-directory")) +
                                 " (No such file or directory)");
}

// The window's record of its last merge: the page the command line writes, with the
// window's spin steps, every digest as an independent program takes it, and never in the
// place of a file it records.
TEST(SaveMergeRecord, WritesTheLastMergeWithItsStepsAndDigests) {
  const auto sha256sum = [](const std::string& path) {
    std::string out, err;
    EXPECT_EQ(test::RunCommand("sha256sum " + test::Quote(path), &out, &err), 0) << err;
    return out.substr(0, 64);
  };
  TwoFiles f;
  Window w(f.out);
  MergeRecordState state;
  SaveMergeRecord(w.dialog, state);
  EXPECT_EQ(w.dialog.beeps, 1) << "no merge yet: a beep";
  EXPECT_TRUE(w.dialog.openFileRequests.empty());

  w.Add(f.a);
  w.Add(f.b);
  const auto made = AdjustMergedTotal(w.dialog, w.table, ControlId::kSpinTaxableSales, +1);
  ASSERT_TRUE(made.has_value());
  EXPECT_EQ(made->before, 4000 * kAmountScale);  // 3 x 1000 + 2 x 500
  EXPECT_EQ(made->after, 4001 * kAmountScale);
  EXPECT_FALSE(AdjustMergedTotal(w.dialog, w.table, ControlId::kTaxableSales, +1).has_value());
  state.steps.push_back(*made);
  const GenerateResult result = w.Generate();
  ASSERT_TRUE(result.Written());
  ASSERT_TRUE(KeepMergeRecord(state, w.table, result, "01/12/2024 10:30"));
  // Later changes to the window do not change the record of the merge made.
  w.table.Combined().taxableSales = 0;

  const std::string page = f.dir.File("record.html");
  w.dialog.messages.clear();
  w.dialog.QueueOpenFile({true, page});
  SaveMergeRecord(w.dialog, state);
  ASSERT_EQ(w.dialog.openFileRequests.size(), 3u);  // the two files' and the record's
  const OpenFileRequest& asked = w.dialog.openFileRequests.back();
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.fileBuffer.substr(0, asked.fileBuffer.find('\0')), "Pcn874-03-2024.html");
  EXPECT_EQ(asked.initialFolder, f.out + "/");
  EXPECT_EQ(w.OnlyMessage(), text::kRecordSaved + page);
  const std::string html = test::ReadFile(page);
  for (const std::string& path : {f.a, f.b, f.Merged()}) {
    EXPECT_NE(html.find(sha256sum(path)), std::string::npos) << path;
  }
  EXPECT_NE(html.find("<td class=\"n\">4,000</td><td class=\"n\">4,001</td>"), std::string::npos)
      << "the spin step, before and after";
  EXPECT_NE(html.find(">4,001<"), std::string::npos);
  EXPECT_NE(html.find("01/12/2024 10:30"), std::string::npos);
  EXPECT_NE(html.find(PCN_VERSION), std::string::npos);

  // In the place of a file it records: refused, the file untouched.
  const std::string source = test::ReadFile(f.a);
  for (const std::string& target : {f.a, f.Merged()}) {
    w.dialog.messages.clear();
    w.dialog.QueueOpenFile({true, target});
    SaveMergeRecord(w.dialog, state);
    EXPECT_EQ(w.OnlyMessage(),
              text::kRecordNotSaved.hebrew + target + text::kRecordWouldReplace.hebrew);
  }
  EXPECT_EQ(test::ReadFile(f.a), source);
  // Into a folder that is not there: told, nothing else.
  w.dialog.messages.clear();
  w.dialog.QueueOpenFile({true, f.dir.File("missing/record.html")});
  SaveMergeRecord(w.dialog, state);
  EXPECT_EQ(w.OnlyMessage(), text::kRecordNotSaved.hebrew + f.dir.File("missing/record.html"));
  // Cancelled: nothing at all.
  w.dialog.messages.clear();
  SaveMergeRecord(w.dialog, state);
  EXPECT_TRUE(w.dialog.messages.empty());

  // A Generate that wrote nothing keeps the last record.
  w.table.Combined() = FileEntry();
  GenerateResult failed;
  failed.write.failure = WriteFailure::kWriteFailed;
  EXPECT_TRUE(KeepMergeRecord(state, w.table, failed, "x"));
  ASSERT_TRUE(state.last.has_value());
  EXPECT_EQ(state.last->record.dateTime, "01/12/2024 10:30");
}

// The success message offers the record of the merge just made: Yes goes on to the save-file
// dialog, No (the default, as Enter alone answers) leaves it for the menu; either way the
// record is kept.
TEST(GenerateKeepingRecord, TheSuccessMessageOffersTheRecord) {
  for (const bool yes : {true, false}) {
    TwoFiles f;
    Window w(f.out);
    w.Add(f.a);
    w.Add(f.b);
    MergeRecordState state;
    const std::string page = f.dir.File("offered.html");
    w.dialog.answers = {true, yes};  // the short records' findings are asked about first
    w.dialog.QueueOpenFile({true, page});
    GenerateKeepingRecord(w.dialog, w.table, state);
    ASSERT_EQ(w.dialog.questions.size(), 2u) << yes;
    const HeadlessDialog::Message& offer = w.dialog.questions.back();
    EXPECT_TRUE(offer.text.starts_with(text::kGenerated)) << offer.text;
    EXPECT_TRUE(offer.text.ends_with(text::kOfferRecord)) << offer.text;
    // Yes and No, No the default, the stop icon of the success message.
    EXPECT_EQ(offer.style, 0x80000u | 0x100000u | 0x2000u | 0x10u | 0x4u | 0x100u);
    EXPECT_TRUE(state.last.has_value());
    EXPECT_EQ(test::Exists(page), yes);
    EXPECT_EQ(w.dialog.messages.size(), yes ? 1u : 0u);  // "saved in ..." after Yes only
  }
}

// F1 and About: the guide beside the program, or a message naming where it was looked for.
TEST(SystemMenu, OpensTheGuideOrSaysItIsMissing) {
  test::TempDir dir;
  HeadlessDialog dialog;
  OpenGuide(dialog, dir.path());
  ASSERT_EQ(dialog.messages.size(), 1u);
  EXPECT_EQ(dialog.messages[0].text, text::kGuideMissing + dir.File("guide.html"));
  EXPECT_TRUE(dialog.openedDocuments.empty());

  test::WriteFile(dir.File("guide.html"), "<html></html>");
  dialog.messages.clear();
  OpenGuide(dialog, dir.path());
  EXPECT_TRUE(dialog.messages.empty());
  EXPECT_EQ(dialog.openedDocuments, std::vector<std::string>{dir.File("guide.html")});
  dialog.documentsOpen = false;
  OpenGuide(dialog, dir.path());
  ASSERT_EQ(dialog.messages.size(), 1u);
  EXPECT_EQ(dialog.messages[0].text, text::kGuideNotOpened + dir.File("guide.html"));

  dialog.messages.clear();
  ShowAbout(dialog);
  ASSERT_EQ(dialog.messages.size(), 1u);
  const std::string& about = dialog.messages[0].text;
  EXPECT_NE(about.find(std::string(text::kAboutVersion) + PCN_VERSION), std::string::npos);
  EXPECT_NE(about.find("PCN874"), std::string::npos);
  EXPECT_EQ(dialog.messages[0].style & 0xF0u, 0x40u) << "the information icon";
}

}  // namespace
}  // namespace pcn
