// Program start: the common controls, the process-wide file table, the main dialog.

#include "controls/windows_api.h"
#include "report/file_table.h"
#include "window/main_dialog.h"

namespace {

void RegisterCommonControls() {
  HMODULE library = LoadLibraryA("COMCTL32.DLL");
  if (!library) return;
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  auto initEx = reinterpret_cast<InitEx>(
      reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
  if (initEx) {
    const INITCOMMONCONTROLSEX classes = {
        sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
    initEx(&classes);
  } else {
    InitCommonControls();
  }
  FreeLibrary(library);
}

}  // namespace

// The command line and show state are not used.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RegisterCommonControls();
  // The folder browser's newer style needs COM on this thread.
  const HRESULT ole = OleInitialize(nullptr);
  static pcn::FileTable files;
  pcn::RunMainDialog(files);
  if (SUCCEEDED(ole)) OleUninitialize();
  return 0;
}
