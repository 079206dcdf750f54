// The input data listing, section by section. Each section is a title, its
// headings and one row per record; optional sections start with a blank line.
#include "gelmar/graphics/core/InputDataListing.h"

#include "common/core/ListingText.h"
#include "gelmar/model/editing/GridLines.h"
#include "gelmar/model/functions/FunctionServices.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"

#include <algorithm>

namespace gelmar {

using common::AlignRight;
using common::CutText;
using common::FormatFixed;
using common::FormatGeneral;
using common::FormatInt;
using common::MakeBlankField;
using common::PadLineBuffer;

namespace {

// String-table lines of the listing (normal naming, R/C/L naming).
enum : unsigned {
    IDS_GRID_XYZ = 455,
    IDS_GRID_RCL = 454,
    IDS_BLOCKS_XYZ = 459,
    IDS_BLOCKS_RCL = 458,
    IDS_BLOCK_COORDS_XYZ = 509,
    IDS_BLOCK_COORDS_RCL = 508,
    IDS_COLOURS1 = 461,
    IDS_COLOURS1_UNITS = 462,
    IDS_COLOURS2 = 463,
    IDS_COLOURS2_UNITS = 464,
    IDS_NODE_BCS_XYZ = 467,
    IDS_NODE_BCS_RCL = 466,
    IDS_NODE_BCS_UNITS = 468,
    IDS_BORDER_BCS = 500,
    IDS_MATERIAL_BCS = 507,
    IDS_VENTILATION = 702,
    IDS_OUTPUT_NODES_XYZ = 740,
    IDS_OUTPUT_NODES_RCL = 739,
    IDS_OUTPUT_BLOCKS_XYZ = 745,
    IDS_OUTPUT_BLOCKS_RCL = 744,
    IDS_SUN_OBSTACLES = 856,
    IDS_CONTROLS1 = 913,
    IDS_CONTROLS2 = 914,
};

// Names of the function parameters, strings 721-734.
enum : unsigned {
    IDS_CONSTANT_VALUE = 721,
    IDS_LEVEL1,
    IDS_LEVEL2,
    IDS_START_TRANSITION,
    IDS_TRANSITION,
    IDS_DURATION_LEVEL2,
    IDS_PERIOD,
    IDS_DURATION_LEVEL1,
    IDS_START_LEVEL1,
    IDS_MEAN_VALUE,
    IDS_AMPLITUDO,
    IDS_OFFSET,
    IDS_TOP_LEVEL,
    IDS_WAVELENGTH,
};

bool IsOneOf(int type, std::initializer_list<int> types)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool HasRadiating(const ModelStore& m)
{
    return std::any_of(m.colours.begin(), m.colours.end(), [](const ColourRecord& c) {
        return c.inUse && IsOneOf(c.type, {BC_FREE, BC_SKY, BC_NOSKY, TRANSMAT});
    });
}

bool HasRuleColours(const ModelStore& m)
{
    return std::any_of(m.colours.begin(), m.colours.end(), [](const ColourRecord& c) {
        return c.inUse && c.rule != 0 && IsOneOf(c.type, {BC_FREE, BC_SKY, BC_NOSKY, EQUIMAT});
    });
}

bool HasSolarColours(const ModelStore& m)
{
    return std::any_of(m.colours.begin(), m.colours.end(), [](const ColourRecord& c) {
        return c.inUse && IsOneOf(c.type, {BC_SIMPL, BC_SKY}) && c.solar;
    });
}

common::IndexDisplay Display(const ModelStore& m)
{
    return {{m.axes[0].n, m.axes[1].n, m.axes[2].n}, m.rcl != 0};
}

// The first function name that is not a "none" name, right-aligned in the
// field, else the value ("%*.*f", or "%*g" for decimals < 0).
std::string ValueOrFunction(std::initializer_list<const FunctionName*> names, double value, int width,
                            int decimals)
{
    for (const FunctionName* name : names)
        if (!name->IsNone())
            return AlignRight(name->View(), static_cast<std::size_t>(width));
    return decimals < 0 ? FormatGeneral(value, width) : FormatFixed(value, width, decimals);
}

std::string Padded(std::string text, std::size_t width)
{
    PadLineBuffer(text, width);
    return text;
}

// The grid-unit label in a column of ten: blanks before and after it by its
// length.
std::string UnitColumn(const std::string& label)
{
    static const int kBlanks[][2] = {{4, 3}, {4, 2}, {3, 2}, {3, 1}, {2, 1}, {2, 0}, {1, 0}};
    const std::size_t n = common::TextWidth(label);
    if (n < 3 || n > 9)
        return label;
    const auto& b = kBlanks[n - 3];
    return MakeBlankField(static_cast<std::size_t>(b[0])) + label +
           MakeBlankField(static_cast<std::size_t>(b[1]));
}

float GridCoordinate(const GridAxis& axis, int line)
{
    if (line <= 0 || axis.coords.empty())
        return 0.0f;
    return axis
        .coords[static_cast<std::size_t>(std::min<int>(line, static_cast<int>(axis.coords.size()))) - 1];
}

void WriteGrid(ListingWriter& out, const ModelStore& m)
{
    const bool rcl = m.rcl != 0;
    out.Text("GRID\n");
    out.Heading(rcl ? IDS_GRID_RCL : IDS_GRID_XYZ);
    const std::string column = UnitColumn(GridUnitLabelFor(m.gridUnit));
    out.Underlined(MakeBlankField(10) + column + column + column);
    const int nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    const int rows = std::max({nx, ny, nz});
    const auto width = [&](int axis, int cell) {
        const std::vector<float>& w = m.axes[static_cast<std::size_t>(axis)].widths;
        return static_cast<std::size_t>(cell) < w.size() ? w[static_cast<std::size_t>(cell)] : 0.0f;
    };
    for (int i = 0; i < rows; ++i) {
        std::string row =
            rcl ? FormatInt(2 * i + 1) + "-" + FormatInt(2 * i + 3) : FormatInt(i) + "-" + FormatInt(i + 1);
        PadLineBuffer(row, 10);
        row += i < nx ? FormatFixed(width(0, i), 10, 3) : MakeBlankField(10);
        row += i < ny ? FormatFixed(width(1, i), 10, 3) : MakeBlankField(10);
        if (i < nz)
            row += FormatFixed(width(2, rcl ? nz - 1 - i : i), 10, 3);
        out.Row(row);
    }
    std::string sum = Padded(CutText("Sum", 10), 10);
    for (const GridAxis& axis : m.axes)
        sum += FormatFixed(GridCoordinate(axis, axis.n), 10, 3);
    out.Row(sum);
    out.Text("\n");
}

void WriteBlocks(ListingWriter& out, const ModelStore& m)
{
    const bool rcl = m.rcl != 0;
    const common::IndexDisplay d = Display(m);
    const auto lead = [](std::size_t b, const BlockRecord& r) {
        return Padded(FormatInt(static_cast<long long>(b) + 1), 6) + Padded(FormatInt(r.colour, 3), 6);
    };
    out.Text("BLOCKS\n");
    out.Underlined(platform::LoadString(rcl ? IDS_BLOCKS_RCL : IDS_BLOCKS_XYZ));
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        // The third pair is counted from the top in the R/C/L naming.
        const int z[2] = {rcl ? r.z2 : r.z1, rcl ? r.z1 : r.z2};
        out.Row(lead(b, r) + FormatInt(d.Shown(0, r.x1), 6) + FormatInt(d.Shown(0, r.x2), 6) +
                FormatInt(d.Shown(1, r.y1), 6) + FormatInt(d.Shown(1, r.y2), 6) +
                FormatInt(d.Shown(2, z[0]), 6) + FormatInt(d.Shown(2, z[1]), 6));
    }
    out.Text("\n");
    out.Underlined(platform::LoadString(rcl ? IDS_BLOCK_COORDS_RCL : IDS_BLOCK_COORDS_XYZ));
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& r = m.blocks[b];
        std::string row = lead(b, r);
        const int lines[6] = {r.x1, r.x2, r.y1, r.y2, r.z1, r.z2};
        for (int q = 0; q < 6; ++q)
            row += FormatFixed(GridCoordinate(m.axes[static_cast<std::size_t>(q / 2)], lines[q]), 10, 3);
        out.Row(row);
    }
    out.Text("\n");
}

