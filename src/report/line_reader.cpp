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

LineReader::LineReader(platform::File& file, std::size_t bufferSize)
    : file_(file),
      capacity_((bufferSize < 2 * kHeadSize ? 2 * kHeadSize : bufferSize + 63) / 64 * 64),
      buffer_(capacity_),
      stops_(capacity_ / 64) {}

void LineReader::Compact() {
  if (begin_ == 0) return;
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  Index(0);
}

bool LineReader::Fill() {
  if (endOfFile_) return true;
  if (end_ == capacity_) Compact();
  const std::int64_t got = file_.Read(buffer_.data() + end_, capacity_ - end_);
  if (got < 0) return false;
  if (got == 0) endOfFile_ = true;
  const std::size_t from = end_;
  end_ += static_cast<std::size_t>(got);
  Index(from);
  return true;
}

void LineReader::Index(std::size_t from) {
  // The word that held the old end is made again: it may have grown.
  const std::size_t words = (end_ + 63) / 64;
  for (std::size_t w = from / 64; w < words; ++w) {
    stops_[w] = LineEndMask64(buffer_.data() + 64 * w);
  }
  if (end_ % 64 != 0) stops_[words - 1] &= (std::uint64_t{1} << (end_ % 64)) - 1;
}

LineReader::Status LineReader::NextCarefully(LinePieceSink* sink) {
  head_ = {};
  length_ = 0;
  if (endOfData_) return Status::kEnd;
  if (begin_ == end_) {
    begin_ = end_ = 0;
    if (!Fill()) return Status::kError;
  }
  if (afterCr_) {
    afterCr_ = false;
    if (begin_ < end_ && buffer_[begin_] == kLf) ++begin_;
    if (begin_ == end_) {
      begin_ = end_ = 0;
      if (!Fill()) return Status::kError;
    }
  }
  if (begin_ == end_ || buffer_[begin_] == kCtrlZ) {
    endOfData_ = true;
    return Status::kEnd;
  }

  bool handedOver = false;  // part of this line already went out as pieces
  std::size_t scanned = begin_;
  for (;;) {
    const std::size_t stop = NextStop(scanned);
    if (stop < end_ || endOfFile_) {
      const std::string_view rest(buffer_.data() + begin_, stop - begin_);
      if (sink != nullptr && !rest.empty()) sink->Piece(rest);
      length_ += static_cast<std::int64_t>(rest.size());
      if (!handedOver) head_ = rest;
      if (stop == end_) {
        endOfData_ = true;  // the last line, without a line end
        begin_ = end_;
      } else if (buffer_[stop] == kCtrlZ) {
        endOfData_ = true;
        begin_ = end_;
      } else {
        begin_ = stop + 1;
        afterCr_ = true;
        if (begin_ < end_) {
          afterCr_ = false;
          if (buffer_[begin_] == kLf) ++begin_;
        }
      }
      ++lineNumber_;
      return Status::kLine;
    }
    // No line end in the buffer yet: make room and read more.
    if (begin_ == 0 && end_ == capacity_) {
      // The line fills the whole buffer: hand this part over and keep only its head.
      const std::string_view part(buffer_.data(), end_);
      if (!handedOver) {
        longHead_.assign(part.substr(0, kHeadSize));
        head_ = longHead_;
        handedOver = true;
      }
      if (sink != nullptr) sink->Piece(part);
      length_ += static_cast<std::int64_t>(part.size());
      begin_ = end_ = 0;
    } else {
      Compact();
    }
    scanned = end_;
    if (!Fill()) return Status::kError;
  }
}

}  // namespace pcn
