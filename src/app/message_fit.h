// Texts shaped to fit a message box on the user's screen: a long path shortened in the middle,
// a line cut short rather than wrapped, and no run of text wider than the screen. Lengths count
// characters (UTF-8 code points), never bytes, so that a Hebrew name is never cut inside a letter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/dialog_port.h"

namespace pcn {

// `path` with a separator doubled where a folder ending in one (a drive's root, "C:\") was
// joined to a name written once. A leading pair of backslashes (a network path) stays.
std::string TidyPath(std::string_view path);

// `path` tidied and, when longer than `maxChars`, shortened in the middle: the root, "...",
// then as many of the last folders as fit and the name (C:\...\last folder\name); a name too
// long on its own keeps its start and its end.
std::string ShownPath(std::string_view path, std::size_t maxChars);

// `text` in at most `maxChars` characters, cut at its end with "..." when longer: a line that
// the box is not to wrap.
std::string FitLine(std::string_view text, std::size_t maxChars);

// `message` for a box that `room` describes. A path (a run without a space that starts at a
// root: "C:\", "\\server", "/") is shortened to a line of the box, and when it does not fit
// beside the text before it, starts a line of its own: the box would break it at a separator.
// Any other run without a space (a name) longer than the box can grow to is shortened in the
// middle.
std::string FitMessage(std::string_view message, const MessageRoom& room);

}  // namespace pcn
