// The file list and its header. Texts go through the W messages so the Hebrew titles show
// on any system code page; cell bytes from the files are Windows-1255.
#include "controls/file_list.h"

#include <algorithm>
#include <cwchar>

#include "controls/button_geometry.h"
#include "controls/column_fit.h"
#include "controls/dpi.h"
#include "controls/gdi_scoped.h"
#include "controls/wide_text.h"

namespace pcn {
namespace {

constexpr wchar_t kListProcProperty[] = L"Pcn874.ListProc";
// The list's own tooltip and the row it was last filled for (plus one: 0 is no row).
constexpr wchar_t kTipProperty[] = L"Pcn874.Tip";
constexpr wchar_t kTipRowProperty[] = L"Pcn874.TipRow";
// The resolution the header's fonts are made for, once the window has been told one.
constexpr wchar_t kHeaderDpiProperty[] = L"Pcn874.HeaderDpi";
// The name column's own width, which it gives back once the figures no longer need the room.
constexpr wchar_t kNameWidthProperty[] = L"Pcn874.NameWidth";

// The one list header's font, replaced when the header is sized and deleted with it.
gdi::Owned<HFONT> g_headerFont;

// One reusable cell buffer: the text must stay valid after the request returns.
wchar_t g_cellText[256];
char g_cellTextAnsi[256];

WNDPROC StoredListProc(HWND list) {
  return reinterpret_cast<WNDPROC>(GetPropW(list, kListProcProperty));
}

int HeaderDpi(HWND header) {
  const auto told = reinterpret_cast<INT_PTR>(GetPropW(header, kHeaderDpiProperty));
  return told > 0 ? static_cast<int>(told) : WindowDpi(header);
}

WNDPROC StoredHeaderProc(HWND header) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_USERDATA));
}

// A file name with right-to-left letters ("דרום.txt"), laid out right to left in this list,
// would read with its extension before its name: it is embedded left to right, as a path is
// written. Other names are left as they are.
std::wstring NameLeftToRight(std::wstring name) {
  const bool rightToLeft = std::any_of(name.begin(), name.end(), [](wchar_t c) {
    return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) ||
           (c >= 0xFE70 && c <= 0xFEFF);
  });
  return rightToLeft ? L"\x202A" + name + L"\x202C" : name;  // LRE ... PDF
}

// Column 0 holds the file's name.
constexpr int kNameColumn = 0;

std::wstring CellText(const FileListTexts& texts, int row, int column) {
  const std::string bytes = texts.cell(row, column);
  std::wstring text =
      column == kNameColumn ? NameLeftToRight(Utf8ToWide(bytes)) : HebrewToWide(bytes);
  if (text.empty()) text = L" ";
  if (text.size() > 255) text.resize(255);
  return text;
}

void DrawHeaderItem(HWND header, const NMCUSTOMDRAW& draw) {
  wchar_t text[256] = {};
  HDITEMW item = {};
  item.mask = HDI_TEXT | HDI_LPARAM;
  item.pszText = text;
  item.cchTextMax = 255;
  SendMessageW(header, HDM_GETITEMW, draw.dwItemSpec, reinterpret_cast<LPARAM>(&item));
  const bool pressed = (draw.uItemState & CDIS_SELECTED) != 0;
  HDC dc = draw.hdc;
  RECT box = draw.rc;
  DrawEdge(dc, &box, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  InflateRect(&box, -1, -1);
  gdi::FillGradient(dc, box, pressed ? kGradientDark : kGradientLight,
                    pressed ? kGradientLight : kGradientDark, true);
  InflateRect(&box, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  gdi::Owned<HFONT> font(
      MakeFont(L"Tahoma", HEBREW_CHARSET, FW_BOLD, false, 10, HeaderDpi(header)));
  gdi::ScopedSelect selected(dc, font.get());
  if (pressed) {
    const int shift = MulDiv(2, HeaderDpi(header), 96);
    OffsetRect(&box, -shift, shift);
  }
  // Two lines where a title needs them, so that every column fits the list at the window's
  // smallest size; centred as a block, since DT_VCENTER centres single lines only.
  constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX;
  RECT needed = box;
  const int height = DrawTextW(dc, text, -1, &needed, kFormat | DT_CALCRECT);
  if (height < box.bottom - box.top) box.top += (box.bottom - box.top - height) / 2;
  DrawTextW(dc, text, -1, &box, kFormat);
}

// The tooltip that shows the full path of the row under the pointer. The list's own info tips
// (LVS_EX_INFOTIP) are not in every implementation; this one asks the parent the same way,
// with LVN_GETINFOTIPW, whenever the pointer reaches another row.
void CreateRowTip(HWND list) {
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, list, nullptr, nullptr, nullptr);
  if (!tip) return;
  TOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = list;
  tool.uId = reinterpret_cast<UINT_PTR>(list);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // Paths are long: several lines rather than one wider than the screen.
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, MulDiv(600, WindowDpi(list), 96));
  SetPropW(list, kTipProperty, tip);
}

