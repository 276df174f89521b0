// The window's title, captions, buttons and list column titles, as UTF-8: each Hebrew text
// once, however many places show it. The quotes and apostrophes inside Hebrew words (מע"מ,
// סה"כ, בע'מ) are the Hebrew abbreviation mark and part of the text.
#pragma once

namespace pcn::text {

inline constexpr char kDialogTitle[] = "איחוד קבצי PCN874 - Velmora מוצרי תוכנה בע'מ";

// Names of the merged record's fields, as the window's captions call them.
inline constexpr char kFieldTaxableSales[] = "הכנסות חייבות";
inline constexpr char kFieldExemptSales[] = "הכנסות פטורות";
inline constexpr char kFieldSalesVat[] = "מע\"מ עיסקאות";
inline constexpr char kFieldInputsVat[] = "מע\"מ תשומות";
inline constexpr char kFieldAssetInputsVat[] = "מע\"מ תשומות רכוש";
inline constexpr char kFieldVatPayable[] = "הפרש לתשלום";
inline constexpr char kFieldSalesRecordCount[] = "סה\"כ עיסקאות";
inline constexpr char kFieldInputRecordCount[] = "סה\"כ תשומות";
inline constexpr char kFieldRecordCount[] = "סה\"כ רשומות";

// The buttons; Generate's text is also its group's title.
inline constexpr char kAddFileButton[] = "הוסף קובץ";
inline constexpr char kRemoveFileButton[] = "גרע קובץ";
inline constexpr char kBrowseButton[] = "עיון";
inline constexpr char kGenerateButton[] = "הפקת הקובץ";

// Group titles and the captions beside the fields.
inline constexpr char kMergedTotalsGroup[] = "סיכומי הקובץ המאוחד";
inline constexpr char kOutputTypeGroup[] = "סוג הקובץ המופק";
inline constexpr char kFileListCaption[] = "רשימת קבצים קיימים";
// The dealer list's caption and the file list's column of dealer numbers.
inline constexpr char kDealerNumberShort[] = "מס. עוסק";
inline constexpr char kReportMonthCaption[] = "חודש הדו\"ח";
inline constexpr char kOutputDirectoryCaption[] = "הספרייה אליה יופק הקובץ";
inline constexpr char kDealersUnionOption[] = "קובץ איחוד עוסקים";
inline constexpr char kRepresentativeOption[] = "איחוד קבצים למייצג";
// The number field's caption follows the kind of file chosen.
inline constexpr char kDealerNumberCaption[] = "מספר עוסק";
inline constexpr char kRepresentativeNumberCaption[] = "מספר מייצג";

// Above the tree of the folder browser (Browse).
inline constexpr char kBrowseInstruction[] = "ציין את שם הספרייה אליה יופק הקובץ";

// The file list's column titles, shortened to fit two lines of a narrow column.
inline constexpr char kColumnFileName[] = "שם הקובץ";
inline constexpr char kColumnTaxableSales[] = "עיס. חייבות";
inline constexpr char kColumnExemptSales[] = "עיס. פטורות";
inline constexpr char kColumnSalesVat[] = "מעמ עיסקאות";
inline constexpr char kColumnInputsVat[] = "מעמ תשומות";
inline constexpr char kColumnAssetInputsVat[] = "תשומות רכוש";
inline constexpr char kColumnVatPayable[] = "לתשלום";
inline constexpr char kColumnSalesRecordCount[] = "מ. עסקאות";
inline constexpr char kColumnInputRecordCount[] = "מ. תשומות";
inline constexpr char kColumnFindings[] = "ממצאים";

}  // namespace pcn::text
