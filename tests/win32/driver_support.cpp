// Cross-process helpers of the test driver. List-view messages carry pointers, so their
// records live in memory allocated inside the program under test.
#include "driver_support.h"

#include <cstdio>

namespace driver {

Results g_results;

namespace {

FILE* g_log = nullptr;

}  // namespace

void Log(const std::wstring& line) {
  // Only the file: a program started without standard handles may find its log file
  // opened on descriptor 1.
  const std::string bytes = ToUtf8(line) + "\n";
  if (!g_log) g_log = _wfopen(L"driver.log", L"ab");
  if (g_log) {
    fputs(bytes.c_str(), g_log);
    fflush(g_log);
  }
}

bool Check(bool ok, const std::wstring& what) {
  ++g_results.checks;
  if (!ok) {
    ++g_results.failures;
    Log(L"FAIL [" + g_results.scenario + L"] " + what);
  }
  return ok;
}

bool CheckEqual(const std::wstring& actual, const std::wstring& expected,
                const std::wstring& what) {
  return Check(actual == expected,
               what + L": expected \"" + expected + L"\", saw \"" + actual + L"\"");
}

bool CheckEqual(long long actual, long long expected, const std::wstring& what) {
  return Check(actual == expected, what + L": expected " + std::to_wstring(expected) + L", saw " +
                                       std::to_wstring(actual));
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(15);
  }
}

bool WaitWithPointerAt(POINT at, DWORD nudgeMs, const std::function<bool()>& condition,
                       DWORD timeoutMs) {
  ULONGLONG nudgeAt = 0;
  int nudges = 0;
  return WaitFor(
      [&] {
        if (GetTickCount64() >= nudgeAt) {
          SetCursorPos(at.x + (nudges++ % 2), at.y);
          nudgeAt = GetTickCount64() + nudgeMs;
        }
        return condition();
      },
      timeoutMs);
}

std::wstring Utf8(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

std::string ToUtf8(const std::wstring& text) {
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), length, nullptr, nullptr);
  bytes.resize(bytes.size() - 1);
  return bytes;
}

std::wstring UnixPath(const std::wstring& path) {
  if (path.size() < 3 || _wcsnicmp(path.c_str(), L"Z:\\", 3) != 0) return L"";
  std::wstring converted = path.substr(2);
  for (wchar_t& c : converted) {
    if (c == L'\\') c = L'/';
  }
  return converted;
}

std::vector<HWND> AppWindows(const App& app, const wchar_t* cls) {
  struct Search {
    DWORD pid;
    const wchar_t* cls;
    std::vector<HWND> found;
  } search = {app.process.dwProcessId, cls, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid == s->pid && IsWindowVisible(window) && ClassOf(window) == s->cls) {
          s->found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDialogTitled(const App& app, const std::wstring& title) {
  for (HWND window : AppWindows(app, L"#32770")) {
    if (window != app.main && Text(window) == title) return window;
  }
  return nullptr;
}

HWND WaitForDialogTitled(const App& app, const std::wstring& title) {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindDialogTitled(app, title)) != nullptr; });
  return found;
}

bool StartApp(App& app) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  std::wstring command = L"\"" + app.exe + L"\"";
  if (!CreateProcessW(app.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      app.directory.c_str(), &startup, &app.process)) {
    Log(L"cannot start " + app.exe + L", error " + std::to_wstring(GetLastError()));
    return false;
  }
  WaitForInputIdle(app.process.hProcess, 20000);
  const bool shown = WaitFor(
      [&] {
        for (HWND window : AppWindows(app, L"#32770")) {
          if (GetDlgItem(window, 1023)) {
            app.main = window;
            return true;
          }
        }
        return false;
      },
      60000);  // a session's first start on a loaded machine can take half a minute
  if (!shown) Log(L"the main window did not appear");
  return shown;
}

bool CloseApp(App& app) {
  if (!app.process.hProcess) return true;
  PostMessageW(app.main, WM_SYSCOMMAND, SC_CLOSE, 0);
  const bool ended = WaitForSingleObject(app.process.hProcess, 20000) == WAIT_OBJECT_0;
  if (!ended) KillApp(app);
  CloseHandle(app.process.hProcess);
  CloseHandle(app.process.hThread);
  app.process = {};
  return ended;
}

void KillApp(App& app) {
  if (app.process.hProcess) TerminateProcess(app.process.hProcess, 1);
}

std::wstring Text(HWND window) {
  wchar_t buffer[4096] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      5000, &got);
  return buffer;
}

std::wstring ItemText(HWND dialog, int id) {
  return Text(GetDlgItem(dialog, id));
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    found.push_back(child);
  }
  return found;
}

