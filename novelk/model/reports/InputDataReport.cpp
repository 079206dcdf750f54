// The input data report "_DAT.txt": title, grid, blocks, colours, the
// boundary-condition lists that exist and the calculation parameters.
#include "novelk/model/calc/CalcSystem.h"
#include "novelk/model/editing/GridLines.h"
#include "novelk/model/reports/ReportText.h"
#include "novelk/model/store/ColourQueries.h"

#include <algorithm>

namespace novelk {

using namespace report;

namespace {

std::string Blanks(std::size_t n)
{
    return common::MakeBlankField(n);
}

std::string GridSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = Str(r, kStrGrid) + "\n" + Str(r, m.rcl ? kStrGridHeadRcl : kStrGridHead) + "\n";
    // The unit label centred over each column of ten.
    const std::string label = FormatGridUnitLabel(m.gridUnit);
    const std::size_t length = common::TextWidth(label);
    std::string centred = label;
    if (length < 10)
        centred = Blanks((10 - length) / 2 + length % 2) + label;
    s += Blanks(10) + Fitted(centred, 10) + Fitted(centred, 10) + centred + "\n";
    const int n[3] = {m.axes[0].n, m.axes[1].n, m.axes[2].n};
    const int rows = std::max({n[0], n[1], n[2]});
    for (int row = 0; row < rows; ++row) {
        const std::string range =
            m.rcl ? Int(2 * row + 1) + "-" + Int(2 * row + 3) : Int(row) + "-" + Int(row + 1);
        s += Fitted(range, 10);
        for (int a = 0; a < 2; ++a)
            s += row < n[a] ? Fixed(m.axes[std::size_t(a)].widths[std::size_t(row)], 10, 3) : Blanks(10);
        if (row < n[2])
            s += Fixed(m.axes[2].widths[std::size_t(m.rcl ? n[2] - row - 1 : row)], 10, 3);
        s += "\n";
    }
    s += Fitted(Str(r, kStrSum), 10);
    for (int a = 0; a < 3; ++a)
        s += Fixed(LineCoordinate(m, a, std::size_t(n[a])), 10, 3);
    return s + "\n";
}

std::string BlockPrefix(std::size_t b, int colour)
{
    return LeftInt(static_cast<long long>(b) + 1, 6) + Int(colour, 3) + "   ";
}

std::string BlocksSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = Str(r, kStrBlocks) + "\n" + Str(r, m.rcl ? kStrBlocksHeadRcl : kStrBlocksHead) + "\n";
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& k = m.blocks[b];
        s += BlockPrefix(b, k.colour) + Int(ShownIndex(m, 0, k.x1), 6) + Int(ShownIndex(m, 0, k.x2), 6) +
             Int(ShownIndex(m, 1, k.y1), 6) + Int(ShownIndex(m, 1, k.y2), 6);
        // Counted from the far end in the R/C/L numbering, the Z pair swaps.
        s += m.rcl ? Int(ShownIndex(m, 2, k.z2), 6) + Int(ShownIndex(m, 2, k.z1), 6)
                   : Int(k.z1, 6) + Int(k.z2, 6);
        s += "\n";
    }
    return s;
}

std::string BlockCoordinatesSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    const std::string label = FormatGridUnitLabel(m.gridUnit);
    std::string s = Str(r, m.rcl ? kStrCoordinatesHeadRcl : kStrCoordinatesHead) + "\n" + Blanks(12);
    for (int c = 0; c < 6; ++c)
        s += common::AlignRight(label, 10);
    s += "\n";
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& k = m.blocks[b];
        const std::uint16_t lines[6] = {k.x1, k.x2, k.y1, k.y2, k.z1, k.z2};
        s += BlockPrefix(b, k.colour);
        for (int c = 0; c < 6; ++c)
            s += Fixed(LineCoordinate(m, c / 2, lines[c]), 10, 3);
        s += "\n";
    }
    return s;
}

bool IsOneOf(int type, std::initializer_list<int> types)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

