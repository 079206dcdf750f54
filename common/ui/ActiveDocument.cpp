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

} // namespace common
