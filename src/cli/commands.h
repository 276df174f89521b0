// The commands of the command-line tool. Each returns the process's exit code: 0 done,
// 1 a usage error (or no memory), 2 refused (the reason printed on the error stream).
#pragma once

#include <string>
#include <vector>

namespace pcn::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitUsage = 1;
inline constexpr int kExitNoMemory = 1;  // the command ran out of memory and stopped
inline constexpr int kExitRefused = 2;
inline constexpr int kExitFindings = 3;  // `check`: the files load, but the checks found something
inline constexpr int kExitFailsFivePercent = 3;  // `inspect`: a file fails the 5% rule

struct MergeOptions {
  bool representative = false;
  bool numberGiven = false;
  std::string number;
  std::string outputDirectory;           // empty: the current directory
  std::string date;                      // empty: today
  std::vector<std::string> adjustments;  // FIELD=DELTA
  std::vector<std::string> files;
  bool strict = false;  // refuse when the file would carry a finding the reception refuses
  std::string record;   // the merge record page (HTML) to write; empty: none
};
int RunMerge(const MergeOptions& options);

struct CheckOptions {
  bool json = false;
  std::vector<std::string> files;
};
int RunCheck(const CheckOptions& options);

struct InspectOptions {
  bool json = false;
  std::vector<std::string> files;
};
int RunInspect(const InspectOptions& options);

}  // namespace pcn::cli
