// Ends of the edits.
#include "dralo/model/editing/EditSession.h"

#include "dralo/model/lines/Distances.h"
#include "dralo/model/rules/SurfaceRules.h"
#include "dralo/model/store/BoundaryEdges.h"
#include "dralo/model/store/EngineHost.h"

namespace dralo {

void RefreshViewsAfterEdit(EditSession& s, int colour, bool wholeBitmap)
{
    BuildColourBoundaryEdges(s.model);
    ApplySurfaceRules(s.model, false);
    s.model.view.bitmapModified = 1;
    s.host.SetModified(true);
    SaveUndoRecord(s.undo, s.model, kUndoPixels, 0, 0, true, s.host);
    s.host.RefreshAfterEdit(colour, wholeBitmap);
    s.host.UpdateAllViews();
}

void CommitPixelEdit(EditSession& s)
{
    BitmapModel& m = s.model;
    m.view.bitmapModified = 1;
    const bool recorded = SaveUndoRecord(s.undo, m, kUndoPixels, 0, 0, true, s.host);
    s.host.SetModified(true);
    const UndoRecord* newest = recorded ? s.undo.Current() : nullptr;
    if (newest && !newest->changed.empty())
        UpdateColourBoundaryEdges(m, newest->changed, true);
    else
        BuildColourBoundaryEdges(m);
    ApplySurfaceRules(m, false);
    if (recorded)
        RefreshSnapshotColours(s.undo, m);
    ValidateDistances(m);
    s.host.RefreshAfterEdit(-1, false);
    s.host.UpdateAllViews();
}

} // namespace dralo
