// The line-end search in its 64-byte steps, its 16-byte steps and its byte-wise tail, and
// the reader's quick path for whole lines and its runs of lines against the line rule.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "report/line_reader.h"
#include "test_support.h"

namespace pcn {
namespace {

TEST(FindLineEnd, FindsTheFirstStopAtEveryOffsetAndLength) {
  // Every length up to three 64-byte steps and a tail, every position of the stop; bytes
  // that only resemble a line end (LF, tab, 0x8D, 0x9A) must not stop the search.
  for (std::size_t length = 0; length <= 200; ++length) {
    std::string text(length, 'a');
    for (std::size_t i = 0; i < length; ++i) {
      const char kNear[] = {'\n', '\t', '\x8d', '\x9a', 'S', '0'};
      text[i] = kNear[(i * 7 + length) % 6];
    }
    ASSERT_EQ(FindLineEnd(text.data(), text.data() + length), text.data() + length) << length;
    for (std::size_t at = 0; at < length; ++at) {
      for (char stop : {'\r', '\x1a'}) {
        std::string with = text;
        with[at] = stop;
        if (at + 1 < length) with[length - 1] = '\r';  // a later stop must not win
        ASSERT_EQ(FindLineEnd(with.data(), with.data() + length) - with.data(),
                  static_cast<std::ptrdiff_t>(at))
            << "length " << length << " at " << at;
      }
    }
  }
}

TEST(LineReader, ReadsRecordFilesWholeLineByLine) {
  // Lines of record length with CR LF, CR alone and no line end at the very end, across
  // buffer edges of several sizes: the quick path and the careful path must agree.
  std::string bytes;
  std::vector<std::string> want;
  for (int i = 0; i < 3000; ++i) {
    std::string line(static_cast<std::size_t>(40 + i % 23), static_cast<char>('A' + i % 26));
    want.push_back(line);
    bytes += line;
    bytes += (i % 17 == 0) ? "\r" : "\r\n";
  }
  bytes += "last";
  want.push_back("last");
  for (std::size_t bufferSize : {8192u, 8193u, 65536u, 262144u}) {
    SCOPED_TRACE(bufferSize);
    test::TempDir dir;
    test::WriteFile(dir.File("f"), bytes);
    platform::File file = platform::OpenForReading(dir.File("f"));
    LineReader reader(file, bufferSize);
    std::vector<std::string> got;
    while (reader.Next() == LineReader::Status::kLine) got.emplace_back(reader.Head());
    EXPECT_EQ(got, want);
    EXPECT_EQ(reader.LineNumber(), static_cast<std::int64_t>(want.size()));
  }
}

using test::RuleLines;

TEST(LineReader, RunsAndSingleLinesTogetherGiveEveryLine) {
  // Record-like lines with the irregular ones mixed in: CR alone, LF inside a line, empty
  // lines, lines starting with an excluded byte, a long line, a Ctrl-Z near the end.
  std::string bytes;
  unsigned seed = 874;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 1103515245u + 12345u;
    const unsigned pick = (seed >> 16) % 200;
    std::string line(static_cast<std::size_t>(30 + pick % 40), static_cast<char>('a' + i % 26));
    if (pick == 0) line[0] = 'O';
    if (pick == 1) line[0] = 'X';
    if (pick == 2) line[5] = '\n';
    if (pick == 3) line.clear();
    if (pick == 4) line = std::string(20000, 'L');
    bytes += line;
    bytes += pick == 5 ? "\r" : "\r\n";
  }
  const std::vector<std::string> want = RuleLines(bytes +
                                                  "tail\x1a"
                                                  "gone\r\n");
  bytes +=
      "tail\x1a"
      "gone\r\n";

  std::array<bool, 256> excluded{};
  excluded['O'] = excluded['X'] = true;
  for (std::size_t bufferSize : {8192u, 65536u, 262144u}) {
    SCOPED_TRACE(bufferSize);
    test::TempDir dir;
    test::WriteFile(dir.File("f"), bytes);
    platform::File file = platform::OpenForReading(dir.File("f"));
    LineReader reader(file, bufferSize);
    std::vector<std::string> got;
    std::int64_t runs = 0;
    for (;;) {
      const std::string_view run = reader.NextRun(excluded);
      if (!run.empty()) {
        ++runs;
        // A run is whole lines, each ended by CR LF, none starting with an excluded byte.
        ASSERT_EQ(run.substr(run.size() - 2), "\r\n");
        for (std::size_t at = 0; at < run.size();) {
          const std::size_t cr = run.find('\r', at);
          ASSERT_EQ(run[cr + 1], '\n');
          const std::string line(run.substr(at, cr - at));
          EXPECT_FALSE(!line.empty() && excluded[static_cast<unsigned char>(line[0])]) << line;
          got.push_back(line);
          at = cr + 2;
        }
        EXPECT_EQ(reader.LineNumber(), static_cast<std::int64_t>(got.size()));
        continue;
      }
      class Collect : public LinePieceSink {
       public:
        void Piece(std::string_view piece) override { line.append(piece); }
        std::string line;
      } collect;
      if (reader.Next(&collect) != LineReader::Status::kLine) break;
      got.push_back(collect.line);
    }
    EXPECT_EQ(got, want);
    EXPECT_EQ(reader.LineNumber(), static_cast<std::int64_t>(want.size()));
    EXPECT_GT(runs, 0);
  }
}

}  // namespace
}  // namespace pcn
