// Copying source lines into the merged file: the lines that go out in runs as they stand,
// and the copier for the others, which gives every line a CR LF and drops the opening and
// closing records of the union form. Shared by the window's copy at Generate and the
// command line's one-pass merge.
#pragma once

#include <array>
#include <string_view>

#include "merge/block_writer.h"
#include "report/line_reader.h"

namespace pcn {

inline constexpr std::string_view kLineEnd = "\r\n";

// The first bytes of lines that cannot go out in a run as they stand: in the union form
// the opening and closing records, which are dropped.
constexpr std::array<bool, 256> FirstBytesOutsideRuns(bool dropOpeningAndClosing) {
  std::array<bool, 256> excluded{};
  excluded['O'] = dropOpeningAndClosing;
  excluded['X'] = dropOpeningAndClosing;
  return excluded;
}

// Copies one source line into the output, or drops it when the union form leaves out
// opening and closing records.
class LineCopier : public LinePieceSink {
 public:
  LineCopier(BlockWriter& out, bool dropOpeningAndClosing)
      : out_(out), dropOpeningAndClosing_(dropOpeningAndClosing) {}

  void StartLine() {
    first_ = true;
    dropped_ = false;
  }
  void Piece(std::string_view bytes) override {
    if (first_) {
      first_ = false;
      dropped_ = dropOpeningAndClosing_ && (bytes.front() == 'O' || bytes.front() == 'X');
    }
    if (!dropped_) out_.Append(bytes);
  }
  void EndLine() {
    if (!dropped_) out_.Append(kLineEnd);
  }

 private:
  BlockWriter& out_;
  bool dropOpeningAndClosing_;
  bool first_ = true;
  bool dropped_ = false;
};

}  // namespace pcn
