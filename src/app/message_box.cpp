// Every message of the system in one form: the program's caption, right-aligned
// right-to-left text, task-modal, no owner window, and no run of text wider than the screen.
#include "app/message_box.h"

#include <algorithm>

#include "app/message_fit.h"
#include "platform/platform.h"
#include "text/messages.h"

namespace pcn {

int ShowMessage(Dialog& owner, int buttons, std::uint32_t icon, std::string_view text) {
  // Button set 1 of this system is the single OK button, which is 0 among the platform's
  // flags.
  const std::uint32_t buttonFlags = buttons == kOkButton ? 0 : static_cast<std::uint32_t>(buttons);
  const std::uint32_t style =
      kMessageRight | kMessageRtlReading | kMessageTaskModal | icon | buttonFlags;
  return owner.MessageBox(text::kCaption, FitMessage(text, owner.MessageBoxRoom()), style);
}

void ShowStop(Dialog& owner, std::string_view text) {
  ShowMessage(owner, kOkButton, kIconStop, text);
}

std::string ShownPath(Dialog& owner, std::string_view path) {
  return ShownPath(path, static_cast<std::size_t>(std::max(1, owner.MessageBoxRoom().pathChars)));
}

bool AskYesNo(Dialog& owner, std::string_view text, std::uint32_t icon) {
  const std::uint32_t style =
      kMessageRight | kMessageRtlReading | kMessageTaskModal | icon | kYesNo | kSecondButtonDefault;
  return owner.Ask(text::kCaption, FitMessage(text, owner.MessageBoxRoom()), style);
}

namespace {

OpenFileRequest FileRequest(std::string_view title, const std::string& fileName,
                            std::string_view initialFolder, std::string_view filter,
                            std::string_view defaultExtension, std::uint32_t flags) {
  OpenFileRequest request;
  request.title = title;
  request.filter = filter;
  for (char& c : request.filter) {
    if (c == '|') c = '\0';
  }
  request.filter += '\0';
  request.filterIndex = 1;
  request.initialFolder =
      initialFolder.empty() ? platform::CurrentDirectory() : std::string(initialFolder);
  request.fileBuffer = fileName;
  if (request.fileBuffer.size() < 16384) request.fileBuffer.resize(16384, '\0');
  request.defaultExtension = defaultExtension;
  request.flags = flags;
  return request;
}

// The name ends at the first pair of NULs, else at the first NUL; with no NUL at all
// nothing usable came back.
std::string ReturnedName(const std::string& buffer) {
  std::size_t cut = buffer.find(std::string_view("\0\0", 2));
  if (cut == std::string::npos) cut = buffer.find('\0');
  return cut == std::string::npos ? std::string() : buffer.substr(0, cut);
}

}  // namespace

bool AskOpenFile(Dialog& owner, std::string_view title, std::string& fileName,
                 std::string_view initialFolder, std::string_view filter,
                 std::string_view defaultExtension, std::uint32_t& flags, bool* selectionTooLong) {
  OpenFileRequest request =
      FileRequest(title, fileName, initialFolder, filter, defaultExtension, flags);
  const bool chosen = owner.RunOpenFileDialog(request);
  fileName = ReturnedName(request.fileBuffer);
  flags = request.flags;
  if (selectionTooLong != nullptr) *selectionTooLong = request.selectionTooLong;
  return chosen;
}

bool AskSaveFile(Dialog& owner, std::string_view title, std::string& fileName,
                 std::string_view initialFolder, std::string_view filter,
                 std::string_view defaultExtension, std::uint32_t flags) {
  OpenFileRequest request =
      FileRequest(title, fileName, initialFolder, filter, defaultExtension, flags);
  request.save = true;
  const bool chosen = owner.RunOpenFileDialog(request);
  // Only the first name: a save dialog never returns several.
  const std::string name = ReturnedName(request.fileBuffer);
  fileName = name.substr(0, name.find('\0'));
  return chosen;
}

std::vector<std::string> ChosenPaths(std::string_view fileName) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0; start <= fileName.size();) {
    std::size_t end = fileName.find('\0', start);
    if (end == std::string_view::npos) end = fileName.size();
    if (end > start) parts.push_back(fileName.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) return {std::string(parts.empty() ? fileName : parts.front())};
  std::string folder(parts.front());
  // A drive's root comes back as "C:\", with its separator; other folders without one.
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
    folder += platform::kPathSeparator;
  }
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + std::string(parts[i]));
  return paths;
}

}  // namespace pcn
