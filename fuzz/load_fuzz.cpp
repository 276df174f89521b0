// Fuzzes loading: any bytes as a source file. The loader must not crash, must refuse or
// accept exactly as the reference reading of the acceptance rules does, and an accepted
// file must carry the counts and sums of its lines. Two accepted entries in a table must
// add up in the combined entry and come out again when one is removed.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "reference.h"
#include "report/file_table.h"
#include "report/load_file.h"
#include "scratch.h"

namespace {

using pcn::LoadRefusal;
using namespace pcn::fuzz;

struct RefEntry {
  LoadRefusal refusal = LoadRefusal::kNone;
  // Empty until an opening record is read; a closing record before it must match nine NULs.
  std::string dealer;
  std::string month;
  std::string code;
  bool opened = false;
  std::int64_t declared[6] = {};  // taxable, exempt, sales VAT, inputs VAT, asset VAT, payable
  std::int64_t sales = 0, inputs = 0;
  std::int64_t salesAmount = 0, salesVat = 0, inputVat = 0;
};

std::string Padded(std::string_view text, std::size_t width) {
  std::string padded(text.substr(0, width));
  padded.resize(width, ' ');
  return padded;
}

std::string MonthOf(std::string_view line) {
  return std::string(RefField(line, 15, 2)) + "-" + std::string(RefField(line, 11, 4));
}

RefEntry RefLoad(std::string_view data, bool checkMonth, const std::string& month) {
  RefEntry e;
  if (data.empty()) {
    e.refusal = LoadRefusal::kCannotOpen;
    return e;
  }
  int accepted = 0;
  for (std::string_view line : RefLines(data)) {
    const char type = line.empty() ? '\0' : line[0];
    if (type == 'O') {
      if (checkMonth && MonthOf(line) != month) {
        e.refusal = LoadRefusal::kMonthDiffers;
        return e;
      }
      e.opened = true;
      e.dealer = Padded(RefField(line, 2, 9), 9);
      e.month = Padded(MonthOf(line), 8);
      e.code = Padded(RefField(line, 17, 1), 1);
      const int columns[6][2] = {{26, 12}, {79, 12}, {38, 10}, {91, 10}, {101, 10}, {120, 12}};
      for (int i = 0; i < 6; ++i) e.declared[i] = RefFieldValue(line, columns[i][0], columns[i][1]);
      ++accepted;
    } else if (type == 'X') {
      if (RefField(line, 2, 9) != (e.opened ? e.dealer : std::string(9, '\0'))) {
        e.refusal = LoadRefusal::kClosingDealerDiffers;
        return e;
      }
      ++accepted;
    } else if (std::string_view("SLMYI").find(type) != std::string_view::npos && type != 0) {
      const bool minus = RefField(line, 41, 1) == "-";
      const std::int64_t vat = RefFieldValue(line, 32, 9);
      const std::int64_t amount = RefFieldValue(line, 42, 10);
      e.salesVat = SaturatingAdd(e.salesVat, minus ? Clamp(-static_cast<Int128>(vat)) : vat);
      e.salesAmount =
          SaturatingAdd(e.salesAmount, minus ? Clamp(-static_cast<Int128>(amount)) : amount);
      ++e.sales;
    } else if (std::string_view("TCKRPH").find(type) != std::string_view::npos && type != 0) {
      const std::int64_t vat = RefFieldValue(line, 32, 9);
      const bool minus = RefField(line, 41, 1) == "-";
      e.inputVat = SaturatingAdd(e.inputVat, minus ? Clamp(-static_cast<Int128>(vat)) : vat);
      ++e.inputs;
    }
  }
  if (accepted < 2) e.refusal = LoadRefusal::kTooFewRecords;
  return e;
}

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "load: %s\n", what);
  std::abort();
}

void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

