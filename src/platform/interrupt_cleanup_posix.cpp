// Interruptions on POSIX: SIGINT, SIGTERM and SIGHUP. The handler removes the registered
// files, puts back the action the signal had before and raises it again; the signal is blocked
// while the handler runs, so it is taken as soon as the handler returns, and the program ends
// the way it would have (killed by that signal, as a shell or a parent sees it).
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/interrupt_cleanup.h"

namespace pcn::platform {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];
struct sigaction g_previous[kSignalCount];

void OnInterrupt(int signal) {
  const int savedErrno = errno;
  interrupt::RemoveRegisteredFiles([](const std::string& path) { ::unlink(path.c_str()); });
  for (int i = 0; i < kSignalCount; ++i) {
    if (kSignals[i] == signal) ::sigaction(signal, &g_previous[i], nullptr);
  }
  ::raise(signal);
  errno = savedErrno;
}

}  // namespace

void interrupt::InstallHandlers() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : kSignals) sigaddset(&action.sa_mask, signal);
  for (int i = 0; i < kSignalCount; ++i) {
    if (::sigaction(kSignals[i], nullptr, &g_previous[i]) != 0) continue;
    // A signal ignored from the start (nohup, a background job of a shell) stays ignored.
    if ((g_previous[i].sa_flags & SA_SIGINFO) == 0 && g_previous[i].sa_handler == SIG_IGN) {
      continue;
    }
    ::sigaction(kSignals[i], &action, nullptr);
  }
}

}  // namespace pcn::platform
