// Block-wise line splitting with a vectorised search for the line end.
#include "report/line_reader.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define PCN_HAVE_SSE2 1
#endif

namespace pcn {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kCtrlZ = 26;

}  // namespace

#ifdef PCN_HAVE_SSE2
namespace {

// Bit i set where byte i of the 16 at p is a CR or a Ctrl-Z.
unsigned LineEndMask16(const char* p) {
  const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(chunk, _mm_set1_epi8(kCr)),
                                    _mm_cmpeq_epi8(chunk, _mm_set1_epi8(kCtrlZ)));
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
}

}  // namespace
#endif

namespace {

// Bit i set where byte i of the 64 at p is a CR or a Ctrl-Z.
std::uint64_t LineEndMask64(const char* p) {
#ifdef PCN_HAVE_SSE2
  return std::uint64_t{LineEndMask16(p)} | std::uint64_t{LineEndMask16(p + 16)} << 16 |
         std::uint64_t{LineEndMask16(p + 32)} << 32 | std::uint64_t{LineEndMask16(p + 48)} << 48;
#else
  std::uint64_t mask = 0;
  for (int i = 0; i < 64; ++i) {
    if (p[i] == kCr || p[i] == kCtrlZ) mask |= std::uint64_t{1} << i;
  }
  return mask;
#endif
}

}  // namespace

const char* FindLineEnd(const char* p, const char* end) {
#ifdef PCN_HAVE_SSE2
  // 64 bytes per step: a record line (60 characters and CR LF) nearly always ends inside
  // the first step, so the loop's exit is predictable, where stepping by 16 is not.
  while (end - p >= 64) {
    const std::uint64_t mask = LineEndMask64(p);
    if (mask != 0) return p + std::countr_zero(mask);
    p += 64;
  }
  while (end - p >= 16) {
    const unsigned mask = LineEndMask16(p);
    if (mask != 0) return p + std::countr_zero(mask);
    p += 16;
  }
#endif
  for (; p < end; ++p) {
    if (*p == kCr || *p == kCtrlZ) return p;
  }
  return end;
}

namespace {

// The bytes read at a time: as asked, a multiple of 64 and at least two heads long, but
// no more than a file of known size needs (it is then read in one block).
std::size_t BlockCapacity(std::size_t asked, std::int64_t fileSize) {
  if (fileSize >= 0 && static_cast<std::uint64_t>(fileSize) < asked) {
    asked = static_cast<std::size_t>(fileSize) + 1;
  }
  if (asked < 2 * LineReader::kHeadSize) asked = 2 * LineReader::kHeadSize;
  return (asked + 63) / 64 * 64;
}

}  // namespace

LineReader::LineReader(platform::File& file, std::size_t bufferSize, RunKeeper* keeper)
    : file_(file),
      keeper_(keeper),
      fileSize_(file.Size()),
      capacity_(BlockCapacity(bufferSize, fileSize_)),
      // Huge pages for a file that fills more than a block; a small one takes little.
      ring_(kBlocks * (2 * capacity_ + 64), fileSize_ > static_cast<std::int64_t>(capacity_)),
      stops_(std::make_unique_for_overwrite<std::uint64_t[]>(2 * capacity_ / 64 + 1)) {
  data_ = ReadArea(blocks_[current_]);
}

LineReader::~LineReader() {
  reading_.Wait();
  if (keeper_ != nullptr) keeper_->WaitFor(keeper_->Mark());
}

void LineReader::Discard() {
  begin_ = end_ = 0;
}

char* LineReader::ReadArea(Block& block) {
  // Not cleared: only bytes that were read or carried are looked at, and the 64 after them.
  const auto index = static_cast<std::size_t>(&block - blocks_.data());
  return ring_.Data() + index * (2 * capacity_ + 64) + capacity_;
}

void LineReader::StartReading(Block& block) {
  // Runs handed out from this block earlier may still be in use.
  if (keeper_ != nullptr) keeper_->WaitFor(block.keeperMark);
  char* const into = ReadArea(block);
  block.read = reading_.Post([this, &block, into] { block.got = file_.Read(into, capacity_); });
}

LineReader::Status LineReader::Stopped(Status status) {
  reading_.Wait();  // the file may be closed once the reader has stopped
  return status;
}

