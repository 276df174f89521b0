// Conversions between the program's byte texts and the UTF-16 the W functions take: UTF-8
// for the system's own texts and paths, Windows-1255 for bytes taken from PCN874 files. The
// platform does the converting.
#pragma once

#include <string>
#include <string_view>

#include "platform/utf16.h"

namespace pcn {

inline constexpr unsigned kHebrewCodePage = 1255;

using platform::Utf8ToWide;
using platform::WideToUtf8;

inline std::wstring HebrewToWide(std::string_view bytes) {
  return platform::ToWide(kHebrewCodePage, bytes);
}
inline std::string WideToHebrew(std::wstring_view text) {
  return platform::FromWide(kHebrewCodePage, text);
}

}  // namespace pcn
