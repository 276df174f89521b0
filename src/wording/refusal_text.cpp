// Refusals and failures to the texts of text/messages.h, the fields named as the window's
// captions name them (text/captions.h).
#include "wording/refusal_text.h"

#include "platform/path_parts.h"
#include "text/captions.h"
#include "text/messages.h"

namespace pcn {
namespace {

const char* FieldName(RecordField field) {
  switch (field) {
    case RecordField::kTaxableSales:
      return text::kFieldTaxableSales;
    case RecordField::kSalesVat:
      return text::kFieldSalesVat;
    case RecordField::kExemptSales:
      return text::kFieldExemptSales;
    case RecordField::kInputsVat:
      return text::kFieldInputsVat;
    case RecordField::kAssetInputsVat:
      return text::kFieldAssetInputsVat;
    case RecordField::kVatPayable:
      return text::kFieldVatPayable;
    case RecordField::kSalesRecordCount:
      return text::kFieldSalesRecordCount;
    case RecordField::kInputRecordCount:
      return text::kFieldInputRecordCount;
    case RecordField::kRecordCount:
      return text::kFieldRecordCount;
  }
  return "";
}

// The folder, and what the system said of it, on a second line. Appended piece by piece:
// GCC 12 warns falsely at -O3 on a chain of string additions.
std::string CannotOpenOutput(const WriteResult& r) {
  std::string message = text::kCannotOpenOutput;
  if (r.directory.empty()) return message;
  message += '\r';
  message += r.directory;
  if (!r.systemReason.empty()) {
    message += " (";
    message += r.systemReason;
    message += ')';
  }
  return message;
}

}  // namespace

std::string MessageFor(LoadRefusal refusal) {
  switch (refusal) {
    case LoadRefusal::kNone:
      return "";
    case LoadRefusal::kAlreadyLoaded:
      return text::kAlreadyLoaded;
    case LoadRefusal::kCannotOpen:
      return text::kCannotOpen;
    case LoadRefusal::kReadFailed:
      return text::kCorruptFile;
    case LoadRefusal::kMonthDiffers:
      return text::kMonthDiffers;
    case LoadRefusal::kClosingDealerDiffers:
      return text::kClosingDealerDiffers;
    case LoadRefusal::kTooFewRecords:
      return text::kCorruptFile;
  }
  return "";
}

std::string MessageFor(const LoadResult& loaded, std::string_view path) {
  std::string message = MessageFor(loaded.refusal);
  message += '\r';
  message += platform::FileNameOf(path);
  if (!loaded.samePath.empty()) {
    message += text::kCopyOf;
    message += platform::FileNameOf(loaded.samePath);
  }
  return message;
}

std::string MessageFor(TotalsPair pair) {
  switch (pair) {
    case TotalsPair::kIncome:
      return text::kIncomeDiffers;
    case TotalsPair::kSalesVat:
      return text::kSalesVatDiffers;
    case TotalsPair::kInputsVat:
      return text::kInputsVatDiffers;
  }
  return "";
}

std::string MessageFor(const WriteResult& r) {
  const std::string stopped = text::kGenerationStopped;
  switch (r.failure) {
    case WriteFailure::kNone:
      return text::kGenerated;
    case WriteFailure::kTooFewFiles:
      return text::kTooFewFiles;
    case WriteFailure::kMonthNotReal:
      return text::kMonthNotReal + std::string("\r") + std::string(platform::FileNameOf(r.path));
    case WriteFailure::kInvalidNumber:
      return text::kInvalidNumber;
    case WriteFailure::kTotalsDiffer:
      return MessageFor(r.pair);
    case WriteFailure::kValueTooWide:
      return text::kValueTooWidePrefix + std::string(FieldName(r.field)) +
             text::kValueTooWideSuffix;
    case WriteFailure::kOutputIsSource:
      return text::kOutputIsSource + r.path + text::kChooseAnotherDirectory;
    case WriteFailure::kCannotOpenOutput:
      return CannotOpenOutput(r);
    case WriteFailure::kWriteFailed:
      return text::kWriteFailed;
    case WriteFailure::kSourceOpenFailed:
      return text::kSourceOpenFailed + r.path + stopped;
    case WriteFailure::kSourceReadFailed:
      return text::kSourceReadFailed + r.path + stopped;
    // The path follows the text directly, with no separator, as the message always had it.
    case WriteFailure::kCopyWriteFailed:
      return text::kCopyWriteFailed + r.path + stopped;
    case WriteFailure::kSourceChanged:
      return text::kSourceChanged + std::string("\r") + std::string(platform::FileNameOf(r.path));
  }
  return "";
}

}  // namespace pcn
