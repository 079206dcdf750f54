// Split Zones: every 4-connected zone of one colour gets a colour number of
// its own with a copy of the colour's properties, so that each cavity of a
// window-frame section becomes a material with its own dimensions. Three
// stages: "1. Clean" deletes the small zones by letting the neighbours grow
// into them; "2. Optimise" cuts the colour where it narrows below the groove
// width, so that narrow parts become zones of their own or join the zone
// they belong to; "3. Split" numbers the zones from the first new colour
// upwards, zones below the area limit sharing the small-zone colour.
#pragma once
#include "dralo/model/editing/EditSession.h"

#include <cstdint>
#include <vector>

namespace dralo {

// The command on colour c with the session's settings (the dialog has set
// them): the first new colour becomes c when it is 0; afterwards the end of
// a whole-bitmap edit, and message 563 when the colour numbers ran out.
// Returns SplitZones' result.
bool RunSplitZones(EditSession& s, int c);

// Stage 1, then stages 2 and 3 by zone cores, or, when their colour
// numbers run out, directly. False when colour numbers ran out.
bool SplitZones(BitmapModel& m, SplitZonesSettings& settings, float hardMaterial, int c, int first);
// Stage 1: zones of c of at most `szpc` pixels dissolve into their
// neighbours other than c (hard materials and boundary colours held back).
// False only when no colour number is free.
bool DeleteSmallZones(BitmapModel& m, const SplitZonesSettings& settings, float hardMaterial, int c);
// Stages 2 and 3 from the cores that remain of c once its skin (every pixel
// within the groove radius of its boundary) is taken away; false, with its
// recolouring undone, when the colour numbers run out.
bool SplitZonesByCores(BitmapModel& m, SplitZonesSettings& settings, int c, int first);
// Stages 2 and 3 on the zones of c directly; false when the colour numbers
// run out (what was done stays).
bool SplitZonesDirect(BitmapModel& m, SplitZonesSettings& settings, int c, int first);

// The groove radius in pixels: trunc(w / pixs + 0.5), w half the groove
// width (0.001 m for 2 mm, 0.005 m for 10 mm).
int GrooveRadius(const BitmapModel& m, const SplitZonesSettings& settings);

// The boundary edges of one colour: vertical ones as (x, y1, y2) and
// horizontal ones as (y, x1, x2), each list sorted by its first field.
struct ColourEdges {
    struct Edge {
        std::int32_t at, from, to;
    };
    std::vector<Edge> vertical, horizontal;
};
ColourEdges CollectColourEdges(const BitmapModel& m, int c);
// Pixel (x, y), the square (x, y)..(x+1, y+1), lies nearer than r to an edge
// of the lists: with the gaps g across and e along the edge, g² + e² < r².
bool IsNearVerticalEdge(const ColourEdges& edges, std::int32_t x, std::int32_t y, int r);
bool IsNearHorizontalEdge(const ColourEdges& edges, std::int32_t x, std::int32_t y, int r);

} // namespace dralo
