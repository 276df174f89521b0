// The Win32 test driver: starts the real Pcn874Merge.exe once per scenario and works it only
// through window messages, as a user's clicks and keys would; also calls its exported
// DrawTransparentBitmap by ordinal and checks pure layout arithmetic.
//   driver.exe test|screenshots PROGRAM.exe WORKDIR [SCENARIO]
// Writes driver.log and, for `test`, result.txt ("PASS n" or "FAIL k of n") in WORKDIR.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/control_id.h"
#include "controls/button_geometry.h"
#include "controls/column_fit.h"
#include "controls/scale.h"
#include "controls/windows_api.h"
#include "driver_support.h"
#include "pcn_version.h"
#include "window/file_drop.h"
#include "window/layout.h"

using namespace driver;

namespace {

std::wstring g_exe, g_work;

// The resolution this run is made at (PCN_DPI, set by the script with the prefix's LogPixels)
// and the slack of the scaled rectangles: the table's 96-DPI pixels are exact, scaled ones
// may round either way.
int g_dpi = 96;
int g_slack = 0;
int S(int value) {
  return MulDiv(value, g_dpi, 96);
}

// The message boxes' OK button in the system's language (PCN_OK_TEXT; English unless set).
std::wstring g_okText = L"OK";

bool CheckNear(long long actual, long long expected, const std::wstring& what) {
  if (g_slack == 0) return CheckEqual(actual, expected, what);
  return Check(actual >= expected - g_slack && actual <= expected + g_slack,
               what + L": " + std::to_wstring(actual) + L", want " + std::to_wstring(expected) +
                   L" +-" + std::to_wstring(g_slack));
}

// Texts the program must show, quoted here independently of the program's own tables.
const std::wstring kCaption = Utf8("תוכנת איחוד קבצים");
const std::wstring kOpenTitle = Utf8("ציין את מיקום הקובץ");
const std::wstring kDealerCaption = Utf8("מספר עוסק");
const std::wstring kRepresentativeCaption = Utf8("מספר מייצג");
const std::wstring kTitle = Utf8("איחוד קבצי PCN874 - Velmora מוצרי תוכנה בע'מ");
const std::wstring kAlreadyLoaded = Utf8("קובץ זה נמצא כבר ברשימת הקבצים");
const std::wstring kMonthDiffers = Utf8("חודש הדיווח בקובץ זה אינו זהה לחודש הדיווח בקובץ הקודם");
const std::wstring kClosingDiffers = Utf8("מספר עוסק ברשומת סגירה אינו זהה לרשומת הפתיחה");
const std::wstring kCorrupt = Utf8("הקובץ שצויין פגום ולא ניתן לקוראו");
const std::wstring kMarkToRemove = Utf8("יש לסמן את הקובץ שברצונך להסיר");
const std::wstring kTooFewFiles = Utf8("לא נבחרו קבצים ליצור הקובץ המאוחד");
const std::wstring kGenerated = Utf8("הפקת הקובץ הושלמה בהצלחה");
const std::wstring kOfferRecord = Utf8("\rלשמור את תיעוד האיחוד לתיק הלקוח?");
const std::wstring kIncomeDiffers = Utf8("הפרש גדול מ 5% בין תנועות וסכומי ההכנסות");
// The third line of the month's refusal: the refused file's month, then the loaded files'.
const std::wstring kAprilNotMarch = Utf8("\rחודש הדיווח בקובץ 04-2024, בקבצים שברשימה 03-2024");
const std::wstring kSourceChanged =
    Utf8("הקובץ השתנה מאז שנוסף לרשימה - יש להסירו ולהוסיפו מחדש. הקובץ המאוחד לא הופק");
const std::wstring kNoFindings = Utf8("לא נמצאו ממצאים בקובץ זה");
// Findings as a message box lists them: their Hebrew messages, on one line each (a longer
// one cut to the line).
const std::wstring kShortRecord = Utf8("אורך הרשומה אינו תואם את סוגה");
const std::wstring kRepeatedRecord = Utf8("החשבונית דווחה כבר - היא תיספר פעמיים");
const std::wstring kWouldBeRefused = Utf8("הקובץ המאוחד יידחה בקליטה: ");
const std::wstring kWouldCountTwice = Utf8("בקובץ המאוחד חשבונית תיספר פעמיים: ");
const std::wstring kGenerateAnyway = Utf8("\rלהפיק את הקובץ המאוחד בכל זאת?");
// 4970 as "4,970".
std::wstring FormatCount(long long value) {
  std::wstring digits = std::to_wstring(value);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, L",");
  return digits;
}
// `text` is `words` followed by `path` as a box names it: whole beside them or on a line of
// its own, or there shortened in the middle ("Z:\...\" and the path's end).
bool NamesPath(const std::wstring& text, const std::wstring& words, const std::wstring& path) {
  if (text == words + L" " + path || text == words + L"\r" + path) return true;
  const std::wstring shortened = words + L"\r" + path.substr(0, 3) + L"...";
  return text.starts_with(shortened) && text.size() > shortened.size() &&
         text[shortened.size()] == L'\\' && path.ends_with(text.substr(shortened.size()));
}
// The success message: the merged file on the line after it (whole, or shortened in the
// middle), then `count` findings written to `file` (a name in the work folder, or a full path
// beside the merged file) and the record offered.
bool SaysGenerated(const std::wstring& text, int count, const std::wstring& file) {
  if (!text.ends_with(kOfferRecord) || !text.starts_with(kGenerated + L"\r")) return false;
  const std::wstring findings =
      file.find(L'\\') == std::wstring::npos ? g_work + L"\\" + file : file;
  const std::wstring merged =
      findings.substr(0, findings.size() - std::wstring(L".findings.txt").size()) + L".txt";
  const std::size_t line = kGenerated.size() + 1;
  const std::size_t end = text.find(L'\r', line);
  if (end == std::wstring::npos || !NamesPath(L"\r" + text.substr(line, end - line), L"", merged)) {
    return false;
  }
  return NamesPath(text.substr(end + 1, text.size() - kOfferRecord.size() - end - 1),
                   Utf8("נמצאו ") + std::to_wstring(count) + Utf8(" ממצאים - פירוט בקובץ"),
                   findings);
}

// The controls the scenarios work, by their identifiers in the program's shared list.
using pcn::ControlId;
using pcn::IdOf;
constexpr int kGenerate = IdOf(ControlId::kGenerate);
constexpr int kTaxable = IdOf(ControlId::kTaxableSales);
constexpr int kExempt = IdOf(ControlId::kExemptSales);
constexpr int kSalesVat = IdOf(ControlId::kSalesVat);
constexpr int kInputsVat = IdOf(ControlId::kInputsVat);
constexpr int kAssetVat = IdOf(ControlId::kAssetInputsVat);
constexpr int kPayable = IdOf(ControlId::kVatPayable);
constexpr int kCombo = IdOf(ControlId::kDealerCombo);
constexpr int kSalesCount = IdOf(ControlId::kSalesRecordCount);
constexpr int kInputCount = IdOf(ControlId::kInputRecordCount);
constexpr int kRemove = IdOf(ControlId::kRemoveFile);
constexpr int kAdd = IdOf(ControlId::kAddFile);
constexpr int kList = IdOf(ControlId::kFileList);
constexpr int kDirectory = IdOf(ControlId::kOutputDirectory);
constexpr int kBrowse = IdOf(ControlId::kBrowse);
constexpr int kMonth = IdOf(ControlId::kReportMonth);
constexpr int kUnion = IdOf(ControlId::kDealersUnionOption);
constexpr int kRepresentative = IdOf(ControlId::kRepresentativeOption);
constexpr int kNumberCaption = IdOf(ControlId::kNumberCaption);
constexpr int kNumber = IdOf(ControlId::kNumber);
constexpr int kSpinTaxable = IdOf(ControlId::kSpinTaxableSales);
// The file list's columns: the file's name first, then the dealer, ..., the findings last.
constexpr int kNameColumn = 0, kDealerColumn = 1, kFindingsColumn = 10;
// The system menu's About and save-record items.
constexpr WPARAM kAboutCommand = 0x110, kSaveRecordCommand = 0x120;

// --- Sample PCN874 files ---------------------------------------------------------------------

std::string Signed(long long value, int width) {
  char text[32];
  snprintf(text, sizeof(text), "%c%0*lld", value < 0 ? '-' : '+', width - 1,
           value < 0 ? -value : value);
  return text;
}

std::string Count(long long value) {
  char text[16];
  snprintf(text, sizeof(text), "%09lld", value);
  return text;
}

struct Declared {
  long long taxable, salesVat, salesCount, exempt, inputsVat, assetVat, inputCount, payable;
};

std::string Opening(const std::string& dealer, const std::string& yyyymm, const Declared& d) {
  return "O" + dealer + yyyymm + "1" + "20240415" + Signed(d.taxable, 12) + Signed(d.salesVat, 10) +
         "+00000000000+000000000" + Count(d.salesCount) + Signed(d.exempt, 12) +
         Signed(d.inputsVat, 10) + Signed(d.assetVat, 10) + Count(d.inputCount) +
         Signed(d.payable, 12);
}

// A detail record: type, 30 columns of reference data, VAT (9 digits), sign, amount (10).
std::string Detail(char type, const std::string& reference, long long vat, bool negative,
                   long long amount) {
  std::string ref = reference;
  ref.resize(30, '0');
  char numbers[32];
  snprintf(numbers, sizeof(numbers), "%09lld%c%010lld", vat, negative ? '-' : '+', amount);
  return std::string(1, type) + ref + numbers;
}

bool WriteLines(const std::wstring& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

const std::string kDealerA = "123456782";
const std::string kDealerB = "987654324";

std::wstring InputPath(const std::wstring& name) {
  return g_work + L"\\inputs\\" + name;
}
// The second file has a Hebrew name: the open-file dialog and the loader must use wide paths.
const std::wstring kNameA = L"north.txt";
const std::wstring kNameB = Utf8("דרום.txt");

void WriteSamples() {
  CreateDirectoryW((g_work + L"\\inputs").c_str(), nullptr);
  // A: taxable 1,000 with VAT 170, inputs VAT 50.
  WriteLines(InputPath(kNameA),
             {Opening(kDealerA, "202403", {1000, 170, 1, 0, 50, 0, 1, 120}),
              Detail('S', "111111118202403010000000001", 170, false, 1000),
              Detail('T', "222222226202403020000000002", 50, false, 0), "X" + kDealerA});
  // B: a negative exempt amount (a credit), matched by a negative transaction record.
  WriteLines(InputPath(kNameB),
             {Opening(kDealerB, "202403", {2500, 425, 2, -300, 100, 0, 1, 325}),
              Detail('S', "333333334202403050000000003", 425, false, 2500),
              Detail('L', "444444442202403060000000004", 0, true, 300),
              Detail('T', "555555557202403070000000005", 100, false, 0), "X" + kDealerB});
  WriteLines(InputPath(L"april.txt"), {Opening(kDealerA, "202404", {1000, 170, 1, 0, 0, 0, 0, 170}),
                                       Detail('S', "1", 170, false, 1000), "X" + kDealerA});
  WriteLines(InputPath(L"closing.txt"),
             {Opening(kDealerA, "202403", {1000, 170, 1, 0, 0, 0, 0, 170}),
              Detail('S', "1", 170, false, 1000), "X123456783"});
  WriteLines(InputPath(L"opening-only.txt"),
             {Opening(kDealerA, "202403", {1000, 170, 1, 0, 0, 0, 0, 170}),
              Detail('S', "1", 170, false, 1000)});
  // Files chosen several at a time from the folder the open-file dialog starts in, and a
  // hard link to one of them.
  CopyFileW(InputPath(kNameA).c_str(), (g_work + L"\\m1-north.txt").c_str(), FALSE);
  CopyFileW(InputPath(L"closing.txt").c_str(), (g_work + L"\\m2-closing.txt").c_str(), FALSE);
  CopyFileW(InputPath(kNameB).c_str(), (g_work + L"\\m3-south.txt").c_str(), FALSE);
  DeleteFileW((g_work + L"\\m1-link.txt").c_str());
  CreateHardLinkW((g_work + L"\\m1-link.txt").c_str(), (g_work + L"\\m1-north.txt").c_str(),
                  nullptr);
}

// --- Working the program --------------------------------------------------------------------

void Click(const App& app, int id) {
  PostMessageW(GetDlgItem(app.main, id), BM_CLICK, 0, 0);
}

// Answers the open-file dialog Add-file opens: type the path into its name field, press OK.
bool AnswerOpenFile(const App& app, const std::wstring& path) {
  HWND open = WaitForDialogTitled(app, kOpenTitle);
  if (!Check(open != nullptr, L"the open-file dialog appears")) return false;
  CheckEqual(Text(GetDlgItem(open, 0x470)), Utf8("קבצי טקסט"),
             L"the open-file dialog offers text files first");  // cmb1, the file types
  HWND name = GetDlgItem(open, 0x480);                          // edt1
  if (!name) {
    HWND combo = GetDlgItem(open, 0x47c);  // cmb13
    name = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
    if (!name) name = combo;
  }
  if (!Check(name != nullptr, L"the open-file dialog has a file name field")) return false;
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(open, IDOK)));
  return Check(WaitFor([&] { return !IsWindow(open); }), L"the open-file dialog closes");
}

// Adds a file through the real open-file dialog.
bool ChooseFile(const App& app, const std::wstring& path) {
  Click(app, kAdd);
  return AnswerOpenFile(app, path);
}

