// On Windows the arguments are taken in UTF-16 from the system, so Hebrew file names
// survive whatever the console's code page is.
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>

#include "platform/console.h"
#include "platform/utf16.h"

namespace pcn::platform {

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    arguments.push_back(WideToUtf8(wide[i]));
  }
  LocalFree(wide);
  return arguments;
}

void UseUtf8Console() {
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace pcn::platform