void FollowPointer(HWND list, POINT position) {
  HWND tip = static_cast<HWND>(GetPropW(list, kTipProperty));
  if (!tip) return;
  LVHITTESTINFO hit = {};
  hit.pt = position;
  const int row =
      static_cast<int>(SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const auto stored = reinterpret_cast<INT_PTR>(GetPropW(list, kTipRowProperty));
  if (stored == row + 1) return;
  SetPropW(list, kTipRowProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(row + 1)));
  wchar_t text[1024] = {};
  if (row >= 0) {
    NMLVGETINFOTIPW ask = {};
    ask.hdr.hwndFrom = list;
    ask.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(list));
    ask.hdr.code = LVN_GETINFOTIPW;
    ask.pszText = text;
    ask.cchTextMax = static_cast<int>(std::size(text));
    ask.iItem = row;
    SendMessageW(GetParent(list), WM_NOTIFY, ask.hdr.idFrom, reinterpret_cast<LPARAM>(&ask));
  }
  SendMessageW(tip, TTM_POP, 0, 0);
  TOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = list;
  tool.uId = reinterpret_cast<UINT_PTR>(list);
  tool.lpszText = text;
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip, TTM_ACTIVATE, text[0] != L'\0', 0);
}

void KeepNameWidth(HWND list, std::span<const ListColumn> columns) {
  if (columns.empty()) return;
  SetPropW(list, kNameWidthProperty,
           reinterpret_cast<HANDLE>(static_cast<INT_PTR>(columns.front().width)));
}

// What each column needs to show its title and every cell whole: the title's widest word
// (a title breaks between words) in the header's font, and the widest cell in the list's own
// with the room the list keeps beside a cell's text (12 pixels, as its own automatic width).
std::vector<int> ColumnNeeds(HWND list, HWND header, int count) {
  const int dpi = HeaderDpi(header);
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  const int cellRoom = std::max(12, MulDiv(12, dpi, 96));
  std::vector<int> needs(static_cast<std::size_t>(std::max(0, count)), 0);
  HDC dc = GetDC(header);
  {
    gdi::Owned<HFONT> font(MakeFont(L"Tahoma", HEBREW_CHARSET, FW_BOLD, false, 10, dpi));
    gdi::ScopedSelect selected(dc, font.get());
    for (int c = 0; c + 1 < count; ++c) {
      wchar_t title[256] = {};
      HDITEMW item = {};
      item.mask = HDI_TEXT;
      item.pszText = title;
      item.cchTextMax = 255;
      SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item));
      int need = 0;
      for (const wchar_t* word = title; *word != L'\0';) {
        const wchar_t* end = wcschr(word, L' ');
        const int length = end ? static_cast<int>(end - word) : lstrlenW(word);
        SIZE size = {};
        GetTextExtentPoint32W(dc, word, length, &size);
        need = std::max(need, static_cast<int>(size.cx) + 4);
        word = end ? end + 1 : word + length;
      }
      // The name's cells may be cut: its whole path is in the row's tip.
      for (int row = 0; c > 0 && row < rows; ++row) {
        wchar_t text[256] = {};
        LVITEMW cell = {};
        cell.iSubItem = c;
        cell.pszText = text;
        cell.cchTextMax = 255;
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&cell));
        const auto width = static_cast<int>(
            SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
        need = std::max(need, width + cellRoom);
      }
      needs[static_cast<std::size_t>(c)] = need;
    }
  }
  ReleaseDC(header, dc);
  return needs;
}