bool AddAndWaitForRows(const App& app, const std::wstring& path, int rows) {
  if (!ChooseFile(app, path)) return false;
  HWND list = GetDlgItem(app.main, kList);
  return Check(WaitFor([&] { return ListCount(list) == rows; }),
               L"the list shows " + std::to_wstring(rows) + L" rows after adding " + path);
}

// Adds a file that must be refused with `message`, the file named on a second line and `after`
// it, and checks that nothing changed.
void ExpectRefusal(const App& app, const std::wstring& path, const std::wstring& message,
                   const std::wstring& after = L"") {
  const int rows = ListCount(GetDlgItem(app.main, kList));
  const std::wstring taxable = ItemText(app.main, kTaxable);
  const std::wstring month = ItemText(app.main, kMonth);
  if (!ChooseFile(app, path)) return;
  MessageBoxSeen box = AnswerMessageBox(app, kCaption);
  CheckEqual(box.text, message + L"\r" + path.substr(path.find_last_of(L"\\/") + 1) + after,
             L"message for " + path);
  CheckEqual(static_cast<long long>(box.buttons.size()), 1, L"buttons of the message box");
  if (!box.buttons.empty()) CheckEqual(box.buttons[0], g_okText, L"the one button");
  CheckEqual(ListCount(GetDlgItem(app.main, kList)), rows, L"rows after refusing " + path);
  CheckEqual(ItemText(app.main, kTaxable), taxable, L"taxable revenues after refusing " + path);
  CheckEqual(ItemText(app.main, kMonth), month, L"report month after refusing " + path);
}

void ClickSpin(const App& app, int id, bool up) {
  HWND spin = GetDlgItem(app.main, id);
  // The control itself stops reporting steps at the ends of its range 1..10; keep it in the
  // middle so every click is a step.
  SendMessageW(spin, UDM_SETPOS32, 0, 5);
  RECT client;
  GetClientRect(spin, &client);
  const LPARAM point = MAKELPARAM(client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
  PostMessageW(spin, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(spin, WM_LBUTTONUP, 0, point);
}

// Posted messages are handled in order: once the option click shows, everything posted
// before it has been handled.
void SettleWithOptionClicks(const App& app) {
  Click(app, kRepresentative);
  WaitFor([&] { return ItemText(app.main, kNumberCaption) == kRepresentativeCaption; });
  Click(app, kUnion);
  WaitFor([&] { return ItemText(app.main, kNumberCaption) == kDealerCaption; });
}

struct Scenario {
  const wchar_t* name;
  void (*run)(App&);
  bool needsApp;
};

// --- Scenarios: pure arithmetic and the exported painter --------------------------------------

void PureArithmetic(App&) {
  using pcn::CentredOffset;
  static const struct {
    int whole, part, want;
    const wchar_t* why;
  } kOffsets[] = {
      {35, 24, 6, L"5.5 rounds to the even 6"},
      {49, 32, 8, L"8.5 rounds to the even 8"},
      {24, 16, 4, L"exact"},
      {10, 32, 0, L"taller bitmap starts at the top"},
      {20, 17, 2, L"1.5 rounds to the even 2"},
  };
  for (const auto& c : kOffsets) {
    CheckEqual(CentredOffset(c.whole, c.part), c.want, std::wstring(L"CentredOffset: ") + c.why);
  }
  const pcn::ButtonGeometry pressed = pcn::ComputeButtonGeometry(113, 35, 24, 24, true);
  CheckEqual(pressed.text.left, 4 + 24 + 8 - 1, L"pressed text moves one pixel to the left");
  CheckEqual(pressed.text.top, 3, L"pressed text moves one pixel up");
  Check(!pressed.centreText, L"text after a bitmap is not centred");
  const pcn::ButtonGeometry plain = pcn::ComputeButtonGeometry(51, 24, 0, 0, false);
  Check(plain.centreText && plain.text.left == 4, L"without a bitmap the text is centred from 4");

  static const struct {
    std::vector<int> widths;
    int client;
    std::vector<int> want;
    const wchar_t* why;
  } kFits[] = {
      {{100, 200, 200, 200, 200, 200, 200, 200, 200, 2000},
       900,
       {100, 100, 100, 100, 100, 100, 100, 100, 100, 0},
       L"900 px: column 0 keeps 100, the others share 800, the old filler counts for nothing"},
      {{100, 300, 100, 0}, 200, {100, 75, 25, 0}, L"proportions kept, column 0 untouched"},
      {{100, 0, 0, 500}, 640, {100, 0, 0, 540}, L"nothing to share: the filler fills"},
      {{100, 1, 2, 10}, 110, {100, 3, 6, 1}, L"truncated toward zero, the filler takes the rest"},
      {{100, 50, 50, 0}, 80, {100, 0, 0, 0}, L"narrower than column 0: nothing negative"},
  };
  for (const auto& c : kFits) {
    Check(pcn::FitColumnWidths(c.widths, c.client) == c.want,
          std::wstring(L"FitColumnWidths: ") + c.why);
  }

  const pcn::Edges grown = pcn::ApplyMinimumSize({100, 100, 300, 200}, 734, 473);
  Check(grown.left == 100 && grown.top == 100 && grown.right == 834 && grown.bottom == 573,
        L"minimum size moves the right and bottom edges");
  const pcn::Edges kept = pcn::ApplyMinimumSize({0, 0, 900, 700}, 734, 473);
  Check(kept.right == 900 && kept.bottom == 700, L"a large enough rectangle is unchanged");
  // The file list caption sits at W / 2 - 45, a half going to the even neighbour.
  static const struct {
    int w, want;
  } kCaptionX[] = {{741, 326}, {742, 326}, {743, 326}, {745, 328}, {1024, 467}};
  for (const pcn::LayoutRule& rule : pcn::ResizeLayout()) {
    if (rule.id != ControlId::kFileListCaption) continue;
    for (const auto& c : kCaptionX) {
      CheckEqual(rule.first.Evaluate(c.w, 500), c.want, L"caption x for W " + std::to_wstring(c.w));
    }
  }
}

using ExportedPainter = void(WINAPI*)(const std::int32_t*, const std::int32_t*, const std::int32_t*,
                                      const std::int32_t*, std::int32_t*);

struct Surface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  DWORD* bits = nullptr;
  int w = 0, h = 0;
  Surface(int width, int height, COLORREF fill) : w(width), h(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    void* data = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &data, nullptr, 0);
    bits = static_cast<DWORD*>(data);
    for (int i = 0; i < w * h; ++i) bits[i] = ToDib(fill);
  }
  ~Surface() {
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  static DWORD ToDib(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const DWORD p = bits[y * w + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  void Set(int x, int y, COLORREF c) { bits[y * w + x] = ToDib(c); }
  std::vector<DWORD> Pixels() const {
    GdiFlush();
    return std::vector<DWORD>(bits, bits + w * h);
  }
};

std::int32_t Handle32(HGDIOBJ handle) {
  return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(handle));
}

// Wine maps an .exe loaded with LoadLibrary without binding its imports (Windows binds
// them); bind them here so the exported function can call GDI. Harmless where already bound.
void BindImports(HMODULE module) {
  auto* base = reinterpret_cast<BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& directory =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (directory.VirtualAddress == 0) return;
  for (auto* import =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
       import->Name != 0; ++import) {
    HMODULE library = LoadLibraryA(reinterpret_cast<const char*>(base + import->Name));
    auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(
        base + (import->OriginalFirstThunk ? import->OriginalFirstThunk : import->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + import->FirstThunk);
    for (; names->u1.AddressOfData != 0; ++names, ++slots) {
      const char* name =
          IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
              ? reinterpret_cast<const char*>(IMAGE_ORDINAL(names->u1.Ordinal))
              : reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
      FARPROC address = GetProcAddress(library, name);
      DWORD old = 0;
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<ULONGLONG>(address);
      VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
    }
  }
}

void TransparentBitmap(App&) {
  HMODULE program = LoadLibraryW(g_exe.c_str());
  if (!Check(program != nullptr, L"the program loads as a module")) return;
  BindImports(program);
  auto byOrdinal = reinterpret_cast<ExportedPainter>(
      reinterpret_cast<void*>(GetProcAddress(program, MAKEINTRESOURCEA(1))));
  auto byName = reinterpret_cast<ExportedPainter>(
      reinterpret_cast<void*>(GetProcAddress(program, "DrawTransparentBitmap")));
  Check(byOrdinal != nullptr, L"DrawTransparentBitmap is exported as ordinal 1");
  Check(byOrdinal == byName, L"ordinal 1 and the name are the same function");
  if (!byOrdinal) return;

  const COLORREF grey = RGB(192, 192, 192), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  const COLORREF background = RGB(10, 200, 30);
  // A 4x3 picture: grey border column 0, red and blue elsewhere.
  auto makePicture = [&](COLORREF first, COLORREF other) {
    auto s = std::make_unique<Surface>(4, 3, other);
    for (int y = 0; y < 3; ++y) s->Set(0, y, first);
    s->Set(2, 1, blue);
    return s;
  };
  static const struct {
    COLORREF topLeft, other;
    std::int32_t colour;
    const wchar_t* why;
  } kCases[] = {
      {RGB(192, 192, 192), RGB(255, 0, 0), -1, L"top-left grey is transparent"},
      {RGB(192, 192, 192), RGB(255, 0, 0), 0x00FF00FF, L"a colour absent from the bitmap: opaque"},
      {RGB(192, 192, 192), RGB(192, 192, 192), -1, L"an all-transparent bitmap leaves the target"},
  };
  for (const auto& c : kCases) {
    auto picture = makePicture(c.topLeft, c.other);
    if (c.other == grey) picture->Set(2, 1, grey);
    const std::vector<DWORD> before = picture->Pixels();
    Surface target(10, 8, background);
    const std::int32_t dc = Handle32(target.dc), bitmap = Handle32(picture->bitmap);
    HGDIOBJ old = SelectObject(target.dc, target.bitmap);
    const std::int32_t x = 3, y = 2;
    std::int32_t colour = c.colour;
    byOrdinal(&dc, &bitmap, &x, &y, &colour);
    SelectObject(target.dc, old);
    const std::wstring why = c.why;
    if (c.colour < 0)
      CheckEqual(colour, static_cast<std::int32_t>(grey), why + L": colour written back");
    else
      CheckEqual(colour, c.colour, why + L": colour kept");
    for (int py = 0; py < 3; ++py) {
      for (int px = 0; px < 4; ++px) {
        const COLORREF source = picture->At(px, py);
        const bool transparent = source == static_cast<COLORREF>(colour);
        const COLORREF want = transparent ? background : source;
        Check(target.At(x + px, y + py) == want,
              why + L": pixel " + std::to_wstring(px) + L"," + std::to_wstring(py) + L" is " +
                  ColourText(target.At(x + px, y + py)) + L", want " + ColourText(want));
      }
    }
    Check(target.At(2, 2) == background && target.At(7, 2) == background &&
              target.At(3, 1) == background && target.At(3, 5) == background,
          why + L": nothing drawn outside the bitmap's rectangle");
    Check(picture->Pixels() == before, why + L": the bitmap is unchanged afterwards");
  }

  // Partly outside the target: the visible part is drawn, nothing breaks.
  auto picture = makePicture(grey, red);
  Surface target(5, 5, background);
  HGDIOBJ old = SelectObject(target.dc, target.bitmap);
  const std::int32_t dc = Handle32(target.dc), bitmap = Handle32(picture->bitmap);
  const std::int32_t x = 3, y = -1;
  std::int32_t colour = -1;
  byOrdinal(&dc, &bitmap, &x, &y, &colour);
  SelectObject(target.dc, old);
  Check(target.At(3, 0) == background && target.At(4, 0) == red && target.At(4, 1) == red,
        L"clipped at the edge: visible pixels drawn, transparent column kept");
  FreeLibrary(program);
}

// --- Scenarios: the window ---------------------------------------------------------------------

void InitialState(App& app) {
  CheckEqual(Text(app.main), kTitle, L"title");
  RECT client;
  GetClientRect(app.main, &client);
  CheckNear(client.right, S(734), L"client width");
  CheckNear(client.bottom, S(488), L"client height");
  Check((GetWindowLongW(app.main, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0, L"mirrored layout");

  RECT window, work;
  GetWindowRect(app.main, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const long w = window.right - window.left, h = window.bottom - window.top;
  CheckEqual(window.left, std::max(0L, work.left + work.right - w) / 2, L"centred: left");
  CheckEqual(window.top, std::max(0L, work.top + work.bottom - h) / 2, L"centred: top");

  CheckEqual(ItemText(app.main, kNumberCaption), kDealerCaption, L"number caption at start");
  CheckEqual(static_cast<long long>(SendMessageW(GetDlgItem(app.main, kUnion), BM_GETCHECK, 0, 0)),
             BST_CHECKED, L"dealers' union option checked");
  CheckEqual(static_cast<long long>(
                 SendMessageW(GetDlgItem(app.main, kRepresentative), BM_GETCHECK, 0, 0)),
             BST_UNCHECKED, L"representative option unchecked");
  CheckEqual(ItemText(app.main, kDirectory), g_work, L"output directory is the current directory");
  for (int id : {kTaxable, kExempt, kSalesVat, kInputsVat, kAssetVat, kPayable, kSalesCount,
                 kInputCount, kMonth, kNumber}) {
    CheckEqual(ItemText(app.main, id), L"", L"control " + std::to_wstring(id) + L" starts empty");
  }
  HWND list = GetDlgItem(app.main, kList);
  CheckEqual(ListCount(list), 0, L"the list starts empty");
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  CheckEqual(static_cast<long long>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)), 12,
             L"eleven columns and the filler");
  // The fitted columns: the name stays 100; the others share the rest as 80 (the dealer),
  // 56 (each amount), 54 (each count) and 50 (the findings); the filler takes only what the
  // truncation leaves, so that every column lies inside the list and nothing scrolls.
  RECT listClient;
  GetClientRect(list, &listClient);
  std::vector<int> widths;
  int sum = 0;
  for (int c = 0; c < 12; ++c) {
    widths.push_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0)));
    sum += widths.back();
  }
  CheckNear(widths[0], S(100), L"column 0 width");
  for (int c = 3; c <= 7; ++c) {
    CheckEqual(widths[c], widths[2], L"column " + std::to_wstring(c) + L" width equals column 2's");
  }
  CheckEqual(widths[9], widths[8], L"the two counts' columns are equally wide");
  const int room = listClient.right - widths[0];
  static const struct {
    int column, share;
  } kShares[] = {{1, 80}, {2, 56}, {8, 54}, {kFindingsColumn, 50}};
  for (const auto& c : kShares) {
    const int want = room * c.share / (80 + 6 * 56 + 2 * 54 + 50);
    Check(std::abs(widths[c.column] - want) <= 1,
          L"column " + std::to_wstring(c.column) + L" has its share " + std::to_wstring(want) +
              L" of the room, saw " + std::to_wstring(widths[c.column]));
  }
  CheckEqual(sum, listClient.right, L"the columns and the filler span the list's client width");
  Check(widths[11] >= 0 && widths[11] <= 10,
        L"the filler takes only the truncation's remainder, saw " + std::to_wstring(widths[11]));
  Check((GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) == 0,
        L"the empty list has no horizontal scroll bar");

  // The controls in creation order with class, text and (for those the layout leaves alone)
  // rectangle; -1 where the layout or the control itself decides. The combo box sets its own
  // height.
  static const struct {
    ControlId id;
    const wchar_t* cls;
    const char* text;
    int x, y, w, h;
  } kTable[] = {
      {ControlId::kAddFile, L"Button", "הוסף קובץ", 4, 132, 113, 35},
      {ControlId::kRemoveFile, L"Button", "גרע קובץ", -1, 133, 114, 35},
      {ControlId::kBrowse, L"Button", "עיון", -1, -1, 51, 24},
      {ControlId::kGenerate, L"Button", "הפקת הקובץ", -1, -1, 142, 49},
      {ControlId::kDealerCombo, L"ComboBox", "", 112, 69, 126, -1},
      {ControlId::kMergedGroup, L"Button", "סיכומי הקובץ המאוחד", 6, 3, -1, 126},
      {ControlId::kTaxableSalesCaption, L"Static", "הכנסות חייבות", 17, 29, 80, 17},
      {ControlId::kExemptSalesCaption, L"Static", "הכנסות פטורות", 276, 29, 86, 17},
      {ControlId::kSalesVatCaption, L"Static", "מע\"מ עיסקאות", 503, 29, 87, 17},
      {ControlId::kInputsVatCaption, L"Static", "מע\"מ תשומות", 503, 78, 87, 16},
      {ControlId::kAssetInputsVatCaption, L"Static", "מע\"מ תשומות רכוש", 503, 55, 102, 17},
      {ControlId::kVatPayableCaption, L"Static", "הפרש לתשלום", 503, 102, 85, 17},
      {ControlId::kTaxableSales, L"Static", "", 112, 24, 97, 25},
      {ControlId::kExemptSales, L"Static", "", 383, 24, 98, 25},
      {ControlId::kSpinTaxableSales, L"msctls_updown32", "", 95, 26, 17, 20},
      {ControlId::kSpinExemptSales, L"msctls_updown32", "", 366, 26, 17, 20},
      {ControlId::kSalesVat, L"Static", "", 623, 24, 98, 25},
      {ControlId::kInputsVat, L"Static", "", 623, 74, 98, 24},
      {ControlId::kAssetInputsVat, L"Static", "", 623, 49, 98, 25},
      {ControlId::kVatPayable, L"Static", "", 623, 98, 98, 24},
      {ControlId::kSalesRecordCountCaption, L"Static", "סה\"כ עיסקאות", 276, 76, 83, 16},
      {ControlId::kInputRecordCountCaption, L"Static", "סה\"כ תשומות", 276, 100, 83, 16},
      {ControlId::kSalesRecordCount, L"Static", "", 383, 71, 60, 24},
      {ControlId::kInputRecordCount, L"Static", "", 383, 95, 60, 24},
      {ControlId::kFileList, L"SysListView32", "", 6, 176, -1, -1},
      {ControlId::kOutputDirectory, L"Static", nullptr, -1, -1, 310, 26},
      {ControlId::kOutputDirectoryCaption, L"Static", "הספרייה אליה יופק הקובץ", -1, -1, 135, 16},
      {ControlId::kDealerGroup, L"Button", "", 9, 57, 235, 64},
      {ControlId::kGenerationGroup, L"Button", "הפקת הקובץ", -1, -1, -1, 83},
      {ControlId::kFileListCaption, L"Static", "רשימת קבצים קיימים", -1, 150, 122, 16},
      {ControlId::kDealerCaption, L"Static", "מס. עוסק", 19, 71, 62, 17},
      {ControlId::kReportMonthCaption, L"Static", "חודש הדו\"ח", 19, 99, 62, 17},
      {ControlId::kReportMonth, L"Static", "", 111, 94, 60, 23},
      {ControlId::kDealersUnionOption, L"Button", "קובץ איחוד עוסקים", 400, -1, 120, 16},
      {ControlId::kRepresentativeOption, L"Button", "איחוד קבצים למייצג", 400, -1, 125, 16},
      {ControlId::kNumberCaption, L"Static", "מספר עוסק", -1, -1, 67, 17},
      {ControlId::kNumber, L"Edit", "", -1, -1, 72, 20},
      {ControlId::kOutputTypeGroup, L"Button", "סוג הקובץ המופק", -1, -1, 160, 62},
      {ControlId::kSpinSalesVat, L"msctls_updown32", "", 606, 26, 17, 20},
      {ControlId::kSpinAssetInputsVat, L"msctls_updown32", "", 606, 51, 17, 20},
      {ControlId::kSpinInputsVat, L"msctls_updown32", "", 606, 76, 17, 20},
  };
  const std::vector<HWND> children = Children(app.main);
  CheckEqual(static_cast<long long>(children.size()), 41, L"number of controls");
  for (std::size_t i = 0; i < std::size(kTable) && i < children.size(); ++i) {
    const auto& c = kTable[i];
    const std::wstring what = L"control #" + std::to_wstring(i + 1);
    if (!CheckEqual(GetDlgCtrlID(children[i]), IdOf(c.id), what + L" (creation order) id")) {
      continue;
    }
    CheckEqual(ClassOf(children[i]), c.cls, what + L" class");
    if (c.text) CheckEqual(Text(children[i]), Utf8(c.text), what + L" text");
    const MirroredRect r = ControlRect(app.main, IdOf(c.id));
    if (c.x >= 0) CheckNear(r.x, S(c.x), what + L" x");
    if (c.y >= 0) CheckNear(r.y, S(c.y), what + L" y");
    if (c.w >= 0) CheckNear(r.w, S(c.w), what + L" width");
    if (c.h >= 0) CheckNear(r.h, S(c.h), what + L" height");
    const LONG style = GetWindowLongW(children[i], GWL_STYLE);
    using enum ControlId;
    const bool tabStop = c.id == kGenerate || c.id == kDealerCombo || c.id == kRemoveFile ||
                         c.id == kAddFile || c.id == kFileList || c.id == kBrowse;
    Check(((style & WS_TABSTOP) != 0) == tabStop,
          what + (tabStop ? L" is a tab stop" : L" is not a tab stop"));
  }

  // Focus starts in the list; Tab visits the image buttons, the combo box and the list again.
  Check(WaitFor([&] { return AppFocus(app) == list; }), L"focus starts in the file list");
  for (int id : {kAdd, kRemove, kBrowse, kGenerate, kCombo, kList}) {
    PostMessageW(AppFocus(app), WM_KEYDOWN, VK_TAB, 0);
    HWND want = GetDlgItem(app.main, id);
    Check(WaitFor([&] { return AppFocus(app) == want; }, 5000),
          L"Tab moves the focus to control " + std::to_wstring(id) + L", saw " +
              ClassOf(AppFocus(app)) + L" " + std::to_wstring(GetDlgCtrlID(AppFocus(app))));
  }

  // Focus keeping: deactivating remembers the focused control, activating gives it back.
  SendMessageW(app.main, WM_NCACTIVATE, FALSE, 0);
  PostMessageW(list, WM_KEYDOWN, VK_TAB, 0);
  HWND add = GetDlgItem(app.main, kAdd);
  WaitFor([&] { return AppFocus(app) == add; }, 5000);
  SendMessageW(app.main, WM_NCACTIVATE, TRUE, 0);
  Check(WaitFor([&] { return AppFocus(app) == list; }, 5000),
        L"reactivating gives the focus back to the file list");

  // Enter and Escape run nothing and close nothing.
  PostMessageW(AppFocus(app), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(AppFocus(app), WM_KEYDOWN, VK_ESCAPE, 0);
  SettleWithOptionClicks(app);
  Check(IsWindow(app.main) && IsWindowVisible(app.main), L"Enter and Escape leave the window open");
  Check(NoMessageBox(app, kCaption), L"Enter and Escape show no message");

  // The option buttons switch the number field's caption.
  Click(app, kRepresentative);
  Check(WaitFor([&] { return ItemText(app.main, kNumberCaption) == kRepresentativeCaption; }),
        L"the representative option sets the caption to " + kRepresentativeCaption);
  CheckEqual(static_cast<long long>(SendMessageW(GetDlgItem(app.main, kUnion), BM_GETCHECK, 0, 0)),
             BST_UNCHECKED, L"dealers' union unchecked after choosing representative");
  Click(app, kUnion);
  Check(WaitFor([&] { return ItemText(app.main, kNumberCaption) == kDealerCaption; }),
        L"the dealers' union option sets the caption back");

  // A spin click while nothing is loaded does nothing and says nothing.
  ClickSpin(app, kSpinTaxable, true);
  SettleWithOptionClicks(app);
  Check(NoMessageBox(app, kCaption), L"spin on an empty total shows no message");
  CheckEqual(ItemText(app.main, kTaxable), L"", L"spin on an empty total changes nothing");

  // Remove with nothing loaded: a beep, no message.
  Click(app, kRemove);
  SettleWithOptionClicks(app);
  Check(NoMessageBox(app, kCaption), L"remove with no file loaded shows no message");

  // Dragging the divider of column 0 does nothing; dragging another divider works. Header
  // coordinates are mirrored like the window: x runs from the right edge.
  auto dragDivider = [&](int x, int by) {
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    PostMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + by, 5));
    PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x + by, 5));
    SettleWithOptionClicks(app);
  };
  dragDivider(widths[0], 40);
  CheckNear(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), S(100), L"column 0 after a divider drag");
  dragDivider(widths[0] + widths[1], 40);
  CheckEqual(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), widths[1] + 40,
             L"column 1 after a divider drag");
}

