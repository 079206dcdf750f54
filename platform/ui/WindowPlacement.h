// The main window's place and size between runs: its normal (not maximised)
// rectangle is kept in the program's settings when it closes and given back
// when the next run makes it, so that the window comes back where the user
// left it when it is not shown maximised, and returns there from maximised.
#pragma once

class CWinApp;
class QWidget;

namespace platform {

// Keeps the window's normal rectangle in the application's settings.
void SaveWindowPlacement(const QWidget& window, CWinApp& app);
// Gives the window the kept rectangle, when there is one that still lies
// on a screen.
void RestoreWindowPlacement(QWidget& window, CWinApp& app);

} // namespace platform