MirroredRect ControlRect(HWND dialog, int id) {
  WINDOWINFO info = {};
  info.cbSize = sizeof(info);
  GetWindowInfo(dialog, &info);
  RECT control = {};
  GetWindowRect(GetDlgItem(dialog, id), &control);
  return {info.rcClient.right - control.right, control.top - info.rcClient.top,
          control.right - control.left, control.bottom - control.top};
}

HWND AppFocus(const App& app) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(app.process.dwThreadId, &info);
  return info.hwndFocus;
}

namespace {

// A block of memory inside the program under test, freed at the end of the scope.
class Remote {
 public:
  Remote(const App& app, std::size_t size)
      : process_(app.process.hProcess),
        address_(
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~Remote() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  Remote(const Remote&) = delete;
  Remote& operator=(const Remote&) = delete;
  char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
  void Write(std::size_t offset, const void* data, std::size_t size) const {
    WriteProcessMemory(process_, at(offset), data, size, nullptr);
  }
  void Read(std::size_t offset, void* data, std::size_t size) const {
    ReadProcessMemory(process_, at(offset), data, size, nullptr);
  }

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace

void SendDpiChanged(const App& app, int dpi, const RECT& suggested) {
  Remote remote(app, sizeof(RECT));
  remote.Write(0, &suggested, sizeof(suggested));
  SendMessageW(app.main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(remote.at(0)));
}

int ListCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ListCell(const App& app, HWND list, int row, int column) {
  Remote remote(app, 4096);
  LVITEMW item = {};
  item.iSubItem = column;
  item.cchTextMax = 512;
  item.pszText = reinterpret_cast<wchar_t*>(remote.at(1024));
  remote.Write(0, &item, sizeof(item));
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote.at(0)));
  wchar_t text[512] = {};
  remote.Read(1024, text, sizeof(text) - sizeof(wchar_t));
  return text;
}

std::wstring ShownTip(const App& app, HWND tool) {
  for (HWND tip : AppWindows(app, L"tooltips_class32")) {
    Remote remote(app, 4096);
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = reinterpret_cast<wchar_t*>(remote.at(1024));
    remote.Write(0, &info, sizeof(info));
    remote.Write(1024, L"", sizeof(wchar_t));
    SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(remote.at(0)));
    wchar_t text[1024] = {};
    remote.Read(1024, text, sizeof(text) - sizeof(wchar_t));
    if (text[0] != L'\0') return text;
  }
  return L"";
}

void ListSelect(const App& app, HWND list, int row, bool selected) {
  Remote remote(app, 1024);
  LVITEMW item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  remote.Write(0, &item, sizeof(item));
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote.at(0)));
}

RECT ListFirstCell(const App& app, HWND list, int row) {
  Remote remote(app, sizeof(RECT));
  RECT rect = {LVIR_LABEL, 0, 0, 0};
  remote.Write(0, &rect, sizeof(rect));
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
               reinterpret_cast<LPARAM>(remote.at(0)));
  remote.Read(0, &rect, sizeof(rect));
  return rect;
}