// Where each control must be for an outer window of W x H, written out independently of the
// program's own layout table: x from the client area's right edge, -1 where not checked.
struct ExpectedPlace {
  ControlId id;
  int x, y, w, h;
};

// Lengths are 96-DPI pixels scaled to the run's resolution.
std::vector<ExpectedPlace> ExpectedLayout(int W, int H) {
  // W / 2 - 45 = (W - 90) / 2, a half going to the even neighbour.
  const int half = (W - S(90)) / 2;
  const int captionX = (W - S(90)) % 2 == 0 || half % 2 == 0 ? half : half + 1;
  return {
      {ControlId::kMergedGroup, S(6), S(3), W - S(15), S(126)},
      {ControlId::kFileList, S(6), S(176), W - S(20), H - S(310)},
      {ControlId::kRemoveFile, W - S(126), S(133), S(114), S(35)},
      {ControlId::kGenerationGroup, S(5), H - S(125), W - S(18), S(83)},
      {ControlId::kOutputDirectory, S(17), H - S(80), S(310), S(26)},
      {ControlId::kOutputDirectoryCaption, S(17), H - S(100), S(135), S(16)},
      {ControlId::kBrowse, S(328), H - S(80), S(51), S(24)},
      {ControlId::kGenerate, W - S(165), H - S(100), S(142), S(49)},
      {ControlId::kOutputTypeGroup, S(390), H - S(110), S(160), S(62)},
      {ControlId::kDealersUnionOption, S(400), H - S(90), S(120), S(16)},
      {ControlId::kRepresentativeOption, S(400), H - S(70), S(125), S(16)},
      {ControlId::kNumber, S(310), H - S(110), S(72), S(20)},
      {ControlId::kNumberCaption, S(240), H - S(108), S(67), S(17)},
      {ControlId::kFileListCaption, captionX, S(150), S(122), S(16)},
      {ControlId::kAddFile, S(4), S(132), S(113), S(35)},
      {ControlId::kTaxableSales, S(112), S(24), S(97), S(25)},
      {ControlId::kSpinInputsVat, S(606), S(76), S(17), S(20)},
      {ControlId::kReportMonth, S(111), S(94), S(60), S(23)},
  };
}

