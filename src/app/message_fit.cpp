// Paths and lines shortened for the message box, counted in characters.
#include "app/message_fit.h"

#include <vector>

namespace pcn {
namespace {

constexpr std::string_view kEllipsis = "...";

// Every byte starts a character but the continuation bytes 10xxxxxx.
bool StartsCharacter(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
}

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (char byte : text) count += StartsCharacter(byte) ? 1 : 0;
  return count;
}

// The byte where character `n` starts; the end when there are fewer.
std::size_t ByteOf(std::string_view text, std::size_t n) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (StartsCharacter(text[at]) && n-- == 0) return at;
  }
  return text.size();
}

std::string_view FirstChars(std::string_view text, std::size_t n) {
  return text.substr(0, ByteOf(text, n));
}

std::string_view LastChars(std::string_view text, std::size_t n) {
  const std::size_t count = CharCount(text);
  return n >= count ? text : text.substr(ByteOf(text, count - n));
}

// At most `n` characters: the start and the end of `text` around "...".
std::string MiddleCut(std::string_view text, std::size_t n) {
  if (CharCount(text) <= n) return std::string(text);
  const std::size_t kept = n > kEllipsis.size() + 2 ? n - kEllipsis.size() : 2;
  // The end is the longer half: it holds the extension.
  const std::size_t end = (kept + 1) / 2;
  std::string cut(FirstChars(text, kept - end));
  cut += kEllipsis;
  cut += LastChars(text, end);
  return cut;
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// What stays at the start of a shortened path: "C:\", "\\server\share\", "/"; nothing for a
// relative path.
std::size_t RootLength(std::string_view path) {
  if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) return 3;
  if (path.starts_with("\\\\")) {
    std::size_t at = path.find_first_of("/\\", 2);                             // after the server
    if (at != std::string_view::npos) at = path.find_first_of("/\\", at + 1);  // the share
    return at == std::string_view::npos ? path.size() : at + 1;
  }
  return !path.empty() && IsSeparator(path[0]) ? 1 : 0;
}

}  // namespace

std::string TidyPath(std::string_view path) {
  const std::size_t kept = path.starts_with("\\\\") ? 2 : 0;
  std::string tidy(path.substr(0, kept));
  for (std::size_t at = kept; at < path.size(); ++at) {
    if (IsSeparator(path[at]) && tidy.size() > kept && IsSeparator(tidy.back())) continue;
    tidy += path[at];
  }
  return tidy;
}

std::string ShownPath(std::string_view path, std::size_t maxChars) {
  const std::string tidy = TidyPath(path);
  if (CharCount(tidy) <= maxChars) return tidy;
  const std::string_view all = tidy;
  const std::size_t rootLength = RootLength(all);
  const std::string_view root = all.substr(0, rootLength);
  std::vector<std::string_view> parts;
  for (std::size_t start = rootLength; start < all.size();) {
    std::size_t end = all.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = all.size();
    if (end > start) parts.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  const std::size_t rootChars = CharCount(root);
  if (parts.size() < 2) {
    const std::string_view name = parts.empty() ? all : parts.back();
    const std::string_view kept = parts.empty() ? std::string_view() : root;
    return std::string(kept) + MiddleCut(name, maxChars > rootChars ? maxChars - rootChars : 0);
  }
  // Joined as the path joins its parts.
  const char separator = all[all.find_first_of("/\\", rootLength)];
  std::string head(root);
  head += kEllipsis;
  head += separator;
  const std::size_t headChars = CharCount(head);
  std::string tail(parts.back());
  for (std::size_t k = parts.size() - 1; k-- > 0;) {
    std::string longer(parts[k]);
    longer += separator;
    longer += tail;
    if (headChars + CharCount(longer) > maxChars) break;
    tail = std::move(longer);
  }
  if (headChars + CharCount(tail) <= maxChars) return head + tail;
  return head + MiddleCut(parts.back(), maxChars > headChars ? maxChars - headChars : 0);
}

std::string FitLine(std::string_view text, std::size_t maxChars) {
  if (CharCount(text) <= maxChars) return std::string(text);
  std::string line(FirstChars(text, maxChars > kEllipsis.size() ? maxChars - kEllipsis.size() : 0));
  line += kEllipsis;
  return line;
}

std::string FitMessage(std::string_view message, const MessageRoom& room) {
  constexpr std::size_t kUnlimited = std::string_view::npos;
  const std::size_t pathMost =
      room.pathChars > 0 ? static_cast<std::size_t>(room.pathChars) : kUnlimited;
  const std::size_t widest =
      room.runChars > 0 ? static_cast<std::size_t>(room.runChars) : kUnlimited;
  std::string fitted;
  std::size_t used = 0;  // characters on the line so far
  for (std::size_t start = 0; start <= message.size();) {
    std::size_t end = message.find_first_of(" \r\n", start);
    if (end == std::string_view::npos) end = message.size();
    const std::string_view run = message.substr(start, end - start);
    std::string shown;
    if (RootLength(run) > 0) {
      shown = ShownPath(run, pathMost);
      if (used > 0 && used + CharCount(shown) > pathMost && fitted.ends_with(' ')) {
        fitted.back() = '\r';
        used = 0;
      }
    } else {
      shown = CharCount(run) > widest ? ShownPath(run, widest) : std::string(run);
    }
    fitted += shown;
    used += CharCount(shown);
    if (end < message.size()) {
      fitted += message[end];
      used = message[end] == ' ' ? used + 1 : 0;
    }
    start = end + 1;
  }
  return fitted;
}

}  // namespace pcn
