// The four owner-drawn image buttons: which they are, the pictures they show, and the hook on
// their window procedure that keeps track of the button under the pointer, whose frame the
// painting shows.
#pragma once

#include <cstddef>
#include <iterator>

#include "app/control_id.h"
#include "controls/windows_api.h"

namespace pcn {

struct ImageButton {
  ControlId id;
  const wchar_t* bitmap;  // the 96-DPI picture; "Bizua120" and so on are drawn larger
};
// The Generate button first: the procedure its hook replaces is the one all four share.
inline constexpr ImageButton kImageButtons[] = {{ControlId::kGenerate, L"Bizua"},
                                                {ControlId::kAddFile, L"Add"},
                                                {ControlId::kRemoveFile, L"Gra"},
                                                {ControlId::kBrowse, L"Iun"}};
inline constexpr std::size_t kImageButtonCount = std::size(kImageButtons);

// Puts the hook in front of each button's own window procedure.
void HookImageButtons(HWND dialog);
// Gives each button its own procedure back, before the buttons go.
void UnhookImageButtons(HWND dialog);
// The pointer moved on the dialog itself, off every button: the framed one is drawn plain.
void LeaveImageButtons();

}  // namespace pcn
