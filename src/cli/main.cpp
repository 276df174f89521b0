// pcn874: merges PCN874 files of one month from the command line, with the same rules as
// the window program, and shows what a file holds.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>

#include "CLI/CLI.hpp"
#include "check/rules.h"
#include "cli/commands.h"
#include "pcn_version.h"
#include "platform/console.h"

namespace {

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

// The number of single-character edits between two words.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The known word nearest to `word`, when it is near enough to be what was meant.
std::string Nearest(const std::string& word, const std::vector<std::string>& known) {
  std::string best;
  std::size_t bestDistance = 3;  // more edits than this is another word
  for (const std::string& candidate : known) {
    const std::size_t distance = EditDistance(word, candidate);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

// "unknown WHAT 'word'", and the nearest known one when there is one; exit 1.
int Unknown(const std::string& prefix, const char* what, const std::string& word,
            const std::vector<std::string>& known) {
  std::cerr << prefix << ": unknown " << what << " '" << word << "'";
  const std::string nearest = Nearest(word, known);
  if (!nearest.empty()) std::cerr << "; did you mean '" << nearest << "'?";
  std::cerr << " (pcn874 --help lists them)\n";
  return 1;
}

// The long and short names of a command's options.
std::vector<std::string> OptionNames(const CLI::App& command) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
    for (const std::string& name : option->get_snames()) names.push_back("-" + name);
  }
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace pcn::cli;
  pcn::platform::UseUtf8Console();
  std::vector<std::string> arguments = pcn::platform::Utf8Arguments(argc, argv);

  CLI::App app{"Merges PCN874 detailed VAT report files of one month into one file."};
  app.name("pcn874");
  app.set_version_flag("--version,-V", "pcn874 " PCN_VERSION);
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
        return pcn::CalendarDate(text) != 0
                   ? std::string()
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
  mergeCommand->add_option("--record", merge.record,
                           "Also write a record of the merge, an HTML page for the client file, "
                           "with the SHA-256 of every file");
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

  // A word where the command goes: "help" shows the help, any other unknown word is named
  // with the nearest command.
  const std::vector<std::string> commands = {"merge", "check", "inspect"};
  if (arguments.size() > 1 && !arguments[1].empty() && arguments[1][0] != '-' &&
      std::find(commands.begin(), commands.end(), arguments[1]) == commands.end()) {
    if (arguments[1] == "help") {
      std::cout << app.help();
      return FlushedOutput(kExitDone);
    }
    return Unknown("pcn874", "command", arguments[1], commands);
  }

  try {
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ExtrasError& error) {
    // An option the command does not know: named, with the nearest one it does.
    for (CLI::App* command : {mergeCommand, checkCommand, inspectCommand}) {
      if (!command->parsed()) continue;
      for (const std::string& extra : command->remaining()) {
        if (extra.size() > 1 && extra[0] == '-') {
          const std::string word = extra.substr(0, extra.find('='));
          return Unknown("pcn874 " + command->get_name(), "option", word, OptionNames(*command));
        }
      }
    }
    return FlushedOutput(app.exit(error) == 0 ? kExitDone : kExitUsage);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return FlushedOutput(code == 0 ? kExitDone : kExitUsage);
  }
  // Memory that runs out anywhere ends the command here, once the objects that held a
  // temporary file have removed it on the way out: a message and exit 1, never an abort.
  try {
    if (mergeCommand->parsed()) {
      merge.numberGiven = mergeCommand->count("--number") > 0;
      return FlushedOutput(RunMerge(merge));
    }
    if (checkCommand->parsed()) return FlushedOutput(RunCheck(check));
    return FlushedOutput(RunInspect(inspect));
  } catch (const std::bad_alloc&) {
    std::cerr << "pcn874: out of memory; the command stopped, and a merged file not yet "
                 "complete was not written\n";
    return FlushedOutput(kExitNoMemory);
  }
}
