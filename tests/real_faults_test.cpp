// Real faults on the real file system: sources that vanish or are held by another process,
// output directories that cannot take a file or fill up, long and Hebrew paths, and files
// of unusual shape (one 100 MB line, a million CRs, NUL bytes, a Ctrl-Z inside).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>

#include "app/add_file.h"
#include "app/generate_command.h"
#include "merge/block_writer.h"
#include "merge/merged_file.h"
#include "platform/path_parts.h"
#include "platform/platform.h"
#include "report/load_file.h"
#include "support/headless_dialog.h"
#include "test_support.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn {
namespace {

namespace fs = std::filesystem;

constexpr char kMonth[] = "03-2024";
constexpr char kMergedName[] = "Pcn874-03-2024.txt";
const std::string kStopped = text::kGenerationStopped;

struct Window {
  FileTable table;
  HeadlessDialog dialog;

  explicit Window(const std::string& out) {
    dialog.SetOutputDirectory(out);
    dialog.SetText(ControlId::kNumber, "123456782");
  }
  // The one message an Add-file shows, or "" when the file was taken silently.
  std::string Add(const std::string& path) {
    dialog.messages.clear();
    dialog.QueueOpenFile({true, path});
    const AddOutcome outcome = AddFile(dialog, table);
    if (outcome == AddOutcome::kAdded) return dialog.messages.empty() ? "" : "<message>";
    if (dialog.messages.size() != 1) return "<not one message>";
    // A refusal names the file on its last line, shortened in the middle when wider than the
    // box; the message before it is what is compared.
    const std::string& text = dialog.messages[0].text;
    const std::size_t last = text.rfind('\r');
    const std::string name(platform::FileNameOf(path));
    const std::string shown = last == std::string::npos ? "" : text.substr(last + 1);
    const std::size_t dots = shown.find("...");
    const bool named =
        shown == name || (dots != std::string::npos && name.starts_with(shown.substr(0, dots)) &&
                          name.ends_with(shown.substr(dots + 3)));
    return named ? text.substr(0, last) : "<unnamed> " + text;
  }
  // The one message Generate shows; of a written file's, the first line: the line about the
  // findings that follows it has tests of its own, as has the folder line of an output that
  // cannot be opened.
  std::string Generate(bool representative = false) {
    dialog.messages.clear();
    dialog.SetRepresentative(representative);
    const bool written = GenerateMergedFile(dialog, table, "20240415").Written();
    if (dialog.messages.size() != 1) return "<not one message>";
    const std::string& message = dialog.messages[0].text;
    const bool firstLine = written || message.starts_with(text::kCannotOpenOutput.hebrew);
    return firstLine ? message.substr(0, message.find('\r')) : message;
  }
};

std::string North() {
  return test::ConsistentFile("123456782", kMonth, 1000, 170, 3, 50, 2);
}
std::string South() {
  return test::ConsistentFile("513987651", kMonth, 300, 51, 2, 20, 1);
}

// Another process that holds a file locked the way this program locks its files, until the
// object goes.
class LockHolder {
 public:
  explicit LockHolder(const std::string& path) {
    int ready[2], release[2];
    if (::pipe(ready) != 0 || ::pipe(release) != 0) return;
    pid_t pid = ::fork();
    if (pid == 0) {
      ::close(ready[0]);
      ::close(release[1]);
      const int fd = ::open(path.c_str(), O_RDONLY);
      const char locked = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
      (void)!::write(ready[1], &locked, 1);
      char ignored;
      (void)!::read(release[0], &ignored, 1);  // returns when the parent closes its end
      ::_exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    pid_ = pid;
    release_ = release[1];
    char locked = 'n';
    locked_ = ::read(ready[0], &locked, 1) == 1 && locked == 'y';
    ::close(ready[0]);
  }
  ~LockHolder() {
    if (release_ >= 0) ::close(release_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  }
  bool locked() const { return locked_; }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  bool locked_ = false;
};

// Runs `body` in a child process with a private mount namespace and a small tmpfs mounted
// on `mountPoint`; returns what the child reported ("" when all went well), or nullopt when
// the system does not allow the mount.
std::optional<std::string> WithSmallFileSystem(const std::string& mountPoint, const char* options,
                                               const std::function<std::string()>& body) {
  int report[2];
  if (::pipe(report) != 0) return std::string("pipe failed");
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(report[0]);
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, options) != 0) {
      ::_exit(77);
    }
    const std::string failures = body();
    (void)!::write(report[1], failures.data(), failures.size());
    ::_exit(0);
  }
  ::close(report[1]);
  std::string failures;
  char buffer[512];
  for (ssize_t got; (got = ::read(report[0], buffer, sizeof buffer)) > 0;) {
    failures.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(report[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::string("child crashed");
  return failures;
}

// Peak resident memory of this process so far, in megabytes.
long PeakMegabytes() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// regression: a file exported again between Add-file and Generate was merged under the
// totals loaded earlier, a header that disagreed with its records
TEST(RealFaults, SourceChangedAfterLoadingIsNeverMerged) {
  static const struct {
    std::function<void(const std::string& path)> change;
    const char* why;
  } kCases[] = {
      {[](const std::string& path) {
         test::WriteFile(path, test::ConsistentFile("513987651", kMonth, 400, 68, 4, 30, 6));
       },
       "exported again with one more record"},
      {[](const std::string& path) {
         const std::string bytes = test::ReadFile(path);
         test::WriteFile(path + ".new", bytes.substr(0, bytes.size() - 2) + "\r\nA\r\n");
         fs::rename(path + ".new", path);
       },
       "replaced under the same name, the same totals"},
      {[](const std::string& path) {
         const std::string bytes = test::ReadFile(path);
         test::WriteFile(path, bytes.substr(0, bytes.size() / 2));
       },
       "truncated"},
      {[](const std::string& path) { fs::remove(path); }, "deleted"},
      {[](const std::string& path) { fs::rename(path, path + ".moved"); }, "renamed"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    test::TempDir dir;
    test::WriteFile(dir.File("north.txt"), North());
    test::WriteFile(dir.File("south.txt"), South());
    test::WriteFile(dir.File(kMergedName), "earlier\r\n");
    Window w(dir.path());
    ASSERT_EQ(w.Add(dir.File("north.txt")), "");
    ASSERT_EQ(w.Add(dir.File("south.txt")), "");
    const std::vector<std::string> before = test::ListDirectory(dir.path());
    c.change(dir.File("south.txt"));
    EXPECT_EQ(w.Generate(), std::string(text::kSourceChanged.hebrew) + "\rsouth.txt");
    EXPECT_EQ(test::ReadFile(dir.File(kMergedName)), "earlier\r\n");
    // No temporary file stays behind, and nothing new is written.
    std::vector<std::string> left = test::ListDirectory(dir.path());
    std::erase(left, "south.txt.moved");
    if (!fs::exists(dir.File("south.txt"))) std::erase(left, "south.txt");
    std::vector<std::string> want = before;
    if (!fs::exists(dir.File("south.txt"))) std::erase(want, "south.txt");
    EXPECT_EQ(left, want);
  }
}

TEST(RealFaults, FilesHeldByAnotherProcess) {
  test::TempDir dir;
  test::WriteFile(dir.File("north.txt"), North());
  test::WriteFile(dir.File("south.txt"), South());
  test::WriteFile(dir.File(kMergedName), "earlier\r\n");
  Window w(dir.path());
  ASSERT_EQ(w.Add(dir.File("north.txt")), "");
  {
    LockHolder lock(dir.File("south.txt"));
    ASSERT_TRUE(lock.locked());
    EXPECT_EQ(w.Add(dir.File("south.txt")), text::kCannotOpen.hebrew);
    EXPECT_EQ(w.table.FileCount(), 1);
  }
  ASSERT_EQ(w.Add(dir.File("south.txt")), "");  // released: it loads now
  {
    LockHolder lock(dir.File("south.txt"));
    ASSERT_TRUE(lock.locked());
    EXPECT_EQ(w.Generate(), text::kSourceOpenFailed.hebrew + dir.File("south.txt") + kStopped);
  }
  {
    LockHolder lock(dir.File(kMergedName));
    ASSERT_TRUE(lock.locked());
    EXPECT_EQ(w.Generate(), text::kCannotOpenOutput.hebrew);
  }
  EXPECT_EQ(test::ReadFile(dir.File(kMergedName)), "earlier\r\n");
  EXPECT_EQ(test::ListDirectory(dir.path()),
            (std::vector<std::string>{kMergedName, "north.txt", "south.txt"}));
  EXPECT_EQ(w.Generate(), text::kGenerated);
}

TEST(RealFaults, OutputDirectoryThatCannotTakeAFile) {
  test::TempDir dir;
  test::WriteFile(dir.File("north.txt"), North());
  test::WriteFile(dir.File("south.txt"), South());
  test::WriteFile(dir.File("plain-file"), "x");
  const struct {
    std::string directory;
    const char* why;
  } kCases[] = {
      {dir.File("missing"), "a directory that does not exist"},
      {dir.File("missing/deeper"), "below a directory that does not exist"},
      {dir.File("plain-file"), "an ordinary file, not a directory"},
      {"/proc", "a file system that takes no new files, even from root"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    Window w(c.directory);
    ASSERT_EQ(w.Add(dir.File("north.txt")), "");
    ASSERT_EQ(w.Add(dir.File("south.txt")), "");
    EXPECT_EQ(w.Generate(), text::kCannotOpenOutput.hebrew);
  }
  EXPECT_EQ(test::ListDirectory(dir.path()),
            (std::vector<std::string>{"north.txt", "plain-file", "south.txt"}));
}

TEST(RealFaults, FinalNameTakenByADirectoryOrALink) {
  test::TempDir dir;
  test::WriteFile(dir.File("north.txt"), North());
  test::WriteFile(dir.File("south.txt"), South());
  test::WriteFile(dir.File("elsewhere.txt"), "not a merged file\r\n");
  const std::string finalPath = dir.File(kMergedName);
  Window w(dir.path());
  ASSERT_EQ(w.Add(dir.File("north.txt")), "");
  ASSERT_EQ(w.Add(dir.File("south.txt")), "");

  fs::create_directory(finalPath);
  EXPECT_EQ(w.Generate(), text::kCannotOpenOutput.hebrew);
  EXPECT_TRUE(fs::is_directory(finalPath));
  fs::remove(finalPath);

  // A link to a source is that source: refused before anything is opened.
  fs::create_symlink(dir.File("south.txt"), finalPath);
  EXPECT_EQ(w.Generate(),
            text::kOutputIsSource.hebrew + dir.File("south.txt") + text::kChooseAnotherDirectory);
  EXPECT_EQ(test::ReadFile(dir.File("south.txt")), South());
  fs::remove(finalPath);

  // A link to some other file: the merged file replaces the link, not what it points to.
  fs::create_symlink(dir.File("elsewhere.txt"), finalPath);
  EXPECT_EQ(w.Generate(), text::kGenerated);
  EXPECT_FALSE(fs::is_symlink(finalPath));
  EXPECT_EQ(test::ReadFile(dir.File("elsewhere.txt")), "not a merged file\r\n");
  fs::remove(finalPath);

  // A link that leads nowhere cannot be opened, so it is not replaced either.
  fs::create_symlink(dir.File("gone.txt"), finalPath);
  EXPECT_EQ(w.Generate(), text::kCannotOpenOutput.hebrew);
  EXPECT_TRUE(fs::is_symlink(finalPath));
}

TEST(RealFaults, ReadOnlyOutputDirectory) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "root writes into a read-only directory; the read-only file system "
                    "case covers it";
  }
  test::TempDir dir;
  test::WriteFile(dir.File("north.txt"), North());
  test::WriteFile(dir.File("south.txt"), South());
  fs::create_directory(dir.File("out"));
  fs::permissions(dir.File("out"), fs::perms::owner_read | fs::perms::owner_exec);
  Window w(dir.File("out"));
  ASSERT_EQ(w.Add(dir.File("north.txt")), "");
  ASSERT_EQ(w.Add(dir.File("south.txt")), "");
  EXPECT_EQ(w.Generate(), text::kCannotOpenOutput.hebrew);
  EXPECT_TRUE(test::ListDirectory(dir.File("out")).empty());
}

TEST(RealFaults, ReadOnlyAndFullFileSystems) {
  test::TempDir dir;
  // Sources big enough that the merged file cannot fit in 64 KB.
  test::WriteFile(dir.File("north.txt"),
                  test::ConsistentFile("123456782", kMonth, 1000, 170, 900, 50, 400));
  test::WriteFile(dir.File("south.txt"),
                  test::ConsistentFile("513987651", kMonth, 300, 51, 500, 20, 300));
  const std::string mount = dir.File("mnt");
  fs::create_directory(mount);

  const auto full = WithSmallFileSystem(mount, "size=64k", [&]() -> std::string {
    std::string failures;
    test::WriteFile(mount + "/" + kMergedName, "earlier\r\n");
    Window w(mount);
    if (w.Add(dir.File("north.txt")) != "" || w.Add(dir.File("south.txt")) != "") {
      return "loading failed";
    }
    const std::string message = w.Generate();
    if (message != text::kCopyWriteFailed.hebrew + dir.File("north.txt") + kStopped &&
        message != text::kCopyWriteFailed.hebrew + dir.File("south.txt") + kStopped) {
      failures += "full: wrong message: " + message + "\n";
    }
    if (test::ReadFile(mount + "/" + kMergedName) != "earlier\r\n") {
      failures += "full: the earlier merged file changed\n";
    }
    if (test::ListDirectory(mount).size() != 1) failures += "full: a temporary file stayed\n";
    return failures;
  });
  if (!full) GTEST_SKIP() << "this system does not allow mounting a small tmpfs";
  EXPECT_EQ(*full, "");

  const auto readOnly = WithSmallFileSystem(mount, "size=64k", [&]() -> std::string {
    std::string failures;
    test::WriteFile(mount + "/" + kMergedName, "earlier\r\n");
    if (::mount("tmpfs", mount.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") != 0) {
      return "remount read-only failed";
    }
    Window w(mount);
    if (w.Add(dir.File("north.txt")) != "" || w.Add(dir.File("south.txt")) != "") {
      return "loading failed";
    }
    const std::string message = w.Generate();
    if (message != text::kCannotOpenOutput.hebrew)
      failures += "read-only: wrong message: " + message;
    if (test::ReadFile(mount + "/" + kMergedName) != "earlier\r\n") {
      failures += "read-only: the earlier merged file changed\n";
    }
    return failures;
  });
  ASSERT_TRUE(readOnly.has_value());
  EXPECT_EQ(*readOnly, "");
}

TEST(RealFaults, WritingToTheAlwaysFullDevice) {
  // Opened here directly: a device is never opened as a merged file.
  platform::File full(::open("/dev/full", O_WRONLY | O_CLOEXEC));
  if (!full.IsOpen()) GTEST_SKIP() << "/dev/full cannot be opened here";
  EXPECT_FALSE(full.Write("x", 1));
  BlockWriter out(full, 16);
  EXPECT_TRUE(out.Append("0123456789"));  // still in the buffer
  EXPECT_FALSE(out.Append("0123456789"));
  EXPECT_TRUE(out.Failed());
  EXPECT_FALSE(out.Flush());
}

// regression: opening a FIFO waited forever for its other end, and a device was taken as a file
TEST(RealFaults, WhatIsNotAnOrdinaryFileIsRefusedWithoutWaiting) {
  test::TempDir dir;
  const std::string fifo = dir.File("fifo.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(platform::IsOrdinaryFile(fifo));  // what Add-file asks first
  const struct {
    std::string path;
    bool (*open)(const std::string& path);
    const char* why;
  } kCases[] = {
      {fifo, [](const std::string& path) { return platform::OpenForReading(path).IsOpen(); },
       "a FIFO as a source: no writer ever comes"},
      {fifo,
       [](const std::string& path) { return platform::OpenExistingForWriting(path).IsOpen(); },
       "a FIFO under the merged file's name: no reader ever comes"},
      {"/dev/zero", [](const std::string& path) { return platform::OpenForReading(path).IsOpen(); },
       "a device as a source"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    // In a child given a few seconds, so that an open that waits fails the test, not hangs it.
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::alarm(10);
      ::_exit(c.open(c.path) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    const std::string ended = WIFEXITED(status) ? (WEXITSTATUS(status) == 0 ? "refused" : "opened")
                              : WTERMSIG(status) == SIGALRM ? "waited"
                                                            : "crashed";
    EXPECT_EQ(ended, "refused");
  }
}

TEST(RealFaults, LongAndHebrewPaths) {
  test::TempDir dir;
  // 300+ characters in all, each name within the file system's 255.
  std::string deep = dir.path();
  for (int i = 0; i < 3; ++i) deep += "/" + std::string(110, static_cast<char>('a' + i));
  const std::string hebrew = deep + "/דוחות מע\"מ";
  fs::create_directories(hebrew);
  const std::string north = hebrew + "/סניף צפון.txt";
  const std::string south = deep + "/" + std::string(200, 's') + ".txt";
  ASSERT_GT(south.size(), 300u);
  test::WriteFile(north, North());
  test::WriteFile(south, South());

  Window w(hebrew);
  ASSERT_EQ(w.Add(north), "");
  ASSERT_EQ(w.Add(south), "");
  EXPECT_EQ(w.table.File(2).path, south);  // kept whole, not cut to 255
  EXPECT_EQ(w.Add(south), text::kAlreadyLoaded.hebrew);
  // Its name of 204 characters would make the box wider than the screen.
  const std::string& refusal = w.dialog.messages[0].text;
  EXPECT_LE(refusal.size() - refusal.rfind('\r') - 1, 100u);
  EXPECT_EQ(w.Generate(), text::kGenerated);
  const LoadResult merged = LoadSourceFile(hebrew + "/" + kMergedName, false, "");
  ASSERT_EQ(merged.refusal, LoadRefusal::kNone);
  EXPECT_EQ(merged.entry.salesRecordCount, 5);
  EXPECT_EQ(merged.entry.inputRecordCount, 3);
}

TEST(RealFaults, OneLineOf100Megabytes) {
  test::TempDir dir;
  const std::string path = dir.File("long.txt");
  const std::string detail = test::DetailLine('S', 170, '+', 1000);
  constexpr std::size_t kLineBytes = 100u << 20;
  {
    test::Opening o;
    o.taxableSales = 1000;
    o.salesVat = 170;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string head = test::OpeningLine(o) + "\r\n" + detail;
    std::fwrite(head.data(), 1, head.size(), file);
    const std::string filler(1 << 20, 'x');
    for (std::size_t put = detail.size(); put < kLineBytes; put += filler.size()) {
      std::fwrite(filler.data(), 1, std::min(filler.size(), kLineBytes - put), file);
    }
    std::fputs("\r\nX123456782\r\n", file);
    ASSERT_EQ(std::fclose(file), 0);
  }
  test::WriteFile(dir.File("south.txt"), test::ConsistentFile("513987651", kMonth, 0, 0, 0, 0, 0));

  const long peakBefore = PeakMegabytes();
  Window w(dir.path());
  ASSERT_EQ(w.Add(path), "");
  EXPECT_EQ(w.table.File(1).salesRecordCount, 1);
  EXPECT_EQ(w.table.File(1).salesRecordVat, 170 * kAmountScale);
  ASSERT_EQ(w.Add(dir.File("south.txt")), "");
  EXPECT_EQ(w.Generate(), text::kGenerated);
  // The line streams through in pieces: memory never holds it whole.
  EXPECT_LT(PeakMegabytes() - peakBefore, 40);
  const std::string merged = dir.File(kMergedName);
  EXPECT_EQ(fs::file_size(merged), 133 + kLineBytes + 2 + 12);  // opening, the line, closing
  const LoadResult back = LoadSourceFile(merged, false, "");
  ASSERT_EQ(back.refusal, LoadRefusal::kNone);
  EXPECT_EQ(back.entry.salesRecordVat, 170 * kAmountScale);
}

TEST(RealFaults, FilesOfUnusualShape) {
  const std::string opening = test::OpeningLine(test::Opening{});
  const std::string sale = test::DetailLine('S', 170, '+', 1000);
  std::string nulSale = sale;
  nulSale[5] = '\0';
  nulSale[50] = '\0';  // inside the amount: it reads as 000000000, then stops
  const struct {
    std::string bytes;
    std::int64_t sales;
    Amount salesVat;
    std::string unionBody;  // the lines the union file carries between its records
    const char* refusal;    // the message of a refused file, nullptr when it is taken
    const char* why;
  } kCases[] = {
      {opening + "\r\n" + std::string(1000000, '\r') + "X123456782", 0, 0,
       [] {
         std::string body;
         for (int i = 0; i < 1000000; ++i) body += "\r\n";
         return body;
       }(),
       nullptr, "a million CRs: a million empty lines, each copied as an empty line"},
      {test::CrLf({opening, nulSale, std::string("A\0B", 3), "X123456782"}), 1, 170 * kAmountScale,
       test::CrLf({nulSale, std::string("A\0B", 3)}), nullptr,
       "NUL bytes are carried through unchanged"},
      {test::CrLf({std::string("X") + std::string(9, '\0'), opening}), 0, 0, "", nullptr,
       "a closing record of NULs before any opening record matches the empty dealer number"},
      {test::CrLf({opening, sale, "X123456782"}) + "\x1a" + test::CrLf({sale, sale}), 1,
       170 * kAmountScale, test::CrLf({sale}), nullptr, "nothing after a Ctrl-Z is read or copied"},
      {test::CrLf({opening, sale}) + "\x1a" + "X123456782\r\n", 0, 0, "", text::kCorruptFile.hebrew,
       "a Ctrl-Z before the closing record: too few records"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    test::TempDir dir;
    test::WriteFile(dir.File("odd.txt"), c.bytes);
    test::WriteFile(dir.File("south.txt"),
                    test::ConsistentFile("513987651", kMonth, 0, 0, 0, 0, 0));
    Window w(dir.path());
    const std::string message = w.Add(dir.File("odd.txt"));
    if (c.refusal != nullptr) {
      EXPECT_EQ(message, c.refusal);
      continue;
    }
    ASSERT_EQ(message, "");
    EXPECT_EQ(w.table.File(1).salesRecordCount, c.sales);
    EXPECT_EQ(w.table.File(1).salesRecordVat, c.salesVat);
    ASSERT_EQ(w.Add(dir.File("south.txt")), "");
    ASSERT_EQ(w.Generate(), text::kGenerated);
    const std::string merged = test::ReadFile(dir.File(kMergedName));
    const std::size_t bodyStart = merged.find("\r\n") + 2;
    const std::size_t bodyEnd = merged.rfind("X123456782\r\n");
    ASSERT_NE(bodyEnd, std::string::npos);
    EXPECT_TRUE(merged.substr(bodyStart, bodyEnd - bodyStart) == c.unionBody);
  }
}

}  // namespace
}  // namespace pcn
