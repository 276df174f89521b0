// Line splitting: CR, CR LF, LF inside a line, Ctrl-Z, lines longer than the buffer, and
// what a sink receives of each line.
#include "format/line_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "test_support.h"

namespace pcn {
namespace {

// A line's bytes as a sink receives them; a line said to end in CR LF must have those
// bytes right after it, where the copier takes them from.
class Collect : public LineSink {
 public:
  void Piece(std::string_view bytes) override { line.append(bytes); }
  void End(std::string_view rest, bool crLf) override {
    line.append(rest);
    if (crLf) {
      EXPECT_EQ(std::string_view(rest.data() + rest.size(), 2), "\r\n");
    }
  }
  void Reuse() override {}
  std::string line;
};

std::vector<std::string> ReadAll(const std::string& bytes, std::size_t bufferSize,
                                 std::vector<std::string>* heads = nullptr) {
  test::TempDir dir;
  test::WriteFile(dir.File("f"), bytes);
  platform::File file = platform::OpenForReading(dir.File("f"));
  EXPECT_TRUE(file.IsOpen());
  LineReader reader(file, bufferSize);
  std::vector<std::string> lines;
  for (;;) {
    Collect collect;
    const LineReader::Status status = reader.Next(&collect);
    if (status != LineReader::Status::kLine) {
      EXPECT_EQ(status, LineReader::Status::kEnd);
      break;
    }
    EXPECT_EQ(reader.Length(), static_cast<std::int64_t>(collect.line.size()));
    EXPECT_EQ(collect.line.substr(0, reader.Head().size()), reader.Head());
    if (heads != nullptr) heads->emplace_back(reader.Head());
    lines.push_back(collect.line);
  }
  EXPECT_EQ(reader.LineNumber(), static_cast<std::int64_t>(lines.size()));
  return lines;
}

TEST(LineReader, SplitsByTheLineRule) {
  static const struct {
    std::string bytes;
    std::vector<std::string> lines;
    const char* why;
  } kCases[] = {
      {"a\r\nb\r\n", {"a", "b"}, "CR LF"},
      {"a\rb\r", {"a", "b"}, "CR alone"},
      {"a\nb\n", {"a", "b"}, "a file without any CR: lines end at LF"},
      {"a\nb\rc\n", {"a\nb", "c\n"}, "with a CR anywhere, an LF alone stays in the line"},
      {"\xEF\xBB\xBFO1\r\nX1\r\n", {"O1", "X1"}, "a byte-order mark starts no line"},
      {"\xEF\xBB\xBFO1\nX1", {"O1", "X1"}, "a byte-order mark and LF line ends"},
      {"\xEF\xBBO1\r\n", {"\xEF\xBBO1"}, "not a whole mark: part of the line"},
      {"a\r\n\r\nb", {"a", "", "b"}, "an empty line; the last needs no end"},
      {"a\r\r\nb", {"a", "", "b"}, "CR CR LF"},
      {"a\r\n\x1a"
       "b\r\n",
       {"a"},
       "Ctrl-Z at the start of a line ends the data"},
      {"ab\x1a"
       "cd",
       {"ab"},
       "Ctrl-Z inside a line ends it and the data"},
      {"\x1a", {}, "only a Ctrl-Z"},
      {"", {}, "empty"},
      {"a\n\r\n", {"a\n"}, "LF before the CR LF"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(ReadAll(c.bytes, LineReader::kBlockSize), c.lines);
  }
}

TEST(LineReader, AgreesWithTheRuleAcrossBufferEdges) {
  std::mt19937 random(874);
  const char alphabet[] = {'a', 'b', '\r', '\n', 26, 'S', '0'};
  for (int round = 0; round < 200; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 40000);
    // Mostly text with rare separators, so that long lines occur too.
    for (int i = 0; i < length; ++i) {
      const auto pick = static_cast<unsigned>(random() % 1000);
      bytes += pick < 990 ? alphabet[pick % 2] : alphabet[2 + pick % 5];
    }
    if (round % 3 == 0) {
      for (char& c : bytes) {
        if (c == 26) c = 'z';  // keep the whole file readable in some rounds
      }
    }
    SCOPED_TRACE(round);
    ASSERT_EQ(ReadAll(bytes, 8192), test::RuleLines(bytes));
  }
}

TEST(LineReader, LongLinesArriveInPiecesWithTheirHead) {
  const std::string longLine = "S" + std::string(100000, 'x');
  std::vector<std::string> heads;
  const auto lines = ReadAll(longLine + "\r\nshort\r\n" + longLine, 8192, &heads);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[1], "short");
  EXPECT_EQ(lines[2], longLine);
  EXPECT_EQ(heads[0], longLine.substr(0, LineReader::kHeadSize));
  EXPECT_EQ(heads[1], "short");
}

TEST(LineReader, ReadsRecordFilesWholeLineByLine) {
  // Lines of record length with CR LF, CR alone and no line end at the very end, across
  // buffer edges of several sizes.
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
    EXPECT_EQ(ReadAll(bytes, bufferSize), want);
  }
}

}  // namespace
}  // namespace pcn
