// What each rule before upload says of a finding, and the figures it names: Hebrew for the
// window, English for the command line and the findings file. "{}" marks where a figure
// goes, in order.
#pragma once

#include "text/bilingual.h"

namespace pcn::text {

inline constexpr Bilingual kRecordLengthRule{
    "אורך הרשומה אינו תואם את סוגה", "the record is not as long as records of its type are"};
inline constexpr Bilingual kCounterpartyNumberRule{
    "מספר העוסק של הצד השני אינו 9 ספרות או שספרת הביקורת שגויה",
    "the counterparty's number is not 9 digits or fails the check digit"};
inline constexpr Bilingual kInvoiceDateRule{
    "תאריך החשבונית אינו תאריך קיים או שהוא אחרי סוף חודש הדיווח",
    "the invoice date is not a calendar date, or is after the reporting month"};
inline constexpr Bilingual kSignRule{"הסימן ברשומה אינו + או -", "the sign is neither + nor -"};
inline constexpr Bilingual kDigitsRule{"שדה מספרי ברשומה מכיל תו שאינו ספרה",
                                       "a numeric field holds a character other than a digit"};
inline constexpr Bilingual kAllocationNumberRule{
    "חשבונית תשומות מעל סכום הסף ללא מספר הקצאה - ניכוי המע\"מ בסיכון",
    "an input invoice above the threshold has no allocation number: its VAT deduction is at "
    "risk"};
inline constexpr Bilingual kNegativeTotalRule{
    "הסימן של סכום ברשומת הפתיחה אינו + - הקליטה תדחה את הקובץ",
    "the sign of a total in the opening record is not \"+\": the reception refuses the file"};
inline constexpr Bilingual kPettyCashShareRule{
    "מע\"מ קופה קטנה עולה על 5% ממע\"מ התשומות בדוח החזר",
    "petty-cash VAT is more than 5% of the input VAT in a refund report"};
inline constexpr Bilingual kRepeatedRecordRule{
    "החשבונית דווחה כבר - היא תיספר פעמיים",
    "the same invoice was reported before: it counts twice"};
inline constexpr Bilingual kRecordCountRule{
    "מספר הרשומות שהוצהר ברשומת הפתיחה שונה ממספר הרשומות בקובץ",
    "the record count the opening record declares differs from the records the file holds"};
inline constexpr Bilingual kReportMonthRule{
    "חודש הדיווח ברשומת הפתיחה אינו חודש קיים",
    "the opening record's reporting month is not a real month MM-YYYY"};

// The figures after a rule's text: the length found and the one required; the amount and
// the threshold; the count declared and the one found; what stood in the field; the first
// report of a repeated invoice (English only: the window lists it beside the file).
inline constexpr Bilingual kRecordLengthFigures{": {} תווים במקום {}",
                                                ": {} characters instead of {}"};
inline constexpr Bilingual kAllocationNumberFigures{": סכום {}, סף {}",
                                                    ": amount {}, threshold {}"};
inline constexpr Bilingual kSalesCountFigures{": רשומות מכירות - הוצהרו {}, נמצאו {}",
                                              ": sales records declared {}, found {}"};
inline constexpr Bilingual kInputCountFigures{": רשומות תשומות - הוצהרו {}, נמצאו {}",
                                              ": input records declared {}, found {}"};
inline constexpr Bilingual kFoundFigures{": {}", "; found {}"};
inline constexpr Bilingual kFirstReportFigures{"", "; first at {}:{}"};

}  // namespace pcn::text
