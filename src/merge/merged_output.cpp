// The temporary file and its rename into place.
#include "merge/merged_output.h"

namespace pcn {

bool MergedOutput::HoldExisting(const std::string& finalPath) {
  finalPath_ = finalPath;
  if (platform::PathExists(finalPath_)) {
    existing_ = platform::OpenExistingForWriting(finalPath_);
    if (!existing_.IsOpen()) return false;
  }
  return true;
}

bool MergedOutput::CreateTemporary(const std::string& directory, const std::string& prefix) {
  temporary_ = platform::CreateTemporaryFile(directory, prefix, temporaryPath_);
  if (!temporary_.IsOpen()) {
    existing_.Close();
    return false;
  }
  return true;
}

// The data reaches the device before the rename: otherwise a crash soon after it could
// leave an empty file under the final name.
bool MergedOutput::Commit() {
  if (!temporary_.Flush() || !temporary_.Close()) return false;
  existing_.Close();  // the rename replaces it; Windows refuses while it is open
  if (!platform::RenameReplacing(temporaryPath_, finalPath_)) return false;
  temporaryPath_.clear();
  return true;
}

void MergedOutput::Discard() {
  temporary_.Close();
  existing_.Close();
  if (!temporaryPath_.empty()) platform::DeleteFilePath(temporaryPath_);
  temporaryPath_.clear();
}

}  // namespace pcn
