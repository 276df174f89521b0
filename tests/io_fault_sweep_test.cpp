// Injects one I/O failure at every call that loading a file and generating a merged file
// make (every open, read, write, flush, rename and close, and short writes and a full disk),
// and checks each outcome: exactly the right message, no handle left open, no file under
// the final name unless complete, an existing merged file intact, the sources unchanged
// and the table unchanged; for the window's Generate and the command line's merge alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>

#include "app/add_file.h"
#include "app/generate_command.h"
#include "format/amount.h"
#include "merge/merge_run.h"
#include "merge/merged_file.h"
#include "platform/io_faults.h"
#include "platform/path_parts.h"
#include "report/load_file.h"
#include "support/headless_dialog.h"
#include "test_support.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace pcn {
namespace {

using platform::IoFaultKind;
using platform::IoOp;

constexpr char kMonth[] = "03-2024";
constexpr char kMergedName[] = "Pcn874-03-2024.txt";
constexpr char kFindingsName[] = "Pcn874-03-2024.findings.txt";
constexpr char kOldMerged[] = "an earlier merged file\r\n";

int OpenDescriptors() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)entry;
    ++count;
  }
  return count;
}

bool SameEntry(const FileEntry& a, const FileEntry& b) {
  return a.path == b.path && a.dealerNumber == b.dealerNumber && a.reportMonth == b.reportMonth &&
         a.headerCode == b.headerCode && a.taxableSales == b.taxableSales &&
         a.exemptSales == b.exemptSales && a.salesVat == b.salesVat && a.inputsVat == b.inputsVat &&
         a.assetInputsVat == b.assetInputsVat && a.vatPayable == b.vatPayable &&
         a.salesRecordCount == b.salesRecordCount && a.inputRecordCount == b.inputRecordCount &&
         a.salesRecordAmount == b.salesRecordAmount && a.salesRecordVat == b.salesRecordVat &&
         a.inputRecordVat == b.inputRecordVat;
}

bool SameTable(const FileTable& a, const FileTable& b) {
  if (a.FileCount() != b.FileCount() || !SameEntry(a.Combined(), b.Combined())) return false;
  for (int slot = 1; slot <= a.FileCount(); ++slot) {
    if (!SameEntry(a.File(slot), b.File(slot))) return false;
  }
  return true;
}

// What the window shows of the loaded files: list, dealer numbers, number field, totals.
std::string WindowState(HeadlessDialog& dialog) {
  std::string state = std::to_string(dialog.FileCount()) + "|" + dialog.DealerText();
  for (const std::string& dealer : dialog.Dealers()) state += "|" + dealer;
  for (ControlId id : {ControlId::kNumber, ControlId::kReportMonth, ControlId::kTaxableSales,
                       ControlId::kExemptSales, ControlId::kSalesVat, ControlId::kInputsVat,
                       ControlId::kAssetInputsVat, ControlId::kVatPayable,
                       ControlId::kSalesRecordCount, ControlId::kInputRecordCount}) {
    state += "|" + dialog.Text(id);
  }
  return state;
}

const char* OpName(IoOp op) {
  switch (op) {
    case IoOp::kOpen:
      return "open";
    case IoOp::kRead:
      return "read";
    case IoOp::kWrite:
      return "write";
    case IoOp::kFlush:
      return "flush";
    case IoOp::kRename:
      return "rename";
    case IoOp::kClose:
      return "close";
    case IoOp::kCount:
      break;
  }
  return "?";
}

const char* KindName(IoFaultKind kind) {
  switch (kind) {
    case IoFaultKind::kFail:
      return "fails";
    case IoFaultKind::kShortWrite:
      return "writes half";
    case IoFaultKind::kDiskFull:
      return "finds the disk full";
  }
  return "?";
}

// One injected fault: the nth call of `op`, and what the call does.
struct Fault {
  IoOp op;
  std::int64_t nth;
  IoFaultKind kind;
};

