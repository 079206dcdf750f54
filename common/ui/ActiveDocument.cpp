// The main frame's active document.
#include "common/ui/ActiveDocument.h"

#include "platform/ui/App.h"
#include "platform/ui/Frame.h"

namespace common {

CDocument* GetActiveDocumentOfMainFrame()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    return frame ? frame->GetActiveDocument() : nullptr;
}

CView* GetActiveViewOfMainFrame()
{
    CWnd* main = AfxGetMainWnd();
    // An MDI frame's active frame is its active child.
    if (auto* mdi = dynamic_cast<CMDIFrameWnd*>(main)) {
        CMDIChildWnd* child = mdi->MDIGetActive();
        return child ? child->GetActiveView() : nullptr;
    }
    auto* frame = dynamic_cast<CFrameWnd*>(main);
    return frame ? frame->GetActiveView() : nullptr;
}

} // namespace common
