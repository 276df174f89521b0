// Reads a PCN874 file line by line in large blocks. A line ends at a CR, and an LF right
// after the CR belongs to the line end; an LF anywhere else stays in the line. A Ctrl-Z
// byte ends the data. The last line needs no line end, and lines may be of any length:
// a line longer than the buffer is handed over in pieces, so memory stays bounded.
// Blocks are read into a ring of a few buffers, so that the runs handed out may stay where
// they are while a writer works on them; without a writer, the next block is read on a
// thread of its own while the lines of this one are looked at.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/io_buffer.h"
#include "platform/platform.h"
#include "platform/serial_worker.h"

namespace pcn {

// Receives the bytes of a line, in order, in one or more pieces.
class LinePieceSink {
 public:
  virtual ~LinePieceSink() = default;
  virtual void Piece(std::string_view bytes) = 0;
};

// Something that may still be using runs a reader handed out (a writer working behind
// the reader): the reader asks it before it reads into their memory again.
class RunKeeper {
 public:
  virtual ~RunKeeper() = default;
  // Stands for every run handed over so far.
  virtual std::uint64_t Mark() = 0;
  // Returns once the runs that the mark stands for are no longer used.
  virtual void WaitFor(std::uint64_t mark) = 0;
};

class LineReader {
 public:
  enum class Status { kLine, kEnd, kError };

  // The head of a line holds all of it, or at least its first kHeadSize bytes.
  static constexpr std::size_t kHeadSize = 4096;
  // Blocks are read into a ring of kBlocks buffers, each twice a block and 64 bytes: at
  // this size the ring fills one 2 MB huge page.
  static constexpr std::size_t kBlocks = 4;
  static constexpr std::size_t kDefaultBufferSize = (2 << 20) / kBlocks / 2 - 64;

  // With a keeper, the runs handed out stay valid, unchanged, until the keeper is done
  // with them (its WaitFor), not only until the next call.
  explicit LineReader(platform::File& file, std::size_t bufferSize = kDefaultBufferSize,
                      RunKeeper* keeper = nullptr);
  // Waits for the block being read and for the keeper to be done with the runs.
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line. With a sink, every byte of the line goes to it (the line end
  // excluded). kError when the file could not be read.
  Status Next(LinePieceSink* sink = nullptr) {
    // Nearly every line lies whole in the buffer, its CR and the byte after it included:
    // that case is handled here, inline in the caller's loop, everything else apart.
    if (begin_ < end_) {
      const std::size_t stop = NextStop(begin_);
      if (stop + 1 < end_ && data_[stop] == '\r') {
        head_ = std::string_view(data_ + begin_, stop - begin_);
        length_ = static_cast<std::int64_t>(head_.size());
        if (sink != nullptr && !head_.empty()) sink->Piece(head_);
        begin_ = stop + (data_[stop + 1] == '\n' ? 2 : 1);
        ++lineNumber_;
        return Status::kLine;
      }
    }
    return NextCarefully(sink);
  }

  // Lines that lie whole in the buffer, each ended by CR LF and none starting with a byte
  // that `excluded` marks, as many as follow one another there: their bytes, line ends
  // included, exactly as they stand in the file; valid until the next call (with a keeper,
  // until it is done with them). Empty when the next line is not such a line, which Next
  // then reads. Copying a file is then one write per run instead of work per line.
  std::string_view NextRun(const std::array<bool, 256>& excluded) {
    return NextRun(excluded, [](std::string_view) { return true; });
  }
  // The same, handing each line of the run (without its line end) to `visit` as it is
  // taken; the run ends after a line for which `visit` returns false.
  template <typename Visit>
  std::string_view NextRun(const std::array<bool, 256>& excluded, Visit&& visit) {
    head_ = {};
    length_ = 0;
    std::size_t at = begin_;
    std::int64_t lines = 0;
    while (at < end_ && !excluded[static_cast<unsigned char>(data_[at])]) {
      const std::size_t stop = NextStop(at);
      if (stop + 1 >= end_ || data_[stop] != '\r' || data_[stop + 1] != '\n') break;
      const bool goOn = visit(std::string_view(data_ + at, stop - at));
      at = stop + 2;
      ++lines;
      if (!goOn) break;
    }
    const std::string_view run(data_ + begin_, at - begin_);
    begin_ = at;
    lineNumber_ += lines;
    return run;
  }

  // The line just read (all of it, or its first bytes when it was longer than the
  // buffer); valid until the next call.
  std::string_view Head() const { return head_; }
  // The length of the line just read, in bytes.
  std::int64_t Length() const { return length_; }
  // How many lines have been read.
  std::int64_t LineNumber() const { return lineNumber_; }

 private:
  // One buffer of the ring: room for the unread end of the block before it (at most
  // capacity_ bytes), then capacity_ bytes read from the file, then slack for the index.
  struct Block {
    std::uint64_t keeperMark = 0;  // the runs handed out from it are done after this
    std::int64_t got = 0;          // what the read into it gave
    std::uint64_t read = 0;        // the reading task, while it may still run
  };
  // Moves to the next block of the ring, carrying the unread data along in front of the
  // block read there; false on a read failure.
  bool Fill();
  void Discard();                   // drops everything in the buffer
  char* ReadArea(Block& block);     // where the block's bytes from the file go
  void StartReading(Block& block);  // on the reading thread
  Status Stopped(Status status);    // no more reading: waits for a read under way
  Status NextCarefully(LinePieceSink* sink);
  // Marks the line ends of data_[from, end_) in stops_.
  void Index(std::size_t from);

  // The first CR or Ctrl-Z at or after `from`, or end_.
  std::size_t NextStop(std::size_t from) const {
    std::size_t w = from / 64;
    const std::size_t words = (end_ + 63) / 64;
    if (w >= words) return end_;
    std::uint64_t bits = stops_[w] & (~std::uint64_t{0} << (from % 64));
    while (bits == 0) {
      if (++w >= words) return end_;
      bits = stops_[w];
    }
    return 64 * w + static_cast<std::size_t>(std::countr_zero(bits));
  }

  platform::File& file_;
  RunKeeper* keeper_;
  std::int64_t fileSize_;    // when the reader was made; -1 when not known
  std::size_t capacity_;     // a multiple of 64: bytes read at a time
  platform::IoBuffer ring_;  // the blocks' buffers, one after another
  std::array<Block, kBlocks> blocks_;
  std::size_t current_ = 0;  // the block data_ lies in
  const char* data_;         // the buffer: the unread data is data_[begin_, end_)
  // Bit i of word w is set where data_[64 w + i] is a CR or a Ctrl-Z: the search runs
  // once over each block as it arrives, in a tight loop, and a line's end is then a bit
  // scan away.
  std::unique_ptr<std::uint64_t[]> stops_;  // each word made before it is read
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool endOfFile_ = false;
  bool endOfData_ = false;  // end of file reached with nothing left, or a Ctrl-Z seen
  bool afterCr_ = false;    // the previous line ended at a CR: an LF next belongs to it
  std::string_view head_;
  std::string longHead_;
  std::int64_t length_ = 0;
  std::int64_t lineNumber_ = 0;
  platform::SerialWorker reading_{1};  // declared last: done before the blocks go
};

// The first CR or Ctrl-Z in [begin, end), or end.
const char* FindLineEnd(const char* begin, const char* end);

}  // namespace pcn