void CheckLayout(const App& app, const std::wstring& when) {
  RECT window;
  GetWindowRect(app.main, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  for (const ExpectedPlace& want : ExpectedLayout(w, h)) {
    const MirroredRect r = ControlRect(app.main, IdOf(want.id));
    const std::wstring what = when + L": control " + std::to_wstring(IdOf(want.id));
    CheckNear(r.x, want.x, what + L" x from the right edge");
    CheckNear(r.y, want.y, what + L" y");
    CheckNear(r.w, want.w, what + L" width");
    CheckNear(r.h, want.h, what + L" height");
  }
}

void Resizing(App& app) {
  CheckLayout(app, L"at start");

  RECT dragged = {100, 100, 300, 200};
  SendMessageW(app.main, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&dragged));
  Check(dragged.left == 100 && dragged.top == 100 && dragged.right == 100 + S(734) &&
            dragged.bottom == 100 + S(473),
        L"WM_SIZING grows the rectangle to 734 x 473 (scaled) by its right and bottom edges, "
        L"saw " +
            std::to_wstring(dragged.right) + L"x" + std::to_wstring(dragged.bottom));

  const int wide = S(960), tall = S(700);
  SetWindowPos(app.main, nullptr, 10, 10, wide, tall, SWP_NOZORDER);
  const int groupId = IdOf(ControlId::kMergedGroup);
  Check(WaitFor([&] {
          RECT r;
          GetWindowRect(app.main, &r);
          return r.right - r.left == wide && ControlRect(app.main, groupId).w == wide - S(15);
        }),
        L"the totals group follows a resize to 960 x 700 (scaled)");
  CheckLayout(app, L"at 960 x 700 (scaled)");

  ShowWindow(app.main, SW_MAXIMIZE);
  Check(WaitFor([&] { return IsZoomed(app.main) != FALSE; }), L"the window maximises");
  WaitFor([&] {
    RECT r;
    GetWindowRect(app.main, &r);
    return ControlRect(app.main, groupId).w == (r.right - r.left) - S(15);
  });
  CheckLayout(app, L"maximised");
  ShowWindow(app.main, SW_RESTORE);
}

HWND OpenFolderBrowser(const App& app) {
  Click(app, kBrowse);
  HWND browser = nullptr;
  Check(WaitFor([&] {
          for (HWND window : AppWindows(app, L"#32770")) {
            if (window != app.main && GetWindow(window, GW_OWNER) == app.main) browser = window;
          }
          return browser != nullptr;
        }),
        L"the folder browser opens");
  return browser;
}

HWND FindDescendant(HWND parent, const wchar_t* cls) {
  for (HWND child : Children(parent)) {
    if (ClassOf(child) == cls) return child;
    if (HWND found = FindDescendant(child, cls)) return found;
  }
  return nullptr;
}

void PressAndWaitClosed(HWND dialog, int button, const std::wstring& what) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  Check(WaitFor([&] { return !IsWindow(dialog); }), what);
}

void Browsing(App& app) {
  RECT main;
  GetWindowRect(app.main, &main);
  HWND browser = OpenFolderBrowser(app);
  if (!browser) return;
  Check(WaitFor(
            [&] {
              RECT r;
              GetWindowRect(browser, &r);
              return r.left == main.left + S(30) && r.top == main.top + S(30);
            },
            5000),
        L"the folder browser sits 30 px right of and below the main window's corner");

  // The current directory is preselected; the Left arrow moves up the folder tree and OK
  // takes that folder, one of the current directory's ancestors.
  // Both messages go to the same thread's queue, so the key is handled before OK.
  PostMessageW(FindDescendant(browser, L"SysTreeView32"), WM_KEYDOWN, VK_LEFT, 0);
  PressAndWaitClosed(browser, IDOK, L"the folder browser closes on OK");
  const std::wstring chosen = ItemText(app.main, kDirectory);
  Check(chosen != g_work && !chosen.empty() && g_work.rfind(chosen, 0) == 0,
        L"OK sets the output directory to the chosen folder, an ancestor of " + g_work + L", saw " +
            chosen);

  // Cancel goes back to the current directory, whatever was chosen before.
  browser = OpenFolderBrowser(app);
  if (!browser) return;
  PressAndWaitClosed(browser, IDCANCEL, L"the folder browser closes on Cancel");
  CheckEqual(ItemText(app.main, kDirectory), g_work,
             L"after Cancel the output directory is the current directory");
}

// Waits until the pixel at (x, y) is (or, with `want` false, is no longer) near `colour`.
bool WaitForPixel(const RECT& area, int x, int y, COLORREF colour, int tolerance, bool want,
                  const std::wstring& what) {
  COLORREF seen = CLR_INVALID;
  const bool ok = WaitFor(
      [&] {
        seen = CaptureScreen(area).At(x, y);
        return Near(seen, colour, tolerance) == want;
      },
      10000);
  return Check(ok, what + L", saw " + ColourText(seen));
}

void Pixels(App& app) {
  WINDOWINFO info = {};
  info.cbSize = sizeof(info);
  GetWindowInfo(app.main, &info);
  const RECT client = info.rcClient;
  // Park the pointer outside the window so no button is hot.
  SetCursorPos(1, 1);
  const int y = client.top + S(172);  // between the buttons and the list: plain background
  WaitForPixel(info.rcWindow, client.right - 1, y, RGB(224, 224, 224), 4, true,
               L"background at the right edge (mirrored x = 0) is RGB(224,224,224)");
  const Capture shot = CaptureScreen(info.rcWindow);
  Check(Near(shot.At(client.left, y), RGB(180, 195, 218), 4),
        L"background at the left edge is RGB(180,195,218), saw " +
            ColourText(shot.At(client.left, y)));

  RECT add;
  GetWindowRect(GetDlgItem(app.main, kAdd), &add);
  const int cx = (add.left + add.right) / 2;
  Check(Near(shot.At(cx, add.top), RGB(161, 192, 219), 6),
        L"button gradient top, saw " + ColourText(shot.At(cx, add.top)));
  Check(Near(shot.At(cx, add.bottom - 1), RGB(59, 91, 120), 10),
        L"button gradient bottom, saw " + ColourText(shot.At(cx, add.bottom - 1)));
  Check(Near(shot.At(cx, add.top + S(1)), RGB(0, 60, 116), 2),
        L"button outline, saw " + ColourText(shot.At(cx, add.top + S(1))));
  Check(!Near(shot.At(cx, add.top + S(3)), RGB(252, 210, 121), 20),
        L"no hot frame without the pointer, saw " + ColourText(shot.At(cx, add.top + S(3))));

  // The pointer over the button gives the golden frame; moving it away, to the background or
  // straight out of the window, removes it.
  const auto frameFollows = [&](POINT at, bool hot, const std::wstring& what) {
    COLORREF seen = CLR_INVALID;
    const bool ok = WaitWithPointerAt(at, 0, [&] {
      seen = CaptureScreen(add).At(cx, add.top + S(3));
      return Near(seen, RGB(252, 210, 121), hot ? 2 : 20) == hot;
    });
    Check(ok, what + L", saw " + ColourText(seen));
  };
  for (const auto& [away, where] : {std::pair{POINT{cx, y}, L"to the background"},
                                    std::pair{POINT{1, 1}, L"out of the window"}}) {
    frameFollows({cx, (add.top + add.bottom) / 2}, true, L"hot frame under the pointer");
    frameFollows(away, false, std::wstring(L"the hot frame goes when the pointer moves ") + where);
  }

  HWND header =
      reinterpret_cast<HWND>(SendMessageW(GetDlgItem(app.main, kList), LVM_GETHEADER, 0, 0));
  RECT item;
  GetWindowRect(header, &item);
  const Capture bar = CaptureScreen(item);
  const int hx = item.right - S(6);  // inside column 0 (the rightmost), beside its centred text
  Check(Near(bar.At(hx, item.top + 2), RGB(161, 192, 219), 12),
        L"header gradient top, saw " + ColourText(bar.At(hx, item.top + 2)));
  Check(Near(bar.At(hx, item.bottom - 3), RGB(59, 91, 120), 12),
        L"header gradient bottom, saw " + ColourText(bar.At(hx, item.bottom - 3)));
}

// The totals with the two sample files A and B loaded.
void CheckBothFilesTotals(const App& app, const std::wstring& when) {
  static const struct {
    int id;
    const char* want;
  } kTotals[] = {
      {kTaxable, "3,500 "}, {kExempt, "-300 "}, {kSalesVat, "595 "}, {kInputsVat, "150 "},
      {kAssetVat, "0 "},    {kPayable, "445 "}, {kSalesCount, "3 "}, {kInputCount, "2 "},
  };
  for (const auto& c : kTotals) {
    CheckEqual(ItemText(app.main, c.id), Utf8(c.want), L"total in " + std::to_wstring(c.id) + when);
  }
}

// The record of the merge just made, through the save-file dialog that the success message's
// Yes or the system menu opens: the page names the merged file and keeps the three spin steps
// made before it, the earlier two included though a file was removed and added since (their
// steps stay in the totals).
void SaveRecordOfMerge(const App& app, const std::wstring& fileName, bool fromMenu) {
  const std::wstring path = g_work + L"\\" + fileName;
  DeleteFileW(path.c_str());  // a page of an earlier run would bring the replace question
  if (fromMenu) PostMessageW(app.main, WM_SYSCOMMAND, kSaveRecordCommand, 0);
  HWND save = WaitForDialogTitled(app, Utf8("שמירת תיעוד האיחוד"));
  if (!Check(save != nullptr, L"the save-file dialog appears")) return;
  HWND name = GetDlgItem(save, 0x480);  // edt1
  if (!name) {
    HWND combo = GetDlgItem(save, 0x47c);  // cmb13
    name = combo ? FindWindowExW(combo, nullptr, L"Edit", nullptr) : nullptr;
    if (!name) name = combo;
  }
  if (!Check(name != nullptr, L"the save-file dialog has a file name field")) return;
  CheckEqual(Text(name), L"Pcn874-03-2024.html", L"the record is offered the merged file's name");
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageW(save, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(save, IDOK)));
  const std::wstring saved = AnswerMessageBox(app, kCaption).text;
  Check(NamesPath(saved, Utf8("תיעוד האיחוד נשמר בקובץ"), path),
        L"the record is saved in " + path + L", saw " + saved);
  std::string page;
  if (FILE* file = _wfopen(path.c_str(), L"rb")) {
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof(buffer), file)) > 0;) {
      page.append(buffer, got);
    }
    fclose(file);
  }
  Check(page.find("<html dir=\"rtl\"") != std::string::npos, L"the record is a Hebrew page");
  Check(page.find("Pcn874-03-2024.txt") != std::string::npos, L"the record names the merged file");
  const std::string up =
      "<td class=\"n\">+1</td><td class=\"n\">3,500</td><td class=\"n\">3,501</td>";
  const std::size_t first = page.find(up);
  Check(first != std::string::npos && page.find(up, first + 1) != std::string::npos &&
            page.find("<td class=\"n\">-1</td><td class=\"n\">3,501</td>") != std::string::npos,
        L"the record lists the three spin steps");
}