void WriteFunctions(ListingWriter& out, const ModelStore& m)
{
    // The parameter names of each shape, in slot order; true: a value of the
    // function's quantity, false: a time in minutes.
    struct Parameter {
        unsigned name;
        bool value;
    };
    static const std::vector<Parameter> kParameters[] = {
        {},
        {{IDS_CONSTANT_VALUE, true}},
        {{IDS_LEVEL1, true}, {IDS_LEVEL2, true}, {IDS_START_TRANSITION, false}, {IDS_TRANSITION, false}},
        {{IDS_LEVEL1, true},
         {IDS_LEVEL2, true},
         {IDS_START_TRANSITION, false},
         {IDS_TRANSITION, false},
         {IDS_DURATION_LEVEL2, false}},
        {{IDS_LEVEL1, true},
         {IDS_LEVEL2, true},
         {IDS_PERIOD, false},
         {IDS_DURATION_LEVEL1, false},
         {IDS_TRANSITION, false},
         {IDS_START_LEVEL1, false}},
        {{IDS_MEAN_VALUE, true}, {IDS_AMPLITUDO, true}, {IDS_PERIOD, false}, {IDS_OFFSET, false}},
        {{IDS_TOP_LEVEL, true}, {IDS_PERIOD, false}, {IDS_WAVELENGTH, false}, {IDS_OFFSET, false}},
    };
    out.Text("FUNCTIONS\n");
    for (std::size_t f = 0; f < m.functions.count; ++f) {
        const FunctionRecord& r = m.functions[f];
        if (!r.inUse)
            continue;
        out.Row(std::string(r.name.View()) + ": " + FunctionShapeName(r.shape));
        if (r.shape == 0) {
            // The RTF writer escapes the backslashes of the path, once.
            out.Row("  " + r.filePath);
            continue;
        }
        if (r.shape > 6)
            continue;
        const char* unit = FunctionValueUnit(r.name.text[0]);
        const std::vector<Parameter>& parameters = kParameters[r.shape];
        for (std::size_t p = 0; p < parameters.size(); ++p)
            out.Row("  " + platform::LoadString(parameters[p].name) + " = " + FormatGeneral(r.params[p]) +
                    (parameters[p].value ? unit : " min"));
    }
    out.Text("\n");
}

