// What a merged PCN874 file is made of, as a dealers' union file or a representative's
// file: the checks before writing, its name, and its first and last records. MergeRun
// writes it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "report/file_table.h"
#include "totals/five_percent_rule.h"

namespace pcn {

enum class OutputKind { kDealersUnion, kRepresentative };

// The merged records' fields that a value can be too wide for.
enum class RecordField {
  kTaxableSales,
  kSalesVat,
  kExemptSales,
  kInputsVat,
  kAssetInputsVat,
  kVatPayable,
  kSalesRecordCount,
  kInputRecordCount,
  kRecordCount,  // the representative trailer's counts
};

enum class WriteFailure {
  kNone,
  kTooFewFiles,       // fewer than two files loaded
  kMonthNotReal,      // the loaded month (of the file `path`) is no real MM-YYYY
  kInvalidNumber,     // `number`: not nine digits after normalising, or a wrong check digit
  kTotalsDiffer,      // the 5% rule: `totals`
  kValueTooWide,      // `field` does not fit its column
  kOutputIsSource,    // the merged file would replace the loaded file `path`
  kCannotOpenOutput,  // the directory cannot take the file, or a file there cannot be replaced
  kWriteFailed,       // writing the first or the last record, or committing the file
  kSourceOpenFailed,  // the source `path` cannot be opened again
  kSourceReadFailed,  // reading the source `path` failed
  kCopyWriteFailed,   // writing the lines of the source `path` failed
  kSourceChanged,     // the source `path` no longer holds what was loaded from it
};

struct WriteResult {
  WriteFailure failure = WriteFailure::kNone;
  std::string path;    // the merged file when written; the source a failure names
  PairCheck totals;    // the first pair that fails, with its figures
  std::string number;  // the number refused, as typed
  RecordField field = RecordField::kTaxableSales;
  // For a failure of the output: the folder and the system's reason, as far as known.
  std::string directory;
  std::string systemReason;

  bool Written() const { return failure == WriteFailure::kNone; }
};

// A failure, naming the file `path` where it has one.
WriteResult Failed(WriteFailure failure, std::string path = {});

// "Pcn874-" + month + ".txt".
std::string MergedFileName(std::string_view month);

// The first and last record of the merged file, without line ends.
struct FirstAndLast {
  std::string first;
  std::string last;
};
// `number` is already normalised, `month` MM-YYYY, `date` YYYYMMDD.
FirstAndLast MergedRecords(const FileEntry& combined, OutputKind kind, std::string_view number,
                           std::string_view month, std::string_view date, std::int64_t fileCount);
// The first value that does not fit its field in the records of `kind`.
std::optional<RecordField> FieldThatDoesNotFit(const FileEntry& combined, OutputKind kind,
                                               std::int64_t fileCount);

// The merged file's path for the files of `table`: `directory`, the separator, and the
// name from the loaded files' month.
std::string MergedFilePath(const FileTable& table, const std::string& directory);

// Generate's checks before anything is written, in Generate's order: at least two files,
// a real month (it names the file), the number, the 5% rule, every value fits its field, the merged
// file is none of the sources. Nothing failed when all pass, with the normalised number in
// `number`.
WriteResult CheckBeforeWriting(const FileTable& table, OutputKind kind,
                               std::string_view typedNumber, const std::string& directory,
                               std::string& number);

}  // namespace pcn
