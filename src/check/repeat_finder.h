// The invoices reported more than once in the files of one merge, found in two sequential
// passes instead of a table touched at a random place for every record: while the files are
// read, each record's key is appended to one of 256 partitions by its hash; once they are
// read, each partition is settled in a small table that stays in the processor's cache.
// Keys are compared whole, never by a fingerprint: two different invoices are never one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check/invoice_key.h"

namespace pcn {

class RepeatFinder {
 public:
  RepeatFinder() = default;
  ~RepeatFinder();
  RepeatFinder(const RepeatFinder&) = delete;
  RepeatFinder& operator=(const RepeatFinder&) = delete;

  // Numbers the next source (a file), from 0; its records follow.
  int AddSource();
  // The dealer who reports the source (its opening record's number): the issuer of its
  // sales records. A source without one is its own issuer.
  void SetIssuer(int source, std::string_view dealer);
  // A record of `source` at `line`, in reading order.
  void Add(int source, const InvoiceKey& key, std::int64_t line);
  // Forgets a source's records (a refused file's, a file taken out of the list); the sources
  // after it are numbered one lower.
  void Remove(int source);
  int SourceCount() const { return static_cast<int>(issuers_.size()); }

  struct Repeat {
    int source = 0;
    std::int64_t line = 0;
    int firstSource = 0;  // where the invoice was seen first
    std::int64_t firstLine = 0;
  };
  // Every record whose invoice an earlier record (an earlier line of its source, or a source
  // added before it) reported, by source and line.
  std::vector<Repeat> Find() const;

 private:
  struct Entry {
    InvoiceKey key;
    std::uint64_t place;  // the source above kLineBits, the line below
  };
  static constexpr int kLineBits = 40;
  static constexpr std::size_t kChunkEntries = 256;
  struct Partition {
    std::vector<Entry*> chunks;  // of kChunkEntries each
    std::size_t size = 0;
    Entry* next = nullptr;  // where the next record goes, up to `end`
    Entry* end = nullptr;
    Entry& At(std::size_t i) const { return chunks[i / kChunkEntries][i % kChunkEntries]; }
    // Points `next` at entry `size`, in a chunk there is or, at a chunk's end, none yet.
    void Seek();
  };
  Entry* NewChunk();
  void Grow(Partition& p);
  int IssuerOf(const Entry& entry) const;

  std::array<Partition, 256> partitions_;
  std::vector<void*> blocks_;   // the memory chunks are carved from
  std::size_t chunksLeft_ = 0;  // in the last block
  std::vector<int> issuers_;    // a source's issuer, as an index into dealers_ or below 0
  std::vector<std::string> dealers_;
};

}  // namespace pcn
