// Files and the clock, the only things the core needs of the operating system. Paths are
// UTF-8 everywhere; the Windows side converts them to UTF-16 and uses the W functions.
// Files are opened without sharing: another process (or another open here) cannot open
// a file while it is held, and opening a file that is held elsewhere fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pcn::platform {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// What makes a file itself, however a path to it is written (letter case, relative or
// absolute, "." and "..", links, short names, mapped drives, UNC paths): on Windows the
// volume serial number and the file index, on POSIX the device and inode numbers.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool known = false;  // false when the system could not tell: equal to nothing
};
inline bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
  return a.known && b.known && a.volume == b.volume && a.index == b.index;
}

// An open file, closed when it goes out of scope. Move-only.
class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  bool IsOpen() const { return handle_ != kNoHandle; }
  // Bytes read into `buffer` (0 at the end of the file), or -1 on failure.
  std::int64_t Read(void* buffer, std::size_t size);
  // Writes all of `data`; false on any failure, a short write included.
  bool Write(const void* data, std::size_t size);
  // Writes all of `data` at `offset` from the start of the file, over what is there, for a
  // record whose place was reserved earlier; false on any failure. Counts as a write for
  // the fault seam. Where the next Write goes after it is not defined: call it last.
  bool WriteAt(std::int64_t offset, const void* data, std::size_t size);
  // Waits until everything written is on the device; false on failure.
  bool Flush();
  // Asks the system to start putting `length` bytes from `offset` on the device now,
  // without waiting, so that a later Flush has little left to wait for. Only a hint.
  void StartWriteBack(std::int64_t offset, std::int64_t length);
  // The next Read starts again at the beginning of the file; false on failure.
  bool Rewind();
  // Size in bytes, or -1 when it cannot be told.
  std::int64_t Size();
  // The identity of the open file; unknown when it cannot be told.
  FileIdentity Identity() const;
  // Closes the file; false when the system reports a failure. Closing twice is harmless.
  bool Close();

  static constexpr std::intptr_t kNoHandle = -1;
  std::intptr_t NativeHandle() const { return handle_; }
  explicit File(std::intptr_t handle) : handle_(handle) {}

 private:
  std::intptr_t handle_ = kNoHandle;
};

// Opens an existing ordinary file for sequential reading, held exclusively. Not open on
// failure, or for anything else (a FIFO, a device): without waiting for it.
File OpenForReading(const std::string& path);
// Opens an existing ordinary file for writing without truncating it, held exclusively; used
// to find out whether a file may be replaced. Not open on failure (missing included), for
// anything but an ordinary file, and for a read-only file (even where the user could write
// it, as root can).
File OpenExistingForWriting(const std::string& path);
// Creates a new, empty file with a unique name in `directory`, held exclusively, whose
// name starts with `prefix`; only its owner may read it until MatchPermissions. On success
// `createdPath` names it.
File CreateTemporaryFile(const std::string& directory, const std::string& prefix,
                         std::string& createdPath);
// Gives `created`, which is to take the place of `replaced`, the permissions `replaced` has,
// or, when `replaced` is not open (nothing had the name), those of a newly created file.
// False when a replacing file would be open to more than the replaced one was.
bool MatchPermissions(File& created, const File& replaced);
// Gives `from` the name `to`, replacing a file of that name. False on failure.
bool RenameReplacing(const std::string& from, const std::string& to);
// Removes a file; false when it could not be removed.
bool DeleteFilePath(const std::string& path);

// True when something (a file, a folder, anything) exists under `path`.
bool PathExists(const std::string& path);
// True when `path` names an existing ordinary file (not a folder; on Windows also not a
// hidden or system file).
bool IsOrdinaryFile(const std::string& path);
// The size in bytes of the file `path` names, or -1 when it cannot be told.
std::int64_t SizeOf(const std::string& path);
// The identity of the file `path` names, links followed; unknown when there is none. Reads
// metadata only, so it works on files held open elsewhere.
FileIdentity IdentityOf(const std::string& path);

// Memory for large tables, a block of kLargeBlockSize bytes at a time, where the system
// allows it in huge pages, which cost far less to touch for the first time than small ones.
// Throws std::bad_alloc when there is none.
inline constexpr std::size_t kLargeBlockSize = std::size_t{2} << 20;
void* AllocateLargeBlock();
void FreeLargeBlock(void* block);

// The system's words for why the last call of this thread failed.
std::string LastErrorText();

// The process's current directory as a full path.
std::string CurrentDirectory();
// `path` as a full path, for a record kept after the current directory is forgotten; `path`
// itself when it is full already or the current directory cannot be told.
std::string FullPath(const std::string& path);
// Today's local date as YYYYMMDD.
std::string LocalDateText();
// The local date and time as DD/MM/YYYY HH:MM, as dates are written in Israel.
std::string LocalDateTimeText();

}  // namespace pcn::platform
