// One reading of each source: checked by the loader's rules and copied in the same pass;
// the first record written last into the place kept for it.
#include "merge/merge_run.h"

#include <cassert>
#include <utility>

#include "check/line_checks.h"
#include "check/rules.h"
#include "format/record_format.h"
#include "merge/line_copier.h"
#include "platform/platform.h"
#include "report/checked_load.h"

namespace pcn {
namespace {

// The first record's width, known before any total is: it is written last, over the
// blanks kept for it. Every value that goes into it has been checked to fit by then.
std::size_t FirstRecordWidth(OutputKind kind) {
  return kind == OutputKind::kDealersUnion ? static_cast<std::size_t>(kOpening.length)
                                           : kRepresentativeHeaderLength;
}

}  // namespace

MergeRun::MergeRun(std::string directory, OutputKind kind, std::size_t listed)
    : directory_(std::move(directory)), kind_(kind), listed_(listed) {}

void MergeRun::CreateOutput() {
  outputTried_ = true;
  // The month, and with it the final name, is known only once a file has been read.
  if (!output_.CreateTemporary(directory_, "Pcn874-merge")) {
    outputError_ = platform::LastErrorText();
    return;
  }
  out_.emplace(output_.File());
  // Blanks where the first record goes, written at once, so that a failure to write them
  // is told as a failure to write the first record.
  out_->Append(std::string(FirstRecordWidth(kind_), ' '));
  out_->Append(kLineEnd);
  if (!out_->Flush()) writeFailure_ = Failed(WriteFailure::kWriteFailed);
}

// A failure to create or write the output is kept for Finish to tell where Generate tells
// it; reading goes on meanwhile without writing, so that a later source's refusal still
// comes first.
template <typename Read>
auto MergeRun::Copying(const std::string& path, Read read) {
  if (!outputTried_) CreateOutput();
  std::optional<LineCopier> copier;
  if (Writing()) copier.emplace(*out_, kind_ == OutputKind::kDealersUnion);
  auto result = read(copier ? &*copier : nullptr);
  // The copier's Done flushed the file's lines while it was still open.
  if (copier && out_->Failed()) writeFailure_ = Failed(WriteFailure::kCopyWriteFailed, path);
  return result;
}

LoadResult MergeRun::Add(const std::string& path) {
  if (ended_) return Refused(LoadRefusal::kCannotOpen, 0);
  LineChecker::Options checks;
  checks.repeats = &repeats_;
  checks.listed = listed_;
  FindingCounts openingAndClosing;
  LoadResult loaded = Copying(path, [&](LineSink* copier) {
    return LoadChecked(table_, path, checks, copier, &openingAndClosing);
  });
  if (loaded.refusal != LoadRefusal::kNone) {
    ended_ = true;
    return loaded;
  }
  sources_.push_back({path, loaded.entry.findings, loaded.entry.findingCounts, openingAndClosing});
  AddEntry(table_, loaded.entry);
  return loaded;
}

WriteResult MergeRun::Copy(const FileEntry& loaded) {
  if (ended_) return Failed(WriteFailure::kSourceChanged, loaded.path);
  const WriteResult result = Copying(loaded.path, [&](LineSink* copier) {
    // Gone since it was loaded: changed, as far as the user is concerned.
    if (!platform::PathExists(loaded.path)) return Failed(WriteFailure::kSourceChanged);
    platform::File file = platform::OpenForReading(loaded.path);
    if (!file.IsOpen()) return Failed(WriteFailure::kSourceOpenFailed);
    // The month and the other files were checked at Add-file: the same entry says enough.
    EntryBuilder builder(false, "");
    LineChecker::Options checks;
    checks.repeats = &repeats_;
    checks.source = repeats_.AddSource();
    checks.listed = listed_;
    LineChecker checker(checks);
    const LoadResult again = ReadSource(file, builder, {copier, &checker});
    if (again.refusal == LoadRefusal::kReadFailed) return Failed(WriteFailure::kSourceReadFailed);
    // Read to its end: a failing close loses nothing.
    file.Close();
    if (again.refusal != LoadRefusal::kNone || !SameReading(again.entry, loaded)) {
      return Failed(WriteFailure::kSourceChanged);
    }
    std::vector<Finding> findings = checker.Finish(ReadCountsOf(again.entry));
    sources_.push_back(
        {loaded.path, std::move(findings), checker.Counts(), checker.OpeningAndClosingCounts()});
    return WriteResult();
  });
  if (result.Written()) return result;
  ended_ = true;
  return Failed(result.failure, loaded.path);
}

MergeRun::Findings MergeRun::MergedFindings(const FileTable& table) const {
  const bool dealersUnion = kind_ == OutputKind::kDealersUnion;
  Findings merged;
  if (dealersUnion && table.FileCount() > 0) {
    for (const Finding& finding : UnionRecordFindings(table.Combined())) {
      merged.listed.push_back({MergedFileName(LoadedMonth(table)), finding});
      ++merged.counts.bySeverity[static_cast<int>(SeverityOf(finding))];
    }
  }
  const std::vector<RepeatFinder::Repeat> repeats = repeats_.Find();
  std::size_t listed = repeats.size() + merged.listed.size();
  for (const Source& source : sources_) listed += source.findings.size();
  merged.listed.reserve(listed);
  std::vector<std::string> paths;
  for (const Source& source : sources_) paths.push_back(source.path);
  for (std::size_t i = 0; i < sources_.size(); ++i) {
    std::vector<Finding> findings = sources_[i].findings;
    FindingCounts counts = sources_[i].counts;
    AddRepeats(repeats, static_cast<int>(i), paths, findings, counts);
    if (dealersUnion) {
      // The sources' opening and closing records do not go into a union file.
      std::erase_if(findings, OnOpeningOrClosing);
      for (int w = 0; w < kSeverityCount; ++w) {
        counts.bySeverity[w] -= sources_[i].openingAndClosing.bySeverity[w];
      }
    }
    merged.counts += counts;
    for (Finding& finding : findings) merged.listed.push_back({paths[i], std::move(finding)});
  }
  return merged;
}

std::vector<const MergeRun::PlacedFinding*> MergeRun::Findings::Weighty() const {
  std::vector<const PlacedFinding*> weighty;
  if (counts.Weighty() == 0) return weighty;
  for (const PlacedFinding& placed : listed) {
    if (pcn::Weighty(SeverityOf(placed.finding))) weighty.push_back(&placed);
  }
  return weighty;
}

std::vector<const MergeRun::PlacedFinding*> MergeRun::HoldingBack(
    const Findings& findings, const FileTable& table, std::string_view typedNumber) const {
  if (findings.counts.Weighty() == 0) return {};
  std::string number;
  if (!CheckBeforeWriting(table, kind_, typedNumber, directory_, number).Written()) return {};
  return findings.Weighty();
}

WriteResult MergeRun::Finish(const FileTable& table, std::string_view typedNumber,
                             std::string_view date) {
  if (ended_) return Failed(WriteFailure::kTooFewFiles);  // not called after a refusal
  std::string number;
  if (WriteResult refused = CheckBeforeWriting(table, kind_, typedNumber, directory_, number);
      !refused.Written()) {
    return refused;
  }
  // The existing file is held from here to the rename, so that no other program takes it.
  const bool held = output_.HoldExisting(MergedFilePath(table, directory_));
  if (!held || !out_) {
    WriteResult failed = Failed(WriteFailure::kCannotOpenOutput);
    failed.directory = directory_;
    failed.systemReason = !out_ ? outputError_ : platform::LastErrorText();
    return failed;
  }
  if (writeFailure_) return *writeFailure_;

  const FirstAndLast records =
      MergedRecords(table.Combined(), kind_, number, LoadedMonth(table), date, table.FileCount());
  // Every value was checked to fit its field: a first record of another width is a bug of
  // this program, caught by the tests' asserts; a release build still writes no such file.
  assert(records.first.size() == FirstRecordWidth(kind_));
  if (records.first.size() != FirstRecordWidth(kind_)) return Failed(WriteFailure::kWriteFailed);
  const std::string first = records.first + std::string(kLineEnd);
  out_->Append(records.last);
  out_->Append(kLineEnd);
  if (!out_->Flush() || !output_.File().WriteAt(0, first.data(), first.size()) ||
      !output_.Commit()) {
    return Failed(WriteFailure::kWriteFailed);
  }
  WriteResult result;
  result.path = output_.FinalPath();
  return result;
}

}  // namespace pcn
