// `pcn874 merge`: the files loaded in turn by the Add-file rules, the spin steps asked for,
// then the merged file written, all through the core's operations; a refusal is printed
// with the window's message and an English reason. Each file is read once: checked and
// copied in one pass.
#include <charconv>
#include <iostream>

#include "check/line_checks.h"
#include "check/rules.h"
#include "cli/commands.h"
#include "cli/printing.h"
#include "cli/record_command.h"
#include "format/joined.h"
#include "merge/merge_run.h"
#include "merge/merged_file.h"
#include "platform/platform.h"
#include "report/file_table.h"
#include "report/load_file.h"
#include "text/command_line.h"
#include "text/messages.h"
#include "totals/adjustment.h"
#include "wording/refusal_text.h"

namespace pcn::cli {
namespace {

struct Adjustment {
  AdjustableTotal total;
  std::int64_t delta;
  std::string text;  // as given: several may be, and a refused one is named so
};

bool ParseAdjustment(const std::string& text, Adjustment& adjustment) {
  static const struct {
    const char* name;
    AdjustableTotal total;
  } kFields[] = {
      {"taxableSales", AdjustableTotal::kTaxableSales},
      {"exemptSales", AdjustableTotal::kExemptSales},
      {"salesVat", AdjustableTotal::kSalesVat},
      {"inputsVat", AdjustableTotal::kInputsVat},
      {"assetInputsVat", AdjustableTotal::kAssetInputsVat},
  };
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos) return false;
  const std::string name = text.substr(0, equals);
  const char* begin = text.data() + equals + 1;
  const char* end = text.data() + text.size();
  if (begin != end && *begin == '+') ++begin;
  const auto parsed = std::from_chars(begin, end, adjustment.delta);
  if (begin == end || parsed.ec != std::errc() || parsed.ptr != end) return false;
  adjustment.text = text;
  for (const auto& field : kFields) {
    if (name == field.name) {
      adjustment.total = field.total;
      return true;
    }
  }
  return false;
}

// The options that need no file read: each --adjust parsed into `adjustments`. kExitDone,
// or kExitUsage with the error told.
int ValidateOptions(const MergeOptions& options, std::vector<Adjustment>& adjustments) {
  for (const std::string& text : options.adjustments) {
    Adjustment adjustment{};
    if (!ParseAdjustment(text, adjustment)) {
      std::cerr << "pcn874 merge: " << Filled(text::cli::kAdjustForm, {text}) << '\n';
      return kExitUsage;
    }
    adjustments.push_back(adjustment);
  }
  // A representative's file has no opening record of combined totals to move.
  if (!adjustments.empty() && options.representative) {
    std::cerr << "pcn874 merge: " << text::cli::kAdjustRepresentative << '\n';
    return kExitUsage;
  }
  for (const std::string& file : options.files) {
    if (file.empty()) {
      std::cerr << "pcn874 merge: " << text::cli::kEmptyFileName << '\n';
      return kExitUsage;
    }
  }
  return kExitDone;
}

// Each file into `merge` by the Add-file rules, in order. kExitDone, or kExitRefused with
// the refusal told.
int LoadFiles(MergeRun& merge, const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    if (!platform::IsOrdinaryFile(file)) {
      PrintNotAFile(std::cerr, file);
      return kExitRefused;
    }
    if (const LoadResult loaded = merge.Add(file); loaded.refusal != LoadRefusal::kNone) {
      PrintRefusal(std::cerr, file, loaded);
      return kExitRefused;
    }
  }
  return kExitDone;
}

// Each adjustment as one spin step on the combined totals of `table`, each step made kept
// in `made` for the record. kExitDone, or kExitRefused with the step refused named.
int Adjust(FileTable& table, const std::vector<Adjustment>& adjustments,
           std::vector<RecordedAdjustment>& made) {
  for (const Adjustment& adjustment : adjustments) {
    const FileEntry& combined = table.Combined();
    const Amount before = ShownTotal(combined, adjustment.total);
    const AdjustmentResult step = AdjustTotal(combined, adjustment.total, before, adjustment.delta);
    if (step.refused || !step.moved) {
      const std::string why =
          step.refused
              ? Joined({MessageFor(step.refused->pair), " (", ReasonFor(*step.refused), ")"})
              : std::string(text::kZeroTotalNotMoved);
      const std::string message =
          Joined({"--adjust ", adjustment.text, ": ", why, text::cli::kNothingWritten});
      std::cerr << "pcn874: ";
      PrintMessage(std::cerr, message);
      return kExitRefused;
    }
    made.push_back(
        {adjustment.total, adjustment.delta, before, ShownTotal(step.combined, adjustment.total)});
    table.Combined() = step.combined;
  }
  return kExitDone;
}

