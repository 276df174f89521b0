// Refusals and failures to the texts of text/messages.h, the fields named as the window's
// captions name them (text/captions.h).
#include "wording/refusal_text.h"

#include <cstring>

#include "format/amount.h"
#include "format/cp1255.h"
#include "format/dealer_number.h"
#include "format/joined.h"
#include "platform/path_parts.h"
#include "text/captions.h"
#include "text/messages.h"

namespace pcn {
namespace {

// A figure inside a right-to-left line: a minus sign kept before its digits by a
// left-to-right mark (U+200E), which the bidirectional order would otherwise put after them.
std::string InHebrew(std::string figure) {
  if (!figure.empty() && figure[0] == '-') figure.insert(0, "\xE2\x80\x8E");
  return figure;
}

const text::Bilingual& RowOf(TotalsPair pair) {
  switch (pair) {
    case TotalsPair::kIncome:
      return text::kIncomeDiffers;
    case TotalsPair::kSalesVat:
      return text::kSalesVatDiffers;
    case TotalsPair::kInputsVat:
      return text::kInputsVatDiffers;
  }
  return text::kIncomeDiffers;
}

const text::Bilingual& RowOf(LoadRefusal refusal) {
  static constexpr text::Bilingual kNoRow = {"", "accepted"};
  switch (refusal) {
    case LoadRefusal::kNone:
      return kNoRow;
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
      return text::kTooFewRecords;
  }
  return kNoRow;
}

// The rows of the failures whose message is their row's text alone, or starts with it.
const text::Bilingual* RowOf(WriteFailure failure) {
  switch (failure) {
    case WriteFailure::kTooFewFiles:
      return &text::kTooFewFiles;
    case WriteFailure::kMonthNotReal:
      return &text::kMonthNotReal;
    case WriteFailure::kInvalidNumber:
      return &text::kInvalidNumber;
    case WriteFailure::kValueTooWide:
      return &text::kValueTooWide;
    case WriteFailure::kOutputIsSource:
      return &text::kOutputIsSource;
    case WriteFailure::kCannotOpenOutput:
      return &text::kCannotOpenOutput;
    case WriteFailure::kWriteFailed:
      return &text::kWriteFailed;
    case WriteFailure::kSourceOpenFailed:
      return &text::kSourceOpenFailed;
    case WriteFailure::kSourceReadFailed:
      return &text::kSourceReadFailed;
    case WriteFailure::kCopyWriteFailed:
      return &text::kCopyWriteFailed;
    case WriteFailure::kSourceChanged:
      return &text::kSourceChanged;
    case WriteFailure::kNone:
    case WriteFailure::kTotalsDiffer:
      break;
  }
  return nullptr;
}

// The field as the window's captions call it, and as --adjust and inspect name it.
struct FieldNames {
  const char* hebrew;
  const char* english;
};
FieldNames NamesOf(RecordField field) {
  switch (field) {
    case RecordField::kTaxableSales:
      return {text::kFieldTaxableSales, "taxableSales"};
    case RecordField::kSalesVat:
      return {text::kFieldSalesVat, "salesVat"};
    case RecordField::kExemptSales:
      return {text::kFieldExemptSales, "exemptSales"};
    case RecordField::kInputsVat:
      return {text::kFieldInputsVat, "inputsVat"};
    case RecordField::kAssetInputsVat:
      return {text::kFieldAssetInputsVat, "assetInputsVat"};
    case RecordField::kVatPayable:
      return {text::kFieldVatPayable, "vatPayable"};
    case RecordField::kSalesRecordCount:
      return {text::kFieldSalesRecordCount, "salesRecordCount"};
    case RecordField::kInputRecordCount:
      return {text::kFieldInputRecordCount, "inputRecordCount"};
    case RecordField::kRecordCount:
      return {text::kFieldRecordCount, "recordCount"};
  }
  return {"", ""};
}

// The folder, and what the system said of it, on a second line.
std::string CannotOpenOutput(const WriteResult& r) {
  std::string message = text::kCannotOpenOutput.hebrew;
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

// "the dealer number 19 (000000019) is not valid: its check digit is wrong".
std::string InvalidNumberReason(const std::string& typed) {
  const std::string number = NormaliseDealerNumber(typed);
  std::string shown = typed;
  if (number != typed) {
    shown += shown.empty() ? "(" : " (";
    shown += number;
    shown += ')';
  }
  const char* why = number.size() != 9      ? text::kNumberTooLong
                    : number == "000000000" ? text::kNumberIsZero
                                            : text::kNumberCheckDigit;
  return Filled(text::kInvalidNumber.english, {shown, why});
}

}  // namespace

std::string MessageFor(LoadRefusal refusal) {
  return RowOf(refusal).hebrew;
}

std::string MessageFor(const LoadResult& loaded, std::string_view path) {
  std::string message = MessageFor(loaded.refusal);
  message += '\r';
  message += platform::FileNameOf(path);
  if (!loaded.samePath.empty()) {
    message += text::kCopyOf.hebrew;
    message += platform::FileNameOf(loaded.samePath);
  }
  if (loaded.refusal == LoadRefusal::kMonthDiffers) {
    message += '\r';
    message += Filled(text::kMonthDiffersFigures.hebrew,
                      {Cp1255ToUtf8(loaded.found), Cp1255ToUtf8(loaded.expected)});
  }
  return message;
}

std::string MessageFor(TotalsPair pair) {
  return RowOf(pair).hebrew;
}

std::string MessageFor(const PairCheck& check) {
  std::string message = MessageFor(check.pair);
  message += '\r';
  const std::string declared = InHebrew(FormatDecimal(check.declared, 2));
  const std::string summed = InHebrew(FormatDecimal(check.summed, 2));
  message += check.p ? Filled(text::kPairFigures.hebrew,
                              {declared, summed, InHebrew(FormatDecimal(*check.p, 4))})
                     : Filled(text::kPairFiguresNoPercent.hebrew, {declared, summed});
  return message;
}

std::string MessageFor(const WriteResult& r) {
  std::string message;
  switch (r.failure) {
    case WriteFailure::kNone:
      message = text::kGenerated;
      if (!r.path.empty()) {
        message += '\r';
        message += r.path;
      }
      return message;
    case WriteFailure::kTotalsDiffer:
      return MessageFor(r.totals);
    case WriteFailure::kValueTooWide:
      return Filled(text::kValueTooWide.hebrew, {NamesOf(r.field).hebrew});
    case WriteFailure::kCannotOpenOutput:
      return CannotOpenOutput(r);
    case WriteFailure::kMonthNotReal:
    case WriteFailure::kSourceChanged:
      message = RowOf(r.failure)->hebrew;
      message += '\r';
      message += platform::FileNameOf(r.path);
      return message;
    case WriteFailure::kOutputIsSource:
      message = text::kOutputIsSource.hebrew;
      message += r.path;
      message += text::kChooseAnotherDirectory;
      return message;
    // The path follows the text directly, with no separator, as the message always had it.
    case WriteFailure::kSourceOpenFailed:
    case WriteFailure::kSourceReadFailed:
    case WriteFailure::kCopyWriteFailed:
      message = RowOf(r.failure)->hebrew;
      message += r.path;
      message += text::kGenerationStopped;
      return message;
    case WriteFailure::kTooFewFiles:
    case WriteFailure::kInvalidNumber:
    case WriteFailure::kWriteFailed:
      return RowOf(r.failure)->hebrew;
  }
  return message;
}

std::string MessageFor(const RecordResult& result, std::string_view shownPath) {
  std::string message = result.Done() ? text::kRecordSaved : text::kRecordNotSaved.hebrew;
  message += shownPath;
  // The page may not take the place of a file it records.
  if (result.failure == RecordFailure::kIsMergedFile ||
      result.failure == RecordFailure::kIsSource) {
    message += text::kRecordWouldReplace.hebrew;
  }
  return message;
}

const char* ReasonFor(LoadRefusal refusal) {
  return RowOf(refusal).english;
}

std::string ReasonFor(const LoadResult& loaded) {
  switch (loaded.refusal) {
    case LoadRefusal::kMonthDiffers:
      return Filled(text::kMonthDiffersFigures.english,
                    {Cp1255ToUtf8(loaded.found), Cp1255ToUtf8(loaded.expected)});
    case LoadRefusal::kClosingDealerDiffers:
      return loaded.expected.empty()
                 ? Filled(text::kClosingBeforeOpening, {Cp1255ToUtf8(loaded.found)})
                 : Filled(text::kClosingDealerFigures,
                          {Cp1255ToUtf8(loaded.found), Cp1255ToUtf8(loaded.expected)});
    case LoadRefusal::kAlreadyLoaded:
      if (!loaded.samePath.empty()) {
        std::string reason = text::kCopyOf.english;
        reason += loaded.samePath;
        return reason;
      }
      break;
    default:
      break;
  }
  return ReasonFor(loaded.refusal);
}

std::string ReasonFor(const PairCheck& check) {
  std::string reason = RowOf(check.pair).english;
  reason += ": ";
  const std::string declared = FormatDecimal(check.declared, 2);
  const std::string summed = FormatDecimal(check.summed, 2);
  reason += check.p
                ? Filled(text::kPairFigures.english, {declared, summed, FormatDecimal(*check.p, 4)})
                : Filled(text::kPairFiguresNoPercent.english, {declared, summed});
  return reason;
}

std::string ReasonFor(const WriteResult& r) {
  std::string reason;
  switch (r.failure) {
    case WriteFailure::kNone:
      return reason;
    case WriteFailure::kTotalsDiffer:
      return ReasonFor(r.totals);
    case WriteFailure::kInvalidNumber:
      return InvalidNumberReason(r.number);
    case WriteFailure::kValueTooWide:
      return Filled(text::kValueTooWide.english, {NamesOf(r.field).english});
    case WriteFailure::kCannotOpenOutput:
      // The system's own words say more of the folder, where it told any.
      return r.systemReason.empty() ? text::kCannotOpenOutput.english : r.systemReason;
    default:
      return RowOf(r.failure)->english;
  }
}

std::string ReasonFor(const RecordResult& result) {
  std::string reason;
  switch (result.failure) {
    case RecordFailure::kNone:
      return reason;
    case RecordFailure::kNoFileName:
      reason = text::kRecordNoFileName;
      break;
    case RecordFailure::kIsMergedFile:
      reason = text::kRecordWouldReplace.english;
      break;
    case RecordFailure::kIsSource:
      reason = text::kRecordWouldReplaceSource.english;
      break;
    case RecordFailure::kMergedUnreadable:
      reason = Filled(text::kRecordMergedUnreadable, {result.path});
      break;
    case RecordFailure::kSourceUnreadable:
      reason = Filled(text::kRecordSourceUnreadable, {result.path});
      break;
    case RecordFailure::kSourceChanged:
      reason = Filled(text::kRecordSourceChanged, {result.path});
      break;
    case RecordFailure::kCannotCreate:
      reason = text::kRecordCannotCreate;
      break;
    case RecordFailure::kWriteFailed:
      reason = text::kRecordWriteFailed;
      break;
  }
  if (result.error != 0) {
    reason += ": ";
    reason += std::strerror(result.error);
  }
  return reason;
}

}  // namespace pcn
