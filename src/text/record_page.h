// The texts of the merge record's page, the one Hebrew page filed with a merged file. The
// totals are named as the window's captions name them (kField* in the captions).
#pragma once

namespace pcn::text::page {

inline constexpr char kTitle[] = "תיעוד איחוד קבצים PCN874";

// The table about the merge.
inline constexpr char kDateTime[] = "תאריך ושעת האיחוד";
inline constexpr char kKind[] = "סוג הקובץ המופק";
inline constexpr char kRepresentativeKind[] = "איחוד קבצים למייצג";
inline constexpr char kUnionKind[] = "קובץ איחוד עוסקים";
inline constexpr char kRepresentativeNumber[] = "מספר מייצג";
inline constexpr char kDealerNumber[] = "מספר עוסק";
inline constexpr char kReportMonth[] = "חודש הדוח";
inline constexpr char kFileCount[] = "מספר הקבצים שאוחדו";
inline constexpr char kMergedFile[] = "הקובץ המאוחד";
inline constexpr char kMergedSize[] = "גודל הקובץ המאוחד (בתים)";
inline constexpr char kMergedSha[] = "SHA-256 של הקובץ המאוחד";

// The files' table.
inline constexpr char kFilesHeading[] = "הקבצים שאוחדו";
inline constexpr char kFile[] = "קובץ";
inline constexpr char kMonth[] = "חודש";
inline constexpr char kSize[] = "גודל (בתים)";
inline constexpr char kSalesRecords[] = "עיסקאות";
inline constexpr char kInputRecords[] = "תשומות";
inline constexpr char kFindings[] = "ממצאים";
inline constexpr char kAdjustedBelow[] = "בשורת הקובץ המאוחד: הסכומים אחרי ההתאמות שלמטה.";

// The 5% rule's table: each pair's declared total, the records' sum, the difference and
// the verdict.
inline constexpr char kFivePercentHeading[] = "כלל 5%: הסכומים המוצהרים מול התנועות";
inline constexpr char kIncomePair[] = "הכנסות";
inline constexpr char kDeclared[] = "מוצהר";
inline constexpr char kRecords[] = "תנועות";
inline constexpr char kDifference[] = "הפרש";
inline constexpr char kVerdict[] = "תוצאה";
inline constexpr char kPasses[] = "תקין";
inline constexpr char kFails[] = "חורג";

// The digests.
inline constexpr char kDigestsHeading[] = "טביעות SHA-256 של הקבצים";
inline constexpr char kPath[] = "נתיב הקובץ";

// The adjustments.
inline constexpr char kAdjustmentsHeading[] = "התאמות בסכומים המאוחדים";
inline constexpr char kNoAdjustments[] = "לא נעשו התאמות: הסכומים המאוחדים הם סכומי הקבצים.";
inline constexpr char kTotal[] = "סכום";
inline constexpr char kStep[] = "צעד";
inline constexpr char kBefore[] = "לפני";
inline constexpr char kAfter[] = "אחרי";

// The findings by weight.
inline constexpr char kFindingsHeading[] = "ממצאי הבדיקות לפני שידור בקובץ המאוחד";
inline constexpr char kRefusedWeight[] = "הקליטה תדחה את הקובץ";
inline constexpr char kDoubleWeight[] = "חשבונית שתיספר פעמיים";
inline constexpr char kDeductionWeight[] = "ניכוי מע\"מ בסיכון";
inline constexpr char kFormatWeight[] = "חריגה ממבנה הרשומות";
inline constexpr char kUnlisted[] = "מהם לא פורטו ברשימת הממצאים";

inline constexpr char kMadeBy[] = "הופק בתוכנת איחוד קבצים PCN874, גרסה ";

}  // namespace pcn::text::page
