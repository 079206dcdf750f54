// Small queries over the colour table that the views, the files and the
// calculation share.
#pragma once
#include "dralo/model/store/BitmapModel.h"

namespace dralo {

int CountPresentColours(const BitmapModel& m);
// The n-th present colour counted from 0; the first present colour when
// there are fewer, 0 when none is present.
int GetNthPresentColour(const BitmapModel& m, int n);
// Present colours below c when c is present, else -1.
int GetPresentColourIndex(const BitmapModel& m, int c);
// A "defined" colour: present, or of a type other than MATERIAL, or with a
// `lamb` other than exactly 1, or with a name.
bool IsColourRowNonDefault(const ColourRecord& r);
// The same two queries over the defined colours; with none defined the
// first answers 0.
int GetNthDefinedColour(const BitmapModel& m, int n);
int GetDefinedColourIndex(const BitmapModel& m, int c);
// From c upwards, wrapping from 255 to 0, the first colour that is not
// present; c itself when all 256 are present.
int FindFreeColour(const BitmapModel& m, int c);
// A present colour of type BC_FREE, BC_SKY, BC_NOSKY or TRANSMAT.
bool HasRadiatingColours(const BitmapModel& m);
// The present boundary colours define exactly two distinct temperatures and
// no heat flux: BC_SIMPL and BC_FRE_S colours with hglo 0 and flux 0 are
// skipped, one with a flux answers false, else its `temp` counts; a BC_SKY
// colour with tair other than trad or with a flux answers false, else its
// `tair` counts; any BC_NOSKY colour answers false.
bool HasTwoBoundaryTemperatures(const BitmapModel& m);
// BC_SIMPL or BC_FRE_S with hglo 0 and flux 0: a boundary that takes no part.
bool IsAdiabaticBoundary(const ColourRecord& r);

} // namespace dralo
