// Paths and lines shortened so that a message box fits a laptop's screen.
#include "app/message_fit.h"

#include <gtest/gtest.h>

#include <string>

namespace pcn {
namespace {

// Characters, not bytes: every byte but UTF-8's continuation bytes.
std::size_t Chars(const std::string& text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

TEST(ShownPath, ShortensInTheMiddleAndKeepsTheName) {
  std::string deep = "C:\\Clients";
  for (int i = 1; i <= 9; ++i) deep += "\\folder-number-0" + std::to_string(i);
  deep += "\\last folder\\Pcn874-03-2024.txt";
  // "דרום" (south), a name of Hebrew letters: two bytes each.
  const std::string hebrew = "\xD7\x93\xD7\xA8\xD7\x95\xD7\x9D";
  std::string hebrewName;
  for (int i = 0; i < 10; ++i) hebrewName += hebrew;
  static const struct {
    std::string path;
    std::size_t most;
    std::string want;
    const char* why;
  } kCases[] = {
      {"C:\\Reports\\03-2024\\Pcn874-03-2024.txt", 70, "C:\\Reports\\03-2024\\Pcn874-03-2024.txt",
       "short enough: whole"},
      // regression: a drive's root as the output folder showed "C:\\Pcn874-03-2024.txt"
      {"C:\\\\Pcn874-03-2024.txt", 70, "C:\\Pcn874-03-2024.txt", "a drive's root joined once"},
      {"//Pcn874-03-2024.txt", 70, "/Pcn874-03-2024.txt", "the root of a Unix system"},
      {"\\\\server\\share\\Pcn874-03-2024.txt", 70, "\\\\server\\share\\Pcn874-03-2024.txt",
       "a network path keeps its two leading backslashes"},
      {deep, 40, "C:\\...\\last folder\\Pcn874-03-2024.txt", "the last folder and the name"},
      {deep, 60, "C:\\...\\folder-number-09\\last folder\\Pcn874-03-2024.txt",
       "as many of the last folders as fit"},
      {"\\\\server\\share\\" + deep.substr(3), 50,
       "\\\\server\\share\\...\\last folder\\Pcn874-03-2024.txt", "a network path keeps its share"},
      {"/home/dana/" + std::string(60, 'n') + ".txt", 30,
       "/.../" + std::string(11, 'n') + "..." + std::string(7, 'n') + ".txt",
       "a name too long alone keeps its start and its end"},
      {std::string(60, 'n') + ".txt", 20, "nnnnnnnn...nnnnn.txt", "a name without a folder"},
      {"/tmp/" + hebrewName + ".txt", 15, "/.../" + hebrew.substr(0, 6) + "....txt",
       "Hebrew letters are counted and cut as whole characters"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    const std::string shown = ShownPath(c.path, c.most);
    EXPECT_EQ(shown, c.want);
    EXPECT_LE(Chars(shown), c.most);
  }
}

TEST(FitMessage, ShortensOnlyWhatWouldBeWiderThanTheBox) {
  const MessageRoom room = {40, 30, 30, 40};
  const std::string longPath = "/reports/" + std::string(40, 'f') + "/Pcn874-03-2024.txt";
  static const struct {
    std::string message;
    std::string want;
    const char* why;
  } kCases[] = {
      {"saved in " + longPath + "\rnext line", "saved in\r/.../Pcn874-03-2024.txt\rnext line",
       "a long path on a line of its own, shortened to it"},
      {"saved in /reports/a.txt (done)", "saved in /reports/a.txt (done)",
       "a path that fits beside the words stays"},
      {"C:\\" + std::string(50, 'c') + "\\x.txt", "C:\\...\\x.txt", "a path alone on its line"},
      {"refused\r" + std::string(50, 'n') + ".txt",
       "refused\r" + std::string(18, 'n') + "..." + std::string(15, 'n') + ".txt",
       "a name wider than the box can grow: its start and its end"},
      {"a sentence of many short words that wraps by itself in the box",
       "a sentence of many short words that wraps by itself in the box", "words wrap: untouched"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(FitMessage(c.message, room), c.want);
  }
}

TEST(FitLine, CutsAtTheEndInWholeCharacters) {
  // "אורך רשומת" (the length of the record): Hebrew letters of two bytes each.
  const std::string hebrew =
      "2: \xD7\x90\xD7\x95\xD7\xA8\xD7\x9A \xD7\xA8\xD7\xA9\xD7\x95\xD7\x9E\xD7\xAA";
  EXPECT_EQ(FitLine(hebrew, 13), hebrew);
  EXPECT_EQ(FitLine(hebrew, 12), "2: \xD7\x90\xD7\x95\xD7\xA8\xD7\x9A \xD7\xA8...");
  EXPECT_EQ(FitLine("abcdef", 3), "...");
}

}  // namespace
}  // namespace pcn
