// Areas of the A records and one-dimensional U values of the element lines.
#include "novelk/model/areas/Areas.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace novelk {

namespace {

// The other two axes of an axis, the lower first.
void OtherAxes(int axis, int& u, int& v)
{
    u = axis == 0 ? 1 : 0;
    v = axis == 2 ? 1 : 2;
}

void BoxBounds(const AreaRecord& r, int lo[3], int hi[3])
{
    lo[0] = r.x1, hi[0] = r.x2, lo[1] = r.y1, hi[1] = r.y2, lo[2] = r.z1, hi[2] = r.z2;
}

// Colours of the cells from..to (inclusive) along the axis at (p, q) on the
// other two axes, as the blocks give them: the latest block covering a cell
// wins; -1 for a void cell or one outside the grid. The blocks are taken
// latest first and each cell is painted once, so a line costs the block count
// plus its length, however large the grid.
std::vector<int> ColumnColours(const ModelStore& m, int axis, long p, long q, long from, long to)
{
    std::vector<int> colours(static_cast<std::size_t>(to - from + 1), -1);
    int u = 0, v = 0;
    OtherAxes(axis, u, v);
    const long n = m.axes[static_cast<std::size_t>(axis)].n;
    if (p < 0 || q < 0 || p >= m.axes[static_cast<std::size_t>(u)].n ||
        q >= m.axes[static_cast<std::size_t>(v)].n)
        return colours;
    // next[i]: the first cell at or after i not yet painted (path-halving).
    std::vector<long> next(colours.size() + 1);
    std::iota(next.begin(), next.end(), 0L);
    const auto find = [&next](long i) {
        while (next[static_cast<std::size_t>(i)] != i) {
            next[static_cast<std::size_t>(i)] =
                next[static_cast<std::size_t>(next[static_cast<std::size_t>(i)])];
            i = next[static_cast<std::size_t>(i)];
        }
        return i;
    };
    const long first = std::max(from, 0L), last = std::min(to, n - 1);
    for (std::size_t b = m.blocks.count; b-- > 0;) {
        const BlockRecord& r = m.blocks[b];
        const long lo[3] = {r.x1, r.y1, r.z1}, hi[3] = {r.x2, r.y2, r.z2};
        if (p < lo[u] || p >= hi[u] || q < lo[v] || q >= hi[v])
            continue;
        const long start = std::max(lo[axis], first), end = std::min(hi[axis] - 1, last);
        if (start > end)
            continue;
        for (long c = find(start - from); c <= end - from; c = find(c + 1)) {
            colours[static_cast<std::size_t>(c)] = r.colour;
            next[static_cast<std::size_t>(c)] = c + 1;
        }
    }
    return colours;
}

// The four cells that touch a line at each step of its walk, over the cells
// lo-1..hi along its axis: (p, q), (p-1, q), (p-1, q-1), (p, q-1).
struct LineWalk {
    int axis = 0;
    long from = 0, to = 0;
    std::array<std::vector<int>, 4> cells;

    int At(int touching, long c) const
    {
        return cells[static_cast<std::size_t>(touching)][static_cast<std::size_t>(c - from)];
    }
};

LineWalk WalkOf(const ModelStore& m, const AreaRecord& line)
{
    int lo[3], hi[3];
    BoxBounds(line, lo, hi);
    LineWalk w;
    while (w.axis < 2 && lo[w.axis] == hi[w.axis])
        ++w.axis;
    int u = 0, v = 0;
    OtherAxes(w.axis, u, v);
    w.from = lo[w.axis] - 1L;
    w.to = hi[w.axis];
    const long p = lo[u], q = lo[v];
    const long around[4][2] = {{p, q}, {p - 1, q}, {p - 1, q - 1}, {p, q - 1}};
    for (int t = 0; t < 4; ++t)
        w.cells[static_cast<std::size_t>(t)] =
            ColumnColours(m, w.axis, around[t][0], around[t][1], w.from, w.to);
    return w;
}

bool IsSurface(int type)
{
    return type == BC_SIMPL || type == BC_FRE_S;
}

bool IsLayer(int type)
{
    return type == MATERIAL || type == EQUIMAT;
}

} // namespace

void ResetAreas(ModelStore& m)
{
    m.areas.fill(AreaRecord{});
}

void ResetElementUValues(ModelStore& m)
{
    m.elements.fill(AreaRecord{});
}

void ComputeAreas(ModelStore& m)
{
    const double unit = m.gridUnit;
    for (AreaRecord& a : m.areas) {
        int lo[3], hi[3];
        BoxBounds(a, lo, hi);
        double d[3];
        for (int k = 0; k < 3; ++k)
            d[k] = static_cast<double>(LineCoordinate(m, k, static_cast<std::size_t>(hi[k]))) -
                   LineCoordinate(m, k, static_cast<std::size_t>(lo[k]));
        const double area = d[0] == 0 ? d[1] * d[2] : d[1] == 0 ? d[0] * d[2] : d[2] == 0 ? d[0] * d[1] : 0.0;
        a.value = area * unit * unit;
    }
}

bool IsAxisLine(const AreaRecord& box)
{
    int lo[3], hi[3];
    BoxBounds(box, lo, hi);
    int extents = 0;
    for (int k = 0; k < 3; ++k)
        extents += lo[k] < hi[k];
    return extents == 1;
}

bool IsUniformLine(const ModelStore& m, const AreaRecord& line)
{
    if (!IsAxisLine(line))
        return false;
    const LineWalk w = WalkOf(m, line);
    for (long c = w.from; c <= w.to; ++c) {
        int colour = -1;
        for (int t = 0; t < 4; ++t) {
            const int here = w.At(t, c);
            if (here < 0)
                continue;
            if (colour >= 0 && here != colour)
                return false;
            colour = here;
        }
    }
    return true;
}

