// Message boxes: AfxMessageBox with a text or a string-table id, the MB_*
// styles and the ID* answers.
#pragma once
#include "platform/ui/Defs.h"

#include <string>

int AfxMessageBox(const std::string& text, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

namespace platform {
// Shows the box (or takes the test hook's answer); an empty caption shows
// the application's title.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);
} // namespace platform