// Rests the pointer on a row until the list's tip shows `want` (ten seconds at most); returns
// the tip last shown.
std::wstring RestOnRow(const App& app, HWND list, int row, const std::wstring& want) {
  const RECT cell = ListFirstCell(app, list, row);
  POINT rest = {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
  ClientToScreen(list, &rest);
  std::wstring shown;
  WaitWithPointerAt(rest, 2000, [&] { return (shown = ShownTip(app, list)) == want; });
  return shown;
}

void FilesAndGenerate(App& app) {
  HWND list = GetDlgItem(app.main, kList);
  if (!AddAndWaitForRows(app, InputPath(kNameA), 1)) return;
  CheckEqual(ItemText(app.main, kMonth), L"03-2024  ", L"report month after the first file");
  CheckEqual(ItemText(app.main, kTaxable), L"1,000 ", L"taxable revenues after the first file");
  CheckEqual(ItemText(app.main, kNumber), Utf8(kDealerA.c_str()), L"number field takes the dealer");
  CheckEqual(ItemText(app.main, kCombo), Utf8(kDealerA.c_str()), L"combo box shows the dealer");

  // One file is not enough to merge.
  Click(app, kGenerate);
  CheckEqual(AnswerMessageBox(app, kCaption).text, kTooFewFiles, L"generate with one file");

  if (!AddAndWaitForRows(app, InputPath(kNameB), 2)) return;
  static const struct {
    int row, column;
    const char* want;
  } kCells[] = {
      // The name without its folder; a Hebrew one embedded left to right (LRE ... PDF), so
      // that its extension shows after it in the right-to-left list.
      {0, 0, "north.txt"},
      {1, 0, "\u202Aדרום.txt\u202C"},
      {0, 1, "123456782"},
      {0, 2, "1,000"},
      {0, 3, "0"},
      {0, 4, "170"},
      {0, 5, "50"},
      {0, 8, "1"},
      {0, 9, "1"},
      {0, 10, "2"},
      {0, 11, " "},
      {1, 1, "987654324"},
      {1, 2, "2,500"},
      {1, 3, "-300"},
      {1, 7, "325"},
      {1, 8, "2"},
      {1, 9, "1"},
      {1, 10, "5"},  // short records, a negative exempt total, a counterparty's check digit
  };
  for (const auto& c : kCells) {
    CheckEqual(ListCell(app, list, c.row, c.column), Utf8(c.want),
               L"cell " + std::to_wstring(c.row) + L"," + std::to_wstring(c.column));
  }
  // Each row's tip is its file's full path, as chosen: the pointer resting on a row shows it.
  for (int row : {1, 0}) {
    const std::wstring want = InputPath(row == 0 ? kNameA : kNameB);
    const std::wstring shown = RestOnRow(app, list, row, want);
    CheckEqual(shown, want, L"the pointer on row " + std::to_wstring(row + 1) + L" shows its path");
  }
  SetCursorPos(1, 1);
  Check((GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) == 0,
        L"two rows: every column inside the list, no horizontal scroll bar");

  // F1: the guide beside the program, or a message naming where it was looked for.
  const std::wstring guide = g_exe.substr(0, g_exe.find_last_of(L"\\/") + 1) + L"guide.html";
  if (GetFileAttributesW(guide.c_str()) == INVALID_FILE_ATTRIBUTES) {
    PostMessageW(list, WM_KEYDOWN, VK_F1, 0);
    const std::wstring missing = AnswerMessageBox(app, kCaption).text;
    Check(NamesPath(missing, Utf8("המדריך לא נמצא בתיקיית התוכנה:"), guide),
          L"F1 without the guide says where it was looked for, saw " + missing);
  } else {
    Log(L"  F1 not pressed: a guide beside the program would open a browser");
  }
  // About, from the system menu: the version and what the program is for.
  PostMessageW(app.main, WM_SYSCOMMAND, kAboutCommand, 0);
  const MessageBoxSeen about = AnswerMessageBox(app, kCaption);
  Check(about.text.starts_with(kCaption + Utf8(" - גרסה ") + Utf8(PCN_VERSION) + L"\r") &&
            about.text.find(L"PCN874") != std::wstring::npos,
        L"About shows the version and the purpose, saw " + about.text);
  CheckEqual(static_cast<long long>(about.buttons.size()), 1, L"About's one button");
  CheckBothFilesTotals(app, L"");
  CheckEqual(ItemText(app.main, kNumber), Utf8(kDealerA.c_str()),
             L"a second dealer leaves the first selected");

  ExpectRefusal(app, InputPath(kNameA), kAlreadyLoaded);
  ExpectRefusal(app, InputPath(L"april.txt"), kMonthDiffers, kAprilNotMarch);
  ExpectRefusal(app, InputPath(L"closing.txt"), kClosingDiffers);
  ExpectRefusal(app, InputPath(L"opening-only.txt"), kCorrupt);

  // Spin: one step up then one down; a step beyond 5% is refused with nothing changed.
  ClickSpin(app, kSpinTaxable, true);
  Check(WaitFor([&] { return ItemText(app.main, kTaxable) == L"3,501 "; }),
        L"spin up moves taxable revenues to 3,501, saw " + ItemText(app.main, kTaxable));
  ClickSpin(app, kSpinTaxable, false);
  Check(WaitFor([&] { return ItemText(app.main, kTaxable) == L"3,500 "; }),
        L"spin down moves taxable revenues back to 3,500");
  ClickSpin(app, kSpinTaxable, true);
  Check(WaitFor([&] { return ItemText(app.main, kTaxable) == L"3,501 "; }),
        L"spin up again: 3,501 (kept for the merged file)");

  // Remove needs a selected row; then the second row goes.
  // A double click on an image button runs its command once.
  ListSelect(app, list, -1, false);
  HWND remove = GetDlgItem(app.main, kRemove);
  for (UINT mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
    PostMessageW(remove, mouse, mouse == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(10, 10));
  }
  CheckEqual(AnswerMessageBox(app, kCaption).text, kMarkToRemove, L"remove with no row selected");
  SettleWithOptionClicks(app);
  Check(NoMessageBox(app, kCaption), L"a double click on Remove asks only once");
  CheckEqual(ListCount(list), 2, L"nothing removed without a selection");
  // The pointer resting on the row that goes: its tip goes with it.
  const std::wstring pathB = InputPath(kNameB);
  RestOnRow(app, list, 1, pathB);
  ListSelect(app, list, 1, true);
  Click(app, kRemove);
  Check(WaitFor([&] { return ListCount(list) == 1; }), L"removing row 2 leaves one row");
  // Well before the tip's own timeout (five seconds) would hide it.
  std::wstring tip;
  const bool gone = WaitFor([&] { return (tip = ShownTip(app, list)) != pathB; }, 1500);
  Check(gone, L"the removed file's path no longer shows under the pointer, saw \"" + tip + L"\"");
  SetCursorPos(1, 1);
  CheckEqual(ItemText(app.main, kExempt), L"0 ", L"exempt total after removing the credit file");
  CheckEqual(ItemText(app.main, kTaxable), L"1,001 ", L"taxable keeps the spin step after removal");
  CheckEqual(ListCell(app, list, 0, kDealerColumn), Utf8(kDealerA.c_str()),
             L"the first file stays in row 1");
  CheckEqual(SendMessageW(GetDlgItem(app.main, kCombo), CB_GETCOUNT, 0, 0), 1,
             L"the removed file's dealer leaves the combo box");
  if (!AddAndWaitForRows(app, InputPath(kNameB), 2)) return;

  // Generate both shapes into the current directory, keeping copies for the comparison. The
  // exempt total is negative, which the reception refuses: the question comes first, Yes.
  const std::wstring merged = g_work + L"\\Pcn874-03-2024.txt";
  const std::wstring findings = L"Pcn874-03-2024.findings.txt";
  Click(app, kGenerate);
  const std::wstring refused = kWouldBeRefused + L"negative-total 105\r";
  Check(
      AnswerMessageBox(app, kCaption, IDYES).text.starts_with(refused + L"Pcn874-03-2024.txt:1: "),
      L"the union record's negative total is asked about");
  const MessageBoxSeen generated = AnswerMessageBox(app, kCaption, IDYES);
  Check(SaysGenerated(generated.text, 7, findings),
        L"dealers' union generated, its record offered, saw " + generated.text);
  CheckEqual(generated.defaultButton, IDNO, L"Enter alone does not open the save-file dialog");
  Check(CopyFileW(merged.c_str(), (g_work + L"\\gui-union.txt").c_str(), FALSE) != 0,
        L"the dealers' union file exists");
  SaveRecordOfMerge(app, L"gui-record.html", false);
  Click(app, kRepresentative);
  WaitFor([&] { return ItemText(app.main, kNumberCaption) == kRepresentativeCaption; });
  Click(app, kGenerate);
  Check(AnswerMessageBox(app, kCaption, IDYES).text.starts_with(refused + kNameB + L":1: "),
        L"the source's negative total is asked about in the representative file");
  const std::wstring representative = AnswerMessageBox(app, kCaption, IDNO).text;
  Check(SaysGenerated(representative, 7, findings),
        L"representative file generated, saw " + representative);
  Check(CopyFileW(merged.c_str(), (g_work + L"\\gui-representative.txt").c_str(), FALSE) != 0,
        L"the representative file exists");
  SaveRecordOfMerge(app, L"gui-record-menu.html", true);

  // Choosing a dealer in the combo box (arrow key on the closed list) overwrites whatever was
  // typed into the number field.
  HWND number = GetDlgItem(app.main, kNumber);
  SendMessageW(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"555"));
  PostMessageW(GetDlgItem(app.main, kCombo), WM_KEYDOWN, VK_DOWN, 0);
  Check(WaitFor([&] { return Text(number) == Utf8(kDealerB.c_str()); }, 5000),
        L"choosing the second dealer puts it into the number field, saw " + Text(number));

  // A number that fails the check digit is refused.
  SendMessageW(number, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12"));
  Click(app, kGenerate);
  CheckEqual(AnswerMessageBox(app, kCaption).text, Utf8("מספר העוסק שהנבחר להפקה אינו תקין"),
             L"number 12 fails the check digit");
}

void SeveralFiles(App& app) {
  // Chosen together in another order, loaded by file name; the refused one is named on its
  // message's second line and the file after it is still loaded.
  HWND list = GetDlgItem(app.main, kList);
  if (!ChooseFile(app, L"\"m3-south.txt\" \"m1-north.txt\" \"m2-closing.txt\"")) return;
  CheckEqual(AnswerMessageBox(app, kCaption).text, kClosingDiffers + L"\r" + L"m2-closing.txt",
             L"the refused file's message names it on a second line");
  Check(WaitFor([&] { return ListCount(list) == 2; }), L"two of the three files are loaded");
  CheckEqual(ListCell(app, list, 0, kNameColumn), L"m1-north.txt", L"m1-north.txt comes first");
  CheckEqual(ListCell(app, list, 1, kNameColumn), L"m3-south.txt", L"m3-south.txt comes last");
  CheckEqual(ListCell(app, list, 1, kDealerColumn), Utf8(kDealerB.c_str()),
             L"m3-south.txt's dealer");
  CheckEqual(ItemText(app.main, kTaxable), L"3,500 ", L"taxable revenues of the two files");

  // The same file under another name is refused as already loaded.
  ExpectRefusal(app, g_work + L"\\M1-NORTH.TXT", kAlreadyLoaded);
  ExpectRefusal(app, L".\\inputs\\..\\m1-north.txt", kAlreadyLoaded);
  ExpectRefusal(app, g_work + L"\\m1-link.txt", kAlreadyLoaded);
}

void IncomeRule(App& app) {
  // Single steps may not take the declared income more than 5% away from the records: with
  // records of 1,000 the tenth step (1,051: p = -5.1) is refused.
  HWND list = GetDlgItem(app.main, kList);
  if (!AddAndWaitForRows(app, InputPath(kNameA), 1)) return;
  for (int step = 1; step <= 50; ++step) {
    ClickSpin(app, kSpinTaxable, true);
    const std::wstring want = std::to_wstring(1000 + step);
    const std::wstring shown = want.substr(0, 1) + L"," + want.substr(1) + L" ";
    if (!WaitFor([&] { return ItemText(app.main, kTaxable) == shown; }, 10000)) {
      Check(false, L"step " + std::to_wstring(step) + L" shows " + shown);
      return;
    }
  }
  ClickSpin(app, kSpinTaxable, true);
  // The step's figures on a second line, the minus sign held before its digits (U+200E).
  CheckEqual(AnswerMessageBox(app, kCaption).text,
             kIncomeDiffers + Utf8("\rסכום מדווח 1,051.00, סכום התנועות 1,000.00, הפרש ") +
                 L"\u200E-5.1000%",
             L"the 51st step is refused, with its figures");
  CheckEqual(ItemText(app.main, kTaxable), L"1,050 ", L"a refused step changes nothing");
  CheckEqual(ListCount(list), 1, L"still one file");
}

// --- Drops from an X file manager -----------------------------------------------------------

POINT CentreOf(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Drops `paths` at the screen point `at` as a Linux file manager would: the xdnd-drop tool (its
// Unix path in PCN_XDND_DROP) is an X drag-and-drop source, and Wine's X11 driver turns its drop
// into WM_DROPFILES for the window under the point. Returns the tool's one-line report.
std::wstring DropFiles(POINT at, const std::vector<std::wstring>& paths) {
  wchar_t tool[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"PCN_XDND_DROP", tool, MAX_PATH)) {
    return L"error: PCN_XDND_DROP does not name the xdnd-drop tool";
  }
  static int serial = 0;
  const std::wstring name = g_work + L"\\drop-" + std::to_wstring(++serial);
  const std::wstring request = name + L".request", result = name + L".result";
  std::string text = std::to_string(at.x) + " " + std::to_string(at.y) + "\n";
  for (const std::wstring& path : paths) text += ToUtf8(UnixPath(path)) + "\n";
  HANDLE file = CreateFileW(request.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (file == INVALID_HANDLE_VALUE) return L"error: cannot write " + request;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);

  // Wine starts a Unix program without a process handle: its result file says when it is done.
  std::wstring program = std::wstring(L"Z:") + tool;
  for (wchar_t& c : program) {
    if (c == L'/') c = L'\\';
  }
  std::wstring command =
      L"\"" + program + L"\" \"" + UnixPath(request) + L"\" \"" + UnixPath(result) + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return L"error: cannot start " + program;
  }
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  if (!WaitFor([&] { return GetFileAttributesW(result.c_str()) != INVALID_FILE_ATTRIBUTES; },
               30000)) {
    return L"error: xdnd-drop wrote no result";
  }
  std::string line;
  if (FILE* report = _wfopen(result.c_str(), L"rb")) {
    char buffer[512] = {};
    if (fgets(buffer, sizeof(buffer), report)) line = buffer;
    fclose(report);
  }
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return Utf8(line.c_str());
}

bool CheckDropped(const std::wstring& report, const std::wstring& where) {
  Log(L"  xdnd-drop onto " + where + L": " + report);
  return Check(report.rfind(L"finished accepted=1 action=XdndActionCopy ", 0) == 0,
               L"the X drop onto " + where + L" is accepted as a copy and finished: " + report);
}

// The message for a refused file of several: its text, then the file's name on a second line.
std::wstring RefusalOf(const std::wstring& message, const std::wstring& name) {
  return message + L"\r" + name;
}

// The names a drop handle carries, read as the program reads them, from a handle built here as
// the shell builds one: wide names in the drop's order, a folder left out, a missing file kept
// (adding it gives its own message).
void DropHandle(App&) {
  const std::wstring folder = InputPath(L"middle.txt");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::vector<std::wstring> names = {InputPath(kNameB), folder, InputPath(L"missing.txt"),
                                           InputPath(kNameA)};
  std::wstring list;
  for (const std::wstring& name : names) list += name + L'\0';
  list += L'\0';
  const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  if (!Check(memory != nullptr, L"a drop handle can be built")) return;
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::memcpy(reinterpret_cast<BYTE*>(drop) + sizeof(DROPFILES), list.data(),
              list.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  const std::vector<std::string> read = pcn::DroppedFiles(static_cast<HDROP>(memory));
  GlobalFree(memory);
  const std::vector<std::string> want = {ToUtf8(names[0]), ToUtf8(names[2]), ToUtf8(names[3])};
  CheckEqual(static_cast<long long>(read.size()), 3, L"names read from the drop handle");
  for (std::size_t i = 0; i < want.size() && i < read.size(); ++i) {
    CheckEqual(Utf8(read[i].c_str()), Utf8(want[i].c_str()),
               L"dropped name " + std::to_wstring(i + 1) + L" (UTF-8, in the drop's order)");
  }
}

void DroppedFiles(App& app) {
  HWND list = GetDlgItem(app.main, kList);
  // A folder named like a text file among the dropped files (drop-handle checks that it is left
  // out of the names): it brings no message.
  const std::wstring folder = InputPath(L"middle.txt");
  CreateDirectoryW(folder.c_str(), nullptr);

  // Onto the list, in an order that is not the name order: sorted, closing.txt comes first and
  // is refused while the list is still empty, then north.txt and the Hebrew-named file follow.
  if (!CheckDropped(DropFiles(CentreOf(list), {InputPath(kNameB), folder, InputPath(kNameA),
                                               InputPath(L"closing.txt")}),
                    L"the file list")) {
    return;
  }
  HWND box = WaitForDialogTitled(app, kCaption);
  CheckEqual(ListCount(list), 0, L"the first file by name is refused before any is added");
  CheckEqual(AnswerMessageBox(app, kCaption).text, RefusalOf(kClosingDiffers, L"closing.txt"),
             L"message for the refused dropped file");
  if (!Check(box && WaitFor([&] { return ListCount(list) == 2; }),
             L"the two good files of the drop are added")) {
    return;
  }
  SettleWithOptionClicks(app);
  Check(NoMessageBox(app, kCaption),
        L"no other message: none for the folder, the drop handled once");
  CheckEqual(ListCell(app, list, 0, kDealerColumn), Utf8(kDealerA.c_str()),
             L"north.txt is row 1 (name order)");
  CheckEqual(ListCell(app, list, 1, kDealerColumn), Utf8(kDealerB.c_str()),
             L"the Hebrew-named file is row 2 (name order)");
  CheckBothFilesTotals(app, L" after the drop");

  // Onto another part of the window, the totals: both refused, in name order, nothing changes.
  if (!CheckDropped(DropFiles(CentreOf(GetDlgItem(app.main, kTaxable)),
                              {InputPath(kNameA), InputPath(L"april.txt")}),
                    L"the totals")) {
    return;
  }
  CheckEqual(AnswerMessageBox(app, kCaption).text,
             RefusalOf(kMonthDiffers, L"april.txt") + kAprilNotMarch,
             L"first message of the second drop");
  CheckEqual(AnswerMessageBox(app, kCaption).text, RefusalOf(kAlreadyLoaded, kNameA),
             L"second message of the second drop");
  SettleWithOptionClicks(app);
  Check(NoMessageBox(app, kCaption), L"no further message after the second drop");
  CheckEqual(ListCount(list), 2, L"files already added stay");
  CheckBothFilesTotals(app, L" after the refused drop");
}

// A file exported again between Add-file and Generate: its loaded totals no longer describe
// its records, so nothing is written until it is removed and added again. May files, so that
// no other scenario's merged file is in the way.
void SourceChanged(App& app) {
  HWND list = GetDlgItem(app.main, kList);
  const std::wstring first = InputPath(L"may-a.txt"), second = InputPath(L"may-b.txt");
  WriteLines(first, {Opening(kDealerA, "202405", {1000, 170, 1, 0, 50, 0, 1, 120}),
                     Detail('S', "111111118202405010000000001", 170, false, 1000),
                     Detail('T', "222222226202405020000000002", 50, false, 0), "X" + kDealerA});
  WriteLines(second, {Opening(kDealerB, "202405", {2500, 425, 1, 0, 100, 0, 1, 325}),
                      Detail('S', "333333334202405050000000003", 425, false, 2500),
                      Detail('T', "555555557202405070000000005", 100, false, 0), "X" + kDealerB});
  if (!AddAndWaitForRows(app, first, 1) || !AddAndWaitForRows(app, second, 2)) return;
  CheckEqual(ItemText(app.main, kTaxable), L"3,500 ", L"taxable revenues as first loaded");

  // Exported again with one more sale.
  const Declared now = {3100, 527, 2, 0, 100, 0, 1, 427};
  if (!Check(WriteLines(second, {Opening(kDealerB, "202405", now),
                                 Detail('S', "333333334202405050000000003", 425, false, 2500),
                                 Detail('S', "444444442202405060000000004", 102, false, 600),
                                 Detail('T', "555555557202405070000000005", 100, false, 0),
                                 "X" + kDealerB}),
             L"the second file can be written again while it is listed")) {
    return;
  }
  const std::wstring merged = g_work + L"\\Pcn874-05-2024.txt";
  Click(app, kGenerate);
  CheckEqual(AnswerMessageBox(app, kCaption).text, RefusalOf(kSourceChanged, L"may-b.txt"),
             L"Generate names the changed file");
  SettleWithOptionClicks(app);
  Check(NoMessageBox(app, kCaption), L"one message for the changed file");
  Check(GetFileAttributesW(merged.c_str()) == INVALID_FILE_ATTRIBUTES,
        L"no merged file is written over the changed file");
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((g_work + L"\\Pcn874-merge*.tmp").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  Check(search == INVALID_HANDLE_VALUE,
        L"no temporary file is left, saw " +
            std::wstring(search == INVALID_HANDLE_VALUE ? L"none" : found.cFileName));

  // Removed and added again, its new totals count and head the merged file.
  if (!CheckEqual(ListCell(app, list, 1, kDealerColumn), Utf8(kDealerB.c_str()),
                  L"the changed file is row 2")) {
    return;
  }
  ListSelect(app, list, 1, true);
  Click(app, kRemove);
  if (!Check(WaitFor([&] { return ListCount(list) == 1; }), L"the changed file is removed") ||
      !AddAndWaitForRows(app, second, 2)) {
    return;
  }
  CheckEqual(ItemText(app.main, kTaxable), L"4,100 ", L"taxable revenues after adding it again");
  Click(app, kGenerate);
  // Five short records, one of them with a counterparty whose check digit fails.
  const std::wstring told = AnswerMessageBox(app, kCaption, IDNO).text;
  if (!Check(SaysGenerated(told, 6, L"Pcn874-05-2024.findings.txt"),
             L"generated after re-adding, saw " + told)) {
    return;
  }
  std::string line;
  if (FILE* file = _wfopen(merged.c_str(), L"rb")) {
    char buffer[256] = {};
    if (fgets(buffer, sizeof(buffer), file)) line = buffer;
    fclose(file);
  }
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  // Columns 18-25 are the day of the run.
  const std::string want = Opening(kDealerA, "202405", {4100, 697, 3, 0, 150, 0, 2, 547});
  auto withoutDate = [](const std::string& record) {
    return record.size() < 25 ? record : record.substr(0, 17) + record.substr(25);
  };
  CheckEqual(Utf8(withoutDate(line).c_str()), Utf8(withoutDate(want).c_str()),
             L"the merged file's opening record declares the new totals");
}

// The window that is active in the app's UI thread.
HWND AppActive(const App& app) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(app.process.dwThreadId, &info);
  return info.hwndActive;
}

// Tab, as a user presses it, until control `id` has the focus.
bool TabTo(const App& app, int id) {
  HWND want = GetDlgItem(app.main, id);
  for (int i = 0; i < 8 && AppFocus(app) != want; ++i) {
    HWND from = AppFocus(app);
    PostMessageW(from, WM_KEYDOWN, VK_TAB, 0);
    WaitFor([&] { return AppFocus(app) != from; }, 5000);
  }
  return Check(AppFocus(app) == want, L"Tab reaches control " + std::to_wstring(id));
}

// The window by keyboard alone: Enter presses the focused button as Space does, and lists the
// selected row's findings in the file list; after each message box, dialog or question the
// window is active again, the focus back where it was, and Tab goes on from there.
void Keyboard(App& app) {
  HWND list = GetDlgItem(app.main, kList);
  if (!Check(WaitFor([&] { return AppFocus(app) == list; }), L"focus starts in the file list")) {
    return;
  }
  const auto answerBox = [&](const std::wstring& want, int button) {
    return [&app, want, button] {
      const MessageBoxSeen box = AnswerMessageBox(app, kCaption, button);
      Check(box.text.starts_with(want), L"the box says " + want + L", saw " + box.text);
    };
  };
  const auto cancelFolderBrowser = [&] {
    HWND browser = nullptr;
    Check(WaitFor([&] {
            for (HWND window : AppWindows(app, L"#32770")) {
              if (window != app.main && GetWindow(window, GW_OWNER) == app.main) browser = window;
            }
            return browser != nullptr;
          }),
          L"Enter on Browse opens the folder browser");
    if (browser) PressAndWaitClosed(browser, IDCANCEL, L"the folder browser closes on Cancel");
  };
  const auto unselect = [&] { ListSelect(app, list, -1, false); };
  const auto selectSecond = [&] { ListSelect(app, list, 1, true); };
  const struct {
    int id;                        // the control Enter is pressed on
    std::function<void()> before;  // what the user has done first, if anything
    std::function<void()> answer;  // the box or dialog that Enter brings, answered
    int next;                      // the control Tab moves on to
    const wchar_t* why;
  } kPresses[] = {
      {kGenerate, nullptr, answerBox(kTooFewFiles, IDOK), kCombo, L"Generate with no file"},
      {kAdd, nullptr,
       [&] {
         AnswerOpenFile(app, InputPath(L"opening-only.txt"));
         answerBox(kCorrupt, IDOK)();
       },
       kRemove, L"Add-file, the file chosen refused"},
      {kAdd, nullptr, [&] { AnswerOpenFile(app, InputPath(kNameA)); }, kRemove,
       L"Add-file, the file chosen added"},
      {kRemove, unselect, answerBox(kMarkToRemove, IDOK), kBrowse, L"Remove-file, no row marked"},
      {kBrowse, nullptr, cancelFolderBrowser, kGenerate, L"Browse, cancelled"},
      {kAdd, nullptr, [&] { AnswerOpenFile(app, InputPath(kNameB)); }, kRemove,
       L"Add-file, a second file added"},
      {kList, selectSecond, answerBox(kNameB + L"\r", IDOK), kAdd,
       L"the file list: the row's findings"},
      {kGenerate, nullptr, answerBox(kWouldBeRefused, IDNO), kCombo,
       L"Generate, the question answered No"},
      {kGenerate, nullptr,
       [&] {
         answerBox(kWouldBeRefused, IDYES)();
         answerBox(kGenerated, IDNO)();
       },
       kCombo, L"Generate, written, the record not saved"},
  };
  for (const auto& press : kPresses) {
    const std::wstring why = press.why;
    if (press.before) press.before();
    if (!TabTo(app, press.id)) return;
    PostMessageW(AppFocus(app), WM_KEYDOWN, VK_RETURN, 0);
    press.answer();
    HWND pressed = GetDlgItem(app.main, press.id);
    Check(WaitFor([&] { return AppActive(app) == app.main && AppFocus(app) == pressed; }, 5000),
          why + L": the window is active and the focus back where Enter was pressed, saw " +
              ClassOf(AppFocus(app)) + L" " + std::to_wstring(GetDlgCtrlID(AppFocus(app))));
    PostMessageW(pressed, WM_KEYDOWN, VK_TAB, 0);
    HWND next = GetDlgItem(app.main, press.next);
    Check(WaitFor([&] { return AppFocus(app) == next; }, 5000), why + L": Tab goes on from there");
  }
  CheckEqual(ListCount(list), 2, L"two files added by keyboard");
}

// A folder of 225 characters under the work folder, its names with spaces; made if missing.
std::wstring MakeLongFolder() {
  std::wstring folder = g_work;
  for (int i = 1; folder.size() < 180; ++i) {
    folder += L"\\client files of a long name " + std::to_wstring(i);
    CreateDirectoryW(folder.c_str(), nullptr);
  }
  folder += L"\\" + std::wstring(folder.size() < 224 ? 224 - folder.size() : 1, L'm');
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// An output folder of 225 characters, the program started in it: the field shows its end and,
// under the pointer, all of it; the success message names the findings file shortened in the
// middle, and the file is written whole where it says.
void LongFolder(App&) {
  App app;
  app.exe = g_exe;
  app.directory = MakeLongFolder();
  if (!Check(GetFileAttributesW(app.directory.c_str()) != INVALID_FILE_ATTRIBUTES,
             L"a folder of 225 characters can be made") ||
      !Check(StartApp(app), L"the program starts in it")) {
    KillApp(app);
    return;
  }
  HWND field = GetDlgItem(app.main, kDirectory);
  CheckEqual(Text(field), app.directory, L"the output folder is the whole current folder");
  std::wstring tip;
  WaitWithPointerAt(CentreOf(field), 2000,
                    [&] { return (tip = ShownTip(app, field)) == app.directory; });
  CheckEqual(tip, app.directory, L"the pointer on the output folder shows all of it");
  SetCursorPos(1, 1);

  if (AddAndWaitForRows(app, InputPath(kNameA), 1) &&
      AddAndWaitForRows(app, InputPath(kNameB), 2)) {
    Click(app, kGenerate);
    AnswerMessageBox(app, kCaption, IDYES);  // the negative exempt total: generate anyway
    const std::wstring path = app.directory + L"\\Pcn874-03-2024.findings.txt";
    const MessageBoxSeen done = AnswerMessageBox(app, kCaption, IDNO);
    Check(SaysGenerated(done.text, 7, path) && done.text.find(app.directory) == std::wstring::npos,
          L"the success message names the findings file shortened in the middle, saw " + done.text);
    Check(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES,
          L"the findings file is written in the long folder");
  }
  Check(CloseApp(app), L"closing the window ends the process without a question");
}

// Each file's findings counted in its row from Add-file on, repeats of the files above it
// included, and counted again when a file goes; listed by a double click or Enter; Generate
// asks before writing a file that counts an invoice twice (No: nothing; Yes: written, the
// findings beside it). June files, so that no other scenario's merged file is in the way.
void Findings(App& app) {
  HWND list = GetDlgItem(app.main, kList);
  // Two members deduct one supplier's invoice, each in a short record; the third file holds a
  // whole record of 60 columns.
  const std::string input = Detail('T', "111111118202406010000000001", 170, false, 1000);
  const Declared one = {0, 0, 0, 0, 170, 0, 1, -170};
  const Declared sale = {1000, 170, 1, 0, 0, 0, 0, 170};
  const std::wstring a = InputPath(L"june-a.txt"), b = InputPath(L"june-b.txt"),
                     c = InputPath(L"june-c.txt");
  WriteLines(a, {Opening(kDealerA, "202406", one), input, "X" + kDealerA});
  WriteLines(b, {Opening(kDealerB, "202406", one), input, "X" + kDealerB});
  WriteLines(c, {Opening("513987651", "202406", sale),
                 Detail('S', "222222226202406020000000002", 170, false, 1000) + "000000000",
                 "X513987651"});
  if (!AddAndWaitForRows(app, a, 1) || !AddAndWaitForRows(app, b, 2) ||
      !AddAndWaitForRows(app, c, 3)) {
    return;
  }
  CheckEqual(ListCell(app, list, 0, kFindingsColumn), L"1", L"findings of june-a.txt");
  CheckEqual(ListCell(app, list, 1, kFindingsColumn), L"2",
             L"june-b.txt: its short record, and june-a.txt's invoice again, from Add-file on");
  CheckEqual(ListCell(app, list, 2, kFindingsColumn), L" ", L"june-c.txt has none: blank");
  // Taken out and added again below, june-a.txt is the one that repeats.
  ListSelect(app, list, 0, true);
  Click(app, kRemove);
  if (!WaitFor([&] { return ListCount(list) == 2; }, 5000)) {
    Check(false, L"june-a.txt taken out");
    return;
  }
  CheckEqual(ListCell(app, list, 0, kFindingsColumn), L"1",
             L"june-b.txt counted again once june-a.txt is gone");
  if (!AddAndWaitForRows(app, a, 3)) return;
  CheckEqual(ListCell(app, list, 0, kFindingsColumn), L"1", L"june-b.txt, now the first");
  CheckEqual(ListCell(app, list, 2, kFindingsColumn), L"2", L"june-a.txt, now below it");

  const RECT cell = ListFirstCell(app, list, 2);
  const LPARAM point = MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  PostMessageW(list, WM_LBUTTONUP, 0, point);
  const MessageBoxSeen listed = AnswerMessageBox(app, kCaption);
  // Its name, then line 2's two findings, one line each.
  Check(listed.text.starts_with(L"june-a.txt\r2: ") &&
            listed.text.find(L"\r2: " + kRepeatedRecord.substr(0, 12)) != std::wstring::npos &&
            std::count(listed.text.begin(), listed.text.end(), L'\r') == 2,
        L"a double click on row 3 lists its file's findings, one line each, saw " + listed.text);
  CheckEqual(static_cast<long long>(listed.buttons.size()), 1, L"the list's one button");
  // regression: the box took the focus along, and only a click gave it back to the list
  Check(WaitFor([&] { return AppFocus(app) == list; }, 5000),
        L"the list has the focus again once the box is closed");
  const RECT second = ListFirstCell(app, list, 1);
  const LPARAM click =
      MAKELPARAM((second.left + second.right) / 2, (second.top + second.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, click);
  PostMessageW(list, WM_LBUTTONUP, 0, click);
  Check(WaitFor([&] { return AppFocus(app) == list; }, 5000), L"a click gives the list the focus");
  ListSelect(app, list, -1, false);
  ListSelect(app, list, 1, true);
  PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  CheckEqual(AnswerMessageBox(app, kCaption).text, L"june-c.txt\r" + kNoFindings,
             L"Enter lists the selected row's findings: none");

  const std::wstring merged = g_work + L"\\Pcn874-06-2024.txt";
  const std::wstring findings = g_work + L"\\Pcn874-06-2024.findings.txt";
  auto exists = [](const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  };
  Click(app, kGenerate);
  const MessageBoxSeen asked = AnswerMessageBox(app, kCaption, IDNO);
  Check(asked.text.starts_with(kWouldCountTwice + L"repeated-record\rjune-a.txt:2: ") &&
            asked.text.ends_with(kGenerateAnyway),
        L"Generate asks about the sale counted twice, saw " + asked.text);
  CheckEqual(static_cast<long long>(asked.buttons.size()), 2, L"the question's buttons");
  CheckEqual(asked.defaultButton, IDNO, L"No is the question's default button");
  SettleWithOptionClicks(app);
  Check(NoMessageBox(app, kCaption), L"No: no further message");
  Check(!exists(merged) && !exists(findings), L"No: neither the merged nor the findings file");

  Click(app, kGenerate);
  AnswerMessageBox(app, kCaption, IDYES);
  const std::wstring told = AnswerMessageBox(app, kCaption, IDNO).text;
  Check(SaysGenerated(told, 3, L"Pcn874-06-2024.findings.txt"),
        L"Yes: generated, the findings file named, saw " + told);
  Check(exists(merged), L"Yes: the merged file is written");
  std::string bytes;
  if (FILE* file = _wfopen(findings.c_str(), L"rb")) {
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof(buffer), file)) > 0;) {
      bytes.append(buffer, got);
    }
    fclose(file);
  }
  Check(bytes.rfind("\xEF\xBB\xBF", 0) == 0, L"the findings file starts with a byte-order mark");
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = bytes.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  CheckEqual(static_cast<long long>(lines), 3, L"the findings file's lines");
  Check(bytes.ends_with("\r\n"), L"the findings file ends with CR LF");
}

// Every caption fits its control at the run's resolution: measured with Tahoma 8 pt (bold
// for the group boxes and the list caption) at that resolution, as the program is meant to
// use, against the part of the control the text is drawn in.
struct Measure {
  HDC dc = GetDC(nullptr);
  ~Measure() { ReleaseDC(nullptr, dc); }
  SIZE Extent(const std::wstring& text, int points, bool bold, bool positiveHeight = false) {
    LOGFONTW font = {};
    font.lfHeight = positiveHeight ? MulDiv(points, g_dpi, 72) : -MulDiv(points, g_dpi, 72);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(handle);
    return size;
  }
  // Bold text of `points` (a positive height, as the list header's) broken into lines
  // `width` wide; a word wider than that widens the result.
  SIZE Wrapped(const std::wstring& text, int points, int width) {
    LOGFONTW font = {};
    font.lfHeight = MulDiv(points, g_dpi, 72);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    RECT box = {0, 0, width, 0};
    DrawTextW(dc, text.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(handle);
    return {box.right - box.left, box.bottom - box.top};
  }
};

void CheckFits(SIZE text, int width, int height, const std::wstring& what) {
  Check(text.cx <= width && text.cy <= height,
        what + L" fits: text " + std::to_wstring(text.cx) + L"x" + std::to_wstring(text.cy) +
            L" in " + std::to_wstring(width) + L"x" + std::to_wstring(height));
}

void CaptionsFit(App& app) {
  using enum ControlId;
  Measure measure;
  auto client = [&](ControlId id) {
    RECT r = {};
    GetClientRect(GetDlgItem(app.main, IdOf(id)), &r);
    return r;
  };
  auto label = [&](ControlId id) { return L"caption of " + std::to_wstring(IdOf(id)); };
  for (ControlId id : {kTaxableSalesCaption, kExemptSalesCaption, kSalesVatCaption,
                       kInputsVatCaption, kAssetInputsVatCaption, kVatPayableCaption,
                       kSalesRecordCountCaption, kInputRecordCountCaption, kOutputDirectoryCaption,
                       kFileListCaption, kDealerCaption, kReportMonthCaption, kNumberCaption}) {
    const RECT r = client(id);
    const SIZE text = measure.Extent(ItemText(app.main, IdOf(id)), 8, id == kFileListCaption);
    CheckFits(text, r.right, r.bottom, label(id));
  }
  // The longer of the number field's two captions.
  const RECT numberCaption = client(kNumberCaption);
  CheckFits(measure.Extent(kRepresentativeCaption, 8, false), numberCaption.right,
            numberCaption.bottom, L"the representative number caption");
  // Group boxes: the caption sits between two short stretches of the frame line.
  for (ControlId id : {kMergedGroup, kGenerationGroup, kOutputTypeGroup}) {
    const RECT r = client(id);
    CheckFits(measure.Extent(ItemText(app.main, IdOf(id)), 8, true), r.right - S(16), r.bottom,
              label(id));
  }
  // Option buttons: the round mark and a gap come first.
  for (ControlId id : {kDealersUnionOption, kRepresentativeOption}) {
    const RECT r = client(id);
    const int mark = MulDiv(12, g_dpi, 96) + 1 + measure.Extent(L"0", 8, false).cx / 2;
    CheckFits(measure.Extent(ItemText(app.main, IdOf(id)), 8, false), r.right - mark, r.bottom,
              label(id));
  }
  // Image buttons: the text goes after the picture (96-DPI sizes 32, 24, 24, 16, scaled),
  // inside the frames.
  static const struct {
    ControlId id;
    int picture;
  } kButtons[] = {{kGenerate, 32}, {kAddFile, 24}, {kRemoveFile, 24}, {kBrowse, 16}};
  for (const auto& b : kButtons) {
    const RECT r = client(b.id);
    const int left = S(4) + S(b.picture) + S(8);
    CheckFits(measure.Extent(ItemText(app.main, IdOf(b.id)), 8, false), r.right - S(4) - left,
              r.bottom - 2 * S(4), label(b.id));
  }
  // The number field shows a whole dealer number between its margins.
  HWND number = GetDlgItem(app.main, IdOf(kNumber));
  const RECT field = client(kNumber);
  const auto margins = static_cast<DWORD>(SendMessageW(number, EM_GETMARGINS, 0, 0));
  CheckFits(measure.Extent(L"999999999", 8, false), field.right - LOWORD(margins) - HIWORD(margins),
            field.bottom, L"a nine-digit number in the number field");
  // The list header's titles, bold 10 pt, within their columns.
  HWND list = GetDlgItem(app.main, kList);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  RECT headerRect = {};
  GetClientRect(header, &headerRect);
  // A title may take two lines, broken between words.
  static const char* const kTitles[] = {"שם הקובץ",    "מס. עוסק",   "עיס. חייבות", "עיס. פטורות",
                                        "מעמ עיסקאות", "מעמ תשומות", "תשומות רכוש", "לתשלום",
                                        "מ. עסקאות",   "מ. תשומות",  "ממצאים"};
  for (int c = 0; c < static_cast<int>(std::size(kTitles)); ++c) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    CheckFits(measure.Wrapped(Utf8(kTitles[c]), 10, width - 4), width - 4, headerRect.bottom,
              L"header title " + std::to_wstring(c));
  }
}

// July: a large dealer's file, amounts as wide as their fields, and a file of 5,000 findings.
const std::wstring kLargeName = L"july-large.txt", kManyName = L"july-many.txt";
void WriteJulyFiles() {
  WriteLines(
      InputPath(kLargeName),
      {Opening(kDealerA, "202407",
               {59930912345, 999882551, 2, -12345678901, 988123456, 987654321, 1, -13759095123}),
       Detail('S', "111111118202407010000000001", 170, false, 1000),
       Detail('S', "111111118202407020000000002", 170, false, 1000),
       Detail('T', "222222226202407030000000003", 50, false, 0), "X" + kDealerA});
  std::vector<std::string> lines = {
      Opening(kDealerB, "202407", {1000, 170, 5000, 0, 0, 0, 0, 170})};
  char reference[32];
  for (int i = 1; i <= 5000; ++i) {
    snprintf(reference, sizeof(reference), "11111111820240701%013d", i);
    lines.push_back(Detail('S', reference, 170, false, 1000));  // short: one finding each
  }
  lines.push_back("X" + kDealerB);
  WriteLines(InputPath(kManyName), lines);
}

// A large dealer's file (amounts as wide as their fields) and one of 5,000 findings: no amount or
// count is cut short at the window's size at start, at its least and maximised; the file's name
// gives way first and takes its width back. The 5,000 findings list one line each, the rest
// counted.
void FiguresWhole(App& app) {
  HWND list = GetDlgItem(app.main, kList);
  const std::wstring large = InputPath(kLargeName), many = InputPath(kManyName);
  WriteJulyFiles();
  if (!AddAndWaitForRows(app, large, 1) || !AddAndWaitForRows(app, many, 2)) return;
  CheckEqual(ListCell(app, list, 0, 2), L"59,930,912,345", L"the large dealer's taxable sales");
  CheckEqual(ListCell(app, list, 1, kFindingsColumn), L"5,000", L"5,000 findings counted");

  Measure measure;
  const auto figuresWhole = [&](const std::wstring& when) {
    for (int row = 0; row < 2; ++row) {
      for (int column = 1; column <= kFindingsColumn; ++column) {
        const std::wstring text = ListCell(app, list, row, column);
        // The list's own automatic width for a text: its extent and 12 pixels.
        const int needs = measure.Extent(text, 8, false).cx + 12;
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        Check(width >= needs, when + L": \"" + text + L"\" whole in column " +
                                  std::to_wstring(column) + L", " + std::to_wstring(width) +
                                  L" px for " + std::to_wstring(needs));
      }
    }
  };
  figuresWhole(L"at start");
  // The least size the frame lets a user drag the window to.
  RECT least = {0, 0, 10, 10};
  SendMessageW(app.main, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&least));
  SetWindowPos(app.main, nullptr, 0, 0, least.right, least.bottom, SWP_NOZORDER);
  const int least0 = IdOf(ControlId::kMergedGroup);
  WaitFor([&] { return ControlRect(app.main, least0).w == least.right - S(15); });
  figuresWhole(L"at the least size");
  std::wstring widths;
  for (int c = 0; c < 12; ++c) {
    widths += L" " + std::to_wstring(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
  }
  RECT listClient;
  GetClientRect(list, &listClient);
  Check(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) < S(100),
        L"the name gave way first: widths" + widths + L" in " + std::to_wstring(listClient.right));
  ShowWindow(app.main, SW_MAXIMIZE);
  WaitFor([&] { return IsZoomed(app.main) != FALSE; });
  WaitFor([&] { return SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0) >= S(100) - g_slack; });
  figuresWhole(L"maximised");
  CheckNear(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), S(100),
            L"with room again the name takes its width back");
  ShowWindow(app.main, SW_RESTORE);

  ListSelect(app, list, 1, true);
  if (!TabTo(app, kList)) return;
  PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  const MessageBoxSeen box = AnswerMessageBox(app, kCaption);
  std::vector<std::wstring> shown;
  for (std::size_t start = 0, end; start <= box.text.size(); start = end + 1) {
    end = box.text.find(L'\r', start);
    if (end == std::wstring::npos) end = box.text.size();
    shown.push_back(box.text.substr(start, end - start));
  }
  if (!Check(shown.size() > 3, L"the box lists findings, saw " + box.text)) return;
  CheckEqual(shown.front(), L"july-many.txt", L"the box names the file");
  const int listed = static_cast<int>(shown.size()) - 2;
  CheckEqual(shown.back(), Utf8("ועוד ") + FormatCount(5000 - listed) + Utf8(" ממצאים נוספים"),
             L"the rest counted, as the list counts");
  for (int i = 1; i <= listed; ++i) {
    CheckEqual(shown[static_cast<std::size_t>(i)], std::to_wstring(i + 1) + L": " + kShortRecord,
               L"finding " + std::to_wstring(i) + L" on one line");
  }
}

