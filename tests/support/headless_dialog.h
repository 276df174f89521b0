// The main dialog held in memory, for the tests and the fuzz targets: the controls
// are plain values, messages are recorded, and the open-file dialog and the questions answer
// from queues. The save-file dialog answers from the open-file queue.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/dialog_port.h"

namespace pcn {

class HeadlessDialog : public Dialog {
 public:
  struct Message {
    std::string caption;
    std::string text;
    std::uint32_t style = 0;
  };
  struct OpenFileAnswer {
    bool ok = true;
    std::string path;  // one path, or a folder and names separated by NULs
    bool selectionTooLong = false;
  };

  void SetFileCount(int count) override;
  int SelectedFile() override { return selectedFile_; }
  void SelectFileAndRedraw(int row) override;

  int FindDealerExact(std::string_view number) override;
  void AddDealer(std::string_view number) override;
  void DeleteDealer(int index) override;
  void ClearDealers() override;
  void SelectFirstDealer() override;
  std::string DealerText() override;

  std::string Text(ControlId id) override;
  void SetText(ControlId id, std::string_view text) override;

  std::string OutputDirectory() override { return outputDirectory_; }
  bool RepresentativeChecked() override { return representative_; }

  int MessageBox(std::string_view caption, std::string_view text, std::uint32_t style) override;
  bool Ask(std::string_view caption, std::string_view text, std::uint32_t style) override;
  MessageRoom MessageBoxRoom() override { return messageRoom; }
  bool RunOpenFileDialog(OpenFileRequest& request) override;
  bool OpenDocument(std::string_view path) override {
    openedDocuments.emplace_back(path);
    return documentsOpen;
  }
  void Beep() override { ++beeps; }

  // What a user does with the window.
  void SelectRow(int row) { selectedFile_ = row; }
  void SetOutputDirectory(std::string directory) { outputDirectory_ = std::move(directory); }
  void SetRepresentative(bool checked) { representative_ = checked; }
  void QueueOpenFile(OpenFileAnswer answer) { openFileAnswers.push_back(std::move(answer)); }
  void QueueAnswer(bool yes) { answers.push_back(yes); }

  int FileCount() const { return fileCount_; }  // the rows the list was last given
  const std::vector<std::string>& Dealers() const { return dealers_; }

  std::vector<Message> messages;
  std::vector<Message> questions;  // asked through Ask, not among `messages`
  std::deque<bool> answers;
  std::deque<OpenFileAnswer> openFileAnswers;
  std::vector<OpenFileRequest> openFileRequests;
  std::vector<int> selectionHistory;         // rows selected by SelectFileAndRedraw, in order
  std::vector<std::string> openedDocuments;  // asked of OpenDocument, in order
  bool documentsOpen = true;                 // what OpenDocument answers
  // Room for the tests' texts as they are; the tests of fitting give a laptop's screen.
  MessageRoom messageRoom = {40, 100, 100, 100};
  int beeps = 0;

 private:
  int fileCount_ = 0;
  int selectedFile_ = -1;
  std::vector<std::string> dealers_;
  int selectedDealer_ = -1;
  std::map<ControlId, std::string> texts_;
  std::string outputDirectory_;
  bool representative_ = false;
};

}  // namespace pcn