void WriteColours(ListingWriter& out, const ModelStore& m)
{
    const bool radiating = HasRadiating(m);
    out.Text("COLOURS\n");
    out.Heading(IDS_COLOURS1);
    out.Underlined(platform::LoadString(IDS_COLOURS1_UNITS));
    const std::string blank8 = MakeBlankField(8);
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (!c.inUse)
            continue;
        const int t = c.type;
        const char* rule = IsOneOf(t, {MATERIAL, TRANSMAT}) ? "" : RuleName(t, c.rule);
        std::string row = FormatInt(n, 3) + "  " + Padded(ColourTypeName(t), 8) + "  " +
                          Padded(rule ? rule : "", 8) + "  " + Padded(CutText(c.name, 15), 15) + "  ";
        const bool conductive = IsOneOf(t, {MATERIAL, EQUIMAT, TRANSMAT});
        const bool massive = conductive || IsOneOf(t, {BC_FREE, BC_FRE_S});
        row += conductive ? ValueOrFunction({&c.lambdaFunc, &c.lambda2Func}, c.lambda, 8, 3) : blank8;
        row += IsOneOf(t, {MATERIAL, EQUIMAT}) && radiating
                   ? ValueOrFunction({&c.emissivityFunc}, c.epsilon, 8, 2)
                   : blank8;
        row += massive ? FormatFixed(c.density, 8, 1) : blank8;
        row += massive ? ValueOrFunction({&c.heatCapacityFunc}, c.heatCapacity, 8, 1) : blank8;
        row += t == BC_SIMPL ? ValueOrFunction({&c.temperatureFunc}, c.temperature, 8, 1) : blank8;
        row += IsOneOf(t, {BC_SIMPL, BC_FRE_S}) ? ValueOrFunction({&c.hGlobalFunc}, c.hGlobal, 8, 2) : blank8;
        row += !conductive ? ValueOrFunction({&c.fluxFunc}, c.flux, 8, -1) : blank8;
        out.Row(row);
    }

    out.Text("\n");
    out.Heading(IDS_COLOURS2);
    out.Underlined(platform::LoadString(IDS_COLOURS2_UNITS));
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[static_cast<std::size_t>(n)];
        if (!c.inUse)
            continue;
        const int t = c.type;
        std::string row = FormatInt(n, 3);
        row += IsOneOf(t, {BC_SKY, BC_NOSKY})
                   ? ValueOrFunction({&c.airTemperatureFunc}, c.airTemperature, 8, 1)
                   : blank8;
        row += IsOneOf(t, {BC_FREE, BC_SKY, BC_NOSKY})
                   ? ValueOrFunction({&c.hConvectiveFunc}, c.hConvective, 8, 2)
                   : blank8;
        row += IsOneOf(t, {BC_FREE, BC_FRE_S}) ? ValueOrFunction({&c.qConvectiveFunc}, c.qConvective, 8, -1)
                                               : blank8;
        row +=
            t == BC_SKY ? ValueOrFunction({&c.radiantTemperatureFunc}, c.radiantTemperature, 8, 1) : blank8;
        const bool c1 = (t == EQUIMAT && c.rule > 0) || (t == BC_FREE && c.rule >= 1 && c.rule <= 6);
        row += c1 ? FormatGeneral(c.con1, 10) : MakeBlankField(10);
        const bool c23 = IsOneOf(t, {EQUIMAT, BC_FREE, BC_SKY, BC_NOSKY}) && c.rule != 0;
        row += c23 ? FormatGeneral(c.con2, 10) + FormatGeneral(c.con3, 10) : MakeBlankField(20);
        // The Sun column is ten wide, so that rs and ts stand under their
        // headings also on the rows without it.
        row +=
            IsOneOf(t, {BC_SIMPL, BC_SKY}) ? "    " + Padded(c.solar ? "YES" : "NO", 6) : MakeBlankField(10);
        row += t == MATERIAL ? ValueOrFunction({&c.reflectionFunc}, c.solarReflection, 8, 2) : blank8;
        row += t == MATERIAL ? ValueOrFunction({&c.transmissionFunc}, c.solarTransmission, 8, 2) : blank8;
        out.Row(row);
    }
}

