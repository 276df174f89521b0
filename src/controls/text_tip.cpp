// The control's tip, kept as a property of the control and gone with it.
#include "controls/text_tip.h"

#include "controls/dpi.h"

namespace pcn {
namespace {

constexpr wchar_t kTextTipProperty[] = L"Pcn874.TextTip";

TOOLINFOW ToolOf(HWND control) {
  TOOLINFOW tool = {};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = control;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

}  // namespace

void AddTextTip(HWND control) {
  HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, control, nullptr, nullptr, nullptr);
  if (!tip) return;
  TOOLINFOW tool = ToolOf(control);
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // A long path on several lines rather than one wider than the screen.
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, MulDiv(600, WindowDpi(control), 96));
  SetPropW(control, kTextTipProperty, tip);
}

void SetTextWithTip(HWND control, const std::wstring& text) {
  SetWindowTextW(control, text.c_str());
  HWND tip = static_cast<HWND>(GetPropW(control, kTextTipProperty));
  if (!tip) return;
  TOOLINFOW tool = ToolOf(control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RemoveTextTip(HWND control) {
  if (HWND tip = static_cast<HWND>(RemovePropW(control, kTextTipProperty))) DestroyWindow(tip);
}

}  // namespace pcn
