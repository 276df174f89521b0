// In-memory controls that behave as the window's do where the logic can tell.
#include "support/headless_dialog.h"

namespace pcn {

void HeadlessDialog::SetFileCount(int count) {
  fileCount_ = count < 0 ? 0 : count;
  // A virtual list keeps its selection only while the row still exists.
  if (selectedFile_ >= fileCount_) selectedFile_ = -1;
}

void HeadlessDialog::SelectFileAndRedraw(int row) {
  if (row >= 0 && row < fileCount_) selectedFile_ = row;
  selectionHistory.push_back(row);
}

int HeadlessDialog::FindDealerExact(std::string_view number) {
  for (std::size_t i = 0; i < dealers_.size(); ++i) {
    if (dealers_[i] == number) return static_cast<int>(i);
  }
  return -1;
}

void HeadlessDialog::AddDealer(std::string_view number) {
  dealers_.emplace_back(number);
}

void HeadlessDialog::DeleteDealer(int index) {
  if (index < 0 || index >= static_cast<int>(dealers_.size())) return;
  dealers_.erase(dealers_.begin() + index);
  // A drop-down list loses its selection when the selected entry goes, and the entries
  // after it move up by one.
  if (selectedDealer_ == index) {
    selectedDealer_ = -1;
  } else if (selectedDealer_ > index) {
    --selectedDealer_;
  }
}

void HeadlessDialog::ClearDealers() {
  dealers_.clear();
  selectedDealer_ = -1;
}

void HeadlessDialog::SelectFirstDealer() {
  selectedDealer_ = dealers_.empty() ? -1 : 0;
}

std::string HeadlessDialog::DealerText() {
  if (selectedDealer_ < 0 || selectedDealer_ >= static_cast<int>(dealers_.size())) return {};
  return dealers_[static_cast<std::size_t>(selectedDealer_)];
}

std::string HeadlessDialog::Text(ControlId id) {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second;
}

void HeadlessDialog::SetText(ControlId id, std::string_view text) {
  texts_[id] = text;
}

int HeadlessDialog::MessageBox(std::string_view caption, std::string_view text,
                               std::uint32_t style) {
  messages.push_back({std::string(caption), std::string(text), style});
  return 1;  // IDOK
}

bool HeadlessDialog::Ask(std::string_view caption, std::string_view text, std::uint32_t style) {
  questions.push_back({std::string(caption), std::string(text), style});
  // Nothing scripted: Yes, so that a test about something else goes on as before the
  // question was asked; the tests of the question queue their answers.
  if (answers.empty()) return true;
  const bool yes = answers.front();
  answers.pop_front();
  return yes;
}

bool HeadlessDialog::RunOpenFileDialog(OpenFileRequest& request) {
  openFileRequests.push_back(request);
  if (openFileAnswers.empty()) {
    // Nothing scripted: the user cancelled, the buffer keeps what it held.
    return false;
  }
  OpenFileAnswer answer = std::move(openFileAnswers.front());
  openFileAnswers.pop_front();
  if (answer.selectionTooLong) {
    // The platform fails the dialog and leaves the size it needed in the buffer.
    request.selectionTooLong = true;
    return false;
  }
  if (answer.ok) {
    request.fileBuffer = answer.path;
    request.fileBuffer.append(2, '\0');
  }
  return answer.ok;
}

}  // namespace pcn
