// pcn874: merges PCN874 files of one month from the command line, with the same rules as
// the window program, and shows what a file holds.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "CLI/CLI.hpp"
#include "cli/commands.h"
#include "pcn_version.h"
#include "platform/console.h"

namespace {

// YYYYMMDD naming a day of the calendar: 20240229 is one, 20230229 and 20241399 are not.
bool IsDate(const std::string& text) {
  if (text.size() != 8) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const int year = std::stoi(text.substr(0, 4));
  const int month = std::stoi(text.substr(4, 2));
  const int day = std::stoi(text.substr(6, 2));
  if (month < 1 || month > 12 || day < 1) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// The command's exit code, unless its output did not all reach standard output (a full disk,
// a closed pipe): a script must not take a cut listing or a lost path for a whole one.
int FlushedOutput(int code) {
  // When a write failed already (an option's text is flushed at once), its reason is the
  // last error the system told.
  if (std::cout && !std::ferror(stdout)) errno = 0;
  std::cout.flush();
  if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) return code;
  const int reason = errno != 0 ? errno : EIO;
  std::cerr << "pcn874: cannot write to standard output: " << std::strerror(reason) << '\n';
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pcn::cli;
  pcn::platform::UseUtf8Console();
  std::vector<std::string> arguments = pcn::platform::Utf8Arguments(argc, argv);

  CLI::App app{"Merges PCN874 detailed VAT report files of one month into one file."};
  app.name("pcn874");
  app.set_version_flag("--version", "pcn874 " PCN_VERSION);
  app.require_subcommand(1);
  // "/path" is a file name, not an option, on every platform.
  app.allow_windows_style_options(false);

  MergeOptions merge;
  CLI::App* mergeCommand = app.add_subcommand(
      "merge", "Load FILEs in order, check them and write one merged PCN874 file.");
  mergeCommand->add_flag("--representative", merge.representative,
                         "Write a representative's file instead of a dealers' union file");
  mergeCommand->add_option("--number", merge.number,
                           "Dealer or representative number (default: the first file's dealer)");
  mergeCommand->add_option("--out", merge.outputDirectory,
                           "Output directory (default: the current directory)");
  mergeCommand->add_option("--date", merge.date, "Date of the opening record, YYYYMMDD")
      ->check([](const std::string& text) {
        return IsDate(text) ? std::string()
                            : std::string("the date must be a calendar date, YYYYMMDD");
      });
  mergeCommand
      ->add_option("--adjust", merge.adjustments,
                   "One spin step of DELTA on a total: FIELD=DELTA, FIELD one of taxableSales, "
                   "exemptSales, salesVat, inputsVat, assetInputsVat")
      ->allow_extra_args(false)
      ->take_all();
  mergeCommand->add_flag("--strict", merge.strict,
                         "Write nothing when the file would carry a finding the reception "
                         "refuses or an invoice counted twice");
  mergeCommand->add_option("FILE", merge.files, "PCN874 files, in load order")->required();

  InspectOptions inspect;
  CLI::App* inspectCommand =
      app.add_subcommand("inspect", "Load each FILE alone and show what it declares and holds.");
  inspectCommand->add_flag("--json", inspect.json, "Print a JSON array");
  inspectCommand->add_option("FILE", inspect.files, "PCN874 files")->required();

  CheckOptions check;
  CLI::App* checkCommand = app.add_subcommand(
      "check", "Load FILEs together and tell what the tax authority will refuse or question.");
  checkCommand->add_flag("--json", check.json, "Print one JSON object");
  checkCommand->add_option("FILE", check.files, "PCN874 files, in load order")->required();

  try {
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return FlushedOutput(code == 0 ? kExitDone : kExitUsage);
  }
  if (mergeCommand->parsed()) {
    merge.numberGiven = mergeCommand->count("--number") > 0;
    return FlushedOutput(RunMerge(merge));
  }
  if (checkCommand->parsed()) return FlushedOutput(RunCheck(check));
  return FlushedOutput(RunInspect(inspect));
}