// Every single fault a clean run's calls allow: each call fails; each write also stores
// half its bytes, or meets a full disk.
std::vector<Fault> FaultsFor(const std::vector<IoOp>& trace) {
  std::vector<Fault> faults;
  std::int64_t seen[static_cast<int>(IoOp::kCount)] = {};
  for (IoOp op : trace) {
    const std::int64_t nth = ++seen[static_cast<int>(op)];
    faults.push_back({op, nth, IoFaultKind::kFail});
    if (op == IoOp::kWrite) {
      faults.push_back({op, nth, IoFaultKind::kShortWrite});
      faults.push_back({op, nth, IoFaultKind::kDiskFull});
    }
  }
  return faults;
}

struct SweepCount {
  int swept = 0;
  int behaved = 0;
};
SweepCount g_total;

// Each detail record whole and an invoice of its own: the sweep is of the reading and the
// writing, and thousands of findings in every one of its merges would only slow it.
std::string WithoutFindings(const std::string& file) {
  std::string out;
  int reference = 0;
  for (const std::string& line : test::RuleLines(file)) {
    std::string record = line;
    if (!record.empty() && (record[0] == 'S' || record[0] == 'T')) {
      const std::string number = std::to_string(++reference);
      record.replace(22, 9, std::string(9 - number.size(), '0') + number);
      record += "000000000";  // the allocation number's columns
    }
    out += record + "\r\n";
  }
  return out;
}

class IoFaultSweep : public ::testing::Test {
 protected:
  void SetUp() override {
    // Big enough that every source takes several reads and the copy several writes.
    paths_ = {dir_.File("north.txt"), dir_.File("south.txt"), dir_.File("east.txt")};
    test::WriteFile(paths_[0], WithoutFindings(test::ConsistentFile("123456782", kMonth, 1000, 170,
                                                                    6000, 50, 3000)));
    test::WriteFile(paths_[1], WithoutFindings(test::ConsistentFile("513987651", kMonth, 300, 51,
                                                                    4000, 20, 4000)));
    // CR-only line ends and no end on the last line: copied lines gain CR LF.
    std::string east = WithoutFindings(test::ConsistentFile("123456782", kMonth, 10, 1, 3, 0, 0));
    for (std::size_t at; (at = east.find("\r\n")) != std::string::npos;) east.erase(at + 1, 1);
    east.pop_back();
    test::WriteFile(paths_[2], east);
    for (const std::string& path : paths_) originals_.push_back(test::ReadFile(path));
    out_ = dir_.File("out");
    std::filesystem::create_directory(out_);
  }
  void TearDown() override {
    platform::TraceIoCalls(false);
    platform::ClearIoFaultPlan();
  }

  struct Window {
    FileTable table;
    HeadlessDialog dialog;
  };

  // A window with `count` of the sources loaded, set to generate into out/.
  std::unique_ptr<Window> Loaded(std::size_t count, bool representative) {
    auto w = std::make_unique<Window>();
    // A box wide enough for every message whole: the faults, not the fitting, are tested here.
    w->dialog.messageRoom = {40, 200, 200, 200};
    for (std::size_t i = 0; i < count; ++i) {
      w->dialog.QueueOpenFile({true, paths_[i]});
      EXPECT_EQ(AddFile(w->dialog, w->table), AddOutcome::kAdded);
    }
    w->dialog.SetOutputDirectory(out_);
    w->dialog.SetRepresentative(representative);
    w->dialog.SetText(ControlId::kNumber, "123456782");
    w->dialog.messages.clear();
    return w;
  }

  bool SourcesUnchanged() const {
    for (std::size_t i = 0; i < paths_.size(); ++i) {
      if (test::ReadFile(paths_[i]) != originals_[i]) return false;
    }
    return true;
  }

