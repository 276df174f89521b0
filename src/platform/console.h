// The command line and the console: arguments as UTF-8 on every platform, and a console
// that shows UTF-8 output.
#pragma once

#include <string>
#include <vector>

namespace pcn::platform {

std::vector<std::string> Utf8Arguments(int argc, char** argv);
void UseUtf8Console();

}  // namespace pcn::platform
