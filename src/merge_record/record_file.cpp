// The record's digests and its file. errno is cleared before each call it may tell the
// reason of, so that a reason left over from an earlier call is never given.
#include "merge_record/record_file.h"

#include <cerrno>
#include <optional>
#include <vector>

#include "format/sha256.h"
#include "platform/atomic_file.h"
#include "platform/path_parts.h"
#include "platform/platform.h"

namespace pcn {
namespace {

RecordResult Failure(RecordFailure failure, std::string path, int error = 0) {
  RecordResult result;
  result.failure = failure;
  result.path = std::move(path);
  result.error = error;
  return result;
}

}  // namespace

FindingsSummary SummaryOf(const MergeRun::Findings& findings) {
  FindingsSummary summary;
  for (int severity = 0; severity < kSeverityCount; ++severity) {
    summary.bySeverity[severity] = findings.counts.bySeverity[severity];
  }
  summary.unlisted = findings.Unlisted();
  return summary;
}

RecordResult CheckRecordPath(const std::string& recordPath, const MergeRecord& record,
                             const FileTable& table) {
  if (platform::FileNameOf(recordPath).empty()) {
    return Failure(RecordFailure::kNoFileName, recordPath);
  }
  const platform::FileIdentity identity = platform::IdentityOf(recordPath);
  if (platform::SameIdentity(identity, platform::IdentityOf(record.outputPath))) {
    return Failure(RecordFailure::kIsMergedFile, recordPath);
  }
  for (int slot = 1; slot <= table.FileCount(); ++slot) {
    if (platform::SameIdentity(identity, table.File(slot).identity)) {
      return Failure(RecordFailure::kIsSource, recordPath);
    }
  }
  return RecordResult();
}

RecordResult TakeDigests(MergeRecord& record, const FileTable& table,
                         const std::string& mergedPath) {
  errno = 0;
  const std::optional<std::string> outputSha = Sha256OfFile(mergedPath);
  if (!outputSha) return Failure(RecordFailure::kMergedUnreadable, mergedPath, errno);
  record.outputSha256 = *outputSha;
  record.outputSize = platform::SizeOf(mergedPath);
  std::string failed;
  bool changed = false;
  errno = 0;
  std::optional<std::vector<std::string>> digests = DigestsOfMergedFiles(table, failed, changed);
  if (!digests) {
    return changed ? Failure(RecordFailure::kSourceChanged, failed)
                   : Failure(RecordFailure::kSourceUnreadable, failed, errno);
  }
  record.sourceSha256 = std::move(*digests);
  return RecordResult();
}

RecordResult WriteRecordFile(const std::string& recordPath, const MergeRecord& record,
                             const FileTable& table) {
  if (RecordResult refused = CheckRecordPath(recordPath, record, table); !refused.Done()) {
    return refused;
  }
  const std::string_view folder = platform::FolderOf(recordPath);
  const std::string directory = folder.empty() ? std::string(1, '.') : std::string(folder);
  const std::string name(platform::FileNameOf(recordPath));
  const std::string page = MergeRecordPage(record, table);
  platform::AtomicFile output;
  errno = 0;
  if (!output.Open(directory, name)) {
    return Failure(RecordFailure::kCannotCreate, recordPath, errno);
  }
  errno = 0;
  if (!output.File().Write(page.data(), page.size()) || !output.Commit()) {
    return Failure(RecordFailure::kWriteFailed, recordPath, errno);
  }
  return Failure(RecordFailure::kNone, recordPath);
}

}  // namespace pcn
