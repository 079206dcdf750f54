// The proposals of Init Areas && U Values.
#include "novelk/model/areas/InitAreas.h"

#include "novelk/model/areas/Areas.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace novelk {

namespace {

// An index box as lo and hi grid lines per axis.
struct Box {
    std::array<int, 3> lo{}, hi{};
};

Box BoxOf(const AreaRecord& r)
{
    return Box{{r.x1, r.y1, r.z1}, {r.x2, r.y2, r.z2}};
}

void StoreBox(AreaRecord& r, const Box& b)
{
    r.x1 = std::uint16_t(b.lo[0]), r.x2 = std::uint16_t(b.hi[0]);
    r.y1 = std::uint16_t(b.lo[1]), r.y2 = std::uint16_t(b.hi[1]);
    r.z1 = std::uint16_t(b.lo[2]), r.z2 = std::uint16_t(b.hi[2]);
}

// The other two axes of an axis, the lower first.
void OtherAxes(int axis, int& u, int& v)
{
    u = axis == 0 ? 1 : 0;
    v = axis == 2 ? 1 : 2;
}

// U line n runs along axis n / 4; its corner on the two other axes is low or
// high by bits 0 and 1 of n % 4.
int LineAxis(int n)
{
    return n / 4;
}
bool HighOnFirstOther(int n)
{
    return (n % 4 & 1) != 0;
}
bool HighOnSecondOther(int n)
{
    return (n % 4 & 2) != 0;
}

bool IsSolidType(int type)
{
    return type == MATERIAL || type == EQUIMAT;
}

int CellColour(const CellRaster& cells, int i, int j, int k)
{
    return GetCellColour(cells, i, j, k);
}

// The temperature of the reference environment: among the used BC_SIMPL
// colours the first temperature and the first different one, the lower of
// the two for external dimensions, else the higher; empty without BC_SIMPL.
std::optional<float> ReferenceTemperature(const ModelStore& m, bool externalDimensions)
{
    std::optional<float> first, second;
    for (const ColourRecord& c : m.colours) {
        if (!c.inUse || c.type != BC_SIMPL)
            continue;
        if (!first)
            first = c.temperature;
        else if (c.temperature != *first) {
            second = c.temperature;
            break;
        }
    }
    if (!first || !second)
        return first;
    return externalDimensions ? std::min(*first, *second) : std::max(*first, *second);
}

bool IsSimpleAt(const ModelStore& m, int colour, float temperature)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const ColourRecord& c = m.colours[std::size_t(colour)];
    return c.type == BC_SIMPL && c.temperature == temperature;
}

// Every proposal box takes the part of the solid box that the reference
// environment's cells span (a zero box where they miss it on an axis).
void ClipProposalsToEnvironment(ModelStore& m, const CellRaster& cells, const Box& solid,
                                bool externalDimensions)
{
    const std::optional<float> reference = ReferenceTemperature(m, externalDimensions);
    Box env{{1 << 30, 1 << 30, 1 << 30}, {-1, -1, -1}};
    if (reference) {
        for (int k = 0; k < int(cells.n[2]); ++k)
            for (int j = 0; j < int(cells.n[1]); ++j)
                for (int i = 0; i < int(cells.n[0]); ++i) {
                    if (!IsSimpleAt(m, CellColour(cells, i, j, k), *reference))
                        continue;
                    const int p[3] = {i, j, k};
                    for (int a = 0; a < 3; ++a) {
                        env.lo[a] = std::min(env.lo[a], p[a]);
                        env.hi[a] = std::max(env.hi[a], p[a] + 1);
                    }
                }
    }
    Box clipped;
    bool empty = false;
    for (int a = 0; a < 3; ++a) {
        clipped.lo[a] = std::max(env.lo[a], solid.lo[a]);
        clipped.hi[a] = std::min(env.hi[a], solid.hi[a]);
        empty = empty || clipped.lo[a] > clipped.hi[a];
    }
    for (AreaRecord& p : m.proposals) {
        p = AreaRecord{};
        if (!empty)
            StoreBox(p, clipped);
    }
}

