// pcn874: merges PCN874 files of one month from the command line, with the same rules as
// the window program, and shows what a file holds.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "CLI/CLI.hpp"
#include "check/rules.h"
#include "cli/commands.h"
#include "format/joined.h"
#include "pcn_version.h"
#include "platform/console.h"
#include "text/command_line.h"
#include "text/messages.h"

namespace {

using namespace pcn::cli;

// The command's exit code, unless its output did not all reach standard output (a full disk,
// a closed pipe): a script must not take a cut listing or a lost path for a whole one.
int FlushedOutput(int code) {
  // When a write failed already (an option's text is flushed at once), its reason is the
  // last error the system told.
  if (std::cout && !std::ferror(stdout)) errno = 0;
  std::cout.flush();
  if (std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout)) return code;
  const int reason = errno != 0 ? errno : EIO;
  std::cerr << "pcn874: "
            << pcn::Filled(pcn::text::cli::kCannotWriteOutput, {std::strerror(reason)}) << '\n';
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

// "unknown WHAT 'word'", and the words it may have been meant for; exit 1.
int Unknown(const std::string& prefix, const char* what, const std::string& word,
            const std::vector<std::string>& meant) {
  namespace t = pcn::text::cli;
  std::cerr << prefix << ": " << pcn::Filled(t::kUnknown, {what, word});
  for (std::size_t i = 0; i < meant.size(); ++i) {
    std::cerr << pcn::Filled(i == 0 ? t::kDidYouMean : t::kOrMeant, {meant[i]});
  }
  if (!meant.empty()) std::cerr << '?';
  std::cerr << t::kHelpLists << '\n';
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

// The options `word` may have been meant for: the long options that a short one's letters
// begin ("-o" for "--out"), else the nearest by edits.
std::vector<std::string> MeantOptions(const std::string& word,
                                      const std::vector<std::string>& names) {
  std::vector<std::string> meant;
  if (word.size() > 1 && word[0] == '-' && word[1] != '-') {
    for (const std::string& name : names) {
      if (name.rfind("--" + word.substr(1), 0) == 0) meant.push_back(name);
    }
  }
  if (meant.empty()) {
    if (std::string nearest = Nearest(word, names); !nearest.empty()) meant.push_back(nearest);
  }
  return meant;
}

// The tool's commands and their options, parsed into the options of each.
struct Commands {
  CLI::App app{pcn::text::cli::kToolHelp};
  MergeOptions merge;
  CheckOptions check;
  InspectOptions inspect;
  CLI::App* mergeCommand = nullptr;
  CLI::App* checkCommand = nullptr;
  CLI::App* inspectCommand = nullptr;
};

void DefineMerge(Commands& c) {
  MergeOptions& merge = c.merge;
  namespace t = pcn::text::cli;
  CLI::App* command = c.app.add_subcommand("merge", t::kMergeHelp);
  command->add_flag("--representative", merge.representative, t::kRepresentativeHelp);
  command->add_option("--number", merge.number, t::kNumberHelp);
  command->add_option("--out", merge.outputDirectory, t::kOutHelp);
  command->add_option("--date", merge.date, t::kDateHelp)->check([](const std::string& text) {
    return pcn::CalendarDate(text) != 0 ? std::string() : std::string(t::kDateNotReal);
  });
  command->add_option("--adjust", merge.adjustments, t::kAdjustHelp)
      ->allow_extra_args(false)
      ->take_all();
  command->add_flag("--strict", merge.strict, t::kStrictHelp);
  command->add_option("--record", merge.record, t::kRecordHelp);
  command->add_option("FILE", merge.files, t::kFilesInOrderHelp)->required();
  c.mergeCommand = command;
}

void DefineInspect(Commands& c) {
  namespace t = pcn::text::cli;
  CLI::App* command = c.app.add_subcommand("inspect", t::kInspectHelp);
  command->add_flag("--json", c.inspect.json, t::kInspectJsonHelp);
  command->add_option("FILE", c.inspect.files, t::kFilesHelp)->required();
  c.inspectCommand = command;
}

void DefineCheck(Commands& c) {
  namespace t = pcn::text::cli;
  CLI::App* command = c.app.add_subcommand("check", t::kCheckHelp);
  command->add_flag("--json", c.check.json, t::kCheckJsonHelp);
  command->add_option("FILE", c.check.files, t::kFilesInOrderHelp)->required();
  c.checkCommand = command;
}

void DefineCommands(Commands& c) {
  c.app.name("pcn874");
  c.app.set_version_flag("--version,-V", "pcn874 " PCN_VERSION);
  c.app.require_subcommand(1);
  // "/path" is a file name, not an option, on every platform.
  c.app.allow_windows_style_options(false);
  DefineMerge(c);
  DefineInspect(c);
  DefineCheck(c);
  // An error in a command's options is named with the command, as the tool's own are.
  c.app.failure_message([&c](const CLI::App* app, const CLI::Error& error) {
    std::string message = "pcn874";
    for (const CLI::App* command : {c.mergeCommand, c.checkCommand, c.inspectCommand}) {
      if (!command->parsed()) continue;
      message += ' ';
      message += command->get_name();
    }
    message += ": ";
    message += CLI::FailureMessage::simple(app, error);
    return message;
  });
}

// A word where the command goes: "help" shows the help, any other unknown word is named
// with the nearest command. The exit code when the word ends the run.
std::optional<int> CommandWord(Commands& c, const std::vector<std::string>& arguments) {
  const std::vector<std::string> commands = {"merge", "check", "inspect"};
  if (arguments.size() < 2 || arguments[1].empty() || arguments[1][0] == '-' ||
      std::find(commands.begin(), commands.end(), arguments[1]) != commands.end()) {
    return std::nullopt;
  }
  if (arguments[1] == "help") {
    std::cout << c.app.help();
    return FlushedOutput(kExitDone);
  }
  const std::string nearest = Nearest(arguments[1], commands);
  return Unknown("pcn874", "command", arguments[1],
                 nearest.empty() ? std::vector<std::string>() : std::vector{nearest});
}

// The arguments into the commands' options; the exit code when parsing ends the run (an
// error, --help, --version).
std::optional<int> Parse(Commands& c, const std::vector<std::string>& arguments) {
  try {
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    c.app.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ExtrasError& error) {
    // An option the command does not know: named, with the nearest one it does.
    for (CLI::App* command : {c.mergeCommand, c.checkCommand, c.inspectCommand}) {
      if (!command->parsed()) continue;
      for (const std::string& extra : command->remaining()) {
        if (extra.size() > 1 && extra[0] == '-') {
          const std::string word = extra.substr(0, extra.find('='));
          return Unknown("pcn874 " + command->get_name(), "option", word,
                         MeantOptions(word, OptionNames(*command)));
        }
      }
    }
    return FlushedOutput(c.app.exit(error) == 0 ? kExitDone : kExitUsage);
  } catch (const CLI::ParseError& error) {
    const int code = c.app.exit(error);
    return FlushedOutput(code == 0 ? kExitDone : kExitUsage);
  }
  return std::nullopt;
}

// The command parsed. Memory that runs out anywhere ends the command here, once the objects
// that held a temporary file have removed it on the way out: a message and exit 1, never an
// abort.
int Run(Commands& c) {
  try {
    if (c.mergeCommand->parsed()) {
      c.merge.numberGiven = c.mergeCommand->count("--number") > 0;
      return FlushedOutput(RunMerge(c.merge));
    }
    if (c.checkCommand->parsed()) return FlushedOutput(RunCheck(c.check));
    return FlushedOutput(RunInspect(c.inspect));
  } catch (const std::bad_alloc&) {
    std::cerr << "pcn874: " << pcn::text::kOutOfMemory.hebrew << " ("
              << pcn::text::kOutOfMemory.english << ")\n";
    return FlushedOutput(kExitNoMemory);
  }
}

}  // namespace

int main(int argc, char** argv) {
  pcn::platform::UseUtf8Console();
  const std::vector<std::string> arguments = pcn::platform::Utf8Arguments(argc, argv);
  Commands commands;
  DefineCommands(commands);
  if (const std::optional<int> ended = CommandWord(commands, arguments)) return *ended;
  if (const std::optional<int> ended = Parse(commands, arguments)) return *ended;
  return Run(commands);
}
