// Process-wide settings of the Gelmar application that several windows read:
// the program folder, the batch flag, the bar visibility recorded for the
// output windows and the display toggles of the 3D view.
#pragma once
#include <string>

namespace gelmar {

struct AppState {
    // Holds "Gelmar.prm", the colour files, the string files and "Gelmar.glm";
    // the material database lies in "../Materials" from it.
    std::string programFolder;
    // Set while Batch Calculation runs: no questions, no document windows.
    bool batch = false;
    // Recorded by the output commands for the output windows.
    bool toolbarVisible = true;
    bool statusBarVisible = true;
    // Display toggles of the 3D view.
    bool hideOutline = false;
    bool showNorth = false;
    // The colour Convert Void to Blocks proposes from.
    int voidColour = 0;
};

extern AppState g_app;

} // namespace gelmar
