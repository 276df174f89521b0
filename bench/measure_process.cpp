// Runs one command and prints its wall time in seconds, its peak resident memory in KB, its
// exit status and its processor time (user and system) in seconds:
//   measure_process [--stdout FILE] COMMAND [ARGUMENT...]
// Standard output of the command goes to FILE, or is discarded. The figures are those of
// the command alone (wait4's rusage), not of a shell around it.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>

int main(int argc, char** argv) {
  const char* output = "/dev/null";
  int first = 1;
  if (argc > 2 && std::strcmp(argv[1], "--stdout") == 0) {
    output = argv[2];
    first = 3;
  }
  if (first >= argc) {
    std::fputs("usage: measure_process [--stdout FILE] COMMAND [ARGUMENT...]\n", stderr);
    return 2;
  }
  timespec start{}, stop{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  const pid_t child = fork();
  if (child < 0) {
    std::perror("fork");
    return 2;
  }
  if (child == 0) {
    const int fd = open(output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) _exit(127);
    close(fd);
    execvp(argv[first], argv + first);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) < 0) {
    std::perror("wait4");
    return 2;
  }
  clock_gettime(CLOCK_MONOTONIC, &stop);
  const double seconds = static_cast<double>(stop.tv_sec - start.tv_sec) +
                         1e-9 * static_cast<double>(stop.tv_nsec - start.tv_nsec);
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
  std::printf("%.6f %ld %d %.6f\n", seconds, usage.ru_maxrss, code, cpu);
  return 0;
}
