// What an editing command works on: the model, the program defaults (the
// hard-material threshold, the EN 10077 settings and the reduced-heat-
// transfer colour), the session's Split Zones settings, the undo list and the
// host. The program owns each of them and hands them in together.
#pragma once
#include "dralo/model/editing/UndoRedo.h"
#include "dralo/model/store/BitmapModel.h"
#include "dralo/model/store/ProgramParameters.h"

namespace dralo {

class EngineHost;

struct EditSession {
    BitmapModel& model;
    const ProgramParameters& defaults;
    SessionSettings& session;
    UndoHistory& undo;
    EngineHost& host;
};

// The common end of an edit of the model as a whole: boundary edges and
// statistics rebuilt, the rules applied, the bitmap window's modified mark
// set, the document modified, an undo snapshot of the bitmap, the views
// refreshed (moved to the colour; wholeBitmap redraws the bitmap view as a
// whole).
void RefreshViewsAfterEdit(EditSession& s, int colour, bool wholeBitmap = false);

// The end of a pixel edit whose changes went through SetPixelColour: the
// bitmap window's mark and an undo snapshot of the changed pixels, the
// document modified, the boundary edges updated inside the changed box (or
// rebuilt when the snapshot had to keep the whole bitmap), the rules
// applied, the snapshot's colours brought up to date, the distances checked
// and the views refreshed.
void CommitPixelEdit(EditSession& s);

} // namespace dralo