  // The command line's merge of every source: "" when written, else the one message it
  // tells (a refused file's, or Generate's).
  std::string MergeOnCommandLine(bool representative) const {
    MergeRun merge(out_, representative ? OutputKind::kRepresentative : OutputKind::kDealersUnion);
    for (const std::string& path : paths_) {
      const LoadResult loaded = merge.Add(path);
      if (loaded.refusal != LoadRefusal::kNone) return MessageFor(loaded.refusal);
    }
    const WriteResult result = merge.Finish(merge.Table(), "123456782", "20240415");
    return result.Written() ? "" : MessageFor(result);
  }

  // The message for a fault, from where the faulty call stands in the clean run's trace:
  // the temporary file is created and its first record's place written before the first
  // source is opened; each source is read and its lines written between its open and its
  // close; the existing file is held, the last records written, the file synced, closed
  // and renamed after the last source. The window and the command line share that order;
  // they differ only in how a source that cannot be opened or read is told, and in the
  // window's findings file, written after the merged file's rename: a fault there leaves
  // the merged file written and is told as `findingsFailed`. Empty: the merge must succeed.
  std::string ExpectedMessage(const std::vector<IoOp>& trace, const Fault& fault, bool window,
                              const std::string& findingsFailed) const {
    const int sources = static_cast<int>(paths_.size());
    const std::string stopped = text::kGenerationStopped;
    int opens = 0, sourceCloses = 0, closesAfterSources = 0;
    bool mergedRenamed = false;
    std::int64_t nth = 0;
    for (IoOp op : trace) {
      const bool sourcesDone = sourceCloses == sources;
      const int source = opens - 1;  // from 1 once the first source is open
      if (op == fault.op && ++nth == fault.nth) {
        if (mergedRenamed) return findingsFailed;
        switch (op) {
          case IoOp::kOpen:
            if (opens == 0 || sourcesDone) return text::kCannotOpenOutput.hebrew + ("\r" + out_);
            if (!window) return text::kCannotOpen.hebrew;
            return text::kSourceOpenFailed.hebrew + paths_[static_cast<std::size_t>(source)] +
                   stopped;
          case IoOp::kRead:
            if (!window) return text::kCorruptFile.hebrew;
            return text::kSourceReadFailed.hebrew + paths_[static_cast<std::size_t>(source - 1)] +
                   stopped;
          case IoOp::kWrite:
            if (source < 1 || sourcesDone)
              return text::kWriteFailed.hebrew;  // first or last record
            return text::kCopyWriteFailed.hebrew + paths_[static_cast<std::size_t>(source - 1)] +
                   stopped;
          case IoOp::kFlush:
          case IoOp::kRename:
            return text::kWriteFailed.hebrew;
          case IoOp::kClose:
            // A source read to its end loses nothing when its close fails, nor does the
            // existing file that is about to be replaced; the merged file's own close does.
            if (!sourcesDone) return "";
            return closesAfterSources == 0 ? text::kWriteFailed.hebrew : "";
          case IoOp::kCount:
            break;
        }
      }
      if (op == IoOp::kOpen) ++opens;
      if (op == IoOp::kClose) (sourcesDone ? closesAfterSources : sourceCloses) += 1;
      mergedRenamed = mergedRenamed || op == IoOp::kRename;
    }
    return "<no such call>";
  }

