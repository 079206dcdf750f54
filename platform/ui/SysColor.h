// System colours (COLOR_*) taken from the application palette, so the
// windows follow the desktop's colour scheme as they did, and the few system
// metrics the windows measure themselves with.
#pragma once
#include "platform/ui/Defs.h"

COLORREF GetSysColor(int index);
int GetSystemMetrics(int index);
