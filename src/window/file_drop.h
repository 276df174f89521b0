// Files dropped on the window from Explorer: the names the drop handle carries, as the UTF-8
// paths the rest of the program takes.
#pragma once

#include <string>
#include <vector>

#include "controls/windows_api.h"

namespace pcn {

// The dropped names in the order the drop lists them; folders are left out (a drop of a folder
// adds nothing, and the files inside it were not what the user picked). Does not release `drop`.
std::vector<std::string> DroppedFiles(HDROP drop);

}  // namespace pcn
