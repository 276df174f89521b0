// The control table. Moving a control edits its row; nothing else creates controls.
#include "window/control_table.h"

namespace pcn {
namespace {

constexpr Colour kSystem = {Colour::kSystem, 0};
constexpr Colour kTransparent = {Colour::kTransparent, 0};
constexpr Colour kBlue = {Colour::kRgb, RGB(0, 0, 255)};
constexpr Colour kWhite = {Colour::kRgb, RGB(255, 255, 255)};
constexpr Colour kFrameBlueGrey = {Colour::kRgb, RGB(224, 226, 237)};
constexpr Colour kOptionBlueGrey = {Colour::kRgb, RGB(206, 211, 231)};
constexpr Colour kOptionGroupGrey = {Colour::kRgb, RGB(206, 211, 212)};

constexpr DWORD kImageButton = BS_OWNERDRAW | BS_CENTER | BS_VCENTER | WS_TABSTOP;
constexpr DWORD kCaption = SS_LEFT;
constexpr DWORD kValue = SS_LEFT | SS_CENTERIMAGE;
constexpr DWORD kValueEx = WS_EX_CLIENTEDGE | WS_EX_RTLREADING;
constexpr DWORD kSpin = UDS_AUTOBUDDY;
constexpr FontKind R = FontKind::kRegular;
constexpr FontKind B = FontKind::kBold;
constexpr FontKind N = FontKind::kNone;

constexpr ControlSpec kControls[] = {
    {1022, L"BUTTON", kImageButton, 0, "הוסף קובץ", 4, 132, 113, 35, R, kSystem, kSystem},
    {1021, L"BUTTON", kImageButton, 0, "גרע קובץ", 525, 133, 114, 35, R, kSystem, kSystem},
    {1027, L"BUTTON", kImageButton, 0, "עיון", 320, 440, 51, 24, R, kSystem, kSystem},
    {0, L"BUTTON", kImageButton, 0, "הפקת הקובץ", 584, 416, 142, 49, R, kSystem, kSystem},
    {1015, L"COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP, 0, "", 112, 69, 126, 24, R, kBlue, kSystem},
    {1001, L"BUTTON", BS_GROUPBOX, 0, "סיכומי הקובץ המאוחד", 6, 3, 723, 126, B, kSystem,
     kFrameBlueGrey},
    {1003, L"STATIC", kCaption, 0, "הכנסות חייבות", 17, 29, 80, 17, R, kSystem, kTransparent},
    {1004, L"STATIC", kCaption, 0, "הכנסות פטורות", 276, 29, 86, 17, R, kSystem, kTransparent},
    {1005, L"STATIC", kCaption, 0, "מע\"מ עיסקאות", 503, 29, 87, 17, R, kSystem, kTransparent},
    {1006, L"STATIC", kCaption, 0, "מע\"מ תשומות", 503, 78, 87, 16, R, kSystem, kTransparent},
    {1007, L"STATIC", kCaption, 0, "מע\"מ תשומות רכוש", 503, 55, 102, 17, R, kSystem, kTransparent},
    {1008, L"STATIC", kCaption, 0, "הפרש לתשלום", 503, 102, 85, 17, R, kSystem, kTransparent},
    {1009, L"STATIC", kValue, kValueEx, "", 112, 24, 97, 25, R, kBlue, kWhite},
    {1010, L"STATIC", kValue, kValueEx, "", 383, 24, 98, 25, R, kBlue, kWhite},
    {1038, UPDOWN_CLASSW, kSpin, 0, nullptr, 95, 26, 17, 20, N, kSystem, kSystem},
    {1039, UPDOWN_CLASSW, kSpin, 0, nullptr, 366, 26, 17, 20, N, kSystem, kSystem},
    {1011, L"STATIC", kValue, kValueEx, "", 623, 24, 98, 25, R, kBlue, kWhite},
    {1012, L"STATIC", kValue, kValueEx, "", 623, 74, 98, 24, R, kBlue, kWhite},
    {1013, L"STATIC", kValue, kValueEx, "", 623, 49, 98, 25, R, kBlue, kWhite},
    {1014, L"STATIC", kValue, kValueEx, "", 623, 98, 98, 24, R, kBlue, kWhite},
    {1017, L"STATIC", kCaption, 0, "סה\"כ עיסקאות", 276, 76, 83, 16, R, kSystem, kTransparent},
    {1018, L"STATIC", kCaption, 0, "סה\"כ תשומות", 276, 100, 83, 16, R, kSystem, kTransparent},
    {1019, L"STATIC", kValue, kValueEx, "", 383, 71, 60, 24, R, kBlue, kWhite},
    {1020, L"STATIC", kValue, kValueEx, "", 383, 95, 60, 24, R, kBlue, kWhite},
    {1023, WC_LISTVIEWW,
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA | LVS_NOSORTHEADER | WS_TABSTOP,
     WS_EX_CLIENTEDGE | WS_EX_RTLREADING, "", 6, 176, 633, 199, R, kBlue, kSystem},
    {1025, L"STATIC", kValue, WS_EX_CLIENTEDGE | WS_EX_RIGHT, "", 10, 437, 310, 26, R, kBlue,
     kWhite},
    {1026, L"STATIC", kCaption, 0, "הספרייה אליה יופק הקובץ", 9, 417, 135, 16, R, kSystem,
     kTransparent},
    {1028, L"BUTTON", BS_GROUPBOX, 0, "", 9, 57, 235, 64, B, kSystem, kFrameBlueGrey},
    {1024, L"BUTTON", BS_GROUPBOX, 0, "הפקת הקובץ", 8, 392, 724, 94, B, kBlue, kFrameBlueGrey},
    {1029, L"STATIC", kCaption, 0, "רשימת קבצים קיימים", 261, 150, 122, 16, B, kSystem,
     kTransparent},
    {1030, L"STATIC", kCaption, 0, "מס. עוסק", 19, 71, 62, 17, R, kSystem, kTransparent},
    {1031, L"STATIC", kCaption, 0, "חודש הדו\"ח", 19, 99, 62, 17, R, kSystem, kTransparent},
    {1032, L"STATIC", kValue, kValueEx, "", 111, 94, 60, 23, R, kBlue, kWhite},
    {1033, L"BUTTON", BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER | WS_GROUP, 0, "קובץ איחוד עוסקים",
     400, 416, 120, 16, R, kSystem, kOptionBlueGrey},
    {1034, L"BUTTON", BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER, 0, "איחוד קבצים למייצג", 400, 440,
     125, 16, R, kSystem, kOptionBlueGrey},
    {1035, L"STATIC", kCaption, 0, "מספר עוסק", 216, 400, 67, 17, R, kSystem, kTransparent},
    {1036, L"EDIT", ES_NUMBER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "", 296, 400, 72, 20, R, kBlue,
     kSystem},
    {1037, L"BUTTON", BS_GROUPBOX, 0, "סוג הקובץ המופק", 384, 400, 160, 62, B, kSystem,
     kOptionGroupGrey},
    {1040, UPDOWN_CLASSW, kSpin, 0, nullptr, 606, 26, 17, 20, N, kSystem, kSystem},
    {1042, UPDOWN_CLASSW, kSpin, 0, nullptr, 606, 51, 17, 20, N, kSystem, kSystem},
    {1041, UPDOWN_CLASSW, kSpin, 0, nullptr, 606, 76, 17, 20, N, kSystem, kSystem},
};

static_assert(sizeof(kControls) / sizeof(kControls[0]) == 41);

}  // namespace

std::span<const ControlSpec> MainDialogControls() {
  return kControls;
}

const ControlSpec* FindControl(int id) {
  for (const ControlSpec& control : kControls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

}  // namespace pcn
