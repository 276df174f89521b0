// Copying a source's lines into the merged file as the reader hands them over: every line
// gets a CR LF, and the union form drops the opening and closing records. Lines that end
// in CR LF and follow one another in the reader's buffer go out together, as one write
// from where they stand.
#pragma once

#include <string_view>

#include "format/line_reader.h"
#include "merge/block_writer.h"

namespace pcn {

inline constexpr std::string_view kLineEnd = "\r\n";

class LineCopier : public LineSink {
 public:
  LineCopier(BlockWriter& out, bool dropOpeningAndClosing)
      : out_(out), dropOpeningAndClosing_(dropOpeningAndClosing) {}
  ~LineCopier() override { WriteRun(); }
  LineCopier(const LineCopier&) = delete;
  LineCopier& operator=(const LineCopier&) = delete;

  void Piece(std::string_view bytes) override {
    if (!inLine_) StartLine(bytes);
    if (dropped_) return;
    WriteRun();
    out_.Append(bytes);
  }
  void End(std::string_view rest, bool crLf) override {
    if (!inLine_) StartLine(rest);
    inLine_ = false;
    if (dropped_) return;
    if (crLf && run_ != nullptr && run_ + runSize_ == rest.data()) {
      runSize_ += rest.size() + kLineEnd.size();  // the next line of the run
    } else if (crLf) {
      WriteRun();
      run_ = rest.data();
      runSize_ = rest.size() + kLineEnd.size();
    } else {
      WriteRun();
      out_.Append(rest);
      out_.Append(kLineEnd);
    }
  }
  void Reuse() override { WriteRun(); }
  // A source's last lines go out before it is closed and the next one read, so that a
  // failing write is told with the source whose lines it held.
  void Done() override {
    WriteRun();
    out_.Flush();
  }

 private:
  void StartLine(std::string_view first) {
    inLine_ = true;
    dropped_ =
        dropOpeningAndClosing_ && !first.empty() && (first.front() == 'O' || first.front() == 'X');
  }
  void WriteRun() {
    if (runSize_ > 0) out_.Append(std::string_view(run_, runSize_));
    run_ = nullptr;
    runSize_ = 0;
  }

  BlockWriter& out_;
  bool dropOpeningAndClosing_;
  bool inLine_ = false;  // pieces of the current line came already
  bool dropped_ = false;
  const char* run_ = nullptr;  // lines as they stand in the reader's buffer, not yet written
  std::size_t runSize_ = 0;
};

}  // namespace pcn
