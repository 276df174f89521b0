// The output directory field and Browse, the folder browser that fills it.
#pragma once

#include "controls/windows_api.h"

namespace pcn {

// The field starts at the current directory, with a tip that shows all of it.
void SetUpOutputDirectory(HWND dialog);
// Browse: the folder browser, over the main window and at the field's folder. The folder
// chosen goes into the field; cancelled, or no file-system path, the current directory does.
void ChooseOutputDirectory(HWND dialog);
// The field's tip goes before the field.
void TearDownOutputDirectory(HWND dialog);

}  // namespace pcn