LRESULT StoreResult(HWND dialog, LRESULT result) {
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
  return result;
}

LRESULT ListCustomDraw(HWND dialog, NMLVCUSTOMDRAW& draw, const FileListTexts& texts) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return StoreResult(dialog, CDRF_NOTIFYITEMDRAW);
    case CDDS_ITEMPREPAINT:
      draw.clrTextBk = (draw.nmcd.dwItemSpec % 2) ? kRowOdd : kRowEven;
      return StoreResult(dialog, CDRF_NOTIFYSUBITEMDRAW);
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      const std::wstring text =
          CellText(texts, static_cast<int>(draw.nmcd.dwItemSpec), draw.iSubItem);
      // A minus sign marks a negative figure; in a file's name it is only a hyphen.
      const bool negative = draw.iSubItem != kNameColumn && text.find(L'-') != std::wstring::npos;
      draw.clrText = negative ? kCellNegative : kCellText;
      return StoreResult(dialog, CDRF_NOTIFYSUBITEMDRAW);
    }
    default:
      return 0;
  }
}

}  // namespace

HFONT MakeFont(const wchar_t* face, BYTE charSet, int weight, bool underline, int points, int dpi) {
  return CreateFontW(MulDiv(points, dpi, 72), 0, 0, 0, weight, FALSE, underline, FALSE, charSet,
                     OUT_TT_PRECIS, 0, 0, 0, face);
}

void SetUpFileList(HWND dialog, int id, std::span<const ListColumn> columns) {
  HWND list = GetDlgItem(dialog, id);
  const auto style = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  const DWORD wanted = (style | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES) ^
                       (LVS_EX_LABELTIP | LVS_EX_REGIONAL);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(wanted));

  KeepNameWidth(list, columns);
  SetPropW(list, kListProcProperty,
           reinterpret_cast<HANDLE>(
               SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileListProc))));
  CreateRowTip(list);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const LONG_PTR headerProc =
      SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FileListHeaderProc));
  SetWindowLongPtrW(header, GWLP_USERDATA, headerProc);

  int index = 0;
  for (const ListColumn& def : columns) {
    std::wstring title = Utf8ToWide(def.title);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM | LVCF_IMAGE;
    column.fmt = LVCFMT_LEFT;
    column.cx = def.width;
    column.pszText = title.data();
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index++),
                 reinterpret_cast<LPARAM>(&column));
  }
}

void SetFileListDpi(HWND dialog, int id, int dpi) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(GetDlgItem(dialog, id), LVM_GETHEADER, 0, 0));
  SetPropW(header, kHeaderDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
  SendMessageW(header, WM_SIZE, 0, 0);  // its font, at that resolution
}

void SetFileListColumnWidths(HWND dialog, int id, std::span<const ListColumn> columns) {
  HWND list = GetDlgItem(dialog, id);
  KeepNameWidth(list, columns);
  int index = 0;
  for (const ListColumn& def : columns) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index++),
                 MAKELPARAM(static_cast<WORD>(def.width), 0));
  }
}

LRESULT FileListNotify(HWND dialog, int id, WPARAM, LPARAM lParam, const FileListTexts& texts) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  HWND list = GetDlgItem(dialog, id);
  switch (header->code) {
    case LVN_COLUMNCLICK:
      if (reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem != -1) {
        SendMessageW(GetParent(list), WM_SIZE, 0, 0);
      }
      return 0;
    case NM_CLICK:
    case NM_DBLCLK:
      SetFocus(list);
      return 0;
    case LVN_GETDISPINFOW: {
      LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
      if (!(item.mask & LVIF_TEXT)) return 0;
      const std::wstring text = CellText(texts, item.iItem, item.iSubItem);
      wcsncpy(g_cellText, text.c_str(), 255);
      g_cellText[255] = L'\0';
      item.pszText = g_cellText;
      return 1;
    }
    case LVN_GETDISPINFOA: {
      // Only if a parent ever asks for 8-bit notifications: the bytes as the file holds them.
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
      if (!(item.mask & LVIF_TEXT)) return 0;
      const std::string text = texts.cell(item.iItem, item.iSubItem);
      lstrcpynA(g_cellTextAnsi, text.empty() ? " " : text.c_str(), 256);
      item.pszText = g_cellTextAnsi;
      return 1;
    }
    case LVN_GETINFOTIPW: {
      // The name column shows no folder: the tip tells files of the same name apart.
      auto& tip = *reinterpret_cast<NMLVGETINFOTIPW*>(lParam);
      const std::wstring path = Utf8ToWide(texts.tip(tip.iItem));
      if (tip.pszText && tip.cchTextMax > 0 && !path.empty()) {
        lstrcpynW(tip.pszText, path.c_str(), tip.cchTextMax);
      }
      return 0;
    }
    case NM_CUSTOMDRAW:
      return ListCustomDraw(dialog, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam), texts);
    default:
      return 0;
  }
}