// --strict: the findings that hold the merged file back, told. kExitDone when there are
// none, else kExitRefused.
int HoldBack(const MergeRun& merge, const MergeRun::Findings& findings, const FileTable& table,
             const std::string& number) {
  const std::vector<const MergeRun::PlacedFinding*> held =
      merge.HoldingBack(findings, table, number);
  if (held.empty()) return kExitDone;
  for (const MergeRun::PlacedFinding* placed : held) {
    std::cerr << FindingText(placed->path, placed->finding) << '\n';
  }
  std::cerr << "pcn874 merge: " << Filled(text::cli::kStrictHeldBack, {std::to_string(held.size())})
            << '\n';
  return kExitRefused;
}

// A refusal of Generate's checks or a failure to write, with the file or folder it names.
int RefuseWriting(const WriteResult& result) {
  std::string message;
  switch (result.failure) {
    case WriteFailure::kCannotOpenOutput:
      message = result.directory;
      message += ": ";
      message += text::kCannotOpenOutput.hebrew;
      break;
    case WriteFailure::kMonthNotReal:
      message = result.path;
      message += ": ";
      message += text::kMonthNotReal.hebrew;
      break;
    case WriteFailure::kTotalsDiffer:
      message = MessageFor(result.totals.pair);  // the figures are the reason's
      break;
    default:
      message = MessageFor(result);
      break;
  }
  PrintRefusal(std::cerr, message, ReasonFor(result));
  return kExitRefused;
}

// The merged file written: its findings on the error stream, its path on the standard
// output.
void Report(const MergeRun::Findings& findings, const WriteResult& result) {
  for (const auto& placed : findings.listed) {
    std::cerr << FindingText(placed.path, placed.finding) << '\n';
  }
  if (findings.Unlisted() > 0) {
    std::cerr << "pcn874 merge: "
              << Filled(text::cli::kUnlistedFindings,
                        {std::to_string(findings.Unlisted()), std::to_string(LineChecker::kListed)})
              << '\n';
  }
  std::cout << result.path << '\n';
}

}  // namespace

int RunMerge(const MergeOptions& options) {
  std::vector<Adjustment> adjustments;
  if (const int code = ValidateOptions(options, adjustments); code != kExitDone) return code;
  const OutputKind kind =
      options.representative ? OutputKind::kRepresentative : OutputKind::kDealersUnion;
  const std::string directory =
      options.outputDirectory.empty() ? platform::CurrentDirectory() : options.outputDirectory;
  const std::string today = options.date.empty() ? platform::LocalDateText() : options.date;

  // The temporary file goes with `merge` on every way out.
  MergeRun merge(directory, kind);
  if (const int code = LoadFiles(merge, options.files); code != kExitDone) return code;
  FileTable& table = merge.Table();
  // The number defaults to the first file's dealer, as the window's number field does.
  const std::string number = options.numberGiven ? options.number : table.File(1).dealerNumber;
  std::vector<RecordedAdjustment> made;  // for the record
  if (const int code = Adjust(table, adjustments, made); code != kExitDone) return code;

  // What the reception would refuse, or an invoice counted twice, is told before anything
  // is written; with --strict nothing is.
  const MergeRun::Findings findings = merge.MergedFindings(table);
  if (options.strict) {
    if (const int code = HoldBack(merge, findings, table, number); code != kExitDone) return code;
  }
  const WriteResult result = merge.Finish(table, number, today);
  if (!result.Written()) return RefuseWriting(result);
  Report(findings, result);
  if (options.record.empty()) return kExitDone;
  return WriteMergeRecord(options.record,
                          {table, kind, number, result.path, std::move(made), findings});
}

}  // namespace pcn::cli
