// Conversions between the program's byte texts and the UTF-16 the W functions take: UTF-8
// for the system's own texts and paths, Windows-1255 for bytes taken from PCN874 files.
#pragma once

#include <string>
#include <string_view>

namespace pcn {

inline constexpr unsigned kHebrewCodePage = 1255;

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::wstring HebrewToWide(std::string_view bytes);
std::string WideToHebrew(std::wstring_view text);

}  // namespace pcn
