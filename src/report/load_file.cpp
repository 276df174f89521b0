// Reading and validating one source file. A file is taken whole or not at all: the entry
// is only handed out once the file has been read to its end.
#include "report/load_file.h"

#include "format/line_reader.h"
#include "format/record_format.h"
#include "platform/platform.h"

namespace pcn {
namespace {

constexpr std::string_view kNoDealerNumber("\0\0\0\0\0\0\0\0\0", 9);

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

LoadRefusal EntryBuilder::Take(std::string_view line) {
  FileEntry& entry = entry_;
  switch (KindOfRecord(line)) {
    case RecordKind::kOpening:
      if (checkMonth_ && OpeningRecordMonth(line) != month_) {
        found_ = OpeningRecordMonth(line);
        expected_ = month_;
        return LoadRefusal::kMonthDiffers;
      }
      ReadOpeningRecord(line, entry);
      opened_ = true;
      ++accepted_;
      break;
    case RecordKind::kClosing:
      // Before any opening record the number is a new entry's zero-filled field: nine NUL
      // bytes, which no ordinary closing record carries.
      if (FieldText(line, kClosingDealerNumber) !=
          (opened_ ? std::string_view(entry.dealerNumber) : kNoDealerNumber)) {
        found_ = FieldText(line, kClosingDealerNumber);
        expected_ = opened_ ? entry.dealerNumber : std::string();
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

namespace {

LoadResult ReadLines(LineReader& reader, EntryBuilder& builder, SourceParts parts) {
  for (;;) {
    const LineReader::Status status = reader.Next(parts.copier);
    if (status == LineReader::Status::kEnd) {
      if (!reader.ReadRest(parts.copier))
        return Refused(LoadRefusal::kReadFailed, reader.LineNumber() + 1);
      break;
    }
    if (status == LineReader::Status::kError) {
      return Refused(LoadRefusal::kReadFailed, reader.LineNumber() + 1);
    }
    if (const LoadRefusal refusal = builder.Take(reader.Head()); refusal != LoadRefusal::kNone) {
      LoadResult refused = Refused(refusal, reader.LineNumber());
      refused.found = builder.Found();
      refused.expected = builder.Expected();
      return refused;
    }
    if (parts.checker != nullptr) {
      parts.checker->Line(reader.Head(), reader.Length(), reader.LineNumber());
    }
  }
  if (const LoadRefusal refusal = builder.Finish(); refusal != LoadRefusal::kNone) {
    return Refused(refusal, reader.LineNumber());
  }
  LoadResult result;
  result.entry = std::move(builder.Entry());
  return result;
}

}  // namespace

LoadResult ReadSource(platform::File& file, EntryBuilder& builder, SourceParts parts) {
  ContentHash hash;
  LineReader reader(file, LineReader::kBlockSize, &hash);
  LoadResult result = ReadLines(reader, builder, parts);
  // The copier may hold lines in the reader's buffer, which goes with the reader.
  if (parts.copier != nullptr) parts.copier->Done();
  result.entry.size = hash.Size();
  result.entry.contentHash = hash.Value();
  return result;
}

namespace {

LoadResult LoadOpenFile(platform::File& file, const std::string& path, bool checkMonth,
                        std::string_view month, SourceParts parts) {
  if (!file.IsOpen() || file.Size() == 0) return Refused(LoadRefusal::kCannotOpen, 0);
  EntryBuilder builder(checkMonth, month);
  LoadResult result = ReadSource(file, builder, parts);
  if (result.refusal != LoadRefusal::kNone) return result;
  result.entry.path = path;
  result.entry.identity = file.Identity();
  // Everything was read; a failing close of a file opened for reading loses nothing.
  file.Close();
  return result;
}

}  // namespace

LoadResult LoadSourceFile(const std::string& path, bool checkMonth, std::string_view month) {
  platform::File file = platform::OpenForReading(path);
  return LoadOpenFile(file, path, checkMonth, month, {});
}

LoadResult LoadReportFor(const FileTable& table, const std::string& path, SourceParts parts) {
  if (FindLoaded(table, path) > 0) return Refused(LoadRefusal::kAlreadyLoaded, 0);
  const bool checkMonth = table.FileCount() > 0;
  platform::File file = platform::OpenForReading(path);
  LoadResult result =
      LoadOpenFile(file, path, checkMonth, checkMonth ? LoadedMonth(table) : std::string(), parts);
  if (result.refusal != LoadRefusal::kNone) return result;
  // The same report under another name would count twice.
  if (const int slot = FindCopy(table, path, result.entry.size, result.entry.contentHash);
      slot > 0) {
    LoadResult copy = Refused(LoadRefusal::kAlreadyLoaded, 0);
    copy.samePath = table.File(slot).path;
    return copy;
  }
  return result;
}

}  // namespace pcn
