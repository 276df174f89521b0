// The merged file's checks, name and records.
#include "merge/merged_file.h"

#include "check/rules.h"
#include "format/dealer_number.h"
#include "format/record_format.h"
#include "platform/platform.h"

namespace pcn {

WriteResult Failed(WriteFailure failure, std::string path) {
  WriteResult result;
  result.failure = failure;
  result.path = std::move(path);
  return result;
}

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
  // Digits and a month of 01-12 only: the month goes into the merged file's name.
  if (LastDayOfMonth(LoadedMonth(table)) == 0) {
    return Failed(WriteFailure::kMonthNotReal, table.File(1).path);
  }
  // Nine characters is all the records hold; a longer number is refused, never cut.
  number = NormaliseDealerNumber(typedNumber);
  if (number.size() != 9 || DealerNumberCheck(number) != 0) {
    WriteResult result = Failed(WriteFailure::kInvalidNumber);
    result.number = typedNumber;
    return result;
  }
  const FileEntry& c = table.Combined();
  if (const auto failing = FirstFailingPair(c)) {
    WriteResult result = Failed(WriteFailure::kTotalsDiffer);
    result.totals = *failing;
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
    return Failed(WriteFailure::kOutputIsSource, table.File(slot).path);
  }
  return WriteResult();
}

std::string MergedFilePath(const FileTable& table, const std::string& directory) {
  return directory + platform::kPathSeparator + MergedFileName(LoadedMonth(table));
}

}  // namespace pcn