// A move to a monitor of another resolution, announced as the system does: everything is
// laid out again at the new DPI in the suggested rectangle, and again on the way back.
void DpiChanged(App& app) {
  const int original = g_dpi;
  for (int dpi : {original == 144 ? 120 : 144, original}) {
    RECT window, client;
    GetWindowRect(app.main, &window);
    GetClientRect(app.main, &client);
    const int frameW = (window.right - window.left) - client.right;
    const int frameH = (window.bottom - window.top) - client.bottom;
    g_dpi = dpi;
    g_slack = dpi == 96 ? 0 : 1;
    const std::wstring when = L"after WM_DPICHANGED to " + std::to_wstring(dpi);
    // The size the table asks for at the new DPI, within this screen (a window is never made
    // larger than the screen it is on).
    const int w = std::min(S(734) + frameW, GetSystemMetrics(SM_CXSCREEN) - 20);
    const int h = std::min(S(488) + frameH, GetSystemMetrics(SM_CYSCREEN) - 20);
    const RECT suggested = {10, 10, 10 + w, 10 + h};
    SendDpiChanged(app, dpi, suggested);
    GetWindowRect(app.main, &window);
    Check(EqualRect(&window, &suggested) != FALSE,
          when + L": the suggested rectangle is taken, saw " + std::to_wstring(window.left) + L"," +
              std::to_wstring(window.top) + L" " + std::to_wstring(window.right) + L"," +
              std::to_wstring(window.bottom));
    CheckLayout(app, when);
    HWND list = GetDlgItem(app.main, kList);
    CheckNear(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), S(100), when + L": column 0 width");
    CaptionsFit(app);
  }
  g_dpi = original;
  g_slack = original == 96 ? 0 : 1;
}

