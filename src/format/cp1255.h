// The text of a PCN874 file's fields, single-byte Windows-1255, as the UTF-8 that every
// message and printout of this system is written in.
#pragma once

#include <string>
#include <string_view>

namespace pcn {

// Windows-1255 bytes as UTF-8; a byte with no character becomes U+FFFD.
std::string Cp1255ToUtf8(std::string_view bytes);

}  // namespace pcn