void RefreshRowTip(HWND list) {
  // No row matches -1, not even "no row" (0): the next look at the pointer fills the tip anew.
  SetPropW(list, kTipRowProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1)));
  POINT pointer;
  if (!GetCursorPos(&pointer) || WindowFromPoint(pointer) != list) return;
  ScreenToClient(list, &pointer);
  FollowPointer(list, pointer);
}

LRESULT CALLBACK FileListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC own = StoredListProc(list);
  if (!own) return 0;
  switch (message) {
    case WM_VSCROLL: {
      const LRESULT result = CallWindowProcW(own, list, message, wParam, lParam);
      InvalidateRect(list, nullptr, TRUE);
      return result;
    }
    case WM_NOTIFY: {
      auto* notify = reinterpret_cast<NMHDR*>(lParam);
      const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
      if (notify->hwndFrom != header) break;
      if (notify->code == HDN_BEGINTRACKW || notify->code == HDN_BEGINTRACKA) {
        // Column 0 keeps its width: refuse the divider drag.
        if (reinterpret_cast<NMHEADERW*>(lParam)->iItem == 0) return TRUE;
        break;
      }
      if (notify->code == NM_CUSTOMDRAW) {
        auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        if (draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw->dwDrawStage == CDDS_ITEMPREPAINT) {
          DrawHeaderItem(header, *draw);
          return CDRF_SKIPDEFAULT;
        }
      }
      break;
    }
    case WM_MOUSEMOVE:
      FollowPointer(list, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
      break;
    case WM_NCDESTROY:
      RemovePropW(list, kNameWidthProperty);
      RemovePropW(list, kTipProperty);
      RemovePropW(list, kTipRowProperty);
      RemovePropW(list, kListProcProperty);
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
      break;
    default:
      break;
  }
  return CallWindowProcW(own, list, message, wParam, lParam);
}

LRESULT CALLBACK FileListHeaderProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC own = StoredHeaderProc(header);
  if (!own) return 0;
  if (message == WM_SIZE) {
    // The header takes its height from this font; its items are drawn by DrawHeaderItem.
    HFONT font = MakeFont(L"MS Serif", ANSI_CHARSET, FW_NORMAL, true, 22, HeaderDpi(header));
    CallWindowProcW(own, header, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
    g_headerFont.reset(font);
  } else if (message == WM_NCDESTROY) {
    RemovePropW(header, kHeaderDpiProperty);
    const LRESULT result = CallWindowProcW(own, header, message, wParam, lParam);
    g_headerFont.reset();
    return result;
  }
  return CallWindowProcW(own, header, message, wParam, lParam);
}

void FitFileListColumns(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  RECT client = {};
  GetClientRect(list, &client);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  std::vector<int> widths;
  for (int c = 0; c < count; ++c) {
    widths.push_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0)));
  }
  if (const auto name = reinterpret_cast<INT_PTR>(GetPropW(list, kNameWidthProperty));
      name > 0 && count > 0) {
    widths[0] = static_cast<int>(name);
  }
  // No amount or count is ever cut short: the name gives way first, down to its title.
  const std::vector<int> needs = ColumnNeeds(list, header, count);
  const std::vector<int> fitted =
      FitColumnWidths(widths, client.right - client.left, needs, needs.empty() ? 0 : needs[0]);
  for (int c = 0; c < count; ++c) {
    SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c),
                 MAKELPARAM(static_cast<WORD>(fitted[static_cast<std::size_t>(c)]), 0));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace pcn