  // Every call of a merge, by the window's Generate or by the command line, fails in turn.
  void Sweep(bool window, bool representative, bool existing) {
    const std::string finalPath = out_ + "/" + kMergedName;
    auto reset = [&] {
      for (const auto& entry : std::filesystem::directory_iterator(out_)) {
        std::filesystem::remove(entry.path());
      }
      if (existing) test::WriteFile(finalPath, kOldMerged);
    };
    // One merge: "" when written with its findings file, else the one message told.
    GenerateResult generated;
    auto merge = [&](Window* w) -> std::string {
      if (!window) return MergeOnCommandLine(representative);
      generated = GenerateMergedFile(w->dialog, w->table, "20240415");
      if (!generated.Written()) return MessageFor(generated.write);
      return generated.findingsPath.empty() ? w->dialog.messages.back().text : "";
    };

    reset();
    auto clean = Loaded(paths_.size(), representative);
    platform::ClearIoFaultPlan();
    platform::TraceIoCalls(true);
    ASSERT_EQ(merge(clean.get()), "");
    platform::TraceIoCalls(false);
    const std::vector<IoOp> trace = platform::IoCallTrace();
    // The sources' short and repeated records are findings: the window writes their file.
    if (window) {
      ASSERT_EQ(generated.findingsPath, out_ + "/" + kFindingsName);
    }
    const std::string findingsFailed = std::string(text::kGenerated) + "\r" + finalPath +
                                       text::kFindingsWrittenPrefix +
                                       FormatWholeNumber(generated.findings) +
                                       text::kFindingsNotWrittenSuffix + out_ + "/" + kFindingsName;
    const std::string complete = test::ReadFile(finalPath);
    ASSERT_GT(std::count(trace.begin(), trace.end(), IoOp::kWrite), 6);

    int swept = 0, behaved = 0;
    for (const Fault& fault : FaultsFor(trace)) {
      SCOPED_TRACE(testing::Message()
                   << OpName(fault.op) << " #" << fault.nth << " " << KindName(fault.kind));
      reset();
      auto w = Loaded(paths_.size(), representative);
      const FileTable before = w->table;
      const std::string shownBefore = WindowState(w->dialog);
      const int descriptors = OpenDescriptors();
      const std::string want = ExpectedMessage(trace, fault, window, findingsFailed);

      platform::SetIoFaultPlan({fault.op, fault.nth, fault.kind});
      const std::string told = merge(w.get());
      platform::ClearIoFaultPlan();

      const bool mergedWritten = want.empty() || want == findingsFailed;
      std::vector<std::string> wantFiles;
      if (window && want.empty()) wantFiles.push_back(kFindingsName);
      if (existing || mergedWritten) wantFiles.push_back(kMergedName);
      const bool ok[] = {
          // An output that cannot be opened is named, with the system's reason after it.
          told == want ||
              (want.starts_with(text::kCannotOpenOutput.hebrew) && told.starts_with(want + " (")),
          !window || w->dialog.messages.size() == 1,
          OpenDescriptors() == descriptors,
          test::ListDirectory(out_) == wantFiles,
          !(mergedWritten || existing) ||
              test::ReadFile(finalPath) == (mergedWritten ? complete : kOldMerged),
          SourcesUnchanged(),
          SameTable(before, w->table) && WindowState(w->dialog) == shownBefore,
      };
      static const char* const kWhat[] = {
          "the right message",
          "exactly one message",
          "no handle left open",
          "only a complete file under the final name, no temporary left",
          "the merged file",
          "sources unchanged",
          "table and window unchanged"};
      bool all = true;
      for (std::size_t i = 0; i < std::size(ok); ++i) {
        EXPECT_TRUE(ok[i]) << kWhat[i] << "; told: " << (told.empty() ? "success" : told)
                           << "; wanted: " << (want.empty() ? "success" : want);
        all = all && ok[i];
      }
      ++swept;
      behaved += all ? 1 : 0;
    }
    g_total.swept += swept;
    g_total.behaved += behaved;
    std::cout << "[ sweep    ] " << (window ? "window" : "command line") << " merge "
              << (representative ? "representative" : "union")
              << (existing ? " over an existing file" : "") << ": " << trace.size() << " calls, "
              << swept << " faults, " << behaved << " behaved\n";
  }

  test::TempDir dir_;
  std::vector<std::string> paths_;
  std::vector<std::string> originals_;
  std::string out_;
};

