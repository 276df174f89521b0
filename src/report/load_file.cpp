// Reading and validating one source file. A file is taken whole or not at all: the entry
// is only handed out once the file has been read to its end.
#include "report/load_file.h"

#include <array>

#include "platform/platform.h"
#include "report/line_reader.h"
#include "report/record_format.h"

namespace pcn {
namespace {

// A text held in a fixed-width field: cut or padded with blanks.
std::string Fixed(std::string_view text, std::size_t width) {
  std::string fixed(text.substr(0, width));
  fixed.resize(width, ' ');
  return fixed;
}

void ReadOpeningRecord(std::string_view line, FileEntry& entry) {
  const OpeningColumns& o = kOpening;
  entry.dealerNumber = Fixed(FieldText(line, o.dealerNumber), 9);
  entry.reportMonth = Fixed(OpeningRecordMonth(line), 8);
  entry.headerCode = Fixed(FieldText(line, o.headerCode), 1);
  entry.taxableSales = FieldValue(line, o.taxableSales);
  entry.salesVat = FieldValue(line, o.salesVat);
  entry.exemptSales = FieldValue(line, o.exemptSales);
  entry.inputsVat = FieldValue(line, o.inputsVat);
  entry.assetInputsVat = FieldValue(line, o.assetInputsVat);
  entry.vatPayable = FieldValue(line, o.vatPayable);
}

}  // namespace

LoadRefusal EntryBuilder::TakeCarefully(std::string_view line, RecordKind kind) {
  FileEntry& entry = entry_;
  switch (kind) {
    case RecordKind::kOpening:
      if (checkMonth_ && OpeningRecordMonth(line) != month_) return LoadRefusal::kMonthDiffers;
      ReadOpeningRecord(line, entry);
      ++accepted_;
      break;
    case RecordKind::kClosing:
      if (FieldText(line, kClosingDealerNumber) != entry.dealerNumber) {
        return LoadRefusal::kClosingDealerDiffers;
      }
      ++accepted_;
      break;
    case RecordKind::kTransaction: {
      const DetailAmounts amounts = ReadDetailAmounts(line, true);
      entry.salesRecordVat = AddAmounts(entry.salesRecordVat, amounts.vat);
      entry.salesRecordAmount = AddAmounts(entry.salesRecordAmount, amounts.amount);
      ++entry.salesRecordCount;
      break;
    }
    case RecordKind::kInput:
      entry.inputRecordVat = AddAmounts(entry.inputRecordVat, ReadDetailAmounts(line, false).vat);
      ++entry.inputRecordCount;
      break;
    case RecordKind::kOther:
      break;
  }
  return LoadRefusal::kNone;
}

LoadResult LoadSourceFile(const std::string& path, bool checkMonth, std::string_view month) {
  platform::File file = platform::OpenForReading(path);
  if (!file.IsOpen() || file.Size() == 0) return Refused(LoadRefusal::kCannotOpen, 0);

  const platform::FileIdentity identity = file.Identity();
  EntryBuilder builder(checkMonth, month);
  LoadRefusal refusal = LoadRefusal::kNone;
  const auto take = [&builder, &refusal](std::string_view line) {
    refusal = builder.Take(line);
    return refusal == LoadRefusal::kNone;
  };
  static constexpr std::array<bool, 256> kEveryLine{};
  LineReader reader(file);
  for (;;) {
    // Lines whole in the buffer are taken in runs, the others one by one.
    if (!reader.NextRun(kEveryLine, take).empty()) {
      if (refusal != LoadRefusal::kNone) return Refused(refusal, reader.LineNumber());
      continue;
    }
    const LineReader::Status status = reader.Next();
    if (status == LineReader::Status::kEnd) break;
    if (status == LineReader::Status::kError) {
      return Refused(LoadRefusal::kReadFailed, reader.LineNumber() + 1);
    }
    if (!take(reader.Head())) return Refused(refusal, reader.LineNumber());
  }
  // Everything was read; a failing close of a file opened for reading loses nothing.
  file.Close();
  if (builder.Finish() != LoadRefusal::kNone) return Refused(builder.Finish(), reader.LineNumber());
  LoadResult result;
  result.entry = std::move(builder.Entry());
  result.entry.path = path;
  result.entry.identity = identity;
  return result;
}

LoadResult LoadReportFor(const FileTable& table, const std::string& path) {
  if (FindLoaded(table, path) > 0) return Refused(LoadRefusal::kAlreadyLoaded, 0);
  const bool checkMonth = table.FileCount() > 0;
  return LoadSourceFile(path, checkMonth, checkMonth ? LoadedMonth(table) : std::string());
}

}  // namespace pcn