std::string ColoursSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    const bool radiating = HasRadiatingColours(m);
    std::string s =
        Str(r, kStrColours) + "\n" + Str(r, kStrColoursHead) + "\n" + Str(r, kStrColoursUnits) + "\n";
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[std::size_t(n)];
        if (!c.inUse)
            continue;
        const int t = c.type;
        s += ColourLabel(m, n, true);
        s += IsOneOf(t, {MATERIAL, EQUIMAT, TRANSMAT}) ? Fixed(c.lambda, 10, 3) : Blanks(10);
        s += radiating && IsOneOf(t, {MATERIAL, EQUIMAT}) ? Fixed(c.epsilon, 8, 2) : Blanks(8);
        s += t == BC_SIMPL ? Fixed(c.temperature, 8, 1) : Blanks(8);
        s += IsOneOf(t, {BC_SIMPL, BC_FRE_S}) ? Fixed(c.hGlobal, 8, 2) : Blanks(8);
        s += !IsOneOf(t, {MATERIAL, EQUIMAT, TRANSMAT}) ? General(c.flux, 8) : Blanks(8);
        s += "\n";
    }
    if (radiating || HasEquimatColours(m)) {
        s += '\n' + Str(r, kStrColours2Head) + '\n' + UnitLine(Str(r, kStrColours2Units)) + '\n';
        for (int n = 0; n < kColourCount; ++n) {
            const ColourRecord& c = m.colours[std::size_t(n)];
            if (!c.inUse || c.type == MATERIAL || c.type == TRANSMAT)
                continue;
            const int t = c.type;
            s += LeftInt(n, 3);
            s += IsOneOf(t, {BC_SKY, BC_NOSKY}) ? Fixed(c.airTemperature, 10, 1) : Blanks(10);
            s += IsOneOf(t, {BC_FREE, BC_SKY, BC_NOSKY}) ? Fixed(c.hConvective, 8, 2) : Blanks(8);
            s += IsOneOf(t, {BC_FREE, BC_FRE_S}) ? General(c.qConvective, 8) : Blanks(8);
            s += t == BC_SKY ? Fixed(c.radiantTemperature, 8, 1) : Blanks(8);
            const bool con1 = (t == EQUIMAT && c.rule > 0) || (t == BC_FREE && c.rule >= 1 && c.rule <= 6);
            s += con1 ? General(c.con1, 10) : Blanks(10);
            const bool con23 = IsOneOf(t, {EQUIMAT, BC_FREE, BC_SKY, BC_NOSKY}) && c.rule != 0;
            s += con23 ? General(c.con2, 10) + General(c.con3, 10) : Blanks(20);
            s += "\n";
        }
    }
    return s;
}

std::string NodeBcSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = Str(r, kStrNodeBcs) + "\n" + Str(r, m.rcl ? kStrNodeBcsHeadRcl : kStrNodeBcsHead) + "\n" +
                    Str(r, kStrNodeBcsUnits) + "\n";
    for (std::int32_t n = 0; n < m.nodeBcs.count; ++n) {
        const NodeBcRecord& b = m.nodeBcs[std::size_t(n)];
        const bool temp = b.type == NODE_TEMP;
        s +=
            LeftInt(n + 1, 4) + NodeCoordinates(m, b.i, b.j, b.k) + "  " + Fitted(temp ? "TEMP" : "POWER", 8);
        s += temp ? Fixed(b.temperature, 8, 1) : Blanks(8) + General(b.power, 8);
        s += "\n";
    }
    return s;
}

std::string BorderFaceBcSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = Str(r, kStrBorderBcs) + "\n" + Str(r, kStrBorderBcsHead) + "\n";
    for (std::int32_t n = 0; n < m.borderBcs.count; ++n) {
        const BorderFaceBcRecord& b = m.borderBcs[std::size_t(n)];
        s += LeftInt(n + 1, 3);
        s += b.colour1 >= 0 ? Int(b.colour1, 5) : Blanks(5);
        s += b.colour2 >= 0 ? Int(b.colour2, 7) : Blanks(5);
        if (b.colour1 >= 0 && b.colour2 >= 0) {
            const bool temp = b.type == BORDER_TEMP;
            s += "    " + Fitted(temp ? "TEMP" : "FLUX", 4);
            s += temp ? General(b.temperature, 10) : Blanks(10);
            s += temp ? Blanks(10) : General(b.flux, 10);
        }
        s += "\n";
    }
    return s;
}

