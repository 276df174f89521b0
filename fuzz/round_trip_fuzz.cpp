// Fuzzes the whole path from source files to a merged file. The input is split at 0xFF
// bytes into up to four files, which are added as the Add-file button adds them. With two
// or more accepted, both shapes are generated: the union file, loaded back, must carry the
// combined entry's totals and exactly the detail lines; the representative file must be the
// header, every line of every file, and the trailer. Every run shows exactly one message.
// The command line's merge of the accepted files is checked against the same reading.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/add_file.h"
#include "app/generate_command.h"
#include "app/show_totals.h"
#include "format/amount.h"
#include "format/record_format.h"
#include "merge/merge_run.h"
#include "merge/merged_file.h"
#include "reference.h"
#include "report/file_table.h"
#include "report/load_file.h"
#include "scratch.h"
#include "support/headless_dialog.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

namespace {

using namespace pcn::fuzz;

constexpr char kNumber[] = "123456782";  // passes the check digit
constexpr char kDate[] = "20240415";

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "round trip: %s\n", what);
  std::abort();
}

void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

// How many merged files were written and checked, told at exit: a run that never reaches
// the writer tests little.
long g_written[2];

void ReportWritten() {
  std::fprintf(stderr, "round trip: %ld union and %ld representative files written and checked\n",
               g_written[0], g_written[1]);
}

