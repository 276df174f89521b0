// Every text the system shows, in one place, as UTF-8. The quotes and apostrophes inside
// Hebrew words (מע"מ, סה"כ, בע'מ) are the Hebrew abbreviation mark and part of the text.
#pragma once

namespace pcn::text {

inline constexpr char kCaption[] = "תוכנת איחוד קבצים";

// Loading
inline constexpr char kOpenFileTitle[] = "ציין את מיקום הקובץ";
inline constexpr char kTextFilesFilter[] = "קבצי טקסט|*.TXT|כל הקבצים|*.*|";
inline constexpr char kFallbackFileName[] = "Pc874.txt";
inline constexpr char kAlreadyLoaded[] = "קובץ זה נמצא כבר ברשימת הקבצים";
// After the name of a file whose bytes are a loaded file's: that file's name follows.
inline constexpr char kCopyOf[] = "\rהעתק של הקובץ ";
// More files chosen at once than the open-file dialog can return: none is loaded.
inline constexpr char kTooManyFiles[] = "נבחרו יותר מדי קבצים בבת אחת - יש לבחור פחות קבצים";
inline constexpr char kCannotOpen[] = "לא ניתן לפתוח את הקובץ המבוקש";
inline constexpr char kCorruptFile[] = "הקובץ שצויין פגום ולא ניתן לקוראו";
inline constexpr char kMonthDiffers[] = "חודש הדיווח בקובץ זה אינו זהה לחודש הדיווח בקובץ הקודם";
inline constexpr char kClosingDealerDiffers[] = "מספר עוסק ברשומת סגירה אינו זהה לרשומת הפתיחה";

// Findings of one file, asked for from the file list. The file's name comes first; past
// the first findings, a line says how many more there are.
inline constexpr char kNoFindings[] = "לא נמצאו ממצאים בקובץ זה";
inline constexpr char kMoreFindingsPrefix[] = "\rועוד ";
inline constexpr char kMoreFindingsSuffix[] = " ממצאים נוספים";

// Removing
inline constexpr char kMarkFileToRemove[] = "יש לסמן את הקובץ שברצונך להסיר";

// Generating
inline constexpr char kTooFewFiles[] = "לא נבחרו קבצים ליצור הקובץ המאוחד";
inline constexpr char kInvalidNumber[] = "מספר העוסק שהנבחר להפקה אינו תקין";
// The loaded files' month names the merged file: it must be a real month. The name of the
// file whose opening record carries it follows on a second line.
inline constexpr char kMonthNotReal[] =
    "חודש הדיווח ברשומת הפתיחה אינו חודש קיים (MM-YYYY) - הקובץ המאוחד לא הופק";
// Any operation that ran out of memory: it stopped, and nothing was written.
inline constexpr char kOutOfMemory[] = "אין די זיכרון להשלמת הפעולה - לא נכתב דבר";
inline constexpr char kCannotOpenOutput[] =
    "לא ניתן לפתוח את הקובץ המאוחד בספריה שצויינה, נסה ספרייה אחרת";
inline constexpr char kWriteFailed[] = "תקלה בזמן כתיבת הנתונים - הפקת הקובץ הופסקה";
inline constexpr char kSourceOpenFailed[] = "תקלה בזמן פתיחת הקובץ - ";
inline constexpr char kSourceReadFailed[] = "תקלה בזמן קריאה מקובץ - ";
inline constexpr char kCopyWriteFailed[] = "תקלה בזמן כתיבה לקובץ";
inline constexpr char kGenerationStopped[] = "\rהפקת הקובץ הופסקה";
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
inline constexpr char kSourceChanged[] =
    "הקובץ השתנה מאז שנוסף לרשימה - יש להסירו ולהוסיפו מחדש. הקובץ המאוחד לא הופק";
// A merged file may never replace one of the files it is made from.
inline constexpr char kOutputIsSource[] = "הקובץ המאוחד זהה לאחד מהקבצים שנבחרו לאיחוד - ";
inline constexpr char kChooseAnotherDirectory[] = "\rיש לבחור ספרייה אחרת";
// A total that does not fit its record field is refused rather than clipped.
inline constexpr char kValueTooWidePrefix[] = "הערך של ";
inline constexpr char kValueTooWideSuffix[] =
    " גדול מרוחב השדה ברשומת הקובץ המאוחד - הקובץ לא הופק";

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
inline constexpr char kRecordNotSaved[] = "לא ניתן לשמור את תיעוד האיחוד בקובץ ";
// The page may not take the place of a file it records.
inline constexpr char kRecordWouldReplace[] =
    "\rזהו הקובץ המאוחד או אחד הקבצים שאוחדו - יש לבחור שם אחר";

// The 5% rule
inline constexpr char kIncomeDiffers[] = "הפרש גדול מ 5% בין תנועות וסכומי ההכנסות";
inline constexpr char kSalesVatDiffers[] = "הפרש גדול מ 5% בין תנועות וסכומי מע'מ עיסקאות";
inline constexpr char kInputsVatDiffers[] = "הפרש גדול מ 5% בין תנועות וסכומי מע'מ תשומות";

}  // namespace pcn::text
