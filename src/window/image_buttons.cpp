// The hook follows WM_MOUSEMOVE and WM_MOUSELEAVE of each button and repaints the button that
// loses the pointer and the one that gets it; the rest goes to the buttons' own procedure.
#include "window/image_buttons.h"

#include "window/main_window.h"

namespace pcn {
namespace {

// The buttons' own window procedure, kept on the dialog.
constexpr wchar_t kButtonProcProperty[] = L"Pcn874.ButtonProc";

void Invalidate(HWND window) {
  if (window) InvalidateRect(window, nullptr, TRUE);
}

LRESULT CALLBACK ButtonHook(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  auto saved = reinterpret_cast<WNDPROC>(GetPropW(GetParent(button), kButtonProcProperty));
  if (!saved) return 0;
  if (message == WM_MOUSEMOVE && g_main.hotButton != button) {
    // Repaint the button that loses the pointer and the one that gets it. The frame follows
    // the messages, not a later look at the pointer, which can lag behind them.
    Invalidate(g_main.hotButton);
    g_main.hotButton = button;
    Invalidate(button);
    // Told when the pointer leaves straight for another window or outside this one.
    TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, button, 0};
    TrackMouseEvent(&leave);
  } else if (message == WM_MOUSELEAVE && g_main.hotButton == button) {
    g_main.hotButton = nullptr;
    Invalidate(button);
  }
  return CallWindowProcW(saved, button, message, wParam, lParam);
}

}  // namespace

void HookImageButtons(HWND dialog) {
  for (const ImageButton& button : kImageButtons) {
    const LONG_PTR replaced = SetWindowLongPtrW(Item(dialog, button.id), GWLP_WNDPROC,
                                                reinterpret_cast<LONG_PTR>(&ButtonHook));
    if (button.id == ControlId::kGenerate) {
      SetPropW(dialog, kButtonProcProperty, reinterpret_cast<HANDLE>(replaced));
    }
  }
}

void UnhookImageButtons(HWND dialog) {
  auto saved = reinterpret_cast<LONG_PTR>(GetPropW(dialog, kButtonProcProperty));
  for (const ImageButton& button : kImageButtons) {
    if (saved) SetWindowLongPtrW(Item(dialog, button.id), GWLP_WNDPROC, saved);
  }
  RemovePropW(dialog, kButtonProcProperty);
}

void LeaveImageButtons() {
  if (g_main.hotButton) {
    Invalidate(g_main.hotButton);
    g_main.hotButton = nullptr;
  }
}

}  // namespace pcn
