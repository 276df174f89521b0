// The detail records seen so far in the files of one merge, by their first 31 columns (type,
// counterparty, date, reference group and number): a record seen again is the same invoice
// reported twice. Each record costs a 24-byte slot of a table kept at most two-thirds full.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pcn {

class RepeatIndex {
 public:
  struct Place {
    int file = -1;  // as AddFile numbered it
    std::int64_t line = 0;
  };

  // Numbers a file whose records follow; its path names it in findings.
  int AddFile(const std::string& path);
  const std::string& PathOf(int file) const { return paths_[static_cast<std::size_t>(file)]; }

  // Where a record with these 31 columns was seen first; when never, it is recorded here
  // and the place returned has no file (-1).
  Place FirstOrAdd(std::string_view key, int file, std::int64_t line);

 private:
  struct Slot {
    std::uint64_t a = 0;  // two independent hashes of the key: a 128-bit fingerprint
    std::uint64_t b = 0;
    std::uint32_t file = 0;  // file + 1; 0 for an empty slot
    std::uint32_t line = 0;
  };
  void Grow();

  std::vector<std::string> paths_;
  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

}  // namespace pcn