bool RunScenario(const Scenario& scenario) {
  g_results.scenario = scenario.name;
  const int failuresBefore = g_results.failures;
  const int checksBefore = g_results.checks;
  const ULONGLONG started = GetTickCount64();  // a slow scenario shows in the log
  App app;
  app.exe = g_exe;
  app.directory = g_work;
  if (scenario.needsApp && !StartApp(app)) {
    Check(false, L"the program starts");
    KillApp(app);
    return false;
  }
  scenario.run(app);
  if (scenario.needsApp) {
    if (g_results.failures != failuresBefore) {
      const std::wstring shot = g_work + L"\\failure-" + scenario.name + L".bmp";
      SaveBitmap(
          CaptureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}),
          shot);
      Log(L"  screen at the failure: " + shot);
      for (HWND child : Children(app.main)) {
        Log(L"  control " + std::to_wstring(GetDlgCtrlID(child)) + L" " + ClassOf(child) + L" \"" +
            Text(child) + L"\"");
      }
    }
    for (HWND box; (box = FindDialogTitled(app, kCaption)) != nullptr;) {
      Log(L"  a message box was left open: " + AnswerMessageBox(app, kCaption).text);
    }
    Check(CloseApp(app), L"closing the window ends the process without a question");
  }
  Log(std::wstring(g_results.failures == failuresBefore ? L"ok   " : L"FAIL ") + scenario.name +
      L" (" + std::to_wstring(g_results.checks - checksBefore) + L" checks, " +
      std::to_wstring(GetTickCount64() - started) + L" ms)");
  return g_results.failures == failuresBefore;
}

