// EN 10077 Preparation.
#include "dralo/model/editing/En10077.h"

#include "dralo/model/editing/Dissolve.h"
#include "dralo/model/editing/Geometry.h"
#include "dralo/model/editing/ReducedHeatTransfer.h"
#include "dralo/model/editing/SplitZones.h"
#include "dralo/model/lines/Distances.h"
#include "dralo/model/lines/LineWalk.h"
#include "dralo/model/store/ColourQueries.h"
#include "dralo/model/store/FloodFill.h"
#include "dralo/model/store/Statistics.h"

#include <cmath>

namespace dralo {

bool HasNoActiveBoundaryColours(const BitmapModel& m)
{
    for (const ColourRecord& c : m.colours) {
        if (!c.present)
            continue;
        if ((c.type == BC_SIMPL || c.type == BC_FRE_S) && (c.hglo != 0 || c.flux != 0))
            return false;
        if (c.type == BC_SKY || c.type == BC_NOSKY)
            return false;
    }
    return true;
}

bool IsBorderOfColour(const BitmapModel& m, int side, int colour)
{
    if (m.width < 1 || m.height < 1)
        return false;
    const bool column = side == 0 || side == 1;
    const std::int32_t at = side == 0 ? 0 : side == 1 ? m.width - 1 : side == 2 ? 0 : m.height - 1;
    const std::int32_t n = column ? m.height : m.width;
    for (std::int32_t i = 0; i < n; ++i)
        if (GetPixelColour(m, column ? at : i, column ? i : at) != colour)
            return false;
    return true;
}

namespace {

// Step 1: cavity zones of at most npxd pixels dissolve into their neighbours.
bool RemoveSmallCavities(BitmapModel& m, const ProgramParameters& p)
{
    ComputeColourStatistics(m);
    const int f = FindFreeColour(m, 0);
    const ColourRecord& cavity = m.colours[p.ccav];
    if (m.colours[static_cast<std::size_t>(f)].present || !cavity.present)
        return false;
    CountColourZones(m);
    if (cavity.zoneCount == 1) {
        if (cavity.pixelCount > p.npxd)
            return false;
        DissolveColour(m, p.ccav, true, -1, p.lahm);
        return true;
    }
    FillWork counted, filled;
    counted.Reset(m);
    filled.Reset(m);
    bool any = false;
    for (std::int64_t i = 0; i < PixelTotal(m); ++i) {
        if (m.pixels[static_cast<std::size_t>(i)] != p.ccav || counted.visited[static_cast<std::size_t>(i)])
            continue;
        const std::int64_t x = i % m.width, y = i / m.width;
        if (FloodFillColourZone(m, x, y, p.ccav, p.ccav, counted) <= p.npxd) {
            FloodFillColourZone(m, x, y, p.ccav, static_cast<std::uint8_t>(f), filled);
            any = true;
        }
    }
    if (any)
        DissolveColour(m, f, true, p.ccav, p.lahm);
    return any;
}

enum class Environments { Made, Unchanged, NoLayout };

// Step 2: the cavity colour's zones at two opposite borders become the
// interior and the exterior.
Environments MakeEnvironments(BitmapModel& m, const ProgramParameters& p)
{
    CountColourZones(m);
    if (m.colours[p.ccav].zoneCount < 2)
        return Environments::NoLayout;
    const bool l = IsBorderOfColour(m, 0, p.ccav), r = IsBorderOfColour(m, 1, p.ccav);
    const bool t = IsBorderOfColour(m, 2, p.ccav), b = IsBorderOfColour(m, 3, p.ccav);
    if (!l && !r && !t && !b)
        return Environments::Unchanged;
    std::int64_t second;
    bool interiorFirst;
    if (l && r && !t && !b) {
        second = m.width - 1;
        interiorFirst = p.ilef == 0;
    } else if (t && b && !l && !r) {
        second = PixelIndex(m, 0, m.height - 1);
        interiorFirst = p.inup == 0;
    } else {
        return Environments::NoLayout;
    }
    const std::uint8_t firstColour = interiorFirst ? p.cint : p.cext, otherColour = interiorFirst ? p.cext : p.cint;
    FillWork work;
    work.Reset(m);
    FloodFillColourZone(m, 0, 0, p.ccav, firstColour, work);
    if (!work.visited[static_cast<std::size_t>(second)])
        FloodFillColourZone(m, second % m.width, second / m.width, p.ccav, otherColour, work);
    return Environments::Made;
}

// Step 4: the layout from the borders along which a U value can be
// computed and the environments in the corners.
FrameLayout RecogniseLayout(const BitmapModel& m, const ProgramParameters& p)
{
    const bool l = IsLineUValueComputable(m, 0), r = IsLineUValueComputable(m, 1);
    const bool t = IsLineUValueComputable(m, 2), b = IsLineUValueComputable(m, 3);
    const int corner = GetPixelColour(m, 0, 0);
    if (t && b && !l && !r) {
        const int topRight = GetPixelColour(m, m.width - 1, 0);
        if (corner == p.cint && topRight == p.cext)
            return FrameLayout::XInteriorLeft;
        if (corner == p.cext && topRight == p.cint)
            return FrameLayout::XInteriorRight;
    } else if (l && r && !t && !b) {
        const int bottomLeft = GetPixelColour(m, 0, m.height - 1);
        if (corner == p.cint && bottomLeft == p.cext)
            return FrameLayout::YInteriorTop;
        if (corner == p.cext && bottomLeft == p.cint)
            return FrameLayout::YInteriorBottom;
    }
    return FrameLayout::None;
}

// Step 7: insulation panels shorter than `panl` are lengthened at the
// bitmap's border, new pixels repeating the border.
bool LengthenPanels(EditSession& s, bool alongX)
{
    BitmapModel& m = s.model;
    const ProgramParameters& p = s.defaults;
    if (!IsStandardFrameLayout(m, alongX ? 0 : 1) || m.ndis < 2)
        return false;
    const double wanted = p.panl * 0.001 / m.pixs;
    const double wantedLength = p.panl * 0.001;
    bool resized = false;
    auto lo = [alongX](const DistanceRecord& d) { return alongX ? std::min(d.x1, d.x2) : std::min(d.y1, d.y2); };
    auto hi = [alongX](const DistanceRecord& d) { return alongX ? std::max(d.x1, d.x2) : std::max(d.y1, d.y2); };
    int next = 1;
    const DistanceRecord& first = m.distances[1];
    if (lo(first) == 0 && (hi(first) + 1) * m.pixs < wantedLength) {
        const auto k = static_cast<std::int32_t>(std::trunc(wanted - (hi(first) + 1) + 0.5));
        if (k > 0 && (alongX ? ResizeBitmap(m, m.width + k, m.height, k, 0, true, s.host)
                             : ResizeBitmap(m, m.width, m.height + k, 0, k, true, s.host)))
            resized = true;
        next = 2;
    }
    if (next < m.ndis) {
        const DistanceRecord& d = m.distances[static_cast<std::size_t>(next)];
        const std::int32_t last = (alongX ? m.width : m.height) - 1;
        const std::int32_t length = hi(d) - lo(d) + 1;
        if (hi(d) == last && length * m.pixs < wantedLength) {
            const auto k = static_cast<std::int32_t>(std::trunc(wanted - length + 0.5));
            if (k > 0 && (alongX ? ResizeBitmap(m, m.width + k, m.height, 0, 0, true, s.host)
                                 : ResizeBitmap(m, m.width, m.height + k, 0, 0, true, s.host)))
                resized = true;
        }
    }
    return resized;
}

} // namespace

FrameLayout PrepareEn10077Model(EditSession& s)
{
    BitmapModel& m = s.model;
    const ProgramParameters& p = s.defaults;
    bool changed = RemoveSmallCavities(m, p);
    bool wholeBitmap = false;
    FrameLayout layout = FrameLayout::None;
    Environments environments = Environments::Unchanged;
    if (HasNoActiveBoundaryColours(m)) {
        environments = MakeEnvironments(m, p);
        changed = changed || environments == Environments::Made;
    }
    ComputeColourStatistics(m);
    if (environments != Environments::NoLayout && HasTwoBoundaryTemperatures(m))
        layout = RecogniseLayout(m, p);
    if (layout != FrameLayout::None) {
        changed = true;
        const bool layoutX = layout == FrameLayout::XInteriorLeft || layout == FrameLayout::XInteriorRight;
        // Cavities: equivalent materials, each zone a colour of its own.
        CountColourZones(m);
        ColourRecord& cavity = m.colours[p.ccav];
        if (cavity.present) {
            if (p.tcav == 0) {
                cavity.type = EQUIMAT;
                cavity.rule = layoutX ? CEN_Xy_I : CEN_Yx_I;
            } else {
                cavity.type = TRANSMAT;
                cavity.rule = CEN_DIR_I_TRANSMAT;
                cavity.flowX = layoutX ? 1.0f : 0.0f;
                cavity.flowY = layoutX ? 0.0f : 1.0f;
            }
            if (s.session.split.szcf == 0)
                s.session.split.szcf = p.ccav;
            SplitZones(m, s.session.split, p.lahm, p.ccav, s.session.split.szcf);
        }
        ComputeColourStatistics(m);
        if (m.ndis == 0)
            ComputeFrameWidths(m, p);
        // Distances along y for heat flow along x, and the reverse.
        wholeBitmap = LengthenPanels(s, !layoutX);
        const int direction = layout == FrameLayout::XInteriorLeft    ? kFlowRightwards
                              : layout == FrameLayout::XInteriorRight ? kFlowLeftwards
                              : layout == FrameLayout::YInteriorTop   ? kFlowDownwards
                                                                      : kFlowUpwards;
        SetReducedHeatTransfer(m, p.crht, p.cint, direction);
        wholeBitmap = true;
    }
    if (changed) {
        ComputeColourStatistics(m);
        RefreshViewsAfterEdit(s, GetNthPresentColour(m, 0), wholeBitmap);
    }
    return layout;
}

} // namespace dralo
