// Accelerator tables for windows that translate their own keys (a modal
// dialog with a menu): a key-down that matches an entry becomes the entry's
// command, as a choice of its menu item would.
#pragma once
#include "platform/ui/Defs.h"

namespace platform {
struct AcceleratorTable;
}

using HACCEL = const platform::AcceleratorTable*;

// The registered table of that id; null when there is none.
HACCEL LoadAccelerators(UINT nIDResource);

// When pMsg is a key-down (WM_KEYDOWN or WM_SYSKEYDOWN) that matches an entry
// of the table with the Ctrl, Shift and Alt state of the moment, sends the
// command to the window (a dialog runs it only when its update handler
// enables it) and returns TRUE: the key is used up. FALSE otherwise.
BOOL TranslateAccelerator(CWnd* pWnd, HACCEL hAccel, const MSG* pMsg);
