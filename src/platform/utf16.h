// Windows only: the UTF-16 the W functions take, from and to the program's byte texts, UTF-8
// (paths and the system's own texts) or another code page. Lengths are explicit, so embedded
// NULs survive; an empty text converts to an empty one.
#pragma once

#include <string>
#include <string_view>

namespace pcn::platform {

std::wstring ToWide(unsigned codePage, std::string_view bytes);
std::string FromWide(unsigned codePage, std::wstring_view text);

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

}  // namespace pcn::platform
