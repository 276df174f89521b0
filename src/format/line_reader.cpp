// Line splitting over one buffer: the line ends are found with memchr, the Ctrl-Z that ends
// the data once per block.
#include "format/line_reader.h"

#include <algorithm>
#include <cstring>

namespace pcn {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr char kCtrlZ = 26;

// The buffer a file needs: a block, or less for a file known to be smaller, but always
// room for two heads, so that the first piece of a long line holds a whole head.
std::size_t BufferSize(std::size_t blockSize, std::int64_t fileSize) {
  std::size_t size = blockSize;
  if (fileSize >= 0 && static_cast<std::uint64_t>(fileSize) < size) {
    size = static_cast<std::size_t>(fileSize) + 1;
  }
  return std::max(size, 2 * LineReader::kHeadSize);
}

}  // namespace

LineReader::LineReader(platform::File& file, std::size_t blockSize, ContentHash* hash)
    : file_(file), hash_(hash), buffer_(BufferSize(blockSize, file.Size())) {}

bool LineReader::Refill(LineSink* sink) {
  if (sink != nullptr) sink->Reuse();
  char* const base = buffer_.data();
  const std::size_t tail = end_ - begin_;
  std::memmove(base, base + begin_, tail);
  scanned_ -= begin_;
  begin_ = 0;
  end_ = tail;
  std::int64_t got = file_.Read(base + end_, buffer_.size() - end_);
  if (got < 0) return false;
  const bool first = !started_;
  if (first) {
    started_ = true;
    got = DecideLineEnd(got);
    if (got < 0) return false;
  }
  if (got == 0) endOfFile_ = true;
  const auto size = static_cast<std::size_t>(got);
  if (hash_ != nullptr) hash_->Add(base + end_, size);
  // The bytes before were looked at already: a Ctrl-Z among them would have ended the data.
  const void* const ctrlZ = std::memchr(base + end_, kCtrlZ, size);
  end_ += size;
  dataEnd_ =
      ctrlZ != nullptr ? static_cast<std::size_t>(static_cast<const char*>(ctrlZ) - base) : end_;
  // A byte-order mark is read, and hashed, but starts no line.
  if (first && end_ >= 3 && std::memcmp(base, "\xEF\xBB\xBF", 3) == 0) begin_ = scanned_ = 3;
  return true;
}

std::int64_t LineReader::DecideLineEnd(std::int64_t got) {
  const char* const base = buffer_.data();
  if (got == 0 || std::memchr(base, kCr, static_cast<std::size_t>(got)) != nullptr) return got;
  // No CR in the first block: the rest of the file decides, looked through for a CR in a
  // scratch buffer, after which the file is read again from its start.
  std::vector<char> scratch(64 * 1024);
  bool hasCr = false;
  bool readMore = false;
  for (;;) {
    const std::int64_t more = file_.Read(scratch.data(), scratch.size());
    if (more < 0) return -1;
    if (more == 0) break;
    readMore = true;
    if (std::memchr(scratch.data(), kCr, static_cast<std::size_t>(more)) != nullptr) {
      hasCr = true;
      break;
    }
  }
  if (!hasCr) lineEnd_ = kLf;
  if (!readMore) return got;
  if (!file_.Rewind()) return -1;
  return file_.Read(buffer_.data(), buffer_.size());
}

LineReader::Status LineReader::Complete(std::size_t stop, std::size_t next, bool crLf,
                                        LineSink* sink) {
  const std::string_view rest(buffer_.data() + begin_, stop - begin_);
  length_ += static_cast<std::int64_t>(rest.size());
  head_ = inLongLine_ ? std::string_view(longHead_) : rest;
  inLongLine_ = false;
  if (sink != nullptr) sink->End(rest, crLf);
  begin_ = scanned_ = next;
  ++lineNumber_;
  return Status::kLine;
}

LineReader::Status LineReader::Next(LineSink* sink) {
  head_ = {};
  length_ = 0;
  if (endOfData_) return Status::kEnd;
  for (;;) {
    const char* const base = buffer_.data();
    const void* const found = std::memchr(base + scanned_, lineEnd_, dataEnd_ - scanned_);
    if (found != nullptr && lineEnd_ == kLf) {
      const auto lf = static_cast<std::size_t>(static_cast<const char*>(found) - base);
      return Complete(lf, lf + 1, false, sink);  // copied with a CR LF of its own
    }
    if (found != nullptr) {
      const auto stop = static_cast<std::size_t>(static_cast<const char*>(found) - base);
      if (stop + 1 < end_) {
        const bool crLf = base[stop + 1] == kLf;
        return Complete(stop, stop + (crLf ? 2 : 1), crLf, sink);
      }
      if (endOfFile_) return Complete(stop, stop + 1, false, sink);
      scanned_ = stop;  // the byte after the CR decides where the next line starts
    } else if (dataEnd_ < end_ || endOfFile_) {
      // A Ctrl-Z, or the end of the file: the last line, if anything of it is there.
      endOfData_ = true;
      if (dataEnd_ == begin_ && !inLongLine_) return Status::kEnd;
      const std::size_t stop = dataEnd_;
      return Complete(stop, end_, false, sink);
    } else {
      scanned_ = end_;
    }
    if (begin_ == 0 && end_ == buffer_.size()) {
      // The line fills the buffer: all of it but the last byte goes out as a piece (a CR
      // there needs the byte after it), and only its head is kept.
      const std::size_t keep = end_ - 1;
      if (!inLongLine_) longHead_.assign(base, kHeadSize);
      inLongLine_ = true;
      length_ += static_cast<std::int64_t>(keep);
      if (sink != nullptr) sink->Piece(std::string_view(base, keep));
      begin_ = keep;
      scanned_ = std::max(scanned_, keep);
    }
    if (!Refill(sink)) return Status::kError;
  }
}

bool LineReader::ReadRest(LineSink* sink) {
  // No line is read any more: the buffer may be overwritten once the sink let it go.
  if (sink != nullptr && !endOfFile_) sink->Reuse();
  while (!endOfFile_) {
    const std::int64_t got = file_.Read(buffer_.data(), buffer_.size());
    if (got < 0) return false;
    if (got == 0) endOfFile_ = true;
    if (hash_ != nullptr) hash_->Add(buffer_.data(), static_cast<std::size_t>(got));
  }
  return true;
}

}  // namespace pcn
