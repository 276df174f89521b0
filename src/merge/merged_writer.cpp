// Writing the merged file: every check before anything is opened, then the first record,
// every source's lines and the last record into a temporary file that takes its final
// name once complete. Any failure drops the temporary file, in one place: MergedOutput.
#include "merge/merged_writer.h"

#include "merge/block_writer.h"
#include "merge/dealer_number.h"
#include "merge/line_copier.h"
#include "merge/merged_output.h"
#include "platform/platform.h"
#include "report/line_reader.h"
#include "report/record_format.h"

namespace pcn {
namespace {

// Copies the lines of the source `path`; kNone, or the failure that stopped it.
WriteFailure CopySource(const std::string& path, OutputKind kind, BlockWriter& out) {
  platform::File source = platform::OpenForReading(path);
  if (!source.IsOpen()) return WriteFailure::kSourceOpenFailed;
  const bool dropOpeningAndClosing = kind == OutputKind::kDealersUnion;
  LineCopier copier(out, dropOpeningAndClosing);
  const std::array<bool, 256> runExcluded = FirstBytesOutsideRuns(dropOpeningAndClosing);
  LineReader reader(source);
  for (;;) {
    // Most lines go out unchanged, whole runs of them at a time; the others one by one.
    if (const std::string_view run = reader.NextRun(runExcluded); !run.empty()) {
      if (!out.Append(run)) return WriteFailure::kCopyWriteFailed;
      continue;
    }
    copier.StartLine();
    const LineReader::Status status = reader.Next(&copier);
    if (status == LineReader::Status::kEnd) break;
    if (status == LineReader::Status::kError) return WriteFailure::kSourceReadFailed;
    copier.EndLine();
    if (out.Failed()) return WriteFailure::kCopyWriteFailed;
  }
  // A file's last lines go out before the next file is opened, so that a failing write
  // is told with the file whose lines it held, not as a failure of the last record.
  if (!out.Flush()) return WriteFailure::kCopyWriteFailed;
  // Read to its end: a failing close loses nothing.
  source.Close();
  return WriteFailure::kNone;
}

WriteResult Failed(WriteFailure failure, std::string path = {}) {
  WriteResult result;
  result.failure = failure;
  result.path = std::move(path);
  return result;
}

}  // namespace

std::string MergedFileName(std::string_view month) {
  std::string name = "Pcn874-";
  name += month;
  name += ".txt";
  return name;
}

std::optional<RecordField> FieldThatDoesNotFit(const FileEntry& c, OutputKind kind,
                                               std::int64_t fileCount) {
  if (kind == OutputKind::kRepresentative) {
    if (!CountFits(fileCount)) return RecordField::kRecordCount;
    if (!CountFits(c.salesRecordCount + c.inputRecordCount)) return RecordField::kRecordCount;
    return std::nullopt;
  }
  const OpeningColumns& o = kOpening;
  const struct {
    Amount value;
    int width;
    RecordField field;
  } amounts[] = {
      {c.taxableSales, o.taxableSales.width, RecordField::kTaxableSales},
      {c.salesVat, o.salesVat.width, RecordField::kSalesVat},
      {c.exemptSales, o.exemptSales.width, RecordField::kExemptSales},
      {c.inputsVat, o.inputsVat.width, RecordField::kInputsVat},
      {c.assetInputsVat, o.assetInputsVat.width, RecordField::kAssetInputsVat},
      {c.vatPayable, o.vatPayable.width, RecordField::kVatPayable},
  };
  for (const auto& amount : amounts) {
    if (!SignedAmountFits(amount.value, amount.width)) return amount.field;
  }
  if (!CountFits(c.salesRecordCount)) return RecordField::kSalesRecordCount;
  if (!CountFits(c.inputRecordCount)) return RecordField::kInputRecordCount;
  return std::nullopt;
}

FirstAndLast MergedRecords(const FileEntry& c, OutputKind kind, std::string_view number,
                           std::string_view month, std::string_view date, std::int64_t fileCount) {
  if (kind == OutputKind::kRepresentative) {
    return {RepresentativeHeaderText(number, month),
            RepresentativeTrailerText(fileCount, c.salesRecordCount + c.inputRecordCount)};
  }
  OpeningRecordValues values;
  values.number = number;
  values.month = month;
  values.headerCode = c.headerCode;
  values.date = date;
  values.taxableSales = c.taxableSales;
  values.salesVat = c.salesVat;
  values.salesRecordCount = c.salesRecordCount;
  values.exemptSales = c.exemptSales;
  values.inputsVat = c.inputsVat;
  values.assetInputsVat = c.assetInputsVat;
  values.inputRecordCount = c.inputRecordCount;
  values.vatPayable = c.vatPayable;
  return {OpeningRecordText(values), ClosingRecordText(number)};
}

WriteResult CheckBeforeWriting(const FileTable& table, OutputKind kind,
                               std::string_view typedNumber, const std::string& directory,
                               std::string& number) {
  const int n = table.FileCount();
  if (n < 2) return Failed(WriteFailure::kTooFewFiles);
  // Nine characters is all the records hold; a longer number is refused, never cut.
  number = NormaliseDealerNumber(typedNumber);
  if (number.size() != 9 || DealerNumberCheck(number) != 0) {
    return Failed(WriteFailure::kInvalidNumber);
  }
  const FileEntry& c = table.Combined();
  if (const auto pair = FirstFailingPair(c)) {
    WriteResult result = Failed(WriteFailure::kTotalsDiffer);
    result.pair = *pair;
    return result;
  }
  if (const auto field = FieldThatDoesNotFit(c, kind, n)) {
    WriteResult result = Failed(WriteFailure::kValueTooWide);
    result.field = *field;
    return result;
  }
  // Writing over one of the sources would destroy it before it is read.
  const std::string finalPath = MergedFilePath(table, directory);
  if (const int slot = FindLoaded(table, finalPath); slot > 0) {
    return Failed(WriteFailure::kOutputIsSource, table.slots[static_cast<std::size_t>(slot)].path);
  }
  return WriteResult();
}

std::string MergedFilePath(const FileTable& table, const std::string& directory) {
  return directory + platform::kPathSeparator + MergedFileName(LoadedMonth(table));
}

WriteResult WriteMergedFile(const FileTable& table, OutputKind kind, std::string_view typedNumber,
                            const std::string& directory, std::string_view date,
                            const SourceProgress& progress) {
  std::string number;
  if (WriteResult refused = CheckBeforeWriting(table, kind, typedNumber, directory, number);
      !refused.Written()) {
    return refused;
  }
  const int n = table.FileCount();
  const std::string month = LoadedMonth(table);
  MergedOutput output;
  if (!output.Open(directory, MergedFileName(month))) {
    return Failed(WriteFailure::kCannotOpenOutput);
  }
  BlockWriter out(output.File());
  const FirstAndLast records = MergedRecords(table.Combined(), kind, number, month, date, n);

  // The first record goes out at once, so that a failure to write it is told as such.
  out.Append(records.first);
  out.Append(kLineEnd);
  if (!out.Flush()) return Failed(WriteFailure::kWriteFailed);

  for (int i = 1; i <= n; ++i) {
    const std::string& path = table.slots[static_cast<std::size_t>(i)].path;
    if (progress) progress(i - 1);
    if (const WriteFailure failure = CopySource(path, kind, out); failure != WriteFailure::kNone) {
      return Failed(failure, path);
    }
  }

  out.Append(records.last);
  out.Append(kLineEnd);
  if (!out.Flush() || !output.Commit()) return Failed(WriteFailure::kWriteFailed);
  WriteResult result;
  result.path = output.FinalPath();
  return result;
}

}  // namespace pcn