void WriteBoundaryConditions(ListingWriter& out, const ModelStore& m)
{
    const bool rcl = m.rcl != 0;
    const common::IndexDisplay d = Display(m);
    if (m.nodeBcs.count > 0) {
        out.Text("\nNODE BC-S\n");
        out.Heading(rcl ? IDS_NODE_BCS_RCL : IDS_NODE_BCS_XYZ);
        out.Underlined(platform::LoadString(IDS_NODE_BCS_UNITS));
        for (std::int32_t n = 0; n < m.nodeBcs.count; ++n) {
            const NodeBcRecord& r = m.nodeBcs[static_cast<std::size_t>(n)];
            std::string row = Padded(FormatInt(n + 1), 4);
            common::AppendNodeIndices(row, d, r.i, r.j, r.k);
            row += "  " + Padded(r.type == 0 ? "TEMP" : "POWER", 8);
            if (r.type == 0)
                row += ValueOrFunction({&r.temperatureFunc}, r.temperature, 8, 1);
            else
                row += MakeBlankField(8) + ValueOrFunction({&r.powerFunc}, r.power, 8, -1);
            out.Row(row);
        }
    }
    if (m.borderBcs.count > 0) {
        out.Text("\nBorderface BCs\n");
        out.Heading(IDS_BORDER_BCS);
        for (std::int32_t n = 0; n < m.borderBcs.count; ++n) {
            const BorderFaceBcRecord& r = m.borderBcs[static_cast<std::size_t>(n)];
            const bool both = r.colour1 >= 0 && r.colour2 >= 0;
            std::string row = Padded(FormatInt(n + 1), 3);
            row += r.colour1 >= 0 ? FormatInt(r.colour1, 5) : MakeBlankField(5);
            row += r.colour2 >= 0 ? FormatInt(r.colour2, 7) : MakeBlankField(5);
            row += both ? (r.type == 0 ? "TEMP" : "FLUX") : MakeBlankField(4);
            row += "    ";
            row += both && r.type == 0 ? ValueOrFunction({&r.temperatureFunc}, r.temperature, 10, -1)
                                       : MakeBlankField(10);
            row += both && r.type != 0 ? ValueOrFunction({&r.fluxFunc}, r.flux, 10, -1) : MakeBlankField(10);
            out.Row(row);
        }
    }
    if (m.materialBcs.count > 0) {
        out.Text("\nMaterial BCs\n");
        out.Heading(IDS_MATERIAL_BCS);
        for (std::int32_t n = 0; n < m.materialBcs.count; ++n) {
            const MaterialBcRecord& r = m.materialBcs[static_cast<std::size_t>(n)];
            std::string row = Padded(FormatInt(n + 1), 3);
            row += r.colour >= 0 ? FormatInt(r.colour, 5) : MakeBlankField(5);
            row += "   " + Padded(r.type == 0 ? "TEMP" : "POWER", 5);
            row += r.type == 0 ? ValueOrFunction({&r.temperatureFunc}, r.temperature, 10, -1)
                               : ValueOrFunction({&r.powerFunc}, r.power, 20, -1);
            out.Row(row);
        }
    }
}

