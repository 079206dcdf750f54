// Edits of whole colours: recolouring, deleting, merging equal colours,
// filling a two-colour line drawing, rotating the model, and the colour
// label positions.
#pragma once
#include "dralo/model/editing/EditSession.h"

namespace dralo {

// New Colour: every pixel of c gets colour `target` (the number the user
// chose); c is no longer present.
void AssignNewColour(EditSession& s, int c, int target);
// Delete Colour: c dissolves into its neighbours (hard materials and
// boundary colours held back); returns the colour that becomes current: the
// first present colour above c, else below, else 0.
int DeleteColour(EditSession& s, int c);
// Merge: every pixel of a colour equal to c in type, name and the values
// that matter (rule, pattern, `lamb`, `temp`, `hglo`, `flux`, `tair`, `hcon`,
// `qcon`, `trad`, and `epsi` when the model has radiating colours) gets c.
void MergeEqualColours(EditSession& s, int c);
// Fill Line Drawing: of the two present colours, the one with more pixels
// is split into its 4-connected zones, each taking the next colour number
// after n (wrapping from 255 to 0, skipping the line colour) with a copy of
// its properties; the line colour then dissolves into the zones.
void FillLineDrawingCommand(EditSession& s, int n);
// The split part of Fill Line Drawing; returns the line colour, -1 (nothing
// done) unless exactly two colours are present.
int FillLineDrawing(BitmapModel& m, int n);
// Marks `to` present and copies name, type, rule, `lamb` .. `tric` and the
// flow direction from `from`; the fill pattern of `to` stays.
void CopyColourProperties(BitmapModel& m, int from, int to);
// Rotate 90°: the quarter turn of the bitmap and its distances, with the X
// and Y variants of the EQUIMAT and BC_FREE rules swapped.
void RotateModel90(EditSession& s);

} // namespace dralo
