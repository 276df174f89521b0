// The detail records seen so far in the files of one merge, by their first 31 columns (type,
// counterparty, date, reference group and number): a record seen again is the same invoice
// reported twice. Each record costs a 16-byte slot of a table kept at most 3/4 full; sized
// beforehand for the records to come, it holds them in about 27 bytes each.
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

  // Room for about `records` records, so that the table need not grow on the way.
  void Reserve(std::int64_t records);

  // Numbers a file whose records follow; its path names it in findings.
  int AddFile(const std::string& path);
  const std::string& PathOf(int file) const { return paths_[static_cast<std::size_t>(file)]; }

  // A record's key as the table knows it; asking for its slot early lets the memory come
  // while the caller does other work (the table is far larger than the processor's caches).
  std::uint64_t Fingerprint(std::string_view key) const;
  void Prefetch(std::uint64_t fingerprint) const;

  // Where a record of this fingerprint was seen first; when never, it is recorded here
  // and the place returned has no file (-1).
  Place FirstOrAdd(std::uint64_t fingerprint, int file, std::int64_t line);

 private:
  struct Slot {
    std::uint64_t fingerprint = 0;  // 0 marks an empty slot; a key hashing to 0 takes 1
    std::uint32_t file = 0;
    std::uint32_t line = 0;
  };
  std::size_t Home(std::uint64_t fingerprint) const;
  void Rebuild(std::size_t capacity);

  std::vector<std::string> paths_;
  std::vector<Slot> slots_;
  std::size_t used_ = 0;
};

}  // namespace pcn
