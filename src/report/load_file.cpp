// Reading and validating one source file, and the Add-file operation around it. A file is
// taken whole or not at all: nothing changes until it has been read to its end.
#include "report/load_file.h"

#include "platform/platform.h"
#include "report/line_reader.h"
#include "app/message_box.h"
#include "app/messages.h"
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
  entry.dealerNumber = Fixed(FieldText(line, 2, 9), 9);
  entry.reportMonth = Fixed(OpeningRecordMonth(line), 8);
  entry.headerCode = Fixed(FieldText(line, 17, 1), 1);
  entry.taxableSales = FieldValue(line, 26, 12);
  entry.salesVat = FieldValue(line, 38, 10);
  entry.exemptSales = FieldValue(line, 79, 12);
  entry.inputsVat = FieldValue(line, 91, 10);
  entry.assetInputsVat = FieldValue(line, 101, 10);
  entry.vatPayable = FieldValue(line, 120, 12);
}

LoadResult Refused(LoadRefusal refusal, std::int64_t line) {
  LoadResult result;
  result.refusal = refusal;
  result.line = line;
  return result;
}

}  // namespace

LoadResult LoadSourceFile(const std::string& path, bool checkMonth, std::string_view month) {
  platform::File file = platform::OpenForReading(path);
  if (!file.IsOpen() || file.Size() == 0) return Refused(LoadRefusal::kCannotOpen, 0);

  LoadResult result;
  FileEntry& entry = result.entry;
  int accepted = 0;  // opening records, and closing records whose dealer number matched
  LineReader reader(file);
  for (;;) {
    const LineReader::Status status = reader.Next();
    if (status == LineReader::Status::kEnd) break;
    if (status == LineReader::Status::kError) {
      return Refused(LoadRefusal::kReadFailed, reader.LineNumber() + 1);
    }
    const std::string_view line = reader.Head();
    switch (KindOfRecord(line)) {
      case RecordKind::kOpening:
        if (checkMonth && OpeningRecordMonth(line) != month) {
          return Refused(LoadRefusal::kMonthDiffers, reader.LineNumber());
        }
        ReadOpeningRecord(line, entry);
        ++accepted;
        break;
      case RecordKind::kClosing:
        if (FieldText(line, 2, 9) != entry.dealerNumber) {
          return Refused(LoadRefusal::kClosingDealerDiffers, reader.LineNumber());
        }
        ++accepted;
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
  }
  // Everything was read; a failing close of a file opened for reading loses nothing.
  file.Close();
  if (accepted < 2) return Refused(LoadRefusal::kTooFewRecords, reader.LineNumber());
  entry.path = path;
  return result;
}

const char* LoadRefusalMessage(LoadRefusal refusal) {
  switch (refusal) {
    case LoadRefusal::kNone: return "";
    case LoadRefusal::kCannotOpen: return text::kCannotOpen;
    case LoadRefusal::kReadFailed: return text::kCorruptFile;
    case LoadRefusal::kMonthDiffers: return text::kMonthDiffers;
    case LoadRefusal::kClosingDealerDiffers: return text::kClosingDealerDiffers;
    case LoadRefusal::kTooFewRecords: return text::kCorruptFile;
  }
  return "";
}

const char* LoadRefusalReason(LoadRefusal refusal) {
  switch (refusal) {
    case LoadRefusal::kNone: return "accepted";
    case LoadRefusal::kCannotOpen: return "the file cannot be opened, or it is empty";
    case LoadRefusal::kReadFailed: return "a line could not be read";
    case LoadRefusal::kMonthDiffers:
      return "the opening record's month differs from the loaded files' month";
    case LoadRefusal::kClosingDealerDiffers:
      return "the closing record's dealer number differs from the opening record's";
    case LoadRefusal::kTooFewRecords:
      return "fewer than two opening or closing records (no records)";
  }
  return "";
}

AddOutcome AddFile(Dialog& dialog, FileTable& table) {
  const int n = dialog.FileCount();
  std::string name;
  std::uint32_t flags = kFileMustExist;
  const bool chosen =
      AskOpenFile(dialog, text::kOpenFileTitle, name, "", text::kTextFilesFilter, "", flags);
  if (!chosen || name.empty()) name = text::kFallbackFileName;
  if (name.empty() || !platform::IsOrdinaryFile(name)) {
    dialog.Beep();
    return AddOutcome::kNothingChosen;
  }
  for (int slot = 1; slot <= n && slot <= table.FileCount(); ++slot) {
    if (table.slots[static_cast<std::size_t>(slot)].path == name) {
      ShowStop(dialog, text::kAlreadyLoaded);
      return AddOutcome::kRefused;
    }
  }
  const std::string month(TrimBlanks(dialog.Text(ControlId::kReportMonth)));
  LoadResult loaded = LoadSourceFile(name, n > 0, month);
  if (loaded.refusal != LoadRefusal::kNone) {
    ShowStop(dialog, LoadRefusalMessage(loaded.refusal));
    return AddOutcome::kRefused;
  }
  const std::string dealer = loaded.entry.dealerNumber;
  AddEntry(table, std::move(loaded.entry));
  dialog.SetFileCount(n + 1);
  if (dialog.FindDealerExact(dealer) < 0) {
    dialog.AddDealer(dealer);
    dialog.SelectFirstDealer();
  }
  dialog.SetText(ControlId::kNumber, dialog.DealerText());
  ShowTotals(dialog, table);
  return AddOutcome::kAdded;
}

}  // namespace pcn
