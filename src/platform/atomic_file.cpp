// The temporary file and its rename into place.
#include "platform/atomic_file.h"

#include "platform/interrupt_cleanup.h"

namespace pcn::platform {

bool AtomicFile::HoldExisting(const std::string& finalPath) {
  finalPath_ = finalPath;
  // A NUL (from a month field) would cut the name short at the system calls.
  if (finalPath_.find('\0') != std::string::npos) return false;
  if (platform::PathExists(finalPath_)) {
    existing_ = platform::OpenExistingForWriting(finalPath_);
    if (!existing_.IsOpen()) return false;
  }
  return true;
}

bool AtomicFile::CreateTemporary(const std::string& directory, const std::string& prefix) {
  temporary_ = platform::CreateTemporaryFile(directory, prefix, temporaryPath_);
  if (!temporary_.IsOpen()) {
    existing_.Close();
    return false;
  }
  // A merge stopped with Ctrl-C must not leave a file of hundreds of megabytes behind.
  platform::RemoveOnInterrupt(temporaryPath_);
  return true;
}

// The data reaches the device before the rename: otherwise a crash soon after it could
// leave an empty file under the final name. The replaced file's permissions go with it: a
// file only its owner could read stays so.
bool AtomicFile::Commit() {
  if (!platform::MatchPermissions(temporary_, existing_)) return false;
  if (!temporary_.Flush() || !temporary_.Close()) return false;
  existing_.Close();  // the rename replaces it; Windows refuses while it is open
  if (!platform::RenameReplacing(temporaryPath_, finalPath_)) return false;
  platform::KeepOnInterrupt(temporaryPath_);
  temporaryPath_.clear();
  return true;
}

void AtomicFile::Discard() {
  temporary_.Close();
  existing_.Close();
  if (!temporaryPath_.empty()) {
    platform::DeleteFilePath(temporaryPath_);
    platform::KeepOnInterrupt(temporaryPath_);
  }
  temporaryPath_.clear();
}

}  // namespace pcn::platform
