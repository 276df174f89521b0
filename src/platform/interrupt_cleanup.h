// Temporary files that go when the user interrupts the program: Ctrl-C, SIGTERM or SIGHUP on
// POSIX; Ctrl-C, Ctrl-Break or closing the console on Windows. The files are removed, then the
// program ends as the interruption asks, as it would have without them. A merged file being
// written can be hundreds of megabytes; it must not stay behind under its temporary name.
#pragma once

#include <string>

namespace pcn::platform {

// Removes the file `path` names if the program is interrupted before KeepOnInterrupt(path).
// A few files at a time; a file beyond them is not removed on an interruption.
void RemoveOnInterrupt(const std::string& path);
// The file `path` names is no longer removed on an interruption (it was renamed or removed).
void KeepOnInterrupt(const std::string& path);

// For the platform's side only.
namespace interrupt {
// Installs the handlers of the interruptions; called once, at the first RemoveOnInterrupt.
void InstallHandlers();
// Removes each file registered, with `remove`, once even when two interruptions come on two
// threads. Uses lock-free atomics only, so a signal handler may call it; so must `remove` be.
void RemoveRegisteredFiles(void (*remove)(const std::string& path));
}  // namespace interrupt

}  // namespace pcn::platform
