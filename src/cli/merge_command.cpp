// `pcn874 merge`: the files loaded in turn by the Add-file rules, the spin steps asked for,
// then the merged file written, all through the core's operations; a refusal is printed
// with the window's message. Each file is read once: checked and copied in one pass.
#include <algorithm>
#include <charconv>
#include <iostream>

#include "check/line_checks.h"
#include "check/rules.h"
#include "cli/commands.h"
#include "cli/printing.h"
#include "cli/record_command.h"
#include "merge/merge_run.h"
#include "merge/merged_file.h"
#include "platform/platform.h"
#include "report/file_table.h"
#include "report/load_file.h"
#include "text/messages.h"
#include "totals/adjustment.h"
#include "wording/refusal_text.h"

namespace pcn::cli {
namespace {

struct Adjustment {
  AdjustableTotal total;
  std::int64_t delta;
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
  for (const auto& field : kFields) {
    if (name == field.name) {
      adjustment.total = field.total;
      return true;
    }
  }
  return false;
}

int Refuse(const std::string& message) {
  std::cerr << "pcn874: ";
  PrintMessage(std::cerr, message);
  return kExitRefused;
}

// A refusal of Generate's checks or a failure to write, with the file or folder it names.
int RefuseWriting(const WriteResult& result) {
  std::string message;
  switch (result.failure) {
    case WriteFailure::kCannotOpenOutput:
      message = result.directory + ": " + text::kCannotOpenOutput;
      if (!result.systemReason.empty()) message += " (" + result.systemReason + ")";
      break;
    case WriteFailure::kMonthNotReal:
      // Appended: GCC 12 warns falsely at -O3 on a chain of string additions.
      message = result.path;
      message += ": ";
      message += text::kMonthNotReal;
      message +=
          " (its opening record's reporting month is no real month MM-YYYY; nothing "
          "was written)";
      break;
    default:
      message = MessageFor(result);
      break;
  }
  return Refuse(message);
}

}  // namespace

int RunMerge(const MergeOptions& options) {
  std::vector<Adjustment> adjustments;
  for (const std::string& text : options.adjustments) {
    Adjustment adjustment{};
    if (!ParseAdjustment(text, adjustment)) {
      std::cerr << "pcn874 merge: --adjust takes FIELD=DELTA with a whole DELTA, FIELD one of "
                   "taxableSales, exemptSales, salesVat, inputsVat, assetInputsVat: "
                << text << '\n';
      return kExitUsage;
    }
    adjustments.push_back(adjustment);
  }
  // A representative's file has no opening record of combined totals to move.
  if (!adjustments.empty() && options.representative) {
    std::cerr << "pcn874 merge: --adjust moves a total of a dealers' union file's opening "
                 "record; a representative's file (--representative) has none\n";
    return kExitUsage;
  }
  for (const std::string& file : options.files) {
    if (file.empty()) {
      std::cerr << "pcn874 merge: an empty file name was given\n";
      return kExitUsage;
    }
  }

  const OutputKind kind =
      options.representative ? OutputKind::kRepresentative : OutputKind::kDealersUnion;
  const std::string directory =
      options.outputDirectory.empty() ? platform::CurrentDirectory() : options.outputDirectory;
  const std::string today = options.date.empty() ? platform::LocalDateText() : options.date;

  // The temporary file goes with `merge` on every way out.
  MergeRun merge(directory, kind);
  FileTable& table = merge.Table();
  for (const std::string& file : options.files) {
    if (!platform::IsOrdinaryFile(file)) {
      std::cerr << "pcn874: " << file << ": no such file, or not an ordinary file\n";
      return kExitRefused;
    }
    if (const LoadResult loaded = merge.Add(file); loaded.refusal != LoadRefusal::kNone) {
      PrintRefusal(std::cerr, file, loaded);
      return kExitRefused;
    }
  }

  // The number defaults to the first file's dealer, as the window's number field does.
  const std::string number = options.numberGiven ? options.number : table.slots[1].dealerNumber;
  std::vector<RecordedAdjustment> made;  // for the record
  for (std::size_t i = 0; i < adjustments.size(); ++i) {
    const Adjustment& adjustment = adjustments[i];
    const FileEntry& combined = table.Combined();
    const AdjustmentResult step = AdjustTotal(
        combined, adjustment.total, ShownTotal(combined, adjustment.total), adjustment.delta);
    if (step.refused || !step.moved) {
      // Named as given, since several may be; appended: GCC 12 warns falsely at -O3.
      std::string message = "--adjust ";
      message += options.adjustments[i];
      message += ": ";
      message += step.refused ? MessageFor(*step.refused) +
                                    " (the combined totals would stray more than 5% from "
                                    "the records)"
                              : std::string("the total is 0, and a total of 0 is not moved");
      message += "; nothing was written";
      return Refuse(message);
    }
    made.push_back({adjustment.total, adjustment.delta, ShownTotal(combined, adjustment.total),
                    ShownTotal(step.combined, adjustment.total)});
    table.Combined() = step.combined;
  }

  // What the reception would refuse, or an invoice counted twice, is told before anything
  // is written; with --strict nothing is.
  const MergeRun::Findings findings = merge.MergedFindings(table);
  if (const auto held = merge.HoldingBack(findings, table, number);
      options.strict && !held.empty()) {
    for (const MergeRun::PlacedFinding* placed : held) {
      std::cerr << FindingText(placed->path, placed->finding) << '\n';
    }
    std::cerr << "pcn874 merge: --strict: " << held.size()
              << " finding(s) the reception refuses or that count an invoice twice; nothing "
                 "was written\n";
    return kExitRefused;
  }
  const WriteResult result = merge.Finish(table, number, today);
  if (!result.Written()) return RefuseWriting(result);
  for (const auto& placed : findings.listed) {
    std::cerr << FindingText(placed.path, placed.finding) << '\n';
  }
  if (findings.Unlisted() > 0) {
    std::cerr << "pcn874 merge: " << findings.Unlisted() << " more findings not listed (the first "
              << LineChecker::kListed << " format and deduction findings of each file are)\n";
  }
  std::cout << result.path << '\n';
  if (!options.record.empty()) {
    return WriteMergeRecord(options.record,
                            {table, kind, number, result.path, std::move(made), findings});
  }
  return kExitDone;
}

}  // namespace pcn::cli
