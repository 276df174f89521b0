// The command line's own texts, in English: what --help says of each command and option,
// and the usage errors and notes that have no message in the window. "{}" marks a figure.
#pragma once

namespace pcn::text::cli {

// --help
inline constexpr char kToolHelp[] =
    "Merges PCN874 detailed VAT report files of one month into one file.";
inline constexpr char kMergeHelp[] =
    "Load FILEs in order, check them and write one merged PCN874 file.";
inline constexpr char kRepresentativeHelp[] =
    "Write a representative's file instead of a dealers' union file";
inline constexpr char kNumberHelp[] =
    "Dealer or representative number (default: the first file's dealer)";
inline constexpr char kOutHelp[] = "Output directory (default: the current directory)";
inline constexpr char kDateHelp[] = "Date of the opening record, YYYYMMDD";
inline constexpr char kAdjustHelp[] =
    "One spin step of DELTA on a total: FIELD=DELTA, FIELD one of taxableSales, exemptSales, "
    "salesVat, inputsVat, assetInputsVat";
inline constexpr char kStrictHelp[] =
    "Write nothing when the file would carry a finding the reception refuses or an invoice "
    "counted twice";
inline constexpr char kRecordHelp[] =
    "Also write a record of the merge, an HTML page for the client file, with the SHA-256 of "
    "every file";
inline constexpr char kFilesInOrderHelp[] = "PCN874 files, in load order";
inline constexpr char kFilesHelp[] = "PCN874 files";
inline constexpr char kInspectHelp[] = "Load each FILE alone and show what it declares and holds.";
inline constexpr char kInspectJsonHelp[] = "Print a JSON array";
inline constexpr char kCheckHelp[] =
    "Load FILEs together and tell what the tax authority will refuse or question.";
inline constexpr char kCheckJsonHelp[] = "Print one JSON object";

// Usage errors (exit 1).
inline constexpr char kDateNotReal[] = "the date must be a calendar date, YYYYMMDD";
inline constexpr char kAdjustForm[] =
    "--adjust takes FIELD=DELTA with a whole DELTA, FIELD one of taxableSales, exemptSales, "
    "salesVat, inputsVat, assetInputsVat: {}";
inline constexpr char kAdjustRepresentative[] =
    "--adjust moves a total of a dealers' union file's opening record; a representative's "
    "file (--representative) has none";
inline constexpr char kEmptyFileName[] = "an empty file name was given";
// A word the tool does not know: what it is (command, option) and the word; then the
// words it may have been meant for.
inline constexpr char kUnknown[] = "unknown {} '{}'";
inline constexpr char kDidYouMean[] = "; did you mean '{}'";
inline constexpr char kOrMeant[] = " or '{}'";
inline constexpr char kHelpLists[] = " (pcn874 --help lists them)";

// Refusals and notes of a merge.
inline constexpr char kNothingWritten[] = "; nothing was written";
inline constexpr char kStrictHeldBack[] =
    "--strict: {} finding(s) the reception refuses or that count an invoice twice; nothing "
    "was written";
inline constexpr char kUnlistedFindings[] =
    "{} more findings not listed (the first {} format and deduction findings of each file "
    "are)";
inline constexpr char kMoreNotListed[] = "{} more findings not listed";
inline constexpr char kCannotWriteOutput[] = "cannot write to standard output: {}";

}  // namespace pcn::text::cli
