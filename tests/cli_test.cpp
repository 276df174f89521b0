// The command-line tool as a script runs it: exit codes, the merged bytes, the messages,
// and nothing written on a refusal.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "app/messages.h"
#include "test_support.h"

namespace pcn {
namespace {

using test::Quote;

struct CliRun {
  int code;
  std::string out, err;
};

CliRun Cli(const std::string& arguments, const std::string& directory = ".") {
  CliRun run;
  run.code =
      test::RunCommand("cd " + Quote(directory) + " && " + Quote(PCN_CLI_PATH) + " " + arguments,
                       &run.out, &run.err);
  return run;
}

struct Files {
  test::TempDir dir;
  std::string a = dir.File("a.txt");
  std::string b = dir.File("b.txt");
  Files() {
    test::WriteFile(a, test::ConsistentFile("123456782", "03-2024", 1000, 170, 3, 40, 2));
    test::WriteFile(b, test::ConsistentFile("000000018", "03-2024", 500, 85, 2, 10, 1));
  }
  std::string Merged() const { return dir.File("Pcn874-03-2024.txt"); }
};

TEST(CliMerge, WritesTheSameBytesAsTheGoldenFile) {
  const std::string golden = std::string(PCN_GOLDEN_DIR) + "/union-three-files";
  test::TempDir out;
  const CliRun run =
      Cli("merge --date 20241201 --out " + Quote(out.path()) + " " + Quote(golden + "/in/1.txt") +
          " " + Quote(golden + "/in/2.txt") + " " + Quote(golden + "/in/3.txt"));
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, out.path() + "/Pcn874-03-2024.txt\n");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(test::ReadFile(out.File("Pcn874-03-2024.txt")), test::ReadFile(golden + "/expected"));
}

TEST(CliMerge, RepresentativeFormAndNumber) {
  const std::string golden = std::string(PCN_GOLDEN_DIR) + "/representative-three-files";
  test::TempDir out;
  const CliRun run = Cli("merge --representative --number 18 --date 20241201 --out " +
                         Quote(out.path()) + " " + Quote(golden + "/in/1.txt") + " " +
                         Quote(golden + "/in/2.txt") + " " + Quote(golden + "/in/3.txt"));
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(test::ReadFile(out.File("Pcn874-03-2024.txt")), test::ReadFile(golden + "/expected"));
}

TEST(CliMerge, DefaultsToTheCurrentDirectoryAndToday) {
  Files f;
  const CliRun run = Cli("merge a.txt b.txt", f.dir.path());
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out, std::filesystem::canonical(f.dir.path()).string() + "/Pcn874-03-2024.txt\n");
  const std::string first = test::ReadFile(f.Merged()).substr(0, 131);
  char today[16];
  const std::time_t now = std::time(nullptr);
  std::strftime(today, sizeof today, "%Y%m%d", std::localtime(&now));
  EXPECT_EQ(first.substr(17, 8), today);
}

TEST(CliMerge, AdjustIsOneSpinStep) {
  Files f;
  const CliRun run =
      Cli("merge --date 20241201 --adjust taxableSales=+50 --adjust inputsVat=-1 a.txt b.txt",
          f.dir.path());
  ASSERT_EQ(run.code, 0) << run.err;
  const std::string first = test::ReadFile(f.Merged()).substr(0, 131);
  EXPECT_EQ(first.substr(25, 12), "+00000004050");
  EXPECT_EQ(first.substr(90, 10), "+000000089");     // 2 x 40 + 10 - 1
  EXPECT_EQ(first.substr(119, 12), "+00000000591");  // 680 - 89
}

TEST(CliMerge, RefusalsPrintTheMessageAndWriteNothing) {
  static const struct {
    const char* arguments;
    std::string message;
    const char* why;
  } kCases[] = {
      {"a.txt", text::kTooFewFiles, "one file"},
      {"a.txt a.txt", text::kAlreadyLoaded, "the same path twice"},
      {"a.txt b.txt ./a.txt", text::kAlreadyLoaded, "the same file by another path"},
      {"a.txt b.txt link.txt", text::kAlreadyLoaded, "a symbolic link to a loaded file"},
      {"a.txt b.txt hard.txt", text::kAlreadyLoaded, "a hard link to a loaded file"},
      {"--number 19 a.txt b.txt", text::kInvalidNumber, "bad check digit"},
      {"--adjust taxableSales=1000 a.txt b.txt", text::kIncomeDiffers, "adjustment refused"},
      {"--out missing a.txt b.txt", text::kCannotOpenOutput, "no such directory"},
      {"a.txt april.txt", text::kMonthDiffers, "another month"},
      // Every file is read before the output's troubles are told, and the 5% rule before it.
      {"--out missing a.txt april.txt", text::kMonthDiffers, "a file's refusal comes first"},
      {"--out missing --number 19 a.txt b.txt", text::kInvalidNumber, "the number comes first"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    Files f;
    test::WriteFile(f.dir.File("april.txt"),
                    test::ConsistentFile("123456782", "04-2024", 1, 0, 1, 0, 0));
    std::filesystem::create_symlink("a.txt", f.dir.File("link.txt"));
    std::filesystem::create_hard_link(f.a, f.dir.File("hard.txt"));
    const auto before = test::ListDirectory(f.dir.path());
    const CliRun run = Cli(std::string("merge ") + c.arguments, f.dir.path());
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, c.message + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ListDirectory(f.dir.path()), before);
  }
}

TEST(CliMerge, SourceMessageNamesThePathOnTwoLines) {
  Files f;
  const CliRun run = Cli("merge a.txt b.txt c.txt", f.dir.path());
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("c.txt"), std::string::npos);
  EXPECT_FALSE(test::Exists(f.Merged()));
}

TEST(CliMerge, UsageErrorsExitWithOne) {
  Files f;
  for (const char* arguments :
       {"", "merge", "merge --date 2024 a.txt b.txt", "merge --date 20241399 a.txt b.txt",
        "merge --date 20230229 a.txt b.txt", "merge --adjust taxable=1 a.txt b.txt",
        "merge --adjust salesVat=1.5 a.txt b.txt", "frobnicate"}) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(Cli(arguments, f.dir.path()).code, 1);
  }
  EXPECT_FALSE(test::Exists(f.Merged()));
  const CliRun help = Cli("merge --help");
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("--representative"), std::string::npos);
}

TEST(CliInspect, PrintsEntriesAndRefusalsAsJson) {
  Files f;
  test::WriteFile(f.dir.File("bad.txt"),
                  test::CrLf({test::OpeningLine({}), test::ClosingLine("999999999")}));
  const CliRun run = Cli("inspect --json a.txt bad.txt missing.txt", f.dir.path());
  EXPECT_EQ(run.code, 2);
  for (const char* expected :
       {"\"path\": \"a.txt\"", "\"dealerNumber\": \"123456782\"", "\"reportMonth\": \"03-2024 \"",
        "\"taxableSales\": 3000", "\"salesRecordCount\": 3", "\"inputRecordVat\": 80",
        "\"line\": 2", "\"reason\": \"the closing record's dealer number differs",
        "\"path\": \"missing.txt\"", "\"pass\": true"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
  EXPECT_EQ(Cli("inspect a.txt b.txt", f.dir.path()).code, 0);
}

}  // namespace
}  // namespace pcn