void WriteFlowsAndOutputs(ListingWriter& out, const ModelStore& m)
{
    const bool rcl = m.rcl != 0;
    const common::IndexDisplay d = Display(m);
    if (m.ventFlowCount > 0) {
        out.Text("\nVentilation flows\n");
        out.Heading(IDS_VENTILATION);
        const std::int32_t count = std::min<std::int32_t>(m.ventFlowCount, kMaxVentilationFlows);
        for (std::int32_t n = 0; n < count; ++n) {
            const VentilationFlowRecord& r = m.ventFlows[static_cast<std::size_t>(n)];
            std::string row = Padded(FormatInt(n + 1), 5) + FormatInt(r.colourFrom, 10);
            row += r.colourTo >= 0 ? FormatInt(r.colourTo, 10) : MakeBlankField(10);
            row += r.flowFunc.IsNone() ? FormatFixed(r.flow, 13, 6) : AlignRight(r.flowFunc.View(), 13);
            out.Row(row);
        }
    }
    if (m.outputNodes.count > 0) {
        out.Text("\nOUTPUT NODES\n");
        out.Heading(rcl ? IDS_OUTPUT_NODES_RCL : IDS_OUTPUT_NODES_XYZ);
        for (std::int32_t n = 0; n < m.outputNodes.count; ++n) {
            const OutputNodeRecord& r = m.outputNodes[static_cast<std::size_t>(n)];
            std::string row = Padded(FormatInt(n + 1), 4);
            common::AppendNodeIndices(row, d, r.i, r.j, r.k);
            out.Row(row);
        }
    }
    if (m.outputBlocks.count > 0) {
        out.Text("\nOUTPUT BLOCKS\n");
        out.Heading(rcl ? IDS_OUTPUT_BLOCKS_RCL : IDS_OUTPUT_BLOCKS_XYZ);
        for (std::int32_t n = 0; n < m.outputBlocks.count; ++n) {
            const OutputBlockRecord& r = m.outputBlocks[static_cast<std::size_t>(n)];
            std::string row = Padded(FormatInt(n + 1), 4);
            if (rcl) {
                const int shown[6] = {d.Shown(0, r.i1), d.Shown(0, r.i2), d.Shown(1, r.j1),
                                      d.Shown(1, r.j2), d.Shown(2, r.k2), d.Shown(2, r.k1)};
                for (int v : shown)
                    row += FormatInt(v, 6);
            } else {
                // Halfway between nodes: the grid line the block's face lies on.
                for (int v : {r.i1, r.i2, r.j1, r.j2, r.k1, r.k2})
                    row += FormatFixed(v - 0.5, 6, 1);
            }
            out.Row(row);
        }
    }
}

void WriteSolarData(ListingWriter& out, const ModelStore& m)
{
    if (!HasSolarColours(m))
        return;
    out.Text("\nSOLAR DATA\n");
    out.Row("1. Rotation angle around Z axis = " + FormatGeneral(m.rot1z) + "°");
    out.Row("2. Rotation angle around X axis = " + FormatGeneral(m.rot2x) + "°");
    out.Row("3. Rotation angle around Z axis = " + FormatGeneral(m.rot3z) + "°");
    out.Row("Latitude = " + FormatGeneral(m.latitude) + "° N");
    out.Row("Longitude = " + FormatGeneral(m.longitude) + "° E");
    out.Row("Time zone = " + FormatGeneral(m.timeZone) + " h E");
    out.Row("Horizontal global solar radiation function = G01");
    out.Row("Horizontal diffuse solar radiation function = D01");
    out.Row("Ground reflection factor = " + FormatFixed(m.groundReflection, 0, 2));
    if (m.sunObstacleCount <= 0)
        return;
    out.Text("\nSUN OBSTACLES\n");
    out.Heading(IDS_SUN_OBSTACLES);
    const std::int32_t count = std::min<std::int32_t>(m.sunObstacleCount, kMaxSunObstacles);
    for (std::int32_t n = 0; n < count; ++n) {
        const SunObstacleRecord& r = m.sunObstacles[static_cast<std::size_t>(n)];
        out.Row(Padded(FormatInt(n + 1), 7) + FormatGeneral(r.azimuthFrom, 16) +
                FormatGeneral(r.azimuthTo, 20) + FormatGeneral(r.altitudeFrom, 20) +
                FormatGeneral(r.altitudeTo, 20));
    }
}

