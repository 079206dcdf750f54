// The Colours table's edits on the model store.
#include "gelmar/model/editing/ColourEdits.h"

#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ViewState.h"

#include "common/core/NumberText.h"
#include "gelmar/model/calc/SurfaceRules.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/store/CellRaster.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "platform/core/Text1252.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

namespace gelmar {

namespace {

// Longest text value after a five-character key on a line the reader takes.
constexpr std::size_t kMaxTextValue = 250;

using C = ColourRecord;
const ColourValueColumn kValueColumns[] = {
    {6, &C::lambda, &C::lambdaFunc, "LM", "L00", 3},
    {7, &C::epsilon, &C::emissivityFunc, "E", "E00", 2},
    {8, &C::density, nullptr, "", "", 1},
    {9, &C::heatCapacity, &C::heatCapacityFunc, "C", "C00", 1},
    {10, &C::temperature, &C::temperatureFunc, "T", "T00", 1},
    {11, &C::hGlobal, &C::hGlobalFunc, "H", "H00", 2},
    {12, &C::flux, &C::fluxFunc, "I", "I00", -1},
    {13, &C::airTemperature, &C::airTemperatureFunc, "T", "T00", 1},
    {14, &C::hConvective, &C::hConvectiveFunc, "H", "H00", 2},
    {15, &C::qConvective, &C::qConvectiveFunc, "P", "P00", -1},
    {16, &C::radiantTemperature, &C::radiantTemperatureFunc, "T", "T00", 1},
    {17, &C::con1, nullptr, "", "", -1},
    {18, &C::con2, nullptr, "", "", -1},
    {19, &C::con3, nullptr, "", "", -1},
    {21, &C::solarReflection, &C::reflectionFunc, "R", "R00", 2},
    {22, &C::solarTransmission, &C::transmissionFunc, "S", "S00", 2},
};

} // namespace

int NextColourType(int type)
{
    static const int kOrder[] = {MATERIAL, EQUIMAT, BC_SIMPL, BC_FRE_S, BC_FREE, BC_SKY, BC_NOSKY, TRANSMAT};
    const int* at = std::find(std::begin(kOrder), std::end(kOrder), type);
    if (at == std::end(kOrder) || at + 1 == std::end(kOrder))
        return kOrder[0];
    return at[1];
}

int LastRuleOfType(int type)
{
    switch (type) {
    case BC_SIMPL:
    case BC_FRE_S:
        return 3;
    case BC_FREE:
        return 7;
    case EQUIMAT:
        return 12;
    case BC_SKY:
    case BC_NOSKY:
        return 1;
    default:
        return 0;
    }
}

void StepColourType(ModelStore& m, int colour)
{
    ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    c.type = NextColourType(c.type);
    if (c.type != MATERIAL && c.type != TRANSMAT)
        c.rule = 0;
}

void StepColourRule(ModelStore& m, int colour)
{
    ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    if (c.type == MATERIAL || c.type == TRANSMAT)
        return;
    c.rule = c.rule >= LastRuleOfType(c.type) ? 0 : c.rule + 1;
    if (c.type == EQUIMAT)
        c.lambdaFunc = FunctionName("L00");
}

const ColourValueColumn* FindColourValueColumn(int column)
{
    for (const ColourValueColumn& c : kValueColumns)
        if (c.column == column)
            return &c;
    return nullptr;
}

std::string ColourValueText(const ColourRecord& colour, const ColourValueColumn& column)
{
    if (column.column == 6 && colour.lambdaFunc.IsNone())
        return ValueOrFunctionText(colour.lambda, colour.lambda2Func, column.decimals);
    if (column.reference)
        return ValueOrFunctionText(colour.*column.value, colour.*column.reference, column.decimals);
    return common::FormatDecimals(colour.*column.value, column.decimals);
}

float ColourValue(const ColourRecord& colour, const ColourValueColumn& column)
{
    return colour.*column.value;
}

bool StoreColourValue(ModelStore& m, int colour, int column, std::string_view text)
{
    const ColourValueColumn* col = FindColourValueColumn(column);
    if (!col)
        return false;
    ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    if (!col->reference) {
        const std::optional<float> v = ReadCellFloat(text);
        if (!v)
            return false;
        c.*col->value = *v;
        return true;
    }
    const CellEntry entry = ReadValueOrFunction(text, col->letters, m);
    if (column != 6)
        return StoreValueOrFunction(entry, c.*col->value, c.*col->reference, col->defaultName) ||
               entry.kind != CellEntry::Neither;
    // The conductivity has two references: a number resets both, one of
    // them resets the other.
    switch (entry.kind) {
    case CellEntry::Number:
        c.lambda = entry.number;
        c.lambdaFunc = FunctionName("L00");
        c.lambda2Func = FunctionName("M00");
        return true;
    case CellEntry::Function:
        if (entry.function.text[0] == 'L') {
            c.lambdaFunc = entry.function;
            c.lambda2Func = FunctionName("M00");
        } else {
            c.lambda2Func = entry.function;
            c.lambdaFunc = FunctionName("L00");
        }
        return true;
    case CellEntry::Neither:
        break;
    }
    return false;
}

bool NameFitsDataFile(std::string_view name)
{
    for (char ch : name)
        if (static_cast<unsigned char>(ch) < 0x20)
            return false;
    const std::string bytes = platform::Utf8ToCp1252(name);
    return bytes.size() <= kMaxTextValue && platform::Cp1252ToUtf8(bytes) == name;
}

void LoadMaterialIntoColour(ModelStore& m, int colour, const MaterialProperties& material)
{
    ColourRecord& c = m.colours[static_cast<std::size_t>(colour)];
    c.type = MATERIAL;
    c.rule = 0;
    c.name = material.name;
    c.pattern = material.pattern == 0 ? 1 : material.pattern;
    c.lambda = material.conductivity;
    c.density = material.density;
    c.heatCapacity = material.heatCapacity;
    const float r = material.solarReflection;
    float t = material.solarTransmission;
    // The transmission of what the reflection lets through.
    if (t > 0 && r < 1)
        t = std::min(1.0f, t / (1 - r));
    c.solarReflection = r;
    c.solarTransmission = t;
    c.lambdaFunc = FunctionName("L00");
    c.lambda2Func = FunctionName("M00");
    c.emissivityFunc = FunctionName("E00");
    c.heatCapacityFunc = FunctionName("C00");
    c.reflectionFunc = FunctionName("R00");
    c.transmissionFunc = FunctionName("S00");
}

void PasteColourRow(ModelStore& m, int target, int source)
{
    // The properties but the density, the specific heat and the solar flag.
    ColourRecord& t = m.colours[static_cast<std::size_t>(target)];
    const float density = t.density, heatCapacity = t.heatCapacity;
    const std::int32_t solar = t.solar;
    CopyColourProperties(m, target, source);
    t.density = density;
    t.heatCapacity = heatCapacity;
    t.solar = solar;
}

CavityEmissivities ReadCavityEmissivities(std::string_view name)
{
    const std::string text(name);
    const char* p = text.c_str();
    float e[2] = {};
    for (int k = 0; k < 2; ++k) {
        const char* key = k == 0 ? "e1=" : "e2=";
        // The form "e1=%f e2=%f": the name starts with the first key, blanks
        // may stand before the second.
        while (k == 1 && (*p == ' ' || static_cast<unsigned char>(*p - '\t') <= 4))
            ++p;
        if (std::string_view(p).substr(0, 3) != key)
            return {};
        p += 3;
        if (!common::ScanFloat(p, e[k]))
            return {};
    }
    if (!(e[0] >= 0.001f && e[0] <= 1.0f && e[1] >= 0.001f && e[1] <= 1.0f))
        return {};
    return {e[0], e[1]};
}

std::string FormatCavityEmissivities(float e1, float e2)
{
    return "e1=" + common::FormatDecimals(e1, 2) + "  e2=" + common::FormatDecimals(e2, 2);
}

SplitZonesResult SplitColourZones(ModelStore& m, RunState& run, EngineHost& host, int colour, int firstNew)
{
    SplitZonesResult result;
    const int nx = m.axes[0].n, ny = m.axes[1].n, nz = m.axes[2].n;
    const auto freeColour = [&m](int start) {
        for (int i = 0; i < kColourCount; ++i) {
            const int c = (start + i) % kColourCount;
            if (!m.colours[static_cast<std::size_t>(c)].inUse)
                return c;
        }
        return start % kColourCount;
    };
    std::vector<int> made;
    bool blocksFailed = false;
    try {
        FreeWorkArrays(run, 1);
        EnsureCellArray(m, run);
        const std::size_t cells = static_cast<std::size_t>(nx) * ny * nz;
        std::vector<std::uint8_t> visited(cells, 0);
        std::vector<std::int64_t> stack;
        int candidate = firstNew;
        for (int i = 0; i < nx && !result.shortage; ++i)
            for (int j = 0; j < ny && !result.shortage; ++j)
                for (int k = 0; k < nz; ++k) {
                    const std::size_t at = static_cast<std::size_t>(i) + static_cast<std::size_t>(nx) *
                                                                            (j + static_cast<std::size_t>(ny) * k);
                    if (visited[at] || GetCellColour(m, run.work, i, j, k) != colour)
                        continue;
                    const int next = freeColour(candidate);
                    if (m.colours[static_cast<std::size_t>(next)].inUse) {
                        result.shortage = true;
                        break;
                    }
                    FloodFillColourZone(m, run, i, j, k, colour, next, visited, stack);
                    // In use from here, so that the next zone looks further.
                    m.colours[static_cast<std::size_t>(next)].inUse = 1;
                    made.push_back(next);
                    candidate = next;
                }
        // Blocks over each zone's cells, as the fills left them.
        CellRaster raster;
        raster.n[0] = static_cast<std::size_t>(nx);
        raster.n[1] = static_cast<std::size_t>(ny);
        raster.n[2] = static_cast<std::size_t>(nz);
        raster.colour.assign(run.work.cellColours.begin(), run.work.cellColours.end());
        std::vector<std::int32_t> cover(cells, 0);
        for (int c : made) {
            if (!BuildBlocksFromColourCells(m, host, c, raster, cover)) {
                blocksFailed = true;
                break;
            }
            CopyColourProperties(m, c, colour);
        }
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory(host);
        blocksFailed = true;
    }
    FreeWorkArrays(run, 1);
    result.zones = static_cast<int>(made.size());
    result.firstNewColour = made.empty() ? -1 : made.front();
    if (result.shortage) {
        host.MessageBox(kNotEnoughFreeColours, MessageStyle::Ok);
        return result;
    }
    // A colour whose zones could not all be covered keeps its own blocks.
    if (made.empty() || blocksFailed)
        return result;
    BlockRecord* first = m.blocks.data.data();
    BlockRecord* end = std::stable_partition(first, first + m.blocks.count,
                                             [colour](const BlockRecord& b) { return b.colour != colour; });
    m.blocks.count = static_cast<std::uint16_t>(end - first);
    m.colours[static_cast<std::size_t>(colour)].inUse = 0;
    return result;
}

} // namespace gelmar