// The extent (grid lines) of the cells face-connected to the start cell that
// have its colour or are BC_SIMPL cells of its temperature.
Box ExploreEnvironmentFace(const ModelStore& m, const CellRaster& cells, const int start[3],
                           std::vector<std::uint8_t>& visited)
{
    const int n[3] = {int(cells.n[0]), int(cells.n[1]), int(cells.n[2])};
    const int colour = CellColour(cells, start[0], start[1], start[2]);
    const float temperature = m.colours[std::size_t(colour)].temperature;
    std::fill(visited.begin(), visited.end(), 0);
    Box extent{{start[0], start[1], start[2]}, {start[0] + 1, start[1] + 1, start[2] + 1}};
    std::vector<std::int64_t> stack{std::int64_t(cells.Index(start[0], start[1], start[2]))};
    visited[std::size_t(stack.back())] = 1;
    while (!stack.empty()) {
        const std::int64_t cell = stack.back();
        stack.pop_back();
        const int p[3] = {int(cell % n[0]), int(cell / n[0] % n[1]), int(cell / n[0] / n[1])};
        for (int a = 0; a < 3; ++a) {
            extent.lo[a] = std::min(extent.lo[a], p[a]);
            extent.hi[a] = std::max(extent.hi[a], p[a] + 1);
        }
        for (int a = 0; a < 3; ++a)
            for (int step : {-1, 1}) {
                int q[3] = {p[0], p[1], p[2]};
                q[a] += step;
                if (q[a] < 0 || q[a] >= n[a])
                    continue;
                const std::size_t next = cells.Index(q[0], q[1], q[2]);
                if (visited[next])
                    continue;
                const int c = CellColour(cells, q[0], q[1], q[2]);
                if (c != colour && !IsSimpleAt(m, c, temperature))
                    continue;
                visited[next] = 1;
                stack.push_back(std::int64_t(next));
            }
    }
    return extent;
}

// Each measured line's proposal takes, across the line, the extent of the
// environment face region that begins at the proposal's corner nearest to
// the line, on the environment side of the chosen face.
void NarrowProposalBoxes(ModelStore& m, const CellRaster& cells)
{
    std::vector<std::uint8_t> visited(cells.colour.size());
    for (int n = 0; n < kULines; ++n) {
        if (!(m.uLines[std::size_t(n)].value > 0))
            continue;
        AreaRecord& proposal = m.proposals[std::size_t(n)];
        const Box box = BoxOf(proposal);
        const int axis = LineAxis(n);
        int u = 0, v = 0;
        OtherAxes(axis, u, v);
        int start[3];
        start[axis] = proposal.side == 0 ? box.lo[axis] - 1 : box.lo[axis];
        start[u] = HighOnFirstOther(n) ? box.hi[u] - 1 : box.lo[u];
        start[v] = HighOnSecondOther(n) ? box.hi[v] - 1 : box.lo[v];
        const int colour = CellColour(cells, start[0], start[1], start[2]);
        if (colour < 0 || m.colours[std::size_t(colour)].type != BC_SIMPL)
            continue;
        const Box region = ExploreEnvironmentFace(m, cells, start, visited);
        Box narrowed = box;
        for (int a : {u, v}) {
            narrowed.lo[a] = region.lo[a];
            narrowed.hi[a] = region.hi[a];
        }
        StoreBox(proposal, narrowed);
    }
}

// Within each axis group two measured lines of equal U on the same side
// whose proposals cover the same face region describe one element: the one
// whose face lies further out keeps its U.
void RemoveDuplicateULines(ModelStore& m)
{
    static const int pairs[6][2] = {{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}};
    for (int group = 0; group < 3; ++group) {
        int u = 0, v = 0;
        OtherAxes(group, u, v);
        for (const auto& pair : pairs) {
            AreaRecord& a = m.uLines[std::size_t(4 * group + pair[0])];
            AreaRecord& b = m.uLines[std::size_t(4 * group + pair[1])];
            if (!(a.value > 0) || a.value != b.value)
                continue;
            const AreaRecord& pa = m.proposals[std::size_t(4 * group + pair[0])];
            const AreaRecord& pb = m.proposals[std::size_t(4 * group + pair[1])];
            const Box ba = BoxOf(pa), bb = BoxOf(pb);
            if (pa.side != pb.side || ba.lo[u] != bb.lo[u] || ba.hi[u] != bb.hi[u] || ba.lo[v] != bb.lo[v] ||
                ba.hi[v] != bb.hi[v])
                continue;
            const int planeA = ba.lo[group], planeB = bb.lo[group];
            const bool bLoses = pa.side == 1 ? planeA >= planeB : planeA <= planeB;
            (bLoses ? b : a).value = 0;
        }
    }
}

// The proposals of each group are cut back, along every other group's axis,
// to the span of that group's element faces.
void TrimProposalBoxes(ModelStore& m)
{
    for (int group = 0; group < 3; ++group) {
        int low = 1 << 30, high = -1;
        for (int n = 4 * group; n < 4 * group + 4; ++n)
            if (m.uLines[std::size_t(n)].value > 0) {
                const int plane = BoxOf(m.proposals[std::size_t(n)]).lo[group];
                low = std::min(low, plane);
                high = std::max(high, plane);
            }
        if (high < 0)
            continue;
        for (int n = 0; n < kULines; ++n) {
            if (LineAxis(n) == group || !(m.uLines[std::size_t(n)].value > 0))
                continue;
            const int position = BoxOf(m.uLines[std::size_t(n)]).lo[group];
            Box box = BoxOf(m.proposals[std::size_t(n)]);
            if (position >= high)
                box.lo[group] = std::max(box.lo[group], low);
            else
                box.hi[group] = std::min(box.hi[group], high);
            StoreBox(m.proposals[std::size_t(n)], box);
        }
    }
}

