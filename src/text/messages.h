// Every text the system shows, in one place, as UTF-8. The quotes and apostrophes inside
// Hebrew words (מע"מ, סה"כ, בע'מ) are the Hebrew abbreviation mark and part of the text.
// A message the command line gives too is one Bilingual row: the Hebrew both fronts show,
// and the English reason the command line prints beside it. "{}" in a text is a figure,
// filled in order (wording/ fills them).
#pragma once

#include "text/bilingual.h"

namespace pcn::text {

inline constexpr char kCaption[] = "תוכנת איחוד קבצים";

// Loading
inline constexpr char kOpenFileTitle[] = "ציין את מיקום הקובץ";
inline constexpr char kTextFilesFilter[] = "קבצי טקסט|*.TXT|כל הקבצים|*.*|";
inline constexpr char kFallbackFileName[] = "Pc874.txt";
inline constexpr Bilingual kAlreadyLoaded = {"קובץ זה נמצא כבר ברשימת הקבצים",
                                             "the same file is loaded already"};
// After the name of a file whose bytes are a loaded file's: that file's name follows.
inline constexpr Bilingual kCopyOf = {"\rהעתק של הקובץ ", "the same bytes as "};
// More files chosen at once than the open-file dialog can return: none is loaded.
inline constexpr char kTooManyFiles[] = "נבחרו יותר מדי קבצים בבת אחת - יש לבחור פחות קבצים";
inline constexpr Bilingual kCannotOpen = {"לא ניתן לפתוח את הקובץ המבוקש",
                                          "the file cannot be opened, or it is empty"};
// A name the command line was given that is no file at all (the window only beeps).
inline constexpr Bilingual kNotAFile = {kCannotOpen.hebrew,
                                        "no such file, or not an ordinary file"};
inline constexpr Bilingual kCorruptFile = {"הקובץ שצויין פגום ולא ניתן לקוראו",
                                           "a line could not be read"};
inline constexpr Bilingual kTooFewRecords = {
    kCorruptFile.hebrew, "fewer than two opening or closing records (no records)"};
inline constexpr Bilingual kMonthDiffers = {
    "חודש הדיווח בקובץ זה אינו זהה לחודש הדיווח בקובץ הקודם",
    "the opening record's month differs from the loaded files' month"};
// The month the refused file's opening record holds, then the loaded files'.
inline constexpr Bilingual kMonthDiffersFigures = {"חודש הדיווח בקובץ {}, בקבצים שברשימה {}",
                                                   "month {}, expected {}"};
inline constexpr Bilingual kClosingDealerDiffers = {
    "מספר עוסק ברשומת סגירה אינו זהה לרשומת הפתיחה",
    "the closing record's dealer number differs from the opening record's"};
// The closing record's number, then the opening record's (the second: before any).
inline constexpr char kClosingDealerFigures[] =
    "closing record's dealer \"{}\", opening record's \"{}\"";
inline constexpr char kClosingBeforeOpening[] =
    "closing record's dealer \"{}\" before any opening record";

// Findings of one file, asked for from the file list. The file's name comes first; past
// the first findings, a line says how many more there are.
inline constexpr Bilingual kNoFindings = {"לא נמצאו ממצאים בקובץ זה", "no findings"};
inline constexpr char kMoreFindingsPrefix[] = "\rועוד ";
inline constexpr char kMoreFindingsSuffix[] = " ממצאים נוספים";

// Removing
inline constexpr char kMarkFileToRemove[] = "יש לסמן את הקובץ שברצונך להסיר";

// Generating
inline constexpr Bilingual kTooFewFiles = {"לא נבחרו קבצים ליצור הקובץ המאוחד",
                                           "at least two files are needed"};
// The number as typed (and its nine digits when they differ), then why it is refused.
inline constexpr Bilingual kInvalidNumber = {"מספר העוסק שהנבחר להפקה אינו תקין",
                                             "the dealer number {} is not valid: {}"};
inline constexpr char kNumberIsZero[] = "its value is 0";
inline constexpr char kNumberTooLong[] = "it does not fit in nine digits";
inline constexpr char kNumberCheckDigit[] = "its check digit is wrong";
// The loaded files' month names the merged file: it must be a real month. The name of the
// file whose opening record carries it follows on a second line.
inline constexpr Bilingual kMonthNotReal = {
    "חודש הדיווח ברשומת הפתיחה אינו חודש קיים (MM-YYYY) - הקובץ המאוחד לא הופק",
    "its opening record's reporting month is no real month MM-YYYY; nothing was written"};
// Any operation that ran out of memory: it stopped, and nothing was written.
inline constexpr Bilingual kOutOfMemory = {
    "אין די זיכרון להשלמת הפעולה - לא נכתב דבר",
    "out of memory; the command stopped, and a merged file not yet complete was not written"};
// The folder follows, and the system's reason where it told one.
inline constexpr Bilingual kCannotOpenOutput = {
    "לא ניתן לפתוח את הקובץ המאוחד בספריה שצויינה, נסה ספרייה אחרת",
    "the directory cannot take the merged file, or a file there cannot be replaced"};
inline constexpr Bilingual kWriteFailed = {"תקלה בזמן כתיבת הנתונים - הפקת הקובץ הופסקה",
                                           "writing the merged file failed; nothing was written"};
// The Hebrew is followed by the file's path, then kGenerationStopped.
inline constexpr Bilingual kSourceOpenFailed = {
    "תקלה בזמן פתיחת הקובץ - ", "the file cannot be opened again; nothing was written"};
inline constexpr Bilingual kSourceReadFailed = {"תקלה בזמן קריאה מקובץ - ",
                                                "reading the file failed; nothing was written"};
inline constexpr Bilingual kCopyWriteFailed = {
    "תקלה בזמן כתיבה לקובץ", "writing its lines into the merged file failed; nothing was written"};
inline constexpr char kGenerationStopped[] = "\rהפקת הקובץ הופסקה";
// The merged file's path follows on a second line.
inline constexpr char kGenerated[] = "הפקת הקובץ הושלמה בהצלחה";
// Asked before writing a merged file that the reception would refuse or that counts an
// invoice twice: the first such finding's rule and code follow, then where it is.
inline constexpr char kWouldBeRefused[] = "הקובץ המאוחד יידחה בקליטה: ";
inline constexpr char kWouldCountTwice[] = "בקובץ המאוחד חשבונית תיספר פעמיים: ";
inline constexpr char kGenerateAnyway[] = "\rלהפיק את הקובץ המאוחד בכל זאת?";
// After the success message, when the merged file carries findings: their number, then
// the findings file's path.
inline constexpr char kFindingsWrittenPrefix[] = "\rנמצאו ";
inline constexpr char kFindingsWrittenSuffix[] = " ממצאים - פירוט בקובץ ";
inline constexpr char kFindingsNotWrittenSuffix[] = " ממצאים - לא ניתן לכתוב את קובץ הממצאים ";
// The findings file's last line when a file had more findings than are kept of it.
inline constexpr char kUnlistedPrefix[] = "ועוד ";
inline constexpr char kUnlistedMiddle[] = " ממצאים שלא פורטו (";
inline constexpr char kUnlistedSuffix[] = " more findings not listed)";
// A file changed on disk between Add-file and Generate: its loaded totals would head
// records that are no longer the ones counted. The file's name follows on a second line.
inline constexpr Bilingual kSourceChanged = {
    "הקובץ השתנה מאז שנוסף לרשימה - יש להסירו ולהוסיפו מחדש. הקובץ המאוחד לא הופק",
    "the file changed since it was loaded; nothing was written"};
// A merged file may never replace one of the files it is made from: the Hebrew is followed
// by that file's path, then kChooseAnotherDirectory.
inline constexpr Bilingual kOutputIsSource = {
    "הקובץ המאוחד זהה לאחד מהקבצים שנבחרו לאיחוד - ",
    "the merged file would take the place of one of the files merged; choose another "
    "directory"};
inline constexpr char kChooseAnotherDirectory[] = "\rיש לבחור ספרייה אחרת";
// A total that does not fit its record field is refused rather than clipped: the field's
// name, as the window's captions call it (English: as --adjust and inspect name it).
inline constexpr Bilingual kValueTooWide = {
    "הערך של {} גדול מרוחב השדה ברשומת הקובץ המאוחד - הקובץ לא הופק",
    "the combined {} is too large for its field in the merged records; nothing was written"};

// The guide (F1) and About, from the window's system menu.
inline constexpr char kGuideFileName[] = "guide.html";
inline constexpr char kGuideMissing[] = "המדריך לא נמצא בתיקיית התוכנה: ";
inline constexpr char kGuideNotOpened[] = "לא ניתן לפתוח את המדריך: ";
inline constexpr char kAboutMenuItem[] = "אודות התוכנה...";
inline constexpr char kAboutVersion[] = "גרסה ";
inline constexpr char kAboutPurpose[] =
    "\rהתוכנה מאחדת את קבצי PCN874 (הדוח המפורט למע\"מ) של חודש אחד, של כמה עוסקים או "
    "סניפים, לקובץ אחד: קובץ איחוד עוסקים או קובץ מייצג. היא בודקת כל קובץ לפני האיחוד, "
    "מציגה את הסיכומים המאוחדים ומאפשרת להתאים אותם בתחום של 5%.";

// The record of the last merge, saved from the system menu or with Ctrl+S.
inline constexpr char kSaveRecordMenuItem[] = "שמירת תיעוד האיחוד...\tCtrl+S";
inline constexpr char kSaveRecordTitle[] = "שמירת תיעוד האיחוד";
inline constexpr char kRecordFilter[] = "דפי HTML|*.html|כל הקבצים|*.*|";
inline constexpr char kRecordExtension[] = "html";
// After the success message, when the record of the merge was kept: offered at once.
inline constexpr char kOfferRecord[] = "\rלשמור את תיעוד האיחוד לתיק הלקוח?";
inline constexpr char kRecordSaved[] = "תיעוד האיחוד נשמר בקובץ ";
// The record's path follows, then (in the window) why, where it is kRecordWouldReplace;
// the command line gives the English reasons below after the path and ": ".
inline constexpr Bilingual kRecordNotSaved = {"לא ניתן לשמור את תיעוד האיחוד בקובץ ",
                                              "cannot write the record "};
// The page may not take the place of a file it records.
inline constexpr Bilingual kRecordWouldReplace = {
    "\rזהו הקובץ המאוחד או אחד הקבצים שאוחדו - יש לבחור שם אחר", "it is the merged file"};
inline constexpr Bilingual kRecordWouldReplaceSource = {kRecordWouldReplace.hebrew,
                                                        "it is one of the merged files"};
inline constexpr char kRecordNoFileName[] = "no file name given";
inline constexpr char kRecordMergedUnreadable[] = "cannot read the merged file {}";
inline constexpr char kRecordSourceUnreadable[] = "cannot read {} again";
inline constexpr char kRecordSourceChanged[] =
    "{} changed after it was merged: its digest would not be of the bytes merged";
inline constexpr char kRecordCannotCreate[] =
    "the directory cannot take the file, or a file there cannot be replaced";
inline constexpr char kRecordWriteFailed[] = "writing the file failed";

// The 5% rule, at Generate and at a spin step (--adjust), with the pair's figures: the
// declared total, what its records add up to, and their difference in percent.
inline constexpr Bilingual kIncomeDiffers = {"הפרש גדול מ 5% בין תנועות וסכומי ההכנסות",
                                             "income more than 5% from its records"};
inline constexpr Bilingual kSalesVatDiffers = {"הפרש גדול מ 5% בין תנועות וסכומי מע'מ עיסקאות",
                                               "VAT on transactions more than 5% from its records"};
inline constexpr Bilingual kInputsVatDiffers = {"הפרש גדול מ 5% בין תנועות וסכומי מע'מ תשומות",
                                                "input VAT more than 5% from its records"};
inline constexpr Bilingual kPairFigures = {"סכום מדווח {}, סכום התנועות {}, הפרש {}%",
                                           "declared {}, records {}, difference {}%"};
// The same when no percentage can be told: the side it is measured against is 0, or the
// difference is too large to hold.
inline constexpr Bilingual kPairFiguresNoPercent = {
    "סכום מדווח {}, סכום התנועות {}", "declared {}, records {}; no percentage can be computed"};
// A spin step (--adjust) of a total of 0: the window's spin button does nothing then.
inline constexpr char kZeroTotalNotMoved[] = "the total is 0, and a total of 0 is not moved";

}  // namespace pcn::text
