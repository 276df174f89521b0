// Files and the clock on POSIX systems. "No sharing" is an exclusive, non-blocking flock:
// two instances of the tool (or two opens within one) exclude each other the way a
// Windows share mode of 0 does.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/io_faults.h"
#include "platform/platform.h"

namespace pcn::platform {
namespace {

int Fd(std::intptr_t handle) {
  return static_cast<int>(handle);
}

// The path as the system calls take it. A NUL inside (from a month field of a corrupt
// file) would silently cut the name short, so such a path names nothing at all.
const char* SystemPath(const std::string& path) {
  return path.find('\0') == std::string::npos ? path.c_str() : "";
}

FileIdentity IdentityFrom(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino), true};
}

bool Faulted(IoOp op) {
  IoFaultKind kind;
  return TakeIoFault(op, kind);
}

// Opens and takes the exclusive lock; on a failed lock the descriptor is closed again.
File OpenLocked(const std::string& path, int flags, mode_t mode = 0) {
  if (Faulted(IoOp::kOpen)) return File();
  int fd;
  do {
    fd = ::open(SystemPath(path), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return File();
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return File();
  }
  return File(fd);
}

}  // namespace

std::int64_t File::Read(void* buffer, std::size_t size) {
  if (!IsOpen() || Faulted(IoOp::kRead)) return -1;
  for (;;) {
    const ssize_t got = ::read(Fd(handle_), buffer, size);
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

bool File::Write(const void* data, std::size_t size) {
  if (!IsOpen()) return false;
  IoFaultKind fault;
  if (TakeIoFault(IoOp::kWrite, fault)) {
    if (fault == IoFaultKind::kShortWrite && size > 1) {
      (void)!::write(Fd(handle_), data, size / 2);
    }
    errno = fault == IoFaultKind::kDiskFull ? ENOSPC : EIO;
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t put = ::write(Fd(handle_), bytes, size);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) return false;
    bytes += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool File::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
  if (!IsOpen() || offset < 0) return false;
  IoFaultKind fault;
  if (TakeIoFault(IoOp::kWrite, fault)) {
    if (fault == IoFaultKind::kShortWrite && size > 1) {
      (void)!::pwrite(Fd(handle_), data, size / 2, static_cast<off_t>(offset));
    }
    errno = fault == IoFaultKind::kDiskFull ? ENOSPC : EIO;
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  off_t at = static_cast<off_t>(offset);
  while (size > 0) {
    const ssize_t put = ::pwrite(Fd(handle_), bytes, size, at);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) return false;
    bytes += put;
    at += put;
    size -= static_cast<std::size_t>(put);
  }
  return true;
}

bool File::Flush() {
  if (!IsOpen() || Faulted(IoOp::kFlush)) return false;
  return ::fsync(Fd(handle_)) == 0;
}

void File::StartWriteBack(std::int64_t offset, std::int64_t length) {
#ifdef __linux__
  if (IsOpen()) (void)::sync_file_range(Fd(handle_), offset, length, SYNC_FILE_RANGE_WRITE);
#else
  (void)offset;
  (void)length;
#endif
}

std::int64_t File::Size() {
  struct stat info;
  if (!IsOpen() || ::fstat(Fd(handle_), &info) != 0) return -1;
  return info.st_size;
}

FileIdentity File::Identity() const {
  struct stat info;
  if (!IsOpen() || ::fstat(Fd(handle_), &info) != 0) return {};
  return IdentityFrom(info);
}

bool File::Close() {
  if (!IsOpen()) return true;
  const int fd = Fd(handle_);
  handle_ = kNoHandle;
  // The descriptor is released even when a fault is injected, so no handle leaks.
  const bool faulted = Faulted(IoOp::kClose);
  const bool closed = ::close(fd) == 0;
  return closed && !faulted;
}

File OpenForReading(const std::string& path) {
  File file = OpenLocked(path, O_RDONLY);
  if (file.IsOpen()) {
    // Only a hint for read-ahead; the file is read once from start to end.
    (void)::posix_fadvise(Fd(file.NativeHandle()), 0, 0, POSIX_FADV_SEQUENTIAL);
  }
  return file;
}

File OpenExistingForWriting(const std::string& path) {
  return OpenLocked(path, O_WRONLY);
}

File CreateTemporaryFile(const std::string& directory, const std::string& prefix,
                         std::string& createdPath) {
  // Names are tried in turn; O_EXCL makes each attempt safe against a file appearing.
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld-%u.tmp", static_cast<long>(::getpid()), counter++);
    std::string path = directory;
    path += kPathSeparator;
    path += prefix;
    path += suffix;
    if (Faulted(IoOp::kOpen)) return File();
    const int fd = ::open(SystemPath(path), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST || errno == EINTR) continue;
      return File();
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(fd);
      ::unlink(SystemPath(path));
      return File();
    }
    createdPath = path;
    return File(fd);
  }
  return File();
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  if (Faulted(IoOp::kRename)) return false;
  return ::rename(SystemPath(from), SystemPath(to)) == 0;
}

bool DeleteFilePath(const std::string& path) {
  return ::unlink(SystemPath(path)) == 0;
}

bool PathExists(const std::string& path) {
  struct stat info;
  return !path.empty() && ::lstat(SystemPath(path), &info) == 0;
}

bool IsOrdinaryFile(const std::string& path) {
  struct stat info;
  return !path.empty() && ::stat(SystemPath(path), &info) == 0 && S_ISREG(info.st_mode);
}

FileIdentity IdentityOf(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(SystemPath(path), &info) != 0) return {};
  return IdentityFrom(info);
}

std::string CurrentDirectory() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.data();
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string LocalDateText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[40];
  std::snprintf(text, sizeof text, "%04d%02d%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday);
  return text;
}

}  // namespace pcn::platform