void CompareEntry(const pcn::LoadResult& got, const RefEntry& want, const std::string& path) {
  Check(got.refusal == want.refusal, "refusal differs from the reference");
  if (want.refusal != LoadRefusal::kNone) return;
  const pcn::FileEntry& e = got.entry;
  Check(e.path == path, "path");
  Check(e.dealerNumber == want.dealer, "dealerNumber");
  Check(e.reportMonth == want.month, "reportMonth");
  Check(e.headerCode == want.code, "headerCode");
  const std::int64_t declared[6] = {e.taxableSales, e.exemptSales,    e.salesVat,
                                    e.inputsVat,    e.assetInputsVat, e.vatPayable};
  for (int i = 0; i < 6; ++i) Check(declared[i] == want.declared[i], "a declared amount");
  Check(e.salesRecordCount == want.sales, "salesRecordCount is not the number of lines");
  Check(e.inputRecordCount == want.inputs, "inputRecordCount is not the number of lines");
  Check(e.salesRecordAmount == want.salesAmount, "salesRecordAmount");
  Check(e.salesRecordVat == want.salesVat, "salesRecordVat");
  Check(e.inputRecordVat == want.inputVat, "inputRecordVat");
}

// The combined entry of a table holding `a` and `b`, checked against exact sums where no
// sum left the amount range (saturation makes the order matter beyond it).
void CheckCombined(const pcn::FileEntry& a, const pcn::FileEntry& b) {
  pcn::FileTable table;
  pcn::AddEntry(table, a);
  pcn::AddEntry(table, b);
  const pcn::FileEntry& c = table.Combined();
  Check(table.FileCount() == 2, "file count");
  Check(c.reportMonth == b.reportMonth && c.headerCode == b.headerCode, "month or code");
  const std::int64_t pairs[][3] = {
      {c.taxableSales, a.taxableSales, b.taxableSales},
      {c.exemptSales, a.exemptSales, b.exemptSales},
      {c.salesVat, a.salesVat, b.salesVat},
      {c.inputsVat, a.inputsVat, b.inputsVat},
      {c.assetInputsVat, a.assetInputsVat, b.assetInputsVat},
      {c.salesRecordCount, a.salesRecordCount, b.salesRecordCount},
      {c.inputRecordCount, a.inputRecordCount, b.inputRecordCount},
      {c.salesRecordAmount, a.salesRecordAmount, b.salesRecordAmount},
      {c.salesRecordVat, a.salesRecordVat, b.salesRecordVat},
      {c.inputRecordVat, a.inputRecordVat, b.inputRecordVat},
  };
  bool exact = true;
  for (const auto& p : pairs) {
    const Int128 sum = static_cast<Int128>(p[1]) + p[2];
    exact = exact && sum == Clamp(sum);
    Check(p[0] == Clamp(sum), "combined entry is not the sum of the entries");
  }
  // Saturating at each subtraction, as all amount arithmetic does.
  const std::int64_t payable = Clamp(
      static_cast<Int128>(Clamp(static_cast<Int128>(c.salesVat) - c.inputsVat)) - c.assetInputsVat);
  Check(c.vatPayable == payable, "combined vatPayable");
  if (!exact) return;
  pcn::DeleteEntry(table, 1);
  Check(table.FileCount() == 1 && table.File(1).path == b.path, "removal took the wrong slot");
  Check(c.taxableSales == b.taxableSales && c.exemptSales == b.exemptSales &&
            c.salesVat == b.salesVat && c.inputsVat == b.inputsVat &&
            c.assetInputsVat == b.assetInputsVat && c.salesRecordCount == b.salesRecordCount &&
            c.inputRecordCount == b.inputRecordCount &&
            c.salesRecordAmount == b.salesRecordAmount && c.salesRecordVat == b.salesRecordVat &&
            c.inputRecordVat == b.inputRecordVat,
        "removing an entry does not give back the other");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string path = ScratchDirectory() + "/source.txt";
  WriteBytes(path, bytes);

  const pcn::LoadResult first = pcn::LoadSourceFile(path, false, "");
  const RefEntry want = RefLoad(bytes, false, "");
  CompareEntry(first, want, path);

  // The same bytes as a later file, against its own month (which passes the check) or a
  // fixed one, as the input's length picks. Without an opening record the check never runs.
  if (want.month != std::string(8, '\0')) {
    const std::string month = size % 2 == 0 ? want.month.substr(0, 7) : "03-2024";
    const pcn::LoadResult later = pcn::LoadSourceFile(path, true, month);
    CompareEntry(later, RefLoad(bytes, true, month), path);
  }

  if (first.refusal == LoadRefusal::kNone) {
    pcn::FileEntry other = first.entry;
    other.path += ".2";
    CheckCombined(first.entry, other);
  }
  return 0;
}