bool LineReader::Fill() {
  if (endOfFile_) return true;
  if (keeper_ != nullptr) blocks_[current_].keeperMark = keeper_->Mark();
  const std::size_t next = (current_ + 1) % kBlocks;
  Block& block = blocks_[next];
  if (block.read != 0) {
    reading_.WaitFor(block.read);
    block.read = 0;
  } else {
    // Nothing was read ahead (the first block, or a short one before): read here.
    if (keeper_ != nullptr) keeper_->WaitFor(block.keeperMark);
    block.got = file_.Read(ReadArea(block), capacity_);
  }
  if (block.got < 0) return false;
  // The unread data goes in front of the bytes just read; it is shorter than a block.
  const std::size_t tail = end_ - begin_;
  char* const start = ReadArea(block) - tail;
  std::memmove(start, data_ + begin_, tail);
  current_ = next;
  data_ = start;
  begin_ = 0;
  end_ = tail + static_cast<std::size_t>(block.got);
  std::memset(start + end_, 0, 64);  // the index looks at the whole last word
  if (block.got == 0) endOfFile_ = true;
  Index(0);
  // A full block of a file of several more is read on while these lines are looked at.
  // Small files are read without a second thread, and so is a file whose runs a writer
  // works on behind the reader: two busy threads are what two processors carry.
  const bool large = fileSize_ < 0 || static_cast<std::uint64_t>(fileSize_) >= kBlocks * capacity_;
  if (keeper_ == nullptr && large && static_cast<std::size_t>(block.got) == capacity_) {
    StartReading(blocks_[(current_ + 1) % kBlocks]);
  }
  return true;
}

void LineReader::Index(std::size_t from) {
  // The last word may run past end_ into the block's slack: its extra bits are cleared.
  const std::size_t words = (end_ + 63) / 64;
  for (std::size_t w = from / 64; w < words; ++w) {
    stops_[w] = LineEndMask64(data_ + 64 * w);
  }
  if (end_ % 64 != 0) stops_[words - 1] &= (std::uint64_t{1} << (end_ % 64)) - 1;
}

LineReader::Status LineReader::NextCarefully(LinePieceSink* sink) {
  head_ = {};
  length_ = 0;
  if (endOfData_) return Stopped(Status::kEnd);
  if (begin_ == end_) {
    Discard();
    if (!Fill()) return Stopped(Status::kError);
  }
  if (afterCr_) {
    afterCr_ = false;
    if (begin_ < end_ && data_[begin_] == kLf) ++begin_;
    if (begin_ == end_) {
      Discard();
      if (!Fill()) return Stopped(Status::kError);
    }
  }
  if (begin_ == end_ || data_[begin_] == kCtrlZ) {
    endOfData_ = true;
    return Stopped(Status::kEnd);
  }

  bool handedOver = false;  // part of this line already went out as pieces
  std::size_t scanned = begin_;
  for (;;) {
    const std::size_t stop = NextStop(scanned);
    if (stop < end_ || endOfFile_) {
      const std::string_view rest(data_ + begin_, stop - begin_);
      if (sink != nullptr && !rest.empty()) sink->Piece(rest);
      length_ += static_cast<std::int64_t>(rest.size());
      if (!handedOver) head_ = rest;
      if (stop == end_) {
        endOfData_ = true;  // the last line, without a line end
        begin_ = end_;
      } else if (data_[stop] == kCtrlZ) {
        endOfData_ = true;
        begin_ = end_;
      } else {
        begin_ = stop + 1;
        afterCr_ = true;
        if (begin_ < end_) {
          afterCr_ = false;
          if (data_[begin_] == kLf) ++begin_;
        }
      }
      ++lineNumber_;
      return Status::kLine;
    }
    // No line end in the buffer yet: read on.
    if (end_ - begin_ >= capacity_) {
      // The line is as long as a block: hand this part over and keep only its head.
      const std::string_view part(data_ + begin_, end_ - begin_);
      if (!handedOver) {
        longHead_.assign(part.substr(0, kHeadSize));
        head_ = longHead_;
        handedOver = true;
      }
      if (sink != nullptr) sink->Piece(part);
      length_ += static_cast<std::int64_t>(part.size());
      Discard();
    }
    scanned = end_ - begin_;
    if (!Fill()) return Stopped(Status::kError);
  }
}

}  // namespace pcn
