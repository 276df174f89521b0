// Files and the clock on POSIX systems. "No sharing" is an exclusive, non-blocking flock:
// two instances of the tool (or two opens within one) exclude each other the way a
// Windows share mode of 0 does.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <string_view>
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

// Opens an ordinary file whose mode has all of `requiredMode`, and takes the exclusive lock.
// The open does not wait: a FIFO would wait for a writer or a reader that may never come.
// Anything else, and a file whose lock is held elsewhere, is closed again.
File OpenLocked(const std::string& path, int flags, mode_t requiredMode) {
  if (Faulted(IoOp::kOpen)) return File();
  int fd;
  do {
    fd = ::open(SystemPath(path), flags | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return File();
  struct stat info;
  bool taken = ::fstat(fd, &info) == 0;
  if (taken && (!S_ISREG(info.st_mode) || (info.st_mode & requiredMode) != requiredMode)) {
    taken = false;
    errno = S_ISREG(info.st_mode) ? EACCES : EINVAL;
  }
  const int status = taken ? ::fcntl(fd, F_GETFL) : -1;
  taken = status >= 0 && ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == 0 &&
          ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  if (!taken) {
    const int reason = errno;
    ::close(fd);
    errno = reason;
    return File();
  }
  return File(fd);
}

// Where a write goes: at the file position, or at an offset from the start of the file.
constexpr std::int64_t kAtPosition = -1;

ssize_t WriteOnce(int fd, const void* data, std::size_t size, std::int64_t offset) {
  return offset == kAtPosition ? ::write(fd, data, size)
                               : ::pwrite(fd, data, size, static_cast<off_t>(offset));
}

// The one loop of partial writes behind Write and WriteAt. A planned fault stores half of
// the bytes (a short write) or none, and fails with the system's code for it.
bool WriteAll(int fd, const void* data, std::size_t size, std::int64_t offset) {
  IoFaultKind fault;
  if (TakeIoFault(IoOp::kWrite, fault)) {
    if (fault == IoFaultKind::kShortWrite && size > 1) (void)!WriteOnce(fd, data, size / 2, offset);
    errno = fault == IoFaultKind::kDiskFull ? ENOSPC : EIO;
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t put = WriteOnce(fd, bytes, size, offset);
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) return false;
    bytes += put;
    size -= static_cast<std::size_t>(put);
    if (offset != kAtPosition) offset += put;
  }
  return true;
}

// The umask, which umask() tells only by changing it, for a moment, for every thread: Linux
// shows it in /proc/self/status, read instead where it can be.
mode_t CurrentUmask() {
#ifdef __linux__
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    char text[4096];
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    text[got > 0 ? got : 0] = '\0';
    if (const char* line = std::strstr(text, "\nUmask:")) {
      char* end = nullptr;
      const long mask = std::strtol(line + 7, &end, 8);
      if (end != line + 7) return static_cast<mode_t>(mask) & 0777;
    }
  }
#endif
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
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
  return IsOpen() && WriteAll(Fd(handle_), data, size, kAtPosition);
}

bool File::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
  return IsOpen() && offset >= 0 && WriteAll(Fd(handle_), data, size, offset);
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

bool File::Rewind() {
  return IsOpen() && ::lseek(Fd(handle_), 0, SEEK_SET) == 0;
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
  File file = OpenLocked(path, O_RDONLY, 0);
  if (file.IsOpen()) {
    // Only a hint for read-ahead; the file is read once from start to end.
    (void)::posix_fadvise(Fd(file.NativeHandle()), 0, 0, POSIX_FADV_SEQUENTIAL);
  }
  return file;
}

// A file without its owner's write bit is read-only, and is not replaced even by root, whom
// the system lets open it for writing.
File OpenExistingForWriting(const std::string& path) {
  return OpenLocked(path, O_WRONLY, S_IWUSR);
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
    // The owner's alone while it is written: it may replace a file no one else may read.
    const int fd = ::open(SystemPath(path), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
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

bool MatchPermissions(File& created, const File& replaced) {
  if (!created.IsOpen()) return false;
  const int fd = Fd(created.NativeHandle());
  if (!replaced.IsOpen()) {
    // As any new file. A file system with no modes of its own (FAT) keeps the one it gives.
    (void)::fchmod(fd, 0666 & ~CurrentUmask());
    return true;
  }
  struct stat info;
  if (::fstat(Fd(replaced.NativeHandle()), &info) != 0) return false;
  const mode_t wanted = info.st_mode & 0777;
  if (::fchmod(fd, wanted) == 0) return true;
  struct stat now;
  return ::fstat(fd, &now) == 0 && (now.st_mode & 0777 & ~wanted) == 0;
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

std::int64_t SizeOf(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(SystemPath(path), &info) != 0) return -1;
  return info.st_size;
}

FileIdentity IdentityOf(const std::string& path) {
  struct stat info;
  if (path.empty() || ::stat(SystemPath(path), &info) != 0) return {};
  return IdentityFrom(info);
}

void* AllocateLargeBlock() {
  // Mapped with room to spare, then trimmed to a block on a block's boundary: only such a
  // block can be one huge page.
  constexpr std::size_t kSize = kLargeBlockSize;
  void* const mapped =
      mmap(nullptr, 2 * kSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + kSize - 1) & ~(std::uintptr_t{kSize} - 1);
  if (aligned > start) munmap(mapped, aligned - start);
  if (aligned + kSize < start + 2 * kSize) {
    munmap(reinterpret_cast<void*>(aligned + kSize), start + kSize - aligned);
  }
  void* const block = reinterpret_cast<void*>(aligned);
#ifdef MADV_HUGEPAGE
  madvise(block, kSize, MADV_HUGEPAGE);  // only a hint: without it the block is still memory
#endif
  return block;
}

void FreeLargeBlock(void* block) {
  munmap(block, kLargeBlockSize);
}

std::string LastErrorText() {
  return std::strerror(errno);
}

std::string CurrentDirectory() {
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    if (::getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.data();
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::string FullPath(const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  std::string full = CurrentDirectory();
  if (full.empty()) return path;
  std::string_view rest = path;
  while (rest.substr(0, 2) == "./") rest.remove_prefix(2);  // "./a.txt" is "a.txt"
  if (full.back() != '/') full += '/';
  full += rest;
  return full;
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

std::string LocalDateTimeText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[40];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min);
  return text;
}

}  // namespace pcn::platform
