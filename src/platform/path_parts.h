// The parts of a path as this system separates them: '/' everywhere, '\' too on Windows.
// Plain text work, for names shown to the user and folders to write into.
#pragma once

#include <string_view>

namespace pcn::platform {

// The last part, a file's name; the whole path when it has no separator.
std::string_view FileNameOf(std::string_view path);
// What comes before the last separator, to be joined again with a separator and a name:
// empty when there is none; the separator itself for a file at the top ("/x" is in "/").
std::string_view FolderOf(std::string_view path);

}  // namespace pcn::platform
