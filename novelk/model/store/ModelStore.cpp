// The model store's arrays, colour operations, grid coordinates and life cycle.
#include "novelk/model/store/ModelStore.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace novelk {

namespace {

// Grows a list with a 32-bit count to n records.
template <typename T> bool Grow32(RecordArray<T, std::int32_t>& a, std::size_t n)
{
    return n <= 0x7FFFFFFF && a.Grow(n);
}

} // namespace

void ResetGraphicReportDefaults(ProgramParameters& defaults)
{
    defaults.graphicReport.fill(GraphicReportEntry{});
}

bool GrowGridLineArrays(ModelStore& m, std::size_t n)
{
    if (n <= m.gridCapacity)
        return true;
    if (n > kMaxCount16)
        return false;
    try {
        // All nine first, so that a failure changes nothing.
        std::array<GridAxis, 3> grown = m.axes;
        for (GridAxis& a : grown) {
            a.widths.resize(n);
            a.coords.resize(n);
            a.flags.resize(n + 1);
        }
        m.axes.swap(grown);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m.gridCapacity = static_cast<std::uint16_t>(n);
    return true;
}

void FreeGridLineArrays(ModelStore& m)
{
    for (GridAxis& a : m.axes)
        a = GridAxis{};
    m.gridCapacity = 0;
}

bool GrowBlockArray(ModelStore& m, std::size_t n)
{
    return n <= kMaxCount16 && m.blocks.Grow(n);
}

void FreeBlockArray(ModelStore& m)
{
    m.blocks.Free();
}

void InitBlock(ModelStore& m, std::size_t n, int colour)
{
    BlockRecord& b = m.blocks[n];
    b = BlockRecord{};
    b.colour = static_cast<std::uint8_t>(colour);
    b.x2 = b.y2 = b.z2 = 1;
    const std::uint16_t nz = m.axes[2].n;
    if (m.rcl == 1 && nz > 0) {
        b.z1 = static_cast<std::uint16_t>(nz - 1);
        b.z2 = nz;
    }
    m.colours[b.colour].inUse = 1;
}

bool AddCellBlock(ModelStore& m, long i, long j, long k, int c)
{
    if (i < 0 || j < 0 || k < 0 || i >= m.axes[0].n || j >= m.axes[1].n || k >= m.axes[2].n || c < 0 ||
        c >= kColourCount)
        return false;
    const std::size_t count = m.blocks.count;
    if (count >= m.blocks.capacity && !GrowBlockArray(m, std::min(count + 1000, kMaxCount16)))
        return false;
    if (count >= m.blocks.capacity)
        return false;
    BlockRecord& b = m.blocks[count];
    b = BlockRecord{};
    b.colour = static_cast<std::uint8_t>(c);
    b.x1 = static_cast<std::uint16_t>(i), b.x2 = static_cast<std::uint16_t>(i + 1);
    b.y1 = static_cast<std::uint16_t>(j), b.y2 = static_cast<std::uint16_t>(j + 1);
    b.z1 = static_cast<std::uint16_t>(k), b.z2 = static_cast<std::uint16_t>(k + 1);
    m.blocks.count = static_cast<std::uint16_t>(count + 1);
    m.colours[static_cast<std::size_t>(c)].inUse = 1;
    return true;
}

bool GrowNodeBcArray(ModelStore& m, std::size_t n)
{
    return Grow32(m.nodeBcs, n);
}

void FreeNodeBcArray(ModelStore& m)
{
    m.nodeBcs.Free();
}

void InitNodeBc(ModelStore& m, std::size_t n)
{
    m.nodeBcs[n] = NodeBcRecord{};
}

bool GrowBorderBcArray(ModelStore& m, std::size_t n)
{
    return Grow32(m.borderBcs, n);
}

void FreeBorderBcArray(ModelStore& m)
{
    m.borderBcs.Free();
}

void InitBorderBc(ModelStore& m, std::size_t n)
{
    m.borderBcs[n] = BorderFaceBcRecord{};
}

bool GrowMaterialBcArray(ModelStore& m, std::size_t n)
{
    return Grow32(m.materialBcs, n);
}

void FreeMaterialBcArray(ModelStore& m)
{
    m.materialBcs.Free();
}

void InitMaterialBc(ModelStore& m, std::size_t n)
{
    m.materialBcs[n] = MaterialBcRecord{};
}

bool GrowOutlineSegmentArray(ModelStore& m, std::size_t n)
{
    return Grow32(m.outlines, n);
}

void FreeOutlineSegments(ModelStore& m)
{
    m.outlines.Free();
}

int FindFreeColour(const ModelStore& m, int c)
{
    c = ((c % kColourCount) + kColourCount) % kColourCount;
    for (int step = 0; step < kColourCount; ++step) {
        const int n = (c + step) % kColourCount;
        if (!m.colours[static_cast<std::size_t>(n)].inUse)
            return n;
    }
    return c;
}

void CopyColourProperties(ModelStore& m, int a, int b)
{
    ColourRecord& to = m.colours[static_cast<std::size_t>(a)];
    const ColourRecord& from = m.colours[static_cast<std::size_t>(b)];
    to.type = from.type;
    to.rule = from.rule;
    to.name = from.name;
    to.pattern = from.pattern;
    to.lambda = from.lambda;
    to.epsilon = from.epsilon;
    to.temperature = from.temperature;
    to.hGlobal = from.hGlobal;
    to.flux = from.flux;
    to.airTemperature = from.airTemperature;
    to.hConvective = from.hConvective;
    to.qConvective = from.qConvective;
    to.radiantTemperature = from.radiantTemperature;
    to.con1 = from.con1;
    to.con2 = from.con2;
    to.con3 = from.con3;
}

bool IsColourRowNonDefault(const ColourRecord& c)
{
    return c.inUse || c.type != MATERIAL || c.lambda != 1.0f || !c.name.empty();
}

void SetDisplayColour(ColourRecord& c, int red, int green, int blue)
{
    c.red = static_cast<std::uint8_t>(red);
    c.green = static_cast<std::uint8_t>(green);
    c.blue = static_cast<std::uint8_t>(blue);
    c.displayColour = RGB(red, green, blue);
}

float LineCoordinate(const ModelStore& m, int axis, std::size_t line)
{
    const GridAxis& a = m.axes[static_cast<std::size_t>(axis)];
    if (line == 0 || a.n == 0)
        return 0.0f;
    return a.coords[std::min<std::size_t>(line, a.n) - 1];
}

void ComputeGridCoordinates(ModelStore& m)
{
    for (GridAxis& a : m.axes) {
        double sum = 0;
        for (std::size_t i = 0; i < a.n; ++i) {
            sum += a.widths[i];
            a.coords[i] = static_cast<float>(sum);
        }
    }
}

void ComputeModelExtent(ModelStore& m)
{
    double squares = 0;
    for (int k = 0; k < 3; ++k) {
        const GridAxis& a = m.axes[static_cast<std::size_t>(k)];
        m.extent[k] = a.n > 0 ? a.coords[a.n - 1u] : 0.0f;
        m.centre[k] = m.extent[k] / 2;
        squares += static_cast<double>(m.centre[k]) * m.centre[k];
    }
    m.halfDiagonal = static_cast<float>(std::sqrt(squares));
}

void CopyGraphicReportTable(ModelStore& m, const ProgramParameters& defaults)
{
    m.report.graphicReport = defaults.graphicReport;
}

void ResetModel(ModelStore& m, const ProgramParameters& d)
{
    m.title.clear();
    for (ColourRecord& c : m.colours) {
        c.inUse = 0;
        c.keepOnInsert = 0;
        c.show = 1;
    }
    // Enlarge, never shrink: a failure leaves the smaller arrays, which the
    // reader grows again as a file needs.
    GrowGridLineArrays(m, 200);
    GrowBlockArray(m, 1000);
    GrowNodeBcArray(m, 100);
    GrowBorderBcArray(m, 100);
    m.materialBcs.count = 0;
    m.borderBcs.count = 0;
    m.nodeBcs.count = 0;
    m.blockBase = 0;
    m.blocks.count = 0;
    for (GridAxis& a : m.axes)
        a.n = 0;
    for (float& o : m.insertionOrigin)
        o = 0;
    m.areas.fill(AreaRecord{});
    m.elements.fill(AreaRecord{});
    m.uLines.fill(AreaRecord{});
    m.proposals.fill(AreaRecord{});
    // An outline of the previous model would name lines of its grid.
    m.outlines.count = 0;

    m.gridUnit = d.grun;
    OutputSettings& o = m.output;
    o.splitSize = d.tras;
    o.splitDistance = d.diss;
    o.splitRatio = d.rats;
    CalculationParameters& c = m.calc;
    c.linearRadiation = d.linr;
    c.hrBlack = d.hrbl;
    c.minViewFactor = d.vwfc;
    c.rays = d.rays;
    c.recalcCen = d.ccen;
    c.airspaceDeltaT = d.dtas;
    c.cycles = d.cycl;
    c.iterations = d.iter;
    c.maxDeltaT = d.mxdt;
    c.maxCycleChange = d.mxdc;
    c.maxObjectDivergence = d.mxod;
    c.maxNodeDivergence = d.mxnd;
    o.tmin = d.tmin, o.tmax = d.tmax, o.tin1 = d.tin1, o.tin2 = d.tin2, o.tsin = d.tsin;
    o.qmin = d.qmin, o.qmax = d.qmax, o.qin1 = d.qin1, o.qin2 = d.qin2;
    o.lines = LineStyles{d.lcob, d.lcgr, d.lct1, d.lct2, d.lcts, d.lcq1, d.lcq2,
                         d.lwob, d.lwgr, d.lwt1, d.lwt2, d.lwts, d.lwq1, d.lwq2};
    o.viewAzimuth = 30.0f;
    o.viewAltitude = 30.0f;

    ReportSettings& r = m.report;
    r.elementU = r.transmittanceQ = r.transmittanceP = r.temperatureFactor = 0;
    r.elementName = "Ufloor";
    CopyGraphicReportTable(m, d);
    m.rcl = 0;
}

void FreeModel(ModelStore& m)
{
    FreeMaterialBcArray(m);
    FreeBorderBcArray(m);
    FreeNodeBcArray(m);
    FreeBlockArray(m);
    FreeGridLineArrays(m);
    FreeOutlineSegments(m);
    m.blockBase = 0;
}

} // namespace novelk