void WriteControls(ListingWriter& out, const ModelStore& m)
{
    if (m.controls.count == 0)
        return;
    out.Text("\nCONTROLS\n");
    out.Heading(IDS_CONTROLS1);
    out.Heading(IDS_CONTROLS2);
    for (std::size_t n = 0; n < m.controls.count; ++n) {
        const ControlRecord& r = m.controls[n];
        std::string row = Padded(FormatInt(static_cast<long long>(n) + 1), 3);
        row += r.sensor > 0 ? Padded(std::string(1, ' ') + FormatInt(r.sensor), 8) : MakeBlankField(8);
        row += Padded(std::string(r.targetFunc.View()), 6);
        row += FormatFixed(r.sensitivityUp, 8, 1) + FormatFixed(r.sensitivityDown, 8, 1);
        row += ' ';
        row += Padded(r.purpose == HEATING ? "HEATING" : "COOLING", 8);
        row += FormatFixed(r.timeOn, 9, 1) + FormatFixed(r.timeOff, 9, 1);
        row += ' ';
        row += Padded(std::string(r.offFunc.View()), 5) + Padded(std::string(r.onFunc.View()), 5);
        if (r.offFunc.text[0] == 'V') {
            row += "  ";
            row += Padded(r.testDeltaT ? "YES" : "NO", 5);
            if (r.testDeltaT)
                row += FormatFixed(r.deltaT, 8, 1) + " " + Padded(FormatInt(r.zone1), 5) + FormatInt(r.zone2);
        }
        out.Row(row);
    }
}

void WriteCalculationParameters(ListingWriter& out, const ModelStore& m)
{
    const bool radiating = HasRadiating(m);
    const bool rules = HasRuleColours(m);
    const bool cycles = (radiating && m.linearRadiation == 0) || (rules && m.recalcCen != 0);
    const std::string inCycle = " (within each iteration cycle)";
    out.Text("\n");
    out.Underlined("Calculation parameters");
    out.Row("Time step interval = " + FormatTimeDHMS(m.timeStep));
    out.Row("Start-up calculation duration = " + FormatTimeDHMS(m.startupDuration));
    out.Row("Calculation duration = " + FormatTimeDHMS(m.calcDuration));
    out.Row("Day number at start of calculation = " + FormatInt(m.day0));
    if (cycles)
        out.Row("Iteration cycles = " + FormatInt(m.cycles));
    out.Row("Maximum number of iterations" + inCycle + " = " + FormatInt(m.iterations));
    out.Row("Maximum temperature difference" + inCycle + " = " + FormatGeneral(m.maxDeltaT));
    out.Row("Heat flow divergence for total object = " + FormatGeneral(m.maxObjectDivergence) + " %");
    out.Row("Heat flow divergence for worst node = " + FormatGeneral(m.maxNodeDivergence) + " %");
    if (radiating) {
        out.Row(m.linearRadiation ? "Linear radiation" : "Non-linear radiation");
        out.Row("Smallest accepted view factor = " + FormatGeneral(m.minViewFactor));
        out.Row("Number of visibility rays between radiative surfaces = " + FormatInt(m.rays));
        out.Row("Black radiation heat transfer coeff. (linear radiation) = " + FormatGeneral(m.hrBlack) +
                " W/(m².K)");
    }
    if (rules) {
        out.Row(m.recalcCen ? "Automatic recalculation of CEN-values" : "No recalculation of CEN-values");
        out.Row("Default temperature difference across airspace = " + FormatGeneral(m.airspaceDeltaT) + "°C");
    }
}

} // namespace

const char* FunctionValueUnit(char letter)
{
    switch (letter) {
    case 'C':
        return " J/(kg.K)";
    case 'H':
        return " W/(m².K)";
    case 'I':
    case 'G':
    case 'D':
        return " W/m²";
    case 'L':
    case 'M':
        return " W/(m.K)";
    case 'P':
        return " W";
    case 'T':
        return "°C";
    case 'V':
        return " m3/s";
    default:
        return "";
    }
}

void WriteInputDataListing(ListingWriter& out, const ModelStore& m)
{
    out.Title("GELMAR - Input Data");
    if (!m.title.empty())
        out.Text(m.title + "\n\n");
    out.Text(DataFileLine(m.dataFilePath) + "\n\n");
    WriteGrid(out, m);
    WriteBlocks(out, m);
    WriteFunctions(out, m);
    WriteColours(out, m);
    WriteBoundaryConditions(out, m);
    WriteFlowsAndOutputs(out, m);
    WriteSolarData(out, m);
    WriteControls(out, m);
    WriteCalculationParameters(out, m);
}

} // namespace gelmar