std::string MaterialBcSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = Str(r, kStrMaterialBcs) + "\n" + Str(r, kStrMaterialBcsHead) + "\n";
    for (std::int32_t n = 0; n < m.materialBcs.count; ++n) {
        const MaterialBcRecord& b = m.materialBcs[std::size_t(n)];
        s += LeftInt(n + 1, 3);
        s += b.colour >= 0 ? Int(b.colour, 5) : Blanks(5);
        if (b.colour >= 0) {
            const bool temp = b.type == MATERIAL_TEMP;
            s += "   " + Fitted(temp ? "TEMP" : "POWER", 5);
            s += temp ? General(b.temperature, 10) : General(b.power, 20);
        }
        s += "\n";
    }
    return s;
}

std::string CalculationParametersSection(const ReportContext& r)
{
    const ModelStore& m = r.model;
    const CalculationParameters& p = m.calc;
    const int cycles = CalculationCycleCount(m);
    const bool several = cycles > 1;
    const std::string within = several ? Str(r, kStrWithinCycle) : std::string();
    std::string s = Str(r, kStrCalcParameters) + "\n";
    if (several)
        s += Str(r, kStrCycles) + " = " + Int(cycles) + "\n";
    s += Str(r, kStrMaxIterations) + within + " = " + Int(p.iterations) + "\n";
    s += Str(r, kStrMaxDeltaT) + within + " = " + General(p.maxDeltaT) + "°C\n";
    if (several)
        s += Str(r, kStrMaxCycleChange) + " = " + General(p.maxCycleChange) + "°C\n";
    s += Str(r, kStrObjectDivergenceLimit) + " = " + General(p.maxObjectDivergence) + " %\n";
    s += Str(r, kStrNodeDivergenceLimit) + " = " + General(p.maxNodeDivergence) + " %\n";
    if (HasRadiatingColours(m)) {
        s += Str(r, p.linearRadiation == 0 ? kStrNonLinearRadiation : kStrLinearRadiation) + "\n";
        s += Str(r, kStrSmallestViewFactor) + " = " + General(p.minViewFactor) + "\n";
        s += Str(r, kStrRays) + " = " + Int(p.rays) + "\n";
        s += Str(r, kStrBlackCoefficient) + (several ? Str(r, kStrLinearRadiationNote) : std::string()) +
             " = " + General(p.hrBlack) + " W/(m².K)\n";
    }
    if (several)
        s += Str(r, HasLongWaveColours(m) && p.recalcCen ? kStrCenRecalculation : kStrNoCenRecalculation) +
             "\n";
    if (HasLongWaveColours(m))
        s += Str(r, kStrAirspaceDeltaT) + " = " + General(p.airspaceDeltaT) + "°C\n";
    return s;
}

} // namespace

bool WriteInputDataReport(ReportContext& r)
{
    const ModelStore& m = r.model;
    std::string s = Str(r, kStrInputData) + "\n\n";
    if (!m.title.empty())
        s += m.title + "\n\n";
    s += DataFileLine(r);
    // Each section is followed by an empty line.
    s += GridSection(r) + "\n";
    s += BlocksSection(r) + "\n";
    s += BlockCoordinatesSection(r) + "\n";
    s += ColoursSection(r) + "\n";
    if (m.nodeBcs.count > 0)
        s += NodeBcSection(r) + "\n";
    if (m.borderBcs.count > 0)
        s += BorderFaceBcSection(r) + "\n";
    if (m.materialBcs.count > 0)
        s += MaterialBcSection(r) + "\n";
    s += CalculationParametersSection(r);
    return SaveReport(ReportFilePath(m.dataFilePath, "_DAT.txt"), s);
}

} // namespace novelk
