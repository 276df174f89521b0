// Interruptions on Windows: Ctrl-C, Ctrl-Break and closing the console. The handler runs on a
// thread of its own, removes the registered files and passes the event on, so that the
// system's handler ends the program as before. A temporary file is created with delete
// sharing, so it can be removed while it is still open; it goes when the program's handle
// closes as the program ends. A program without a console gets none of these events.
#include <windows.h>

#include "platform/interrupt_cleanup.h"
#include "platform/platform.h"

namespace pcn::platform {
namespace {

BOOL WINAPI OnConsoleEvent(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
    interrupt::RemoveRegisteredFiles([](const std::string& path) { DeleteFilePath(path); });
  }
  return FALSE;
}

}  // namespace

void interrupt::InstallHandlers() {
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

}  // namespace pcn::platform