// --- Screenshots -------------------------------------------------------------------------------

void Shoot(const App& app, const std::wstring& name, bool wholeScreen) {
  RECT area;
  if (wholeScreen)
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  else
    GetWindowRect(app.main, &area);
  // Wait for the window's paint to finish: a round trip through its message queue.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(app.main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  const std::wstring path = g_work + L"\\" + name + L".bmp";
  if (SaveBitmap(CaptureScreen(area), path)) Log(L"screenshot " + path);
}

// The guide's pictures, of the examples shipped with the program (PCN_EXAMPLES: their folder),
// so that a reader can do the same and see the same numbers.
void Screenshots() {
  App app;
  app.exe = g_exe;
  // The output folder the pictures show is one a user might have, not the build folder; the
  // examples are put in it, as a month's files would be.
  CreateDirectoryW(L"C:\\Reports", nullptr);
  app.directory = L"C:\\Reports\\03-2024";
  CreateDirectoryW(app.directory.c_str(), nullptr);
  const wchar_t* examples = _wgetenv(L"PCN_EXAMPLES");
  const std::wstring north = app.directory + L"\\branch-north.txt";
  const std::wstring south = app.directory + L"\\branch-south.txt";
  if (!examples ||
      !CopyFileW((std::wstring(examples) + L"\\branch-north.txt").c_str(), north.c_str(), FALSE) ||
      !CopyFileW((std::wstring(examples) + L"\\branch-south.txt").c_str(), south.c_str(), FALSE)) {
    Log(L"the examples were not found: set PCN_EXAMPLES to their folder");
    return;
  }
  if (!StartApp(app)) return;
  SetCursorPos(1, 1);
  // A message box is shot with the whole screen, once it has painted.
  const auto shootMessage = [&](const std::wstring& name, int button) {
    HWND box = WaitForDialogTitled(app, kCaption);
    if (!box) return;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    Shoot(app, name, true);
    AnswerMessageBox(app, kCaption, button);
  };
  Shoot(app, L"1-empty", false);
  AddAndWaitForRows(app, north, 1);
  AddAndWaitForRows(app, south, 2);
  ListSelect(app, GetDlgItem(app.main, kList), 0, true);
  Shoot(app, L"2-two-files", false);
  Click(app, kGenerate);
  shootMessage(L"5-generated", IDNO);
  Click(app, kRepresentative);
  WaitFor([&] { return ItemText(app.main, kNumberCaption) == kRepresentativeCaption; });
  Shoot(app, L"3-representative", false);
  // The same file again: refused, named on the message's second line.
  ChooseFile(app, north);
  shootMessage(L"4-refusal", IDOK);
  CloseApp(app);

  // Not for the guide: a long output folder, amounts as wide as their fields and a file of
  // 5,000 findings, to look at on a laptop's screen.
  App large;
  large.exe = g_exe;
  large.directory = MakeLongFolder();
  WriteJulyFiles();
  if (!StartApp(large)) return;
  SetCursorPos(1, 1);
  AddAndWaitForRows(large, InputPath(kLargeName), 1);
  AddAndWaitForRows(large, InputPath(kManyName), 2);
  ListSelect(large, GetDlgItem(large.main, kList), 1, true);
  Shoot(large, L"6-wide-figures", false);
  if (TabTo(large, kList)) {
    PostMessageW(GetDlgItem(large.main, kList), WM_KEYDOWN, VK_RETURN, 0);
    HWND box = WaitForDialogTitled(large, kCaption);
    DWORD_PTR ignored = 0;
    if (box) SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    Shoot(large, L"7-findings", true);
    AnswerMessageBox(large, kCaption);
  }
  CloseApp(large);
  // The success message naming a findings file in the long folder.
  if (!StartApp(large)) return;
  SetCursorPos(1, 1);
  AddAndWaitForRows(large, InputPath(kNameA), 1);
  AddAndWaitForRows(large, InputPath(kNameB), 2);
  Click(large, kGenerate);
  AnswerMessageBox(large, kCaption, IDYES);
  HWND box = WaitForDialogTitled(large, kCaption);
  DWORD_PTR ignored = 0;
  if (box) SendMessageTimeoutW(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  Shoot(large, L"8-long-folder", true);
  AnswerMessageBox(large, kCaption, IDNO);
  CloseApp(large);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    fputs("usage: driver test|screenshots PROGRAM.exe WORKDIR\n", stderr);
    return 2;
  }
  const std::wstring mode = argv[1];
  g_exe = argv[2];
  g_work = argv[3];
  // The driver works in real pixels, as the program does.
  SetProcessDPIAware();
  if (const wchar_t* ok = _wgetenv(L"PCN_OK_TEXT")) g_okText = ok;
  if (const wchar_t* dpi = _wgetenv(L"PCN_DPI")) {
    g_dpi = _wtoi(dpi);
    g_slack = g_dpi == 96 ? 0 : 1;
  }
  SetCurrentDirectoryW(g_work.c_str());
  DeleteFileW(L"result.txt");
  WriteSamples();
  if (mode == L"screenshots") {
    Screenshots();
    return 0;
  }
  static const Scenario kScenarios[] = {
      {L"pure-arithmetic", &PureArithmetic, false},
      {L"transparent-bitmap", &TransparentBitmap, false},
      {L"initial-state", &InitialState, true},
      {L"captions-fit", &CaptionsFit, true},
      {L"dpi-changed", &DpiChanged, true},
      {L"resizing", &Resizing, true},
      {L"browse-cancelled", &Browsing, true},
      {L"pixels", &Pixels, true},
      {L"files-and-generate", &FilesAndGenerate, true},
      {L"income-rule", &IncomeRule, true},
      {L"several-files", &SeveralFiles, true},
      {L"drop-handle", &DropHandle, false},
      {L"dropped-files", &DroppedFiles, true},
      {L"source-changed", &SourceChanged, true},
      {L"findings", &Findings, true},
      {L"keyboard", &Keyboard, true},
      {L"figures-whole", &FiguresWhole, true},
      {L"long-folder", &LongFolder, false},
  };
  // The resolution and code page the script asked for are the ones the system runs at.
  g_results.scenario = L"setup";
  HDC screen = GetDC(nullptr);
  CheckEqual(GetDeviceCaps(screen, LOGPIXELSY), g_dpi, L"the screen's DPI");
  ReleaseDC(nullptr, screen);
  if (const wchar_t* codePage = _wgetenv(L"PCN_CODE_PAGE")) {
    CheckEqual(static_cast<long long>(GetACP()), _wtoi(codePage), L"the system code page");
  }
  // Further arguments name the scenarios to run; none runs them all.
  for (const Scenario& scenario : kScenarios) {
    bool chosen = argc < 5;
    for (int a = 4; a < argc; ++a) chosen = chosen || scenario.name == std::wstring(argv[a]);
    if (chosen) RunScenario(scenario);
  }
  const std::wstring summary = g_results.failures == 0
                                   ? L"PASS " + std::to_wstring(g_results.checks)
                                   : L"FAIL " + std::to_wstring(g_results.failures) + L" of " +
                                         std::to_wstring(g_results.checks);
  Log(summary);
  if (FILE* result = _wfopen(L"result.txt", L"wb")) {
    fputs(ToUtf8(summary).c_str(), result);
    fclose(result);
  }
  return g_results.failures == 0 ? 0 : 1;
}
