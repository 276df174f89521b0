// The main dialog as the merge logic sees it: the few control reads and writes that
// loading, removing, adjusting and generating need, plus the message box (and how much it
// holds on the screen), the question, the open-file request, the opening of a document and
// the beep. The Windows program implements it over real controls; the tests use the in-memory
// HeadlessDialog. The command-line tool needs none: it calls the core.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/control_id.h"

namespace pcn {

// What the open-file dialog is asked and what it answers. Texts are UTF-8; `filter` is
// already in its platform form: description NUL pattern NUL ... NUL.
struct OpenFileRequest {
  std::string title;
  std::string filter;
  int filterIndex = 1;
  // in: the name to show first, NUL-padded; out: as the dialog left it: one full path, or
  // with several files chosen the folder and then each file's name, NUL-separated, a
  // double NUL at the end.
  std::string fileBuffer;
  std::string initialFolder;
  std::string defaultExtension;
  std::uint32_t flags = 0;
  // in: the save-file dialog rather than the open-file one: a name to write under.
  bool save = false;
  // out: the selection did not fit the buffer. The dialog then returns no file at all, and
  // the user must be told rather than given part of the selection.
  bool selectionTooLong = false;
};

// What one message box can hold on the screen it shows on, in lines of text and characters.
struct MessageRoom {
  int lines = 0;      // lines of text within the screen's height
  int lineChars = 0;  // characters of a line the box does not wrap, whatever its letters
  int pathChars = 0;  // characters of a path on a line the box does not wrap (they are narrower)
  // characters of a run without a space (a name), which the box cannot wrap and grows wider
  // for, within the screen's width
  int runChars = 0;
};

class Dialog {
 public:
  virtual ~Dialog() = default;

  // File list 1023, a view of the file table. Rows count from 0; -1 means no row.
  virtual void SetFileCount(int count) = 0;  // also redraws the list
  virtual int SelectedFile() = 0;
  virtual void SelectFileAndRedraw(int row) = 0;

  // Dealer-number combo box 1015 (a drop-down list). Entries count from 0; -1: not found.
  virtual int FindDealerExact(std::string_view number) = 0;
  virtual void AddDealer(std::string_view number) = 0;
  virtual void DeleteDealer(int index) = 0;
  virtual void ClearDealers() = 0;
  virtual void SelectFirstDealer() = 0;
  virtual std::string DealerText() = 0;  // the selected entry, "" when none

  // Texts of the number field 1036, the report month 1032 and the eight value fields.
  virtual std::string Text(ControlId id) = 0;
  virtual void SetText(ControlId id, std::string_view text) = 0;

  // Output directory 1025 and the representative option 1034.
  virtual std::string OutputDirectory() = 0;
  virtual bool RepresentativeChecked() = 0;

  // Shows a message box; `style` holds the platform's message-box flags. Returns the
  // identifier of the button that closed it.
  virtual int MessageBox(std::string_view caption, std::string_view text, std::uint32_t style) = 0;
  // Asks a question with the buttons `style` holds (Yes and No); true when the user answered
  // Yes.
  virtual bool Ask(std::string_view caption, std::string_view text, std::uint32_t style) = 0;
  // How much a message box can hold on this screen.
  virtual MessageRoom MessageBoxRoom() = 0;
  // Runs the platform's open-file dialog (or its save-file dialog, as the request says); true
  // when the user chose a file with OK.
  virtual bool RunOpenFileDialog(OpenFileRequest& request) = 0;
  // Opens a document (UTF-8 path) in the program the system has for it; false when none could.
  virtual bool OpenDocument(std::string_view path) = 0;
  virtual void Beep() = 0;
};

}  // namespace pcn
