// `pcn874 merge`: the window's Add-file for each file in turn, the spin steps asked for,
// then Generate, all over an in-memory dialog.
#include <charconv>
#include <iostream>

#include "cli/commands.h"
#include "cli/console.h"
#include "merge/merged_writer.h"
#include "merge/totals_check.h"
#include "app/headless_dialog.h"
#include "platform/platform.h"
#include "report/file_table.h"
#include "report/load_file.h"

namespace pcn::cli {
namespace {

struct Adjustment {
  ControlId spin;
  std::int64_t delta;
};

bool ParseAdjustment(const std::string& text, Adjustment& adjustment) {
  static const struct {
    const char* name;
    ControlId spin;
  } kFields[] = {
      {"taxableSales", ControlId::kSpinTaxableSales},
      {"exemptSales", ControlId::kSpinExemptSales},
      {"salesVat", ControlId::kSpinSalesVat},
      {"inputsVat", ControlId::kSpinInputsVat},
      {"assetInputsVat", ControlId::kSpinAssetInputsVat},
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
      adjustment.spin = field.spin;
      return true;
    }
  }
  return false;
}

// The message the last operation showed, printed as the reason for refusing.
int Refuse(const HeadlessDialog& dialog) {
  if (!dialog.messages.empty()) PrintMessage(std::cerr, dialog.messages.back().text);
  return kExitRefused;
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
  for (const std::string& file : options.files) {
    if (file.empty()) {
      std::cerr << "pcn874 merge: an empty file name was given\n";
      return kExitUsage;
    }
  }

  FileTable table;
  HeadlessDialog dialog(
      [&table](int row, int column) { return FileListCellText(table, row, column); });
  dialog.SetOutputDirectory(options.outputDirectory.empty() ? platform::CurrentDirectory()
                                                            : options.outputDirectory);
  dialog.SetRepresentative(options.representative);

  for (const std::string& file : options.files) {
    dialog.QueueOpenFile({true, file});
    switch (AddFile(dialog, table)) {
      case AddOutcome::kAdded:
        break;
      case AddOutcome::kNothingChosen:
        std::cerr << "pcn874 merge: no such file, or not an ordinary file: " << file << '\n';
        return kExitRefused;
      case AddOutcome::kRefused:
        return Refuse(dialog);
    }
  }

  if (options.numberGiven) dialog.SetText(ControlId::kNumber, options.number);
  for (const Adjustment& adjustment : adjustments) {
    const std::size_t shown = dialog.messages.size();
    AdjustMergedTotal(dialog, table, adjustment.spin, adjustment.delta);
    if (dialog.messages.size() > shown) return Refuse(dialog);
  }

  const std::string today = options.date.empty() ? platform::LocalDateText() : options.date;
  const GenerateResult result = GenerateMergedFile(dialog, table, today);
  if (!result.written) return Refuse(dialog);
  std::cout << result.path << '\n';
  return kExitDone;
}

}  // namespace pcn::cli
