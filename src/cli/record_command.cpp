// The merge record: every file is read once more for its SHA-256 and held to the bytes the
// merge read, then the page is written the way the merged file is, so that a failure leaves
// no half a page.
#include "cli/record_command.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>

#include "check/rules.h"
#include "cli/commands.h"
#include "format/dealer_number.h"
#include "format/sha256.h"
#include "platform/atomic_file.h"
#include "platform/path_parts.h"
#include "platform/platform.h"

namespace pcn::cli {
namespace {

// The system's reason for the last failure, where it told one.
std::string WithReason(std::string text) {
  if (errno != 0) {
    text += ": ";
    text += std::strerror(errno);
  }
  return text;
}

}  // namespace

int WriteMergeRecord(const std::string& recordPath, const MergeDone& done) {
  const auto fail = [&](const std::string& reason) {
    std::cerr << "pcn874: cannot write the record " << recordPath << ": " << reason << '\n';
    return kExitRefused;
  };
  const std::string_view folder = platform::FolderOf(recordPath);
  const std::string directory = folder.empty() ? std::string(1, '.') : std::string(folder);
  const std::string name(platform::FileNameOf(recordPath));
  if (name.empty()) return fail("no file name given");
  // The page must not take the place of a file it records.
  const platform::FileIdentity identity = platform::IdentityOf(recordPath);
  if (platform::SameIdentity(identity, platform::IdentityOf(done.outputPath))) {
    return fail("it is the merged file");
  }
  for (int slot = 1; slot <= done.table.FileCount(); ++slot) {
    const FileEntry& source = done.table.File(slot);
    if (platform::SameIdentity(identity, source.identity)) {
      return fail("it is one of the merged files");
    }
  }

  // Full paths: the page is read later, from another folder.
  MergeRecord record;
  for (const FileEntry& source : done.table.Files()) {
    record.sourcePaths.push_back(platform::FullPath(source.path));
  }
  record.dateTime = platform::LocalDateTimeText();
  record.outputPath = platform::FullPath(done.outputPath);
  record.kind = done.kind;
  record.number = NormaliseDealerNumber(done.number);
  record.adjustments = done.adjustments;
  for (int severity = 0; severity < kSeverityCount; ++severity) {
    record.findings.bySeverity[severity] = done.findings.counts.bySeverity[severity];
  }
  record.findings.unlisted = done.findings.Unlisted();

  errno = 0;
  const std::optional<std::string> outputSha = Sha256OfFile(done.outputPath);
  if (!outputSha) {
    std::string what = "cannot read the merged file ";  // appended: GCC 12 warns falsely at -O3
    what += done.outputPath;
    return fail(WithReason(what));
  }
  record.outputSha256 = *outputSha;
  record.outputSize = platform::SizeOf(done.outputPath);
  std::string failed;
  bool changed = false;
  errno = 0;
  std::optional<std::vector<std::string>> digests =
      DigestsOfMergedFiles(done.table, failed, changed);
  if (!digests) {
    // Appended: GCC 12 warns falsely at -O3 on a chain of string additions.
    std::string what;
    if (changed) {
      what = failed;
      what += " changed after it was merged: its digest would not be of the bytes merged";
      return fail(what);
    }
    what = "cannot read ";
    what += failed;
    what += " again";
    return fail(WithReason(what));
  }
  record.sourceSha256 = std::move(*digests);

  const std::string page = MergeRecordPage(record, done.table);
  platform::AtomicFile output;
  errno = 0;
  if (!output.Open(directory, name)) {
    return fail(
        WithReason("the directory cannot take the file, or a file there cannot be replaced"));
  }
  errno = 0;
  if (!output.File().Write(page.data(), page.size()) || !output.Commit()) {
    return fail(WithReason("writing the file failed"));
  }
  return kExitDone;
}

}  // namespace pcn::cli
