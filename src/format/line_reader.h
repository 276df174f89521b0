// Splits a PCN874 file into lines, reading it in blocks into one buffer. A line ends at a
// CR, and an LF right after the CR belongs to the line end; an LF anywhere else stays in
// the line. A Ctrl-Z byte ends the data. The last line needs no line end, and lines may be
// of any length: a line longer than the buffer is handed over in pieces, so memory stays
// bounded. What other systems write is read too: a file that holds no CR at all has its
// lines ended by LF, and a UTF-8 byte-order mark at the very start is no part of the first
// line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/content_hash.h"
#include "platform/platform.h"

namespace pcn {

// A part that wants the bytes of every line as they stand (the copier into a merged file).
// Bytes handed over stay valid until Reuse: a sink may keep views of several lines and
// write them together.
class LineSink {
 public:
  virtual ~LineSink() = default;
  // Bytes of a line too long for the buffer, dropped from it before the line has ended.
  virtual void Piece(std::string_view bytes) = 0;
  // The rest of the line (all of it, unless pieces came first), without its line end.
  // With `crLf`, the line ends in CR LF in the file and those two bytes follow `rest` in
  // memory.
  virtual void End(std::string_view rest, bool crLf) = 0;
  // The reader is about to read over its buffer: the views handed over lose their bytes.
  virtual void Reuse() = 0;
  // No more lines come from this source, which is still open: the sink finishes its work
  // on it, so that a failure is told with this source.
  virtual void Done() { Reuse(); }
};

// A part that looks at every line's text (the checks before upload).
class LineObserver {
 public:
  virtual ~LineObserver() = default;
  // The line's head (all of it, or its first bytes when long), its whole length without
  // the line end, and its number from 1.
  virtual void Line(std::string_view head, std::int64_t length, std::int64_t number) = 0;
};

class LineReader {
 public:
  enum class Status { kLine, kEnd, kError };

  // The head of a line holds all of it, or at least its first kHeadSize bytes.
  static constexpr std::size_t kHeadSize = 4096;
  // Read at a time: large enough that a read call costs little per byte, small enough to
  // stay in the processor's cache while its lines are looked at.
  static constexpr std::size_t kBlockSize = 256 * 1024;

  // With a hash, every byte read from the file goes into it, in order.
  explicit LineReader(platform::File& file, std::size_t blockSize = kBlockSize,
                      ContentHash* hash = nullptr);

  // Reads the next line; its bytes go to `sink` when there is one. kError when the file
  // could not be read.
  Status Next(LineSink* sink = nullptr);

  // After the last line: reads what follows a Ctrl-Z to the end of the file, so that the
  // hash and the size are the whole file's; `sink` is told before the buffer is reused.
  // False when the file could not be read.
  bool ReadRest(LineSink* sink = nullptr);

  // The line just read (all of it, or its first kHeadSize bytes when it was longer than
  // the buffer); valid until the next call.
  std::string_view Head() const { return head_; }
  // The length of the line just read, in bytes, without its line end.
  std::int64_t Length() const { return length_; }
  // How many lines have been read.
  std::int64_t LineNumber() const { return lineNumber_; }

 private:
  // Moves the unread bytes to the front and reads behind them; false on a read failure.
  bool Refill(LineSink* sink);
  // On the first block, `got` bytes long: whether lines end at CR or LF (a file without
  // any CR). The bytes of the first block, or -1 on a read failure.
  std::int64_t DecideLineEnd(std::int64_t got);
  // The line [begin_, stop) is complete; `next` is where the following one starts.
  Status Complete(std::size_t stop, std::size_t next, bool crLf, LineSink* sink);

  platform::File& file_;
  ContentHash* hash_;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // the unread data is buffer_[begin_, end_)
  std::size_t end_ = 0;
  std::size_t scanned_ = 0;  // no line end in [begin_, scanned_)
  std::size_t dataEnd_ = 0;  // end_, or the first Ctrl-Z in the buffer
  bool endOfFile_ = false;
  bool endOfData_ = false;   // every line has been handed out
  bool inLongLine_ = false;  // pieces of the current line went out already
  bool started_ = false;     // the first block was read and looked at
  char lineEnd_ = '\r';      // CR, or LF for a file without CRs
  std::string longHead_;
  std::string_view head_;
  std::int64_t length_ = 0;
  std::int64_t lineNumber_ = 0;
};

}  // namespace pcn
