// On POSIX systems the arguments are already the bytes the user typed.
#include "platform/console.h"

namespace pcn::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void UseUtf8Console() {}

}  // namespace pcn::platform
