// Writing the merged file. It is built under a temporary name in the output directory and
// takes its final name only once complete, so a failure never leaves a truncated file
// under the final name and never destroys an existing one.
#include "merge/merged_writer.h"

#include <array>
#include <optional>

#include "merge/block_writer.h"
#include "merge/dealer_number.h"
#include "merge/totals_check.h"
#include "platform/platform.h"
#include "report/line_reader.h"
#include "app/message_box.h"
#include "app/messages.h"
#include "report/record_format.h"

namespace pcn {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The name of the first value that does not fit its field in the records to write.
std::optional<const char*> FieldThatDoesNotFit(const FileEntry& c, OutputKind kind,
                                               std::int64_t fileCount) {
  if (kind == OutputKind::kRepresentative) {
    if (!CountFits(fileCount)) return text::kFieldRecordCount;
    if (!CountFits(c.salesRecordCount + c.inputRecordCount)) return text::kFieldRecordCount;
    return std::nullopt;
  }
  const struct {
    Amount value;
    int width;
    const char* name;
  } amounts[] = {
      {c.taxableSales, kWideAmount, text::kFieldTaxableSales},
      {c.salesVat, kNarrowAmount, text::kFieldSalesVat},
      {c.exemptSales, kWideAmount, text::kFieldExemptSales},
      {c.inputsVat, kNarrowAmount, text::kFieldInputsVat},
      {c.assetInputsVat, kNarrowAmount, text::kFieldAssetInputsVat},
      {c.vatPayable, kWideAmount, text::kFieldVatPayable},
  };
  for (const auto& amount : amounts) {
    if (!SignedAmountFits(amount.value, amount.width)) return amount.name;
  }
  if (!CountFits(c.salesRecordCount)) return text::kFieldSalesRecordCount;
  if (!CountFits(c.inputRecordCount)) return text::kFieldInputRecordCount;
  return std::nullopt;
}

// Copies one source line into the output, or drops it when the union form leaves out
// opening and closing records.
class LineCopier : public LinePieceSink {
 public:
  LineCopier(BlockWriter& out, bool dropOpeningAndClosing)
      : out_(out), dropOpeningAndClosing_(dropOpeningAndClosing) {}

  void StartLine() {
    first_ = true;
    dropped_ = false;
  }
  void Piece(std::string_view bytes) override {
    if (first_) {
      first_ = false;
      dropped_ = dropOpeningAndClosing_ && (bytes.front() == 'O' || bytes.front() == 'X');
    }
    if (!dropped_) out_.Append(bytes);
  }
  void EndLine() {
    if (!dropped_) out_.Append(kLineEnd);
  }

 private:
  BlockWriter& out_;
  bool dropOpeningAndClosing_;
  bool first_ = true;
  bool dropped_ = false;
};

// The first bytes of lines that cannot go out in a run as they stand: in the union form
// the opening and closing records, which are dropped.
constexpr std::array<bool, 256> FirstBytesOutsideRuns(bool dropOpeningAndClosing) {
  std::array<bool, 256> excluded{};
  excluded['O'] = dropOpeningAndClosing;
  excluded['X'] = dropOpeningAndClosing;
  return excluded;
}

// The output file while it is being written: the temporary file, and the existing file of
// the final name held so that no other program takes it meanwhile.
struct Output {
  std::string finalPath;
  std::string temporaryPath;
  platform::File temporary;
  platform::File existing;

  void Discard() {
    temporary.Close();
    existing.Close();
    if (!temporaryPath.empty()) platform::DeleteFilePath(temporaryPath);
    temporaryPath.clear();
  }
};

bool OpenOutput(const std::string& directory, const std::string& fileName, Output& output) {
  output.finalPath = directory + platform::kPathSeparator + fileName;
  if (platform::PathExists(output.finalPath)) {
    // An existing file must be one this program may replace: not held open elsewhere,
    // writable, an ordinary file.
    output.existing = platform::OpenExistingForWriting(output.finalPath);
    if (!output.existing.IsOpen()) return false;
  }
  output.temporary = platform::CreateTemporaryFile(directory, fileName, output.temporaryPath);
  if (!output.temporary.IsOpen()) {
    output.existing.Close();
    return false;
  }
  return true;
}

// Closes the complete file and gives it its final name. The data reaches the device first:
// otherwise a crash soon after the rename could leave an empty file under the final name.
bool CommitOutput(Output& output) {
  if (!output.temporary.Flush() || !output.temporary.Close()) return false;
  output.existing.Close();  // the rename replaces it; Windows refuses while it is open
  if (!platform::RenameReplacing(output.temporaryPath, output.finalPath)) return false;
  output.temporaryPath.clear();
  return true;
}

}  // namespace

