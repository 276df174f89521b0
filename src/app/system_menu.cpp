// The guide, About and the merge record. The record is the command-line tool's page
// (MergeRecordPage), filled the same way, with the window's spin steps as its adjustments.
#include "app/system_menu.h"

#include "app/message_box.h"
#include "app/message_fit.h"
#include "format/dealer_number.h"
#include "format/sha256.h"
#include "pcn_version.h"
#include "platform/atomic_file.h"
#include "platform/path_parts.h"
#include "platform/platform.h"
#include "text/messages.h"
#include "wording/refusal_text.h"

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

bool KeepMergeRecord(MergeRecordState& state, const FileTable& table, const GenerateResult& result,
                     const std::string& dateTime) {
  if (!result.Written()) return true;
  MergeRecordState::LastMerge last{table, {}};
  MergeRecord& record = last.record;
  record.dateTime = dateTime;
  // Whole, but with a drive's root ("C:\") joined to the name by one separator.
  record.outputPath = TidyPath(result.write.path);
  record.kind = result.kind;
  record.number = NormaliseDealerNumber(result.number);
  record.adjustments = state.steps;
  record.findings = result.findingsBySeverity;
  const std::optional<std::string> outputSha = Sha256OfFile(result.write.path);
  if (!outputSha) {
    state.last.reset();
    return false;
  }
  record.outputSha256 = *outputSha;
  record.outputSize = platform::SizeOf(result.write.path);
  // Held to the bytes the merge read: a file changed since gets no record at all.
  std::string failed;
  bool changed = false;
  std::optional<std::vector<std::string>> digests = DigestsOfMergedFiles(table, failed, changed);
  if (!digests) {
    state.last.reset();
    return false;
  }
  record.sourceSha256 = std::move(*digests);
  state.last = std::move(last);
  return true;
}

void SaveMergeRecord(Dialog& dialog, const MergeRecordState& state) {
  if (!state.last) {
    dialog.Beep();
    return;
  }
  const MergeRecordState::LastMerge& last = *state.last;
  // Beside the merged file, under its name: the page is filed with it.
  const std::string merged = last.record.outputPath;
  const std::string_view mergedName = platform::FileNameOf(merged);
  std::string name(mergedName.substr(0, mergedName.rfind('.')));
  name += '.';
  name += text::kRecordExtension;
  std::uint32_t flags = kOverwritePrompt | kPathMustExist | kExplorer;
  const std::string folder = merged.substr(0, merged.size() - mergedName.size());
  if (!AskSaveFile(dialog, text::kSaveRecordTitle, name, folder, text::kRecordFilter,
                   text::kRecordExtension, flags) ||
      name.empty()) {
    return;
  }

  // The page must not take the place of a file it records.
  const platform::FileIdentity identity = platform::IdentityOf(name);
  bool replaces = platform::SameIdentity(identity, platform::IdentityOf(merged));
  for (int slot = 1; slot <= last.table.FileCount(); ++slot) {
    replaces = replaces || platform::SameIdentity(identity, last.table.File(slot).identity);
  }
  std::string message;
  if (replaces) {
    message = text::kRecordNotSaved;
    message += ShownPath(dialog, name);
    message += text::kRecordWouldReplace;
    ShowStop(dialog, message);
    return;
  }
  const std::string page = MergeRecordPage(last.record, last.table);
  const std::string_view chosenFolder = platform::FolderOf(name);
  const std::string directory =
      chosenFolder.empty() ? platform::CurrentDirectory() : std::string(chosenFolder);
  const std::string file(platform::FileNameOf(name));
  platform::AtomicFile output;
  const bool saved = output.Open(directory, file) &&
                     output.File().Write(page.data(), page.size()) && output.Commit();
  message = saved ? text::kRecordSaved : text::kRecordNotSaved;
  message += ShownPath(dialog, name);
  ShowStop(dialog, message);  // the stop icon, as Generate's success message has
}

void GenerateKeepingRecord(Dialog& dialog, const FileTable& table, MergeRecordState& state) {
  const GenerateResult result = GenerateMergedFile(
      dialog, table, platform::LocalDateText(), [&](const GenerateResult& written) {
        return KeepMergeRecord(state, table, written, platform::LocalDateTimeText()) &&
               state.last.has_value();
      });
  if (result.recordWanted) SaveMergeRecord(dialog, state);
}

}  // namespace pcn
