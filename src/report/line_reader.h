// Reads a PCN874 file line by line in large blocks. A line ends at a CR, and an LF right
// after the CR belongs to the line end; an LF anywhere else stays in the line. A Ctrl-Z
// byte ends the data. The last line needs no line end, and lines may be of any length:
// a line longer than the buffer is handed over in pieces, so memory stays bounded.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace pcn {

// Receives the bytes of a line, in order, in one or more pieces.
class LinePieceSink {
 public:
  virtual ~LinePieceSink() = default;
  virtual void Piece(std::string_view bytes) = 0;
};

class LineReader {
 public:
  enum class Status { kLine, kEnd, kError };

  // The head of a line holds all of it, or at least its first kHeadSize bytes.
  static constexpr std::size_t kHeadSize = 4096;
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;

  explicit LineReader(platform::File& file, std::size_t bufferSize = kDefaultBufferSize);

  // Reads the next line. With a sink, every byte of the line goes to it (the line end
  // excluded). kError when the file could not be read.
  Status Next(LinePieceSink* sink = nullptr) {
    // Nearly every line lies whole in the buffer, its CR and the byte after it included:
    // that case is handled here, inline in the caller's loop, everything else apart.
    if (begin_ < end_) {
      const std::size_t stop = NextStop(begin_);
      if (stop + 1 < end_ && buffer_[stop] == '\r') {
        head_ = std::string_view(buffer_.data() + begin_, stop - begin_);
        length_ = static_cast<std::int64_t>(head_.size());
        if (sink != nullptr && !head_.empty()) sink->Piece(head_);
        begin_ = stop + (buffer_[stop + 1] == '\n' ? 2 : 1);
        ++lineNumber_;
        return Status::kLine;
      }
    }
    return NextCarefully(sink);
  }

  // Lines that lie whole in the buffer, each ended by CR LF and none starting with a byte
  // that `excluded` marks, as many as follow one another there: their bytes, line ends
  // included, exactly as they stand in the file; valid until the next call. Empty when the
  // next line is not such a line, which Next then reads. Copying a file is then one write
  // per run instead of work per line.
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
    while (at < end_ && !excluded[static_cast<unsigned char>(buffer_[at])]) {
      const std::size_t stop = NextStop(at);
      if (stop + 1 >= end_ || buffer_[stop] != '\r' || buffer_[stop + 1] != '\n') break;
      const bool goOn = visit(std::string_view(buffer_.data() + at, stop - at));
      at = stop + 2;
      ++lines;
      if (!goOn) break;
    }
    const std::string_view run(buffer_.data() + begin_, at - begin_);
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
  bool Fill();  // reads more after end_; false on a read failure
  void Compact();
  Status NextCarefully(LinePieceSink* sink);
  // Marks the line ends of buffer_[from, end_) in stops_.
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
  std::size_t capacity_;  // a multiple of 64, so that stops_ covers it in whole words
  std::vector<char> buffer_;
  // Bit i of word w is set where buffer_[64 w + i] is a CR or a Ctrl-Z: the search runs
  // once over each block as it arrives, in a tight loop, and a line's end is then a bit
  // scan away.
  std::vector<std::uint64_t> stops_;
  std::size_t begin_ = 0;  // unread data is buffer_[begin_, end_)
  std::size_t end_ = 0;
  bool endOfFile_ = false;
  bool endOfData_ = false;  // end of file reached with nothing left, or a Ctrl-Z seen
  bool afterCr_ = false;    // the previous line ended at a CR: an LF next belongs to it
  std::string_view head_;
  std::string longHead_;
  std::int64_t length_ = 0;
  std::int64_t lineNumber_ = 0;
};

// The first CR or Ctrl-Z in [begin, end), or end.
const char* FindLineEnd(const char* begin, const char* end);

}  // namespace pcn
