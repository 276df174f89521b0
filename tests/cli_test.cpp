// The command-line tool as a script runs it: exit codes, the merged bytes, the messages,
// and nothing written on a refusal.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "test_support.h"
#include "text/messages.h"

namespace pcn {
namespace {

using test::Quote;

struct CliRun {
  int code;
  std::string out, err;
};

// Grouped, so that `arguments` may redirect the tool's output themselves; time-limited, so
// that a run that waits forever (on a FIFO, say) fails its test instead of hanging it.
CliRun Cli(const std::string& arguments, const std::string& directory = ".") {
  CliRun run;
  run.code = test::RunCommand("cd " + Quote(directory) + " && { timeout -k 5 60 " +
                                  Quote(PCN_CLI_PATH) + " " + arguments + "; }",
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
  // The error stream carries the merged file's findings (its records are short), nothing else.
  std::istringstream err(run.err);
  for (std::string line; std::getline(err, line);) {
    EXPECT_EQ(line.rfind(golden + "/in/", 0), 0u) << line;
  }
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
    const char* at;  // "pcn874: " and then this: the file and line the refusal names
    const char* why;
  } kCases[] = {
      {"a.txt", text::kTooFewFiles.hebrew + std::string(" (at least two files are needed)"), "",
       "one file"},
      {"a.txt missing.txt",
       text::kNotAFile.hebrew + std::string(" (no such file, or not an ordinary file)"),
       "missing.txt: ", "no file at all: the window's message for a file it cannot open"},
      {"a.txt a.txt", text::kAlreadyLoaded.hebrew, "a.txt: ", "the same path twice"},
      {"a.txt b.txt ./a.txt", text::kAlreadyLoaded.hebrew,
       "./a.txt: ", "the same file by another path"},
      {"a.txt b.txt link.txt", text::kAlreadyLoaded.hebrew,
       "link.txt: ", "a symbolic link to a loaded file"},
      {"a.txt b.txt hard.txt", text::kAlreadyLoaded.hebrew,
       "hard.txt: ", "a hard link to a loaded file"},
      {"a.txt b.txt copy.txt",
       text::kAlreadyLoaded.hebrew + std::string(" (the same bytes as a.txt)"),
       "copy.txt: ", "a copy of a loaded file: the same report, named by the file it repeats"},
      {"--number 19 a.txt b.txt",
       text::kInvalidNumber.hebrew +
           std::string(
               " (the dealer number 19 (000000019) is not valid: its check digit is wrong)"),
       "", "bad check digit, the number named"},
      {"--number 1234567897 a.txt b.txt",
       text::kInvalidNumber.hebrew +
           std::string(
               " (the dealer number 1234567897 is not valid: it does not fit in nine digits)"),
       "", "ten digits"},
      // a's 3 x 1,000 and b's 2 x 500 declared and in their records, then 1,000 more declared.
      {"--adjust taxableSales=1000 a.txt b.txt",
       text::kIncomeDiffers.hebrew +
           std::string(" (income more than 5% from its records: declared 5,000.00, records "
                       "4,000.00, difference -25.0000%); nothing was written"),
       "--adjust taxableSales=1000: ", "an adjustment beyond the 5% rule, named, with its figures"},
      {"a.txt off.txt",
       text::kIncomeDiffers.hebrew +
           std::string(" (income more than 5% from its records: declared 5,000.00, records "
                       "4,000.00, difference -25.0000%)"),
       "", "the 5% rule at writing, with the pair's figures"},
      {"--adjust inputsVat=-1 --adjust exemptSales=5 a.txt b.txt",
       "the total is 0, and a total of 0 is not moved",
       "--adjust exemptSales=5: ", "an adjustment of a total of 0: refused, not ignored"},
      {"--out missing a.txt b.txt", text::kCannotOpenOutput.hebrew,
       "missing: ", "no such directory"},
      {"a.txt april.txt",
       text::kMonthDiffers.hebrew + std::string(" (month 04-2024, expected 03-2024)"),
       "april.txt:1: ", "another month, with the month found and the one expected"},
      // Every file is read before the output's troubles are told, and the 5% rule before it.
      {"--out missing a.txt april.txt", text::kMonthDiffers.hebrew,
       "april.txt:1: ", "a file's refusal comes first"},
      {"--out missing --number 19 a.txt b.txt",
       text::kInvalidNumber.hebrew +
           std::string(
               " (the dealer number 19 (000000019) is not valid: its check digit is wrong)"),
       "", "the number comes first"},
      {"--out fifo a.txt b.txt", text::kCannotOpenOutput.hebrew,
       "fifo: ", "the merged file's name taken by a FIFO: refused, not waited on"},
      {"--out read-only a.txt b.txt", text::kCannotOpenOutput.hebrew,
       "read-only: ", "a read-only merged file is not replaced, even by root"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    Files f;
    test::WriteFile(f.dir.File("april.txt"),
                    test::ConsistentFile("123456782", "04-2024", 1, 0, 1, 0, 0));
    test::Opening off;  // 2,000 declared, 1,000 in its records
    off.dealer = "000000018";
    off.taxableSales = 2000;
    test::WriteFile(f.dir.File("off.txt"),
                    test::CrLf({test::OpeningLine(off), test::DetailLine('S', 0, '+', 1000),
                                test::ClosingLine("000000018")}));
    std::filesystem::create_symlink("a.txt", f.dir.File("link.txt"));
    std::filesystem::create_hard_link(f.a, f.dir.File("hard.txt"));
    std::filesystem::copy_file(f.a, f.dir.File("copy.txt"));
    // Directories where the merged file's name is taken by a FIFO and by a read-only file.
    std::filesystem::create_directory(f.dir.File("fifo"));
    ASSERT_EQ(::mkfifo(f.dir.File("fifo/Pcn874-03-2024.txt").c_str(), 0600), 0);
    const std::string readOnly = f.dir.File("read-only/Pcn874-03-2024.txt");
    std::filesystem::create_directory(f.dir.File("read-only"));
    test::WriteFile(readOnly, "earlier\r\n");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const auto listing = [&f] {
      return std::vector{test::ListDirectory(f.dir.path()), test::ListDirectory(f.dir.File("fifo")),
                         test::ListDirectory(f.dir.File("read-only"))};
    };
    const auto before = listing();
    const CliRun run = Cli(std::string("merge ") + c.arguments, f.dir.path());
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err.rfind(std::string("pcn874: ") + c.at, 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.message + (c.at[0] == '\0' ? "\n" : "")), std::string::npos)
        << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(listing(), before);
    EXPECT_EQ(test::ReadFile(readOnly), "earlier\r\n");
  }
}

TEST(CliCheck, ExitCodesAndStrictMerge) {
  test::TempDir dir;
  // clean.txt has no finding; short.txt a detail record of 51 characters; minus.txt and
  // minus2.txt are credit notes alone: their union's taxable sales are negative.
  // Records of distinct references (columns 23-31), so that none repeats another.
  const auto sale = [](char sign, int reference, bool full = true) {
    std::string line = test::DetailLine('S', 170, sign, 1000) + (full ? "000000000" : "");
    const std::string number = std::to_string(reference);
    return line.replace(22, 9, std::string(9 - number.size(), '0') + number);
  };
  test::Opening o;
  o.taxableSales = 1000;
  o.salesVat = 170;
  o.salesCount = 1;
  test::WriteFile(dir.File("clean.txt"),
                  test::CrLf({test::OpeningLine(o), sale('+', 1), test::ClosingLine()}));
  test::WriteFile(dir.File("short.txt"),
                  test::CrLf({test::OpeningLine(o), sale('+', 2, false), test::ClosingLine()}));
  o.dealer = "000000018";
  o.taxableSales = -1000;
  o.salesVat = -170;
  const std::string minus = test::OpeningLine(o);
  test::WriteFile(dir.File("minus.txt"),
                  test::CrLf({minus, sale('-', 3), test::ClosingLine("000000018")}));
  test::WriteFile(dir.File("minus2.txt"),
                  test::CrLf({minus, sale('-', 4), test::ClosingLine("000000018")}));
  static const struct {
    const char* arguments;
    int code;
    const char* inOut;  // a text the standard output must hold
    const char* why;
  } kCases[] = {
      {"check clean.txt", 0, "clean.txt: no findings\n", "no finding, and said so"},
      {"check short.txt", 3, "short.txt:2: record-length: ", "a finding"},
      {"check clean.txt missing.txt", 2, "", "a file refused"},
      {"check", 1, "", "no file"},
      {"check --json minus.txt minus2.txt", 3, "\"code\": 101", "the union record's total"},
      {"check --json clean.txt", 0, "\"merged\": null", "one file has no union record"},
      {"merge --date 20241201 minus.txt minus2.txt", 0, "Pcn874-03-2024.txt",
       "findings told, the file written"},
      {"merge --strict --date 20241201 minus.txt minus2.txt", 2, "", "--strict: nothing written"},
      {"merge --strict --date 20241201 --representative --number 18 clean.txt short.txt", 0,
       "Pcn874-03-2024.txt", "--strict lets a file of format findings through"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    std::filesystem::remove(dir.File("Pcn874-03-2024.txt"));
    const CliRun run = Cli(c.arguments, dir.path());
    EXPECT_EQ(run.code, c.code) << run.err;
    EXPECT_NE(run.out.find(c.inOut), std::string::npos) << run.out;
    const bool merge = std::string(c.arguments).rfind("merge", 0) == 0;
    if (merge) {
      EXPECT_EQ(test::Exists(dir.File("Pcn874-03-2024.txt")), c.code == 0);
      if (c.code == 2 || std::string(c.arguments).find("minus") != std::string::npos) {
        EXPECT_NE(run.err.find("Pcn874-03-2024.txt:1: negative-total 101: "), std::string::npos)
            << run.err;
      }
    }
  }
}

// regression: a refused file's records counted in check, a repeat after 1,000 format findings
// let through by --strict, a month of "13" named a merged file
TEST(CliCheck, RefusedFilesCountForNothingAndNoRefusalIsHidden) {
  test::TempDir dir;
  const std::string input = "T987654324202403150000000000017000000170+0000001000123456789";
  test::Opening o;
  o.inputCount = 1;
  test::WriteFile(dir.File("bad.txt"),
                  test::CrLf({test::OpeningLine(o), input, test::ClosingLine("000000018")}));
  test::WriteFile(dir.File("good.txt"),
                  test::CrLf({test::OpeningLine(o), input, test::ClosingLine()}));
  // 1,000 short records, then the same input invoice twice: the repeat comes after as many
  // format findings as are listed of a file.
  std::vector<std::string> lines{test::OpeningLine(o)};
  for (int i = 1; i <= 1000; ++i) {
    const std::string reference = std::to_string(i);
    lines.push_back(test::DetailLine('S', 0, '+', 0)
                        .replace(22, 9, std::string(9 - reference.size(), '0') + reference));
  }
  lines.insert(lines.end(), {input, input, test::ClosingLine()});
  test::WriteFile(dir.File("many.txt"), test::CrLf(lines));
  o.month = "13";
  test::WriteFile(dir.File("m13.txt"), test::CrLf({test::OpeningLine(o), test::ClosingLine()}));
  o.dealer = "000000018";
  test::WriteFile(dir.File("m13b.txt"),
                  test::CrLf({test::OpeningLine(o), test::ClosingLine("000000018")}));

  CliRun run = Cli("check bad.txt good.txt", dir.path());
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.out, "good.txt: no findings\n") << "good.txt repeats only a refused file";
  run = Cli("merge --strict --date 20241201 --number 18 many.txt good.txt", dir.path());
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("many.txt:1003: repeated-record: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("good.txt:2: repeated-record: "), std::string::npos) << run.err;
  EXPECT_FALSE(test::Exists(dir.File("Pcn874-03-2024.txt")));
  run = Cli("check m13.txt", dir.path());
  EXPECT_EQ(run.code, 3);
  EXPECT_NE(run.out.find("m13.txt:1: report-month: "), std::string::npos) << run.out;
  run = Cli("merge --date 20241201 m13.txt m13b.txt", dir.path());
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.err.find("m13.txt: "), std::string::npos) << run.err;
  EXPECT_EQ(test::ListDirectory(dir.path()),
            (std::vector<std::string>{"bad.txt", "good.txt", "m13.txt", "m13b.txt", "many.txt"}));
}

// regression: a merged file replacing one only its owner could read was readable by all
TEST(CliMerge, TheMergedFileKeepsThePermissionsOfTheFileItReplaces) {
  static const struct {
    int before;  // -1: no file of that name yet
    unsigned after;
    const char* why;
  } kCases[] = {
      {0600, 0600, "a file only its owner may read stays so"},
      {0664, 0664, "a file its group may write stays so, though the umask says less"},
      {-1, 0640, "a new file: 0666 less the umask"},
  };
  const mode_t savedUmask = ::umask(027);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    Files f;
    if (c.before >= 0) {
      test::WriteFile(f.Merged(), "earlier\r\n");
      EXPECT_EQ(::chmod(f.Merged().c_str(), static_cast<mode_t>(c.before)), 0);
    }
    const CliRun run = Cli("merge --date 20241201 a.txt b.txt", f.dir.path());
    EXPECT_EQ(run.code, 0) << run.err;
    struct stat info {};
    EXPECT_EQ(::stat(f.Merged().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, c.after);
  }
  ::umask(savedUmask);
}

// regression: Ctrl-C, SIGTERM or SIGHUP during a merge left its temporary file behind
TEST(CliMerge, AnInterruptedMergeLeavesNoTemporaryFile) {
  Files f;
  // 8 GB that take no room: after the opening record, a hole that reads as one line of NULs,
  // copied for seconds, so that the merge is caught while it writes.
  const std::string big = f.dir.File("big.txt");
  test::WriteFile(big, test::OpeningLine({}) + "\r\n");
  std::filesystem::resize_file(big, std::uintmax_t{8} << 30);
  {
    std::ofstream tail(big, std::ios::binary | std::ios::app);
    tail << "\r\n" << test::ClosingLine() << "\r\n";
  }
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(::strsignal(signal));
    const std::string out = f.dir.File("out-" + std::to_string(signal));
    std::filesystem::create_directory(out);
    const pid_t pid = ::fork();
    if (pid == 0) {
      // As a shell starts a command: these signals at their default actions.
      for (const int s : {SIGINT, SIGTERM, SIGHUP}) ::signal(s, SIG_DFL);
      ::execl(PCN_CLI_PATH, PCN_CLI_PATH, "merge", "--out", out.c_str(), big.c_str(), f.b.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // Signalled once its temporary file is there and growing, or once it has ended.
    bool writing = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!writing && std::chrono::steady_clock::now() < deadline) {
      siginfo_t ended{};
      if (::waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOHANG | WNOWAIT) == 0 &&
          ended.si_pid == pid) {
        break;
      }
      for (const std::string& name : test::ListDirectory(out)) {
        std::error_code error;
        const auto size = std::filesystem::file_size(out + "/" + name, error);
        writing = writing || (name.ends_with(".tmp") && !error && size > (1u << 20));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(pid, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(writing) << "the merge was not caught writing";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
    EXPECT_EQ(test::ListDirectory(out), std::vector<std::string>{});
  }
}

// The record names each file with its digest, taken here by an independent program; a
// record that cannot be written, or would replace a file it records, leaves the merged file.
TEST(CliMerge, RecordNamesEveryFileWithItsSha256) {
  const auto sha256sum = [](const std::string& path) {
    std::string out, err;
    EXPECT_EQ(test::RunCommand("sha256sum " + Quote(path), &out, &err), 0) << err;
    return out.substr(0, 64);
  };
  test::TempDir dir;
  const std::string north = dir.File("branch-north.txt"), south = dir.File("branch-south.txt");
  test::WriteFile(north, test::ReadFile(std::string(PCN_EXAMPLES_DIR) + "/branch-north.txt"));
  test::WriteFile(south, test::ReadFile(std::string(PCN_EXAMPLES_DIR) + "/branch-south.txt"));
  const std::string merged = dir.File("Pcn874-03-2024.txt");
  const std::string files = " branch-north.txt branch-south.txt";
  const CliRun run = Cli("merge --date 20240415 --record record.html" + files, dir.path());
  ASSERT_EQ(run.code, 0) << run.err;
  ASSERT_TRUE(test::Exists(dir.File("record.html")));
  const std::string page = test::ReadFile(dir.File("record.html"));
  EXPECT_NE(page.find("<html dir=\"rtl\""), std::string::npos);
  for (const std::string& path : {north, south, merged}) {
    // Given relative to the working folder, kept as full paths for whoever reads it later.
    EXPECT_NE(page.find('>' + path + '<'), std::string::npos) << path;
    EXPECT_NE(page.find(sha256sum(path)), std::string::npos) << path;
  }
  // The opening records' taxable sales, 104,776 and 44,636, as the window shows their sum.
  EXPECT_NE(page.find(">149,412<"), std::string::npos);

  const std::string mergedBytes = test::ReadFile(merged), northBytes = test::ReadFile(north);
  for (const char* record : {"missing/record.html", "branch-north.txt", "Pcn874-03-2024.txt"}) {
    SCOPED_TRACE(record);
    const CliRun failed =
        Cli(std::string("merge --date 20240415 --record ") + record + files, dir.path());
    EXPECT_EQ(failed.code, 2);
    EXPECT_NE(failed.err.find(std::string("pcn874: cannot write the record ") + record + ": "),
              std::string::npos)
        << failed.err;
    EXPECT_EQ(test::ReadFile(merged), mergedBytes);
    EXPECT_EQ(test::ReadFile(north), northBytes);
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
  static const struct {
    const char* arguments;
    const char* told = "";  // how the error stream begins
  } kCases[] = {
      {""},
      {"merge", "pcn874 merge: "},
      {"merge --date 2024 a.txt b.txt",
       "pcn874 merge: --date: the date must be a calendar date, YYYYMMDD\n"},
      {"merge --date 20241399 a.txt b.txt"},
      {"merge --date 20230229 a.txt b.txt"},
      {"merge --date 00000101 a.txt b.txt"},
      {"merge --adjust taxable=1 a.txt b.txt"},
      {"merge --adjust salesVat=1.5 a.txt b.txt"},
      {"merge -o out a.txt b.txt", "pcn874 merge: unknown option '-o'; did you mean '--out'?"},
      {"merg a.txt b.txt", "pcn874: unknown command 'merg'; did you mean 'merge'?"},
      {"frobnicate"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.arguments);
    const CliRun run = Cli(c.arguments, f.dir.path());
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.rfind(c.told, 0), 0u) << run.err;
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
       {"\"path\": \"a.txt\"", "\"dealerNumber\": \"123456782\"", "\"reportMonth\": \"03-2024\"",
        "\"taxableSales\": 3000", "\"salesRecordCount\": 3", "\"inputRecordVat\": 80",
        "\"line\": 2", "\"reason\": \"the closing record's dealer number differs",
        "\"path\": \"missing.txt\"", "\"pass\": true"}) {
    EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
  }
  EXPECT_EQ(Cli("inspect a.txt b.txt", f.dir.path()).code, 0);
}

// regression: output lost to a full disk went unnoticed, and the run exited 0
TEST(CliOutput, AFailedWriteToStandardOutputFailsTheRun) {
  Files f;
  for (const char* arguments :
       {"inspect --json a.txt", "merge --date 20241201 a.txt b.txt", "--version"}) {
    SCOPED_TRACE(arguments);
    const CliRun run = Cli(std::string(arguments) + " >/dev/full", f.dir.path());
    EXPECT_EQ(run.code, 1);
    // After the merged file's findings, if any.
    const std::string told =
        std::string("pcn874: cannot write to standard output: ") + std::strerror(ENOSPC) + "\n";
    ASSERT_GE(run.err.size(), told.size());
    EXPECT_EQ(run.err.substr(run.err.size() - told.size()), told);
  }
}

}  // namespace
}  // namespace pcn
