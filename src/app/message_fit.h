// Texts shaped to fit a message box on the user's screen: a long path shortened in the middle,
// a line kept from wrapping, and no run of text wider than the screen. Lengths count characters
// (UTF-8 code points), never bytes, so that a Hebrew name is never cut inside a letter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/dialog_port.h"

namespace pcn {

// A path in a message is shortened beyond this many characters, wherever it stands: a path
// with spaces would otherwise fill several lines.
inline constexpr std::size_t kShownPathChars = 70;

// `path` with a separator doubled where a folder ending in one (a drive's root, "C:\") was
// joined to a name written once. A leading pair of backslashes (a network path) stays.
std::string TidyPath(std::string_view path);

// `path` tidied and, when longer than `maxChars`, shortened in the middle: the root, "...",
// then as many of the last folders as fit and the name (C:\...\last folder\name); a name too
// long on its own keeps its start and its end.
std::string ShownPath(std::string_view path, std::size_t maxChars = kShownPathChars);

// `text` kept on one line: its spaces become spaces no line is broken at.
std::string OneLine(std::string_view text);

// `message` for a box that `room` describes: each run without a space (a path, a name, a
// line kept whole by OneLine) longer than a line of the box is shortened, a line of OneLine
// at its end, anything else in the middle as a path is.
std::string FitMessage(std::string_view message, const MessageRoom& room);

}  // namespace pcn
