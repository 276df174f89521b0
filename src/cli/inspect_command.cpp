// `pcn874 inspect`: loads each file alone, as the first file of an empty window would be,
// and shows its entry and the 5% rule's three pairs, or where and why it was refused.
#include <iostream>

#include "cli/commands.h"
#include "cli/printing.h"
#include "format/cp1255.h"
#include "nlohmann/json.hpp"
#include "platform/platform.h"
#include "report/file_table.h"
#include "report/load_file.h"
#include "text/messages.h"
#include "totals/five_percent_rule.h"
#include "wording/refusal_text.h"

namespace pcn::cli {
namespace {

using nlohmann::ordered_json;

const char* PairName(TotalsPair pair) {
  switch (pair) {
    case TotalsPair::kIncome:
      return "income";
    case TotalsPair::kSalesVat:
      return "salesVat";
    case TotalsPair::kInputsVat:
      return "inputsVat";
  }
  return "";
}

constexpr TotalsPair kPairs[] = {TotalsPair::kIncome, TotalsPair::kSalesVat,
                                 TotalsPair::kInputsVat};

// Whole amounts as JSON integers, amounts with a fraction as decimals.
ordered_json AmountJson(Amount amount) {
  if (amount % kAmountScale == 0) return amount / kAmountScale;
  return static_cast<double>(amount) / static_cast<double>(kAmountScale);
}

struct Inspection {
  std::string path;
  bool missing = false;
  LoadResult loaded;
  FileTable table;  // the file alone, for the pairs
};

Inspection InspectFile(const std::string& path) {
  Inspection inspection;
  inspection.path = path;
  if (!platform::IsOrdinaryFile(path)) {
    inspection.missing = true;
    return inspection;
  }
  inspection.loaded = LoadSourceFile(path, false, "");
  if (inspection.loaded.refusal == LoadRefusal::kNone) {
    AddEntry(inspection.table, inspection.loaded.entry);
  }
  return inspection;
}

ordered_json ToJson(const Inspection& in) {
  ordered_json object;
  object["path"] = in.path;
  if (in.missing) {
    object["error"] = text::kNotAFile.hebrew;
    object["reason"] = "missing";
    return object;
  }
  if (in.loaded.refusal != LoadRefusal::kNone) {
    object["error"] = MessageFor(in.loaded.refusal);
    object["line"] = in.loaded.line;
    object["reason"] = ReasonFor(in.loaded.refusal);
    return object;
  }
  const FileEntry& e = in.loaded.entry;
  object["dealerNumber"] = Cp1255ToUtf8(e.dealerNumber);
  object["reportMonth"] = Cp1255ToUtf8(TrimBlanks(e.reportMonth));
  object["headerCode"] = Cp1255ToUtf8(e.headerCode);
  object["taxableSales"] = AmountJson(e.taxableSales);
  object["exemptSales"] = AmountJson(e.exemptSales);
  object["salesVat"] = AmountJson(e.salesVat);
  object["inputsVat"] = AmountJson(e.inputsVat);
  object["assetInputsVat"] = AmountJson(e.assetInputsVat);
  object["vatPayable"] = AmountJson(e.vatPayable);
  object["salesRecordCount"] = e.salesRecordCount;
  object["inputRecordCount"] = e.inputRecordCount;
  object["salesRecordAmount"] = AmountJson(e.salesRecordAmount);
  object["salesRecordVat"] = AmountJson(e.salesRecordVat);
  object["inputRecordVat"] = AmountJson(e.inputRecordVat);
  ordered_json pairs;
  for (TotalsPair pair : kPairs) {
    const PairCheck check = CheckPair(in.table.Combined(), pair);
    ordered_json p;
    p["declared"] = AmountJson(check.declared);
    p["summed"] = AmountJson(check.summed);
    p["p"] = check.p ? AmountJson(*check.p) : ordered_json(nullptr);
    p["pass"] = check.passes;
    pairs[PairName(pair)] = p;
  }
  object["pairs"] = pairs;
  return object;
}

void PrintText(std::ostream& out, const Inspection& in) {
  out << in.path << '\n';
  if (in.missing) {
    out << "  refused: " << text::kNotAFile.english << "\n  ";
    PrintMessage(out, text::kNotAFile.hebrew);
    return;
  }
  if (in.loaded.refusal != LoadRefusal::kNone) {
    out << "  refused";
    if (in.loaded.line > 0) out << " at line " << in.loaded.line;
    out << ": " << ReasonFor(in.loaded.refusal) << "\n  ";
    PrintMessage(out, MessageFor(in.loaded.refusal));
    return;
  }
  const FileEntry& e = in.loaded.entry;
  const struct {
    const char* name;
    Amount value;
  } amounts[] = {
      {"taxableSales", e.taxableSales},
      {"exemptSales", e.exemptSales},
      {"salesVat", e.salesVat},
      {"inputsVat", e.inputsVat},
      {"assetInputsVat", e.assetInputsVat},
      {"vatPayable", e.vatPayable},
      {"salesRecordAmount", e.salesRecordAmount},
      {"salesRecordVat", e.salesRecordVat},
      {"inputRecordVat", e.inputRecordVat},
  };
  out << "  dealerNumber       \"" << Cp1255ToUtf8(e.dealerNumber) << "\"\n";
  out << "  reportMonth        \"" << Cp1255ToUtf8(TrimBlanks(e.reportMonth)) << "\"\n";
  out << "  headerCode         \"" << Cp1255ToUtf8(e.headerCode) << "\"\n";
  for (const auto& amount : amounts) {
    out << "  " << amount.name << std::string(19 - std::string_view(amount.name).size(), ' ')
        << AmountDecimalText(amount.value) << '\n';
  }
  out << "  salesRecordCount   " << e.salesRecordCount << '\n';
  out << "  inputRecordCount   " << e.inputRecordCount << '\n';
  for (TotalsPair pair : kPairs) {
    const PairCheck check = CheckPair(in.table.Combined(), pair);
    out << "  5% " << PairName(pair) << ": declared " << AmountDecimalText(check.declared)
        << ", records " << AmountDecimalText(check.summed) << ", difference % "
        << (check.p ? AmountDecimalText(*check.p) : std::string("undefined")) << ": "
        << (check.passes ? "pass" : "FAIL") << '\n';
  }
}

}  // namespace

// Whether every pair of the 5% rule passes for the file alone.

int RunInspect(const InspectOptions& options) {
  bool allAccepted = true;
  bool allPass = true;
  ordered_json array = ordered_json::array();
  for (const std::string& path : options.files) {
    const Inspection inspection = InspectFile(path);
    const bool accepted = !inspection.missing && inspection.loaded.refusal == LoadRefusal::kNone;
    allAccepted = allAccepted && accepted;
    allPass = allPass && (!accepted || !FirstFailingPair(inspection.table.Combined()));
    if (options.json) {
      array.push_back(ToJson(inspection));
    } else {
      PrintText(std::cout, inspection);
    }
  }
  if (options.json) {
    std::cout << array.dump(2, ' ', false, ordered_json::error_handler_t::replace) << '\n';
  }
  if (!allAccepted) return kExitRefused;
  return allPass ? kExitDone : kExitFailsFivePercent;
}

}  // namespace pcn::cli