std::vector<std::string> FilesIn(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// Brings the declared totals to the detail sums, as enough spin-button steps would, so
// that the 5% rule lets most inputs through to the writer.
void AlignDeclaredTotals(pcn::FileEntry& c) {
  c.taxableSales = pcn::SubtractAmounts(c.salesRecordAmount, c.exemptSales);
  c.salesVat = c.salesRecordVat;
  c.inputsVat = pcn::SubtractAmounts(c.inputRecordVat, c.assetInputsVat);
  pcn::RecomputeVatPayable(c);
}

// Columns 11-16 of the first record: the last four and the first two characters of the
// month as the display holds it, trimmed of blanks, each padded to its width.
std::string YearAndMonth(const std::string& reportMonth) {
  std::string_view month = reportMonth;
  while (!month.empty() && month.front() == ' ') month.remove_prefix(1);
  while (!month.empty() && month.back() == ' ') month.remove_suffix(1);
  std::string year(month.size() > 4 ? month.substr(month.size() - 4) : month);
  year.resize(4, ' ');
  std::string mm(month.substr(0, 2));
  mm.resize(2, ' ');
  return year + mm;
}

std::int64_t Whole(std::int64_t amount) {
  return pcn::AmountFromWhole(pcn::RoundToWhole(amount));
}

void CheckUnionFile(const std::string& path, const pcn::FileTable& table,
                    const std::vector<std::string>& sources) {
  const pcn::FileEntry& c = table.Combined();
  const pcn::LoadResult merged = pcn::LoadSourceFile(path, false, "");
  Check(merged.refusal == pcn::LoadRefusal::kNone, "the merged union file does not load");
  const pcn::FileEntry& m = merged.entry;
  Check(m.dealerNumber == kNumber, "merged dealer number");
  Check(m.headerCode == c.headerCode, "merged report code");
  // Declared amounts are written in whole units.
  Check(m.taxableSales == Whole(c.taxableSales), "merged taxableSales");
  Check(m.exemptSales == Whole(c.exemptSales), "merged exemptSales");
  Check(m.salesVat == Whole(c.salesVat), "merged salesVat");
  Check(m.inputsVat == Whole(c.inputsVat), "merged inputsVat");
  Check(m.assetInputsVat == Whole(c.assetInputsVat), "merged assetInputsVat");
  Check(m.vatPayable == Whole(c.vatPayable), "merged vatPayable");
  Check(m.salesRecordCount == c.salesRecordCount, "merged salesRecordCount");
  Check(m.inputRecordCount == c.inputRecordCount, "merged inputRecordCount");

  // The body is every line of every file but opening and closing records, with CR LF.
  const std::string bytes = ReadBytes(path);
  const std::vector<std::string_view> lines = RefLines(bytes);
  Check(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n", "no final CR LF");
  std::vector<std::string_view> body;
  std::vector<std::string> sourceBytes;
  sourceBytes.reserve(sources.size());
  for (const std::string& source : sources) sourceBytes.push_back(ReadBytes(source));
  for (const std::string& source : sourceBytes) {
    for (std::string_view line : RefLines(source)) {
      if (!line.empty() && (line[0] == 'O' || line[0] == 'X')) continue;
      body.push_back(line);
    }
  }
  Check(lines.size() == body.size() + 2, "merged line count");
  Check(lines.front().size() == 131 && lines.back() == std::string("X") + kNumber,
        "first or last record");
  Check(lines.front().substr(10, 6) == YearAndMonth(c.reportMonth),
        "reporting month of the opening record");
  for (std::size_t i = 0; i < body.size(); ++i) {
    Check(lines[i + 1] == body[i], "a body line was not copied unchanged");
  }
  // The detail sums are those of the same lines read once more, in one run instead of one
  // per file. Saturation makes the grouping matter, so they must agree exactly only when no
  // sum, partial or whole, per file or over all, left the amount range.
  bool inRange = true;
  Int128 exact[3] = {};
  for (const std::string& source : sourceBytes) {
    Int128 perFile[3] = {};
    for (std::string_view line : RefLines(source)) {
      const char type = line.empty() ? '\0' : line[0];
      const bool sale =
          type != '\0' && std::string_view("SLMYI").find(type) != std::string_view::npos;
      const bool input =
          type != '\0' && std::string_view("TCKRPH").find(type) != std::string_view::npos;
      if (!sale && !input) continue;
      const bool minus = RefField(line, 41, 1) == "-";
      const Int128 vat = minus ? -static_cast<Int128>(RefFieldValue(line, 32, 9))
                               : static_cast<Int128>(RefFieldValue(line, 32, 9));
      const Int128 amount = minus ? -static_cast<Int128>(RefFieldValue(line, 42, 10))
                                  : static_cast<Int128>(RefFieldValue(line, 42, 10));
      const Int128 values[3] = {sale ? amount : 0, sale ? vat : 0, input ? vat : 0};
      for (int k = 0; k < 3; ++k) {
        perFile[k] += values[k];
        exact[k] += values[k];
        inRange = inRange && values[k] == Clamp(values[k]) && perFile[k] == Clamp(perFile[k]) &&
                  exact[k] == Clamp(exact[k]);
      }
    }
  }
  if (!inRange) return;
  Check(m.salesRecordAmount == exact[0] && c.salesRecordAmount == exact[0] &&
            m.salesRecordVat == exact[1] && c.salesRecordVat == exact[1] &&
            m.inputRecordVat == exact[2] && c.inputRecordVat == exact[2],
        "merged detail sums differ from the combined entry");
}

void CheckRepresentativeFile(const std::string& path, const pcn::FileTable& table,
                             const std::vector<std::string>& sources) {
  const pcn::FileEntry& c = table.Combined();
  const std::string bytes = ReadBytes(path);
  std::string want = std::string("A") + kNumber + YearAndMonth(c.reportMonth) + "\r\n";
  for (const std::string& source : sources) {
    const std::string sourceBytes = ReadBytes(source);
    for (std::string_view line : RefLines(sourceBytes)) {
      want.append(line);
      want += "\r\n";
    }
  }
  char trailer[32];
  std::snprintf(trailer, sizeof trailer, "Z%09d%09lld\r\n", table.FileCount(),
                static_cast<long long>(c.salesRecordCount + c.inputRecordCount));
  want += trailer;
  Check(bytes == want, "representative file is not header, every line, trailer");
}

// Generates one shape into an empty directory and checks the outcome: one message, and
// either a complete file under the final name or nothing at all.
// What a generation left: its one message, and the merged file's bytes when written.
struct Generated {
  bool written = false;
  std::string message;
  std::string bytes;
};

Generated GenerateAndCheck(pcn::HeadlessDialog& dialog, const pcn::FileTable& table,
                           const std::vector<std::string>& sources, bool representative) {
  const std::string out = ScratchDirectory() + "/out";
  std::filesystem::create_directory(out);
  EmptyDirectory(out);
  dialog.SetOutputDirectory(out);
  dialog.SetRepresentative(representative);
  dialog.messages.clear();
  const pcn::GenerateResult outcome = pcn::GenerateMergedFile(dialog, table, kDate);
  const pcn::WriteResult& result = outcome.write;
  Check(dialog.messages.size() == 1, "generation did not show exactly one message");
  std::vector<std::string> left = FilesIn(out);
  Generated generated{result.Written(), dialog.messages[0].text, ""};
  if (!result.Written()) {
    Check(!dialog.messages[0].text.starts_with(pcn::text::kGenerated),
          "success shown without a file");
    Check(left.empty(), "a refused generation left a file behind");
    return generated;
  }
  // With findings, their file beside the merged file, and a line about it after the success.
  Check(dialog.messages[0].text.starts_with(pcn::text::kGenerated), "success message");
  Check((outcome.findings > 0) == !outcome.findingsPath.empty(), "findings without their file");
  if (!outcome.findingsPath.empty()) {
    std::erase(left, std::filesystem::path(outcome.findingsPath).filename().string());
  }
  Check(left.size() == 1, "not exactly one merged file written");
  Check(out + "/" + left[0] == result.path, "the file is not under the reported name");
  ++g_written[representative ? 1 : 0];
  if (representative) {
    CheckRepresentativeFile(result.path, table, sources);
  } else {
    CheckUnionFile(result.path, table, sources);
  }
  generated.bytes = ReadBytes(result.path);
  return generated;
}

// The command line's merge of the accepted sources, the totals aligned as for the window,
// into an empty directory: written, it must be what the reference reading of the sources
// says; refused, it leaves nothing.
void CheckCommandLine(const std::vector<std::string>& sources, bool representative) {
  const std::string out = ScratchDirectory() + "/command-line";
  std::filesystem::create_directory(out);
  EmptyDirectory(out);
  pcn::WriteResult outcome;
  pcn::FileTable table;
  {
    // The merge goes, and with it a temporary file it did not complete, before the folder
    // is looked at.
    pcn::MergeRun merge(
        out, representative ? pcn::OutputKind::kRepresentative : pcn::OutputKind::kDealersUnion);
    for (const std::string& source : sources) {
      Check(merge.Add(source).refusal == pcn::LoadRefusal::kNone,
            "the command line refused a file the window took");
    }
    AlignDeclaredTotals(merge.Table().Combined());
    outcome = merge.Finish(merge.Table(), kNumber, kDate);
    table = merge.Table();
  }
  const std::vector<std::string> left = FilesIn(out);
  if (!outcome.Written()) {
    Check(left.empty(), "a refused command-line merge left a file behind");
    return;
  }
  Check(left.size() == 1 && out + "/" + left[0] == outcome.path, "command line: not one file");
  if (representative) {
    CheckRepresentativeFile(outcome.path, table, sources);
  } else {
    CheckUnionFile(outcome.path, table, sources);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::atexit(ReportWritten);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string in = ScratchDirectory() + "/in";
  std::filesystem::create_directory(in);
  EmptyDirectory(in);

  pcn::FileTable table;
  pcn::HeadlessDialog dialog;
  std::vector<std::string> accepted;
  std::size_t start = 0;
  for (int i = 0; i < 4 && start <= bytes.size(); ++i) {
    std::size_t end = bytes.find('\xff', start);
    if (end == std::string_view::npos) end = bytes.size();
    const std::string path = in + "/f" + std::to_string(i) + ".txt";
    WriteBytes(path, bytes.substr(start, end - start));
    start = end + 1;

    const int before = table.FileCount();
    dialog.messages.clear();
    dialog.QueueOpenFile({true, path});
    const pcn::AddOutcome outcome = pcn::AddFile(dialog, table);
    if (outcome == pcn::AddOutcome::kAdded) {
      Check(dialog.messages.empty() && table.FileCount() == before + 1, "added with a message");
      accepted.push_back(path);
    } else {
      Check(dialog.messages.size() == 1 && table.FileCount() == before,
            "a refusal must show one message and change nothing");
    }
  }
  if (table.FileCount() < 2) return 0;

  AlignDeclaredTotals(table.Combined());
  pcn::ShowTotals(dialog, table);
  dialog.SetText(pcn::ControlId::kNumber, kNumber);
  for (const bool representative : {false, true}) {
    GenerateAndCheck(dialog, table, accepted, representative);
    CheckCommandLine(accepted, representative);
  }
  return 0;
}
