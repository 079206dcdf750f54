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
    // The listing the text output window shows, kept between its openings:
    // 0 input data, 1 time-step results, 2 corner nodes, 3 node BCs, 4 report
    // output, 5 view factors.
    int textListingKind = 1;
};

extern AppState g_app;

} // namespace gelmar
