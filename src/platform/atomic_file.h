// A file written whole or not at all (the merged file, its findings, the record of a merge):
// a temporary file in the output directory that takes
// the final name only once complete, so a failure never leaves a truncated file under the
// final name and never destroys an existing one. Discarded unless committed.
#pragma once

#include <string>

#include "platform/platform.h"

namespace pcn::platform {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile() { Discard(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file for `directory` + separator + `fileName`. An existing file
  // of that name must be one this program may replace (not held elsewhere, writable, an
  // ordinary file); it is held until the commit so that no other program takes it.
  bool Open(const std::string& directory, const std::string& fileName) {
    return HoldExisting(directory + platform::kPathSeparator + fileName) &&
           CreateTemporary(directory, fileName);
  }
  // Open's two steps, for a writer that starts before it knows the final name: the
  // temporary file, whose name starts with `prefix`, then the final name.
  bool CreateTemporary(const std::string& directory, const std::string& prefix);
  bool HoldExisting(const std::string& finalPath);
  platform::File& File() { return temporary_; }
  const std::string& FinalPath() const { return finalPath_; }
  // Puts the data on the device, closes the file and gives it its final name, with the
  // permissions of the file it replaces (or those of a new file).
  bool Commit();
  // Closes and removes the temporary file; nothing under the final name changes.
  void Discard();

 private:
  std::string finalPath_;
  std::string temporaryPath_;
  platform::File temporary_;
  platform::File existing_;
};

}  // namespace pcn::platform
