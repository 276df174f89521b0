// The guide and About.
#include "app/system_menu.h"

#include "app/message_box.h"
#include "pcn_version.h"
#include "platform/platform.h"
#include "text/messages.h"

namespace pcn {
namespace {

constexpr std::uint32_t kIconInformation = 0x40;

}  // namespace

void OpenGuide(Dialog& dialog, const std::string& programDirectory) {
  std::string path = programDirectory;
  path += platform::kPathSeparator;
  path += text::kGuideFileName;
  std::string message;
  if (!platform::IsOrdinaryFile(path)) {
    message = text::kGuideMissing;
  } else if (!dialog.OpenDocument(path)) {
    message = text::kGuideNotOpened;
  } else {
    return;
  }
  message += ShownPath(dialog, path);
  ShowStop(dialog, message);
}

void ShowAbout(Dialog& dialog) {
  std::string message = text::kCaption;
  message += " - ";
  message += text::kAboutVersion;
  message += PCN_VERSION;
  message += text::kAboutPurpose;
  ShowMessage(dialog, kOkButton, kIconInformation, message);
}

}  // namespace pcn
