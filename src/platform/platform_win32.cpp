// Files and the clock on Windows. Paths arrive as UTF-8 and go to the W functions as
// UTF-16, so Hebrew names work whatever the system's code page; long paths get the "\\?\" prefix.
// "No sharing" is a share mode of 0.
#include <windows.h>

#include <cstdio>
#include <new>
#include <string>

#include "platform/io_faults.h"
#include "platform/platform.h"
#include "platform/utf16.h"

namespace pcn::platform {
namespace {

HANDLE Native(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

bool Faulted(IoOp op) {
  IoFaultKind kind;
  return TakeIoFault(op, kind);
}

// Paths of MAX_PATH characters or more only work in the \\?\ form, which must be a full path.
// A NUL inside a path (from a month field of a corrupt file) would cut the name short, so
// such a path becomes the empty one, which names nothing.
std::wstring SystemPath(const std::string& path) {
  if (path.find('\0') != std::string::npos) return std::wstring();
  std::wstring wide = Utf8ToWide(path);
  if (wide.size() < MAX_PATH || wide.rfind(L"\\\\?\\", 0) == 0) return wide;
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  full.resize(got);
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

// The volume serial number and the 64-bit file index: the same for every path that reaches
// the file, through a mapped drive or a UNC path included.
FileIdentity IdentityOfHandle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle, &info)) return {};
  return {info.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow, true};
}

// Only a file on a disk is taken: a pipe, a console or another device is closed again before
// anything waits on it.
File OpenExclusive(const std::string& path, DWORD access, DWORD disposition, DWORD flags,
                   DWORD share = 0) {
  if (Faulted(IoOp::kOpen)) return File();
  HANDLE handle =
      CreateFileW(SystemPath(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return File();
  if (GetFileType(handle) != FILE_TYPE_DISK) {
    CloseHandle(handle);
    SetLastError(ERROR_BAD_FILE_TYPE);
    return File();
  }
  return File(reinterpret_cast<std::intptr_t>(handle));
}

// Where a write goes: at the file position, or at an offset from the start of the file.
constexpr std::int64_t kAtPosition = -1;

// On a handle opened for synchronous access, an OVERLAPPED structure only carries the
// offset: the call still waits until the bytes are written.
bool WriteOnce(HANDLE handle, const void* data, DWORD size, std::int64_t offset, DWORD& put) {
  put = 0;
  if (offset == kAtPosition) return WriteFile(handle, data, size, &put, nullptr) != 0;
  OVERLAPPED position{};
  position.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
  position.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
  return WriteFile(handle, data, size, &put, &position) != 0;
}

// The one loop of partial writes behind Write and WriteAt. A planned fault stores half of
// the bytes (a short write) or none, and fails with the system's code for it.
bool WriteAll(HANDLE handle, const void* data, std::size_t size, std::int64_t offset) {
  IoFaultKind fault;
  if (TakeIoFault(IoOp::kWrite, fault)) {
    if (fault == IoFaultKind::kShortWrite && size > 1) {
      DWORD put = 0;
      WriteOnce(handle, data, static_cast<DWORD>(size / 2), offset, put);
    }
    SetLastError(fault == IoFaultKind::kDiskFull ? ERROR_DISK_FULL : ERROR_WRITE_FAULT);
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD put = 0;
    if (!WriteOnce(handle, bytes, chunk, offset, put) || put == 0) return false;
    bytes += put;
    size -= put;
    if (offset != kAtPosition) offset += put;
  }
  return true;
}

}  // namespace

std::int64_t File::Read(void* buffer, std::size_t size) {
  if (!IsOpen() || Faulted(IoOp::kRead)) return -1;
  DWORD got = 0;
  const DWORD want = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
  if (!ReadFile(Native(handle_), buffer, want, &got, nullptr)) return -1;
  return got;
}

bool File::Write(const void* data, std::size_t size) {
  return IsOpen() && WriteAll(Native(handle_), data, size, kAtPosition);
}

bool File::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
  return IsOpen() && offset >= 0 && WriteAll(Native(handle_), data, size, offset);
}

bool File::Flush() {
  if (!IsOpen() || Faulted(IoOp::kFlush)) return false;
  return FlushFileBuffers(Native(handle_)) != 0;
}

// Windows has no call that starts write-back without waiting for it; its lazy writer
// already works in the background.
void File::StartWriteBack(std::int64_t, std::int64_t) {}

bool File::Rewind() {
  LARGE_INTEGER start{};
  return IsOpen() && SetFilePointerEx(Native(handle_), start, nullptr, FILE_BEGIN) != 0;
}

std::int64_t File::Size() {
  LARGE_INTEGER size;
  if (!IsOpen() || !GetFileSizeEx(Native(handle_), &size)) return -1;
  return size.QuadPart;
}

FileIdentity File::Identity() const {
  return IsOpen() ? IdentityOfHandle(Native(handle_)) : FileIdentity{};
}

bool File::Close() {
  if (!IsOpen()) return true;
  HANDLE handle = Native(handle_);
  handle_ = kNoHandle;
  // The handle is released even when a fault is injected, so no handle leaks.
  const bool faulted = Faulted(IoOp::kClose);
  const bool closed = CloseHandle(handle) != 0;
  return closed && !faulted;
}

File OpenForReading(const std::string& path) {
  return OpenExclusive(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
}

// A read-only file cannot be opened for writing, by anyone: it is not replaced.
File OpenExistingForWriting(const std::string& path) {
  return OpenExclusive(path, GENERIC_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

File CreateTemporaryFile(const std::string& directory, const std::string& prefix,
                         std::string& createdPath) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%lu-%u.tmp", GetCurrentProcessId(), counter++);
    std::string path = directory;
    path += kPathSeparator;
    path += prefix;
    path += suffix;
    // Delete sharing alone, so that an interruption can remove it while it is open.
    File file =
        OpenExclusive(path, GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, FILE_SHARE_DELETE);
    if (file.IsOpen()) {
      createdPath = path;
      return file;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return File();
}

// A file here takes the permissions its folder gives every new file; the temporary file was
// created in the replaced one's folder, so it has what a file saved there anew would have.
// (A read-only file is not replaced at all: OpenExistingForWriting refuses it.)
bool MatchPermissions(File& created, const File&) {
  return created.IsOpen();
}

bool RenameReplacing(const std::string& from, const std::string& to) {
  if (Faulted(IoOp::kRename)) return false;
  return MoveFileExW(SystemPath(from).c_str(), SystemPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool DeleteFilePath(const std::string& path) {
  return DeleteFileW(SystemPath(path).c_str()) != 0;
}

bool PathExists(const std::string& path) {
  return !path.empty() && GetFileAttributesW(SystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsOrdinaryFile(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

std::int64_t SizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (path.empty() ||
      !GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &data)) {
    return -1;
  }
  return static_cast<std::int64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

FileIdentity IdentityOf(const std::string& path) {
  if (path.empty()) return {};
  // Opening with no access rights only reads metadata, so it works on held files too;
  // backup semantics let it open a folder as well.
  HANDLE handle = CreateFileW(SystemPath(path).c_str(), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  const FileIdentity identity = IdentityOfHandle(handle);
  CloseHandle(handle);
  return identity;
}

// Windows gives large pages only to programs with a privilege users rarely have: plain pages.
void* AllocateLargeBlock() {
  void* const block =
      VirtualAlloc(nullptr, kLargeBlockSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void FreeLargeBlock(void* block) {
  VirtualFree(block, 0, MEM_RELEASE);
}

std::string LastErrorText() {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring wide = length > 0 && text != nullptr ? std::wstring(text, length) : std::wstring();
  if (text != nullptr) LocalFree(text);
  while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.')) {
    wide.pop_back();
  }
  return wide.empty() ? "error " + std::to_string(code) : WideToUtf8(wide);
}

std::string CurrentDirectory() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  if (needed == 0) return std::string();
  std::wstring wide(needed, L'\0');
  const DWORD got = GetCurrentDirectoryW(needed, wide.data());
  wide.resize(got);
  return WideToUtf8(wide);
}

// The system's own completion: drive-relative ("C:a.txt") and rooted ("\\a.txt") forms
// included, "." and ".." taken out.
std::string FullPath(const std::string& path) {
  const std::wstring wide = Utf8ToWide(path);
  if (wide.empty() || path.find('\0') != std::string::npos) return path;
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return path;
  std::wstring full(needed, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (got == 0 || got >= needed) return path;
  full.resize(got);
  return WideToUtf8(full);
}

std::string LocalDateText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[16];
  std::snprintf(text, sizeof text, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
  return text;
}

std::string LocalDateTimeText() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%02u/%02u/%04u %02u:%02u", now.wDay, now.wMonth, now.wYear,
                now.wHour, now.wMinute);
  return text;
}

}  // namespace pcn::platform