TEST_F(IoFaultSweep, EveryCallOfALoad) {
  // The clean run: the second file added to a table that holds the first.
  auto clean = Loaded(1, false);
  clean->dialog.QueueOpenFile({true, paths_[1]});
  platform::ClearIoFaultPlan();
  platform::TraceIoCalls(true);
  ASSERT_EQ(AddFile(clean->dialog, clean->table), AddOutcome::kAdded);
  platform::TraceIoCalls(false);
  const std::vector<IoOp> trace = platform::IoCallTrace();
  ASSERT_GE(std::count(trace.begin(), trace.end(), IoOp::kRead), 3);

  int swept = 0, behaved = 0;
  for (const Fault& fault : FaultsFor(trace)) {
    SCOPED_TRACE(testing::Message() << OpName(fault.op) << " #" << fault.nth);
    auto w = Loaded(1, false);
    const FileTable before = w->table;
    const std::string shownBefore = WindowState(w->dialog);
    const int descriptors = OpenDescriptors();
    // A failing open refuses the file as unopenable, a failing read as corrupt; a failing
    // close after the whole file was read loses nothing and the file is taken.
    const char* want = fault.op == IoOp::kOpen   ? text::kCannotOpen.hebrew
                       : fault.op == IoOp::kRead ? text::kCorruptFile.hebrew
                                                 : nullptr;
    w->dialog.QueueOpenFile({true, paths_[1]});
    platform::SetIoFaultPlan({fault.op, fault.nth, fault.kind});
    const AddOutcome outcome = AddFile(w->dialog, w->table);
    platform::ClearIoFaultPlan();

    const bool ok[] = {
        want == nullptr ? w->dialog.messages.empty()
                        : w->dialog.messages.size() == 1 &&
                              w->dialog.messages[0].text ==
                                  want + ("\r" + std::string(platform::FileNameOf(paths_[1]))),
        outcome == (want == nullptr ? AddOutcome::kAdded : AddOutcome::kRefused),
        want == nullptr ? SameTable(clean->table, w->table) : SameTable(before, w->table),
        WindowState(w->dialog) == (want == nullptr ? WindowState(clean->dialog) : shownBefore),
        OpenDescriptors() == descriptors,
        SourcesUnchanged(),
    };
    bool all = true;
    for (bool each : ok) all = all && each;
    EXPECT_TRUE(all) << "messages: " << w->dialog.messages.size();
    ++swept;
    behaved += all ? 1 : 0;
  }
  g_total.swept += swept;
  g_total.behaved += behaved;
  std::cout << "[ sweep    ] load: " << trace.size() << " calls, " << swept << " faults, "
            << behaved << " behaved\n";
}

TEST_F(IoFaultSweep, EveryCallOfAMerge) {
  for (const bool window : {true, false}) {
    for (const bool representative : {false, true}) {
      for (const bool existing : {false, true}) Sweep(window, representative, existing);
    }
  }
}

// A write that fails part-way is told only where Generate would tell it: a later file's
// refusal still comes first, and nothing stays behind.
TEST_F(IoFaultSweep, ALaterRefusalIsToldBeforeAFailedWrite) {
  test::WriteFile(paths_[2], test::ConsistentFile("123456782", "04-2024", 10, 1, 3, 0, 0));
  const int descriptors = OpenDescriptors();
  platform::SetIoFaultPlan({IoOp::kWrite, 2, IoFaultKind::kDiskFull});  // the first copy
  EXPECT_EQ(MergeOnCommandLine(false), text::kMonthDiffers.hebrew);
  platform::ClearIoFaultPlan();
  EXPECT_EQ(OpenDescriptors(), descriptors);
  EXPECT_TRUE(test::ListDirectory(out_).empty());
}

// Runs last in this file's order only by name; it reports, it does not test.
class SweepReport : public ::testing::Environment {
 public:
  void TearDown() override {
    if (g_total.swept > 0) {
      std::cout << "[ sweep    ] in all: " << g_total.swept << " injected faults, "
                << g_total.behaved << " behaved\n";
    }
  }
};
const auto* const kReport = ::testing::AddGlobalTestEnvironment(new SweepReport);

}  // namespace
}  // namespace pcn
