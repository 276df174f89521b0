// A scratch directory for the fuzz targets that need real files, in memory where the
// system offers a RAM file system, removed when the fuzzer exits.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace pcn::fuzz {

inline const std::string& ScratchDirectory() {
  // Never destroyed: the exit handler below still needs it.
  static const std::string* directory = [] {
    std::string pattern = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/pcn874-fuzz-XXXXXX"
                                                                    : "/tmp/pcn874-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
      std::perror("mkdtemp");
      std::abort();
    }
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDirectory(), ignored);
    });
    return new std::string(pattern);
  }();
  return *directory;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
      std::fclose(file) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
}

inline std::string ReadBytes(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  std::fclose(file);
  return bytes;
}

// Removes every file the previous input left behind.
inline void EmptyDirectory(const std::string& directory) {
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    std::error_code ignored;
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

}  // namespace pcn::fuzz