// The first three measured lines become U1..U3 and their proposals A1..A3;
// without any, the faces of the solid box at its low planes become the areas.
void AssignAreaProposals(ModelStore& m, const Box& solid)
{
    int k = 0;
    for (int n = 0; n < kULines && k < kAreaRecords; ++n) {
        const AreaRecord& line = m.uLines[std::size_t(n)];
        if (!(line.value > 0))
            continue;
        AreaRecord& element = m.elements[std::size_t(k)];
        element = AreaRecord{};
        StoreBox(element, BoxOf(line));
        element.value = line.value;
        element.enforced = line.enforced;
        element.side = line.side;
        m.areas[std::size_t(k)] = AreaRecord{};
        StoreBox(m.areas[std::size_t(k)], BoxOf(m.proposals[std::size_t(n)]));
        ++k;
    }
    if (k > 0)
        return;
    for (int axis = 0; axis < 3; ++axis) {
        if (axis > 0 && !(solid.hi[axis] > solid.lo[axis]))
            continue;
        Box face = solid;
        face.hi[axis] = face.lo[axis];
        StoreBox(m.areas[std::size_t(k++)], face);
    }
}

} // namespace

bool FindSolidBoundingBox(const ModelStore& m, const CellRaster& cells, CellBox& box)
{
    box.lo = {1 << 30, 1 << 30, 1 << 30};
    box.hi = {-1, -1, -1};
    for (int k = 0; k < int(cells.n[2]); ++k)
        for (int j = 0; j < int(cells.n[1]); ++j)
            for (int i = 0; i < int(cells.n[0]); ++i) {
                const int c = CellColour(cells, i, j, k);
                if (c < 0 || c >= kColourCount || !IsSolidType(m.colours[std::size_t(c)].type))
                    continue;
                const int p[3] = {i, j, k};
                for (int a = 0; a < 3; ++a) {
                    box.lo[a] = std::min(box.lo[a], p[a]);
                    box.hi[a] = std::max(box.hi[a], p[a]);
                }
            }
    return box.hi[0] >= 0;
}

void InitAreasAndUValues(ModelStore& m, RunState& run, EngineHost& host, bool externalDimensions)
{
    WaitCursor wait(host);
    ResetElementUValues(m);
    ResetAreas(m);
    m.uLines.fill(AreaRecord{});
    m.proposals.fill(AreaRecord{});
    // A loaded result's raster serves when it is this grid's.
    const CellRaster& loaded = run.cells;
    if (!run.resultsLoaded || IsCellRasterMissing(run) || loaded.n[0] != m.axes[0].n ||
        loaded.n[1] != m.axes[1].n || loaded.n[2] != m.axes[2].n)
        RasteriseBlocks(m, run, host);
    const CellRaster& cells = run.cells;
    CellBox cellBox;
    if (!FindSolidBoundingBox(m, cells, cellBox))
        return;
    Box solid;
    for (int a = 0; a < 3; ++a) {
        solid.lo[a] = cellBox.lo[a];
        solid.hi[a] = cellBox.hi[a] + 1;
    }
    for (int n = 0; n < kULines; ++n) {
        const int axis = LineAxis(n);
        int u = 0, v = 0;
        OtherAxes(axis, u, v);
        Box edge = solid;
        edge.lo[u] = edge.hi[u] = HighOnFirstOther(n) ? solid.hi[u] : solid.lo[u];
        edge.lo[v] = edge.hi[v] = HighOnSecondOther(n) ? solid.hi[v] : solid.lo[v];
        StoreBox(m.uLines[std::size_t(n)], edge);
    }
    try {
        ClipProposalsToEnvironment(m, cells, solid, externalDimensions);
        for (int n = 0; n < kULines; ++n) {
            AreaRecord& line = m.uLines[std::size_t(n)];
            if (!IsAxisLine(line) || !IsUniformLine(m, line))
                continue;
            const std::optional<ULineMeasure> measured = MeasureULine(m, line, externalDimensions);
            if (!measured || !(measured->r > 0))
                continue;
            line.value = 1.0 / measured->r;
            line.side = measured->side;
            AreaRecord& proposal = m.proposals[std::size_t(n)];
            Box box = BoxOf(proposal);
            box.lo[LineAxis(n)] = box.hi[LineAxis(n)] = measured->plane;
            StoreBox(proposal, box);
            proposal.side = measured->side;
        }
        NarrowProposalBoxes(m, cells);
        RemoveDuplicateULines(m);
        TrimProposalBoxes(m);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    AssignAreaProposals(m, solid);
    ComputeAreas(m);
}

} // namespace novelk
