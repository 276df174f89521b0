// Fuzzes line splitting: the reader, with its smallest buffer so that lines cross buffer
// edges and outgrow the buffer, must give exactly the lines of the plain byte walk, each
// whole through the pieces and with a head that begins it. The input's first byte repeats
// the rest up to 32 times, so that short inputs still make files of several buffers.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "format/line_reader.h"
#include "platform/platform.h"
#include "reference.h"
#include "scratch.h"

namespace {

[[noreturn]] void Fail(const char* what, std::size_t line) {
  std::fprintf(stderr, "lines: %s at line %zu\n", what, line + 1);
  std::abort();
}

class Collect : public pcn::LineSink {
 public:
  void Piece(std::string_view bytes) override {
    if (bytes.empty()) Fail("an empty piece", 0);
    line.append(bytes);
  }
  void End(std::string_view rest, bool crLf) override {
    line.append(rest);
    if (crLf && std::string_view(rest.data() + rest.size(), 2) != "\r\n") {
      Fail("a line said to end in CR LF does not", 0);
    }
  }
  void Reuse() override {}
  std::string line;
};

void ReadAll(const std::string& path, std::size_t bufferSize, bool withSink,
             const std::vector<std::string_view>& want) {
  pcn::platform::File file = pcn::platform::OpenForReading(path);
  if (!file.IsOpen()) Fail("cannot open the scratch file", 0);
  pcn::LineReader reader(file, bufferSize);
  for (std::size_t i = 0;; ++i) {
    Collect sink;
    const pcn::LineReader::Status status = reader.Next(withSink ? &sink : nullptr);
    if (status == pcn::LineReader::Status::kError) Fail("read error", i);
    if (status == pcn::LineReader::Status::kEnd) {
      if (i != want.size()) Fail("too few lines", i);
      if (reader.Next() != pcn::LineReader::Status::kEnd) Fail("a line after the end", i);
      return;
    }
    if (i >= want.size()) Fail("too many lines", i);
    const std::string_view line = want[i];
    const std::string_view head = reader.Head();
    if (reader.Length() != static_cast<std::int64_t>(line.size())) Fail("length", i);
    if (reader.LineNumber() != static_cast<std::int64_t>(i + 1)) Fail("line number", i);
    if (line.substr(0, head.size()) != head) Fail("the head does not begin the line", i);
    if (head.size() != line.size() && head.size() < pcn::LineReader::kHeadSize) {
      Fail("a short head of a long line", i);
    }
    if (withSink && sink.line != line) Fail("the pieces do not make the line", i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string bytes;
  for (int i = 0, repeats = 1 + data[0] % 32; i < repeats; ++i) bytes.append(body);
  const std::string path = pcn::fuzz::ScratchDirectory() + "/lines.txt";
  pcn::fuzz::WriteBytes(path, bytes);

  const std::vector<std::string_view> want = pcn::fuzz::RefLines(bytes);
  // The smallest buffer the reader takes, one a little larger, and the default.
  for (std::size_t bufferSize : {std::size_t{0}, std::size_t{8193}, std::size_t{262144}}) {
    ReadAll(path, bufferSize, true, want);
  }
  ReadAll(path, 0, false, want);
  return 0;
}
