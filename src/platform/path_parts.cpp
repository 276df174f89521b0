#include "platform/path_parts.h"

#include "platform/platform.h"

namespace pcn::platform {
namespace {

constexpr std::string_view kSeparators = kPathSeparator == '/' ? "/" : "/\\";

}  // namespace

std::string_view FileNameOf(std::string_view path) {
  const std::size_t cut = path.find_last_of(kSeparators);
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string_view FolderOf(std::string_view path) {
  const std::size_t cut = path.find_last_of(kSeparators);
  if (cut == std::string_view::npos) return {};
  return path.substr(0, cut == 0 ? 1 : cut);
}

}  // namespace pcn::platform
