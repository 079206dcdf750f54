// The document and view the user works on, as windows outside the frame
// (the output dialogs) and the 3D view find them: those of the main
// window's active frame.
#pragma once

class CDocument;
class CView;

namespace common {

// Null when there is no main frame window or no active frame.
CDocument* GetActiveDocumentOfMainFrame();
// The active view of the main window's active frame; null when there is no
// main frame window or no active view.
CView* GetActiveViewOfMainFrame();

} // namespace common
