// The dialog port over the real controls of the main dialog.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/dialog_port.h"
#include "controls/windows_api.h"

namespace pcn {

class WindowDialog : public Dialog {
 public:
  explicit WindowDialog(HWND dialog) : dialog_(dialog) {}

  void SetFileCount(int count) override;
  int SelectedFile() override;
  void SelectFileAndRedraw(int row) override;

  int FindDealerExact(std::string_view number) override;
  void AddDealer(std::string_view number) override;
  void DeleteDealer(int index) override;
  void ClearDealers() override;
  void SelectFirstDealer() override;
  std::string DealerText() override;

  std::string Text(ControlId id) override;
  void SetText(ControlId id, std::string_view text) override;

  std::string OutputDirectory() override;
  bool RepresentativeChecked() override;

  int MessageBox(std::string_view caption, std::string_view text, std::uint32_t style) override;
  bool Ask(std::string_view caption, std::string_view text, std::uint32_t style) override;
  MessageRoom MessageBoxRoom() override;
  bool RunOpenFileDialog(OpenFileRequest& request) override;
  bool OpenDocument(std::string_view path) override;
  void Beep() override;

 private:
  HWND Control(ControlId id) const;
  // After a message box: the window active again, `focus` (a control of it) focused again.
  void GiveBackFocus(HWND focus);

  HWND dialog_;
  // The combo box's entries as the bytes they came from: the exact, case-sensitive search
  // compares these, and they survive any code page the combo box would round-trip through.
  std::vector<std::string> dealers_;
  // The bytes last written to each text control, returned while the control still shows them.
  std::map<ControlId, std::string> written_;
};

}  // namespace pcn