GenerateResult GenerateMergedFile(Dialog& dialog, const FileTable& table,
                                  const std::string& today) {
  GenerateResult result;
  const int n = dialog.FileCount();
  if (n < 2 || n > table.FileCount()) {
    ShowStop(dialog, text::kTooFewFiles);
    return result;
  }
  const OutputKind kind =
      dialog.RepresentativeChecked() ? OutputKind::kRepresentative : OutputKind::kDealersUnion;

  // Nine characters is all the records hold; a longer number is refused, never cut.
  const std::string number = NormaliseDealerNumber(dialog.Text(ControlId::kNumber));
  if (number.size() != 9 || DealerNumberCheck(number) != 0) {
    ShowStop(dialog, text::kInvalidNumber);
    return result;
  }
  if (CheckMergedTotals(dialog, table) != 0) return result;

  const FileEntry& c = table.Combined();
  if (const auto field = FieldThatDoesNotFit(c, kind, n)) {
    ShowStop(dialog, std::string(text::kValueTooWidePrefix) + *field + text::kValueTooWideSuffix);
    return result;
  }

  const std::string month(TrimBlanks(dialog.Text(ControlId::kReportMonth)));
  const std::string directory = dialog.OutputDirectory();
  const std::string fileName = "Pcn874-" + month + ".txt";
  const std::string finalPath = directory + platform::kPathSeparator + fileName;
  // Writing over one of the sources would destroy it before it is read.
  for (int i = 1; i <= n; ++i) {
    const std::string& source = table.slots[static_cast<std::size_t>(i)].path;
    if (source == finalPath || platform::IsSameFile(source, finalPath)) {
      ShowStop(dialog, std::string(text::kOutputIsSource) + source + text::kChooseAnotherDirectory);
      return result;
    }
  }

  Output output;
  if (!OpenOutput(directory, fileName, output)) {
    ShowStop(dialog, text::kCannotOpenOutput);
    return result;
  }
  BlockWriter out(output.temporary);

  std::string first;
  std::string last;
  if (kind == OutputKind::kDealersUnion) {
    OpeningRecordValues values;
    values.number = number;
    values.month = month;
    values.headerCode = c.headerCode;
    values.date = today;
    values.taxableSales = c.taxableSales;
    values.salesVat = c.salesVat;
    values.salesRecordCount = c.salesRecordCount;
    values.exemptSales = c.exemptSales;
    values.inputsVat = c.inputsVat;
    values.assetInputsVat = c.assetInputsVat;
    values.inputRecordCount = c.inputRecordCount;
    values.vatPayable = c.vatPayable;
    first = OpeningRecordText(values);
    last = ClosingRecordText(number);
  } else {
    first = RepresentativeHeaderText(number, month);
    last = RepresentativeTrailerText(n, c.salesRecordCount + c.inputRecordCount);
  }

  // The first record goes out at once, so that a failure to write it is told as such.
  out.Append(first);
  out.Append(kLineEnd);
  if (!out.Flush()) {
    output.Discard();
    ShowStop(dialog, text::kWriteFailed);
    return result;
  }

  LineCopier copier(out, kind == OutputKind::kDealersUnion);
  const std::array<bool, 256> runExcluded =
      FirstBytesOutsideRuns(kind == OutputKind::kDealersUnion);
  for (int i = 1; i <= n; ++i) {
    const std::string& path = table.slots[static_cast<std::size_t>(i)].path;
    dialog.SelectFileAndRedraw(i - 1);
    platform::File source = platform::OpenForReading(path);
    if (!source.IsOpen()) {
      output.Discard();
      ShowStop(dialog, std::string(text::kSourceOpenFailed) + path + text::kGenerationStopped);
      return result;
    }
    LineReader reader(source);
    for (;;) {
      // Most lines go out unchanged, whole runs of them at a time; the others one by one.
      if (const std::string_view run = reader.NextRun(runExcluded); !run.empty()) {
        if (!out.Append(run)) {
          source.Close();
          output.Discard();
          ShowStop(dialog, std::string(text::kCopyWriteFailed) + path + text::kGenerationStopped);
          return result;
        }
        continue;
      }
      copier.StartLine();
      const LineReader::Status status = reader.Next(&copier);
      if (status == LineReader::Status::kEnd) break;
      if (status == LineReader::Status::kError) {
        source.Close();
        output.Discard();
        ShowStop(dialog, std::string(text::kSourceReadFailed) + path + text::kGenerationStopped);
        return result;
      }
      copier.EndLine();
      if (out.Failed()) {
        source.Close();
        output.Discard();
        ShowStop(dialog, std::string(text::kCopyWriteFailed) + path + text::kGenerationStopped);
        return result;
      }
    }
    // A file's last lines go out before the next file is opened, so that a failing write
    // is told with the file whose lines it held, not as a failure of the last record.
    if (!out.Flush()) {
      source.Close();
      output.Discard();
      ShowStop(dialog, std::string(text::kCopyWriteFailed) + path + text::kGenerationStopped);
      return result;
    }
    source.Close();
  }

  out.Append(last);
  out.Append(kLineEnd);
  if (!out.Flush() || !CommitOutput(output)) {
    output.Discard();
    ShowStop(dialog, text::kWriteFailed);
    return result;
  }
  ShowStop(dialog, text::kGenerated);
  result.written = true;
  result.path = output.finalPath;
  return result;
}

}  // namespace pcn
