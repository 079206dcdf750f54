// The document the user works on, as windows outside the frame (the output
// dialogs) find it: the document of the main window's active frame.
#pragma once

class CDocument;

namespace common {

// Null when there is no main frame window or no active frame.
CDocument* GetActiveDocumentOfMainFrame();

} // namespace common
