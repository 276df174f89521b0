// What the Win32 test driver needs to work another process's windows the way a user would:
// find its windows, wait for conditions, read texts and list cells across the process
// boundary, capture screen pixels, and record checks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/windows_api.h"

namespace driver {

// --- Checks -----------------------------------------------------------------------------

struct Results {
  int checks = 0;
  int failures = 0;
  std::wstring scenario;
};
extern Results g_results;

void Log(const std::wstring& line);
// Records one check; on failure logs `what` with the expected and actual values.
bool Check(bool ok, const std::wstring& what);
bool CheckEqual(const std::wstring& actual, const std::wstring& expected, const std::wstring& what);
bool CheckEqual(long long actual, long long expected, const std::wstring& what);

// Polls `condition` every few milliseconds until it holds or `timeoutMs` passes.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 20000);
// The same with the pointer resting at `at` (screen pixels), nudged by a pixel every `nudgeMs`
// (0: every poll) as a hand would: under Wine a late motion event from an earlier warp can
// arrive after the latest one. A tooltip needs a pointer still for a moment between nudges.
bool WaitWithPointerAt(POINT at, DWORD nudgeMs, const std::function<bool()>& condition,
                       DWORD timeoutMs = 10000);

std::wstring Utf8(const char* text);  // UTF-8 literal to UTF-16
std::string ToUtf8(const std::wstring& text);
// The Unix path of a path on Wine's Z: drive (the Unix root); "" for any other path.
std::wstring UnixPath(const std::wstring& path);

// --- The program under test ---------------------------------------------------------------

struct App {
  PROCESS_INFORMATION process = {};
  HWND main = nullptr;
  std::wstring exe, directory;
};

// Starts `exe` in `directory` and waits for its main window to appear.
bool StartApp(App& app);
// Closes the main window with the close command and waits for the process to end.
bool CloseApp(App& app);
void KillApp(App& app);

// Top-level windows of the app's process with the given class ("#32770" for dialogs).
std::vector<HWND> AppWindows(const App& app, const wchar_t* cls);
HWND FindDialogTitled(const App& app, const std::wstring& title);
HWND WaitForDialogTitled(const App& app, const std::wstring& title);

std::wstring Text(HWND window);
std::wstring ItemText(HWND dialog, int id);
std::wstring ClassOf(HWND window);
std::vector<HWND> Children(HWND parent);

// Control rectangle in the main dialog's mirrored client coordinates: left is the distance
// of the control's right edge from the client area's right edge.
struct MirroredRect {
  int x, y, w, h;
};
MirroredRect ControlRect(HWND dialog, int id);

// Sends WM_DPICHANGED as the system does when the window moves to a monitor of `dpi`, with
// the suggested window rectangle in the program's memory; returns when it is handled.
void SendDpiChanged(const App& app, int dpi, const RECT& suggested);

// The window that has the keyboard focus in the app's UI thread.
HWND AppFocus(const App& app);

// --- List view across processes ----------------------------------------------------------

int ListCount(HWND list);
std::wstring ListCell(const App& app, HWND list, int row, int column);
// Selects (or deselects) a row; row -1 means every row.
void ListSelect(const App& app, HWND list, int row, bool selected);
// The rectangle of a row's first cell in the list's client coordinates.
RECT ListFirstCell(const App& app, HWND list, int row);
// The text of a tooltip of the app's now on the screen for the tool window `tool`; "" when
// none shows.
std::wstring ShownTip(const App& app, HWND tool);

// --- Message boxes --------------------------------------------------------------------------

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring caption, text;
  std::vector<std::wstring> buttons;
  int defaultButton = 0;  // the identifier of the button Enter would press
};
// Waits for a message box of the app, reads it and presses `button` (OK unless told); checks
// that the box lies inside the screen and that the program has the focus again once it is closed.
MessageBoxSeen AnswerMessageBox(const App& app, const std::wstring& caption, int button = IDOK);
bool NoMessageBox(const App& app, const std::wstring& caption);

// --- Pixels ------------------------------------------------------------------------------------

// A copy of a screen rectangle, as 0x00RRGGBB values row by row.
struct Capture {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<DWORD> pixels;
  COLORREF At(int screenX, int screenY) const;
};
Capture CaptureScreen(const RECT& screen);
bool SaveBitmap(const Capture& capture, const std::wstring& path);
bool Near(COLORREF actual, COLORREF expected, int tolerance);
std::wstring ColourText(COLORREF colour);

}  // namespace driver
