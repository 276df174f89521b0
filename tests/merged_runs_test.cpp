// The merged file's body against the line rule on sources larger than the reader's buffer,
// where copied lines go out in runs straight from that buffer: lines ended by CR alone,
// empty lines, opening and closing records in the middle, a line longer than the buffer,
// a last line without a line end and a Ctrl-Z, in both shapes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/add_file.h"
#include "app/generate_command.h"
#include "merge/merged_file.h"
#include "report/load_file.h"
#include "support/headless_dialog.h"
#include "test_support.h"
#include "text/messages.h"

namespace pcn {
namespace {

using test::RuleLines;

// A valid source of about `sales` records, with irregular lines mixed in by `seed`.
std::string Source(const std::string& dealer, int sales, unsigned seed, bool endsOpen) {
  const std::string consistent = test::ConsistentFile(dealer, "03-2024", 900, 153, sales, 40, 50);
  std::vector<std::string> lines = RuleLines(consistent);
  const std::string opening = lines.front();
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    bytes += lines[i];
    seed = seed * 1103515245u + 12345u;
    switch ((seed >> 16) % 97) {
      case 0:
        bytes += "\r";
        break;  // CR alone
      case 1:
        bytes += "\r\n\r\n";
        break;  // an empty line after
      case 2:
        bytes += "\r\n" + opening + "\r\n";
        break;  // an opening record again
      case 3:
        bytes += "\r\nX" + dealer + "\r";
        break;  // a closing record mid-file
      case 4:
        bytes += "\r\nA lower o: o123\r\n";
        break;  // lines of no record type
      default:
        bytes += "\r\n";
        break;
    }
    if (i == lines.size() / 2 && seed % 2 == 0) {
      bytes += "Z" + std::string(300 * 1024, 'z') + "\r\n";  // longer than the buffer
    }
  }
  if (endsOpen) {
    bytes.resize(bytes.size() - 2);  // the closing record without its line end
    if (seed % 2 == 0)
      bytes +=
          "\x1a"
          "after the end\r\n";
  }
  return bytes;
}

TEST(MergedRuns, BodyIsEverySourceLineByTheLineRule) {
  test::TempDir dir;
  const std::string dealers[] = {"123456782", "513987651", "123456782"};
  std::vector<std::string> paths, sources;
  for (int i = 0; i < 3; ++i) {
    sources.push_back(Source(dealers[i], 4000 + 1500 * i, 7u + static_cast<unsigned>(i), i != 1));
    paths.push_back(dir.File("source" + std::to_string(i) + ".txt"));
    test::WriteFile(paths.back(), sources.back());
  }
  ASSERT_GT(sources[0].size(), 256u * 1024u);

  for (bool representative : {false, true}) {
    SCOPED_TRACE(representative ? "representative" : "dealers' union");
    FileTable table;
    HeadlessDialog dialog;
    dialog.SetOutputDirectory(dir.path());
    dialog.SetRepresentative(representative);
    for (const std::string& path : paths) {
      dialog.QueueOpenFile({true, path});
      ASSERT_EQ(AddFile(dialog, table), AddOutcome::kAdded) << path;
    }
    const GenerateResult generated = GenerateMergedFile(dialog, table, "20240415");
    ASSERT_TRUE(generated.Written()) << dialog.messages.back().text;
    const WriteResult& result = generated.write;

    std::string want;
    for (const std::string& source : sources) {
      for (const std::string& line : RuleLines(source)) {
        const bool openingOrClosing = !line.empty() && (line[0] == 'O' || line[0] == 'X');
        if (representative || !openingOrClosing) want += line + "\r\n";
      }
    }
    const std::string merged = test::ReadFile(result.path);
    const std::size_t firstEnd = merged.find("\r\n") + 2;
    const std::size_t lastLength = representative ? 21 : 12;
    ASSERT_GT(merged.size(), firstEnd + lastLength);
    const std::string body = merged.substr(firstEnd, merged.size() - firstEnd - lastLength);
    EXPECT_EQ(body.size(), want.size());
    EXPECT_TRUE(body == want) << "the body differs from the sources' lines";
    test::WriteFile(result.path, "");  // the next shape writes the same name again
  }
}

}  // namespace
}  // namespace pcn