namespace {

// What a walk through an element's layers found: its resistance, the cells
// where the material and the second environment begin (along the line's
// axis) and the temperatures of the two environments.
struct LayerWalk {
    double r = 0;
    long materialStart = 0, secondStart = 0;
    float firstTemperature = 0, secondTemperature = 0;
};

// The walk of MeasureElementLine; with simpleOnly only BC_SIMPL cells count
// as environments and the second one must have another temperature than the
// first (the U lines of Init Areas && U Values).
std::optional<LayerWalk> WalkLayers(const ModelStore& m, const AreaRecord& line, bool simpleOnly)
{
    if (!IsAxisLine(line))
        return std::nullopt;
    const LineWalk w = WalkOf(m, line);
    const GridAxis& axis = m.axes[static_cast<std::size_t>(w.axis)];
    const auto isEnvironment = [simpleOnly](int type) {
        return simpleOnly ? type == BC_SIMPL : IsSurface(type);
    };
    enum class Phase {
        BeforeEnvironment,
        FirstEnvironment,
        Material,
        SecondEnvironment
    } phase = Phase::BeforeEnvironment;
    LayerWalk found;
    float h = 0;
    for (long c = w.from; c <= w.to; ++c) {
        int colour = -1;
        for (int t = 0; t < 4 && colour < 0; ++t)
            colour = w.At(t, c);
        if (colour < 0)
            continue;
        const ColourRecord& cell = m.colours[static_cast<std::size_t>(colour)];
        const auto layer = [&]() {
            const double d = static_cast<double>(axis.widths[static_cast<std::size_t>(c)]) * m.gridUnit;
            if (!(d > 0) || !(cell.lambda > 0))
                return false;
            found.r += d / cell.lambda;
            return true;
        };
        // The environment the walk starts from, or starts again from.
        const auto enter = [&]() {
            h = cell.hGlobal;
            found.r = 1.0 / h;
            found.firstTemperature = cell.temperature;
        };
        switch (phase) {
        case Phase::BeforeEnvironment:
            if (!isEnvironment(cell.type) || !(cell.hGlobal > 0))
                return std::nullopt;
            enter();
            phase = Phase::FirstEnvironment;
            break;
        case Phase::FirstEnvironment:
            if (IsLayer(cell.type)) {
                if (!layer())
                    return std::nullopt;
                found.materialStart = c;
                phase = Phase::Material;
            } else if (isEnvironment(cell.type)) {
                if (cell.hGlobal != h) {
                    if (!(cell.hGlobal > 0))
                        return std::nullopt;
                    enter();
                }
            } else {
                return std::nullopt;
            }
            break;
        case Phase::Material:
            if (IsLayer(cell.type)) {
                if (!layer())
                    return std::nullopt;
            } else if (isEnvironment(cell.type) && cell.hGlobal > 0) {
                if (simpleOnly && cell.temperature == found.firstTemperature)
                    return std::nullopt;
                found.r += 1.0 / cell.hGlobal;
                found.secondStart = c;
                found.secondTemperature = cell.temperature;
                phase = Phase::SecondEnvironment;
            } else {
                return std::nullopt;
            }
            break;
        case Phase::SecondEnvironment:
            if (!isEnvironment(cell.type))
                return std::nullopt;
            break;
        }
    }
    if (phase != Phase::SecondEnvironment)
        return std::nullopt;
    return found;
}

} // namespace

std::optional<double> MeasureElementLine(const ModelStore& m, const AreaRecord& line)
{
    const std::optional<LayerWalk> walk = WalkLayers(m, line, false);
    if (!walk)
        return std::nullopt;
    return walk->r;
}

std::optional<ULineMeasure> MeasureULine(const ModelStore& m, const AreaRecord& line, bool externalDimensions)
{
    const std::optional<LayerWalk> walk = WalkLayers(m, line, true);
    if (!walk)
        return std::nullopt;
    // External dimensions take the face towards the colder environment,
    // internal ones the face towards the warmer.
    const bool firstColder = walk->firstTemperature < walk->secondTemperature;
    const bool materialFace = externalDimensions ? firstColder : !firstColder;
    ULineMeasure u;
    u.r = walk->r;
    u.side = materialFace ? 0 : 1;
    u.plane = static_cast<std::uint16_t>(materialFace ? walk->materialStart : walk->secondStart);
    return u;
}

void ComputeElementUValues(ModelStore& m)
{
    for (AreaRecord& e : m.elements) {
        e.value = 0;
        if (!IsUniformLine(m, e))
            continue;
        if (const std::optional<double> r = MeasureElementLine(m, e); r && *r > 0)
            e.value = 1.0 / *r;
    }
}

double GetElementUValue(const ModelStore& m, int i)
{
    const AreaRecord& e = m.elements[static_cast<std::size_t>(i)];
    return e.enforced > 0 ? e.enforced : e.value;
}

bool AreaOverlapsOther(const ModelStore& m, int k)
{
    const AreaRecord& a = m.areas[static_cast<std::size_t>(k)];
    if (a.value == 0)
        return false;
    int lo[3], hi[3];
    BoxBounds(a, lo, hi);
    const int flat = lo[0] == hi[0] ? 0 : lo[1] == hi[1] ? 1 : 2;
    int u = 0, v = 0;
    OtherAxes(flat, u, v);
    for (int other = 0; other < kAreaRecords; ++other) {
        if (other == k)
            continue;
        int olo[3], ohi[3];
        BoxBounds(m.areas[static_cast<std::size_t>(other)], olo, ohi);
        if (olo[u] == lo[u] && ohi[u] == hi[u] && olo[v] == lo[v] && ohi[v] == hi[v])
            return true;
    }
    return false;
}

} // namespace novelk