MessageBoxSeen AnswerMessageBox(const App& app, const std::wstring& caption, int button) {
  MessageBoxSeen seen;
  seen.window = WaitForDialogTitled(app, caption);
  if (!seen.window) {
    Log(L"no message box titled " + caption + L" appeared");
    return seen;
  }
  seen.caption = caption;
  // Its title and its buttons on the screen, every edge of it.
  RECT box = {};
  GetWindowRect(seen.window, &box);
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  const bool inside = box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height;
  HWND pressed = nullptr;
  for (HWND child : Children(seen.window)) {
    const std::wstring cls = ClassOf(child);
    if (cls == L"Static") {
      const std::wstring text = Text(child);
      if (text.size() > seen.text.size()) seen.text = text;
    } else if (cls == L"Button" && IsWindowVisible(child)) {
      seen.buttons.push_back(Text(child));
      if (GetDlgCtrlID(child) == button) pressed = child;
      if ((GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        seen.defaultButton = GetDlgCtrlID(child);
      }
    }
  }
  Check(inside, L"the box lies inside the " + std::to_wstring(width) + L"x" +
                    std::to_wstring(height) + L" screen: " + std::to_wstring(box.left) + L"," +
                    std::to_wstring(box.top) + L" " + std::to_wstring(box.right) + L"," +
                    std::to_wstring(box.bottom) + L", \"" + seen.text + L"\"");
  PostMessageW(seen.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(pressed));
  HWND window = seen.window;
  if (!WaitFor([&] { return !IsWindow(window); })) Log(L"the message box did not close");
  // The window, or the next box, has the focus again: a box without an owner left the window
  // inactive, with no control to take a key.
  Check(WaitFor([&] { return AppFocus(app) != nullptr; }, 5000),
        L"a window of the program has the focus after the box \"" + seen.text + L"\"");
  return seen;
}

bool NoMessageBox(const App& app, const std::wstring& caption) {
  return FindDialogTitled(app, caption) == nullptr;
}

COLORREF Capture::At(int screenX, int screenY) const {
  const int x = screenX - left;
  const int y = screenY - top;
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  const DWORD p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

namespace {

// Under Wine each process renders its own windows, so the screen as GDI reads it lacks
// other processes' pixels; the X server has the real picture. ImageMagick's import reads it
// and the rename tells when the file is complete.
bool CaptureWithImport(const RECT& screen, Capture& capture) {
  if (GetFileAttributesW(L"Z:\\bin\\sh") == INVALID_FILE_ATTRIBUTES) return false;
  static int serial = 0;
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  const std::wstring unixFolder = UnixPath(folder);
  if (unixFolder.empty()) return false;
  const std::wstring name = L"capture-" + std::to_wstring(++serial);
  const std::wstring finished = unixFolder + L"/" + name + L".ppm";
  const std::wstring partial = unixFolder + L"/" + name + L".tmp";
  std::wstring command = L"/bin/sh -c \"import -silent -window root -depth 8 -crop " +
                         std::to_wstring(capture.width) + L"x" + std::to_wstring(capture.height) +
                         L"+" + std::to_wstring(screen.left) + L"+" + std::to_wstring(screen.top) +
                         L" +repage ppm:'" + partial + L"' && mv '" + partial + L"' '" + finished +
                         L"'\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  const std::wstring path = name + L".ppm";
  if (!WaitFor([&] { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; },
               20000)) {
    return false;
  }
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (!file) return false;
  int w = 0, h = 0, maximum = 0;
  const bool header = fscanf(file, "P6 %d %d %d", &w, &h, &maximum) == 3 && fgetc(file) != EOF;
  std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
  const bool read = header && fread(rgb.data(), 1, rgb.size(), file) == rgb.size();
  fclose(file);
  DeleteFileW(path.c_str());
  if (!read || w != capture.width || h != capture.height || maximum != 255) return false;
  capture.pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (std::size_t i = 0; i < capture.pixels.size(); ++i) {
    capture.pixels[i] = (static_cast<DWORD>(rgb[i * 3]) << 16) |
                        (static_cast<DWORD>(rgb[i * 3 + 1]) << 8) | rgb[i * 3 + 2];
  }
  return true;
}

void CaptureWithGdi(const RECT& screen, Capture& capture) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = capture.width;
  info.bmiHeader.biHeight = -capture.height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screenDc = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screenDc);
  HBITMAP bitmap = CreateDIBSection(screenDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screenDc, screen.left, screen.top, SRCCOPY);
  GdiFlush();
  const auto* data = static_cast<const DWORD*>(bits);
  capture.pixels.assign(data, data + capture.width * capture.height);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screenDc);
}

}  // namespace

Capture CaptureScreen(const RECT& screen) {
  Capture capture;
  capture.left = screen.left;
  capture.top = screen.top;
  capture.width = screen.right - screen.left;
  capture.height = screen.bottom - screen.top;
  if (capture.width <= 0 || capture.height <= 0) return capture;
  if (!CaptureWithImport(screen, capture)) CaptureWithGdi(screen, capture);
  return capture;
}

bool SaveBitmap(const Capture& capture, const std::wstring& path) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (!file) return false;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = capture.width;
  header.biHeight = -capture.height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  const DWORD size = static_cast<DWORD>(capture.pixels.size() * 4);
  BITMAPFILEHEADER fileHeader = {};
  fileHeader.bfType = 0x4D42;
  fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
  fileHeader.bfSize = fileHeader.bfOffBits + size;
  fwrite(&fileHeader, sizeof(fileHeader), 1, file);
  fwrite(&header, sizeof(header), 1, file);
  fwrite(capture.pixels.data(), 1, size, file);
  return fclose(file) == 0;
}

bool Near(COLORREF actual, COLORREF expected, int tolerance) {
  if (actual == CLR_INVALID) return false;
  return abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
         abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
         abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::wstring ColourText(COLORREF colour) {
  if (colour == CLR_INVALID) return L"(outside)";
  return L"RGB(" + std::to_wstring(GetRValue(colour)) + L"," + std::to_wstring(GetGValue(colour)) +
         L"," + std::to_wstring(GetBValue(colour)) + L")";
}

}  // namespace driver
