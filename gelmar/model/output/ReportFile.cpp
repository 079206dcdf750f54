// The report columns: validation, the value of each column at a report step,
// the buffer of a run's rows and the tab-separated report file.
#include "gelmar/model/calc/CalcHooks.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/Text1252.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace gelmar {

namespace {

// Item numbers are 1-based.
template <typename Array> bool InRange(const Array& a, int number)
{
    return number >= 1 && number <= static_cast<long long>(a.count);
}

bool TypeIn(int type, std::initializer_list<int> types)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

bool ValidColourItem(ModelStore& model, RunState& run, int colour, int sub)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const ColourRecord& c = model.colours[static_cast<std::size_t>(colour)];
    if (!c.inUse)
        return false;
    const int t = c.type;
    switch (sub) {
    case 0:
        return t == EQUIMAT && c.rule != 0;
    case 1:
    case 2:
        return TypeIn(t, {BC_SIMPL, BC_FRE_S});
    case 3:
        return TypeIn(t, {BC_SIMPL, BC_FREE, BC_SKY, BC_NOSKY, BC_FRE_S});
    case 4:
    case 5:
        return TypeIn(t, {BC_FREE, BC_SKY, BC_NOSKY});
    case 6:
        return TypeIn(t, {BC_FREE, BC_FRE_S});
    case 7:
        return t == BC_SKY;
    case 8:
    case 9:
        return t != MATERIAL && t != EQUIMAT;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
        return (t == MATERIAL || t == EQUIMAT) && run.solarResults;
    case 16:
    case 17:
    case 18:
        return true;
    default:
        return false;
    }
}

bool IsValid(ModelStore& model, RunState& run, const ReportItemRecord& r)
{
    const ModelStore& m = model;
    const int n = r.number, s = r.subKind;
    switch (r.kind) {
    case 0:
        return s == 0 || s == 1;
    case 1:
        return ValidColourItem(model, run, n, s);
    case 2:
        return InRange(m.nodeBcs, n) && m.nodeBcs[static_cast<std::size_t>(n - 1)].type == s;
    case 3: {
        if (run.work.solution.empty() || run.work.nodeIndex.empty() || !InRange(m.outputNodes, n) || s != 0)
            return false;
        const OutputNodeRecord& o = m.outputNodes[static_cast<std::size_t>(n - 1)];
        return GetNodeIndex(model, run.work, o.i, o.j, o.k) >= 0;
    }
    case 4:
        return InRange(m.outputBlocks, n) && s == 0;
    case 5:
        return InRange(m.borderBcs, n) && m.borderBcs[static_cast<std::size_t>(n - 1)].type == s;
    case 6:
        return InRange(m.materialBcs, n) && m.materialBcs[static_cast<std::size_t>(n - 1)].type == s;
    case 7:
        return run.solarResults && (s == 0 || s == 1);
    case 8:
        return InRange(m.controls, n) && s == 0;
    default:
        return false;
    }
}

float ColourValue(RunState& run, const ColourRecord& c, int colour, int sub)
{
    switch (sub) {
    case 0:
        return c.lambda;
    case 1:
        return c.temperature;
    case 2:
        return c.hGlobal;
    case 3:
        return c.flux;
    case 4:
        return c.airTemperature;
    case 5:
        return c.hConvective;
    case 6:
        return c.qConvective;
    case 7:
        return c.radiantTemperature;
    case 8:
        return c.resultValue1;
    case 9:
        return c.resultValue2;
    case 16:
        return c.resultMin;
    case 17:
        return c.resultMax;
    case 18:
        return (c.resultMin + c.resultMax) * 0.5f;
    default:
        return GetColourSolarValue(run, colour, sub - 10);
    }
}

// Value of a valid non-time item at the current step.
float ItemValue(ModelStore& model, RunState& run, const ReportItemRecord& r)
{
    const ModelStore& m = model;
    const std::size_t i = static_cast<std::size_t>(std::max(r.number - 1, 0));
    switch (r.kind) {
    case 1:
        return ColourValue(run, m.colours[static_cast<std::size_t>(r.number)], r.number, r.subKind);
    case 2:
        return m.nodeBcs[i].type == 0 ? m.nodeBcs[i].temperature : m.nodeBcs[i].power;
    case 3: {
        const OutputNodeRecord& o = m.outputNodes[i];
        return static_cast<float>(GetNodeValueAt(model, run.work, o.i, o.j, o.k, 0));
    }
    case 4:
        return ComputeOutputBlockHeatFlow(model, run, m.outputBlocks[i]);
    case 5:
        return m.borderBcs[i].type == 0 ? m.borderBcs[i].temperature : m.borderBcs[i].flux;
    case 6:
        return m.materialBcs[i].type == 0 ? m.materialBcs[i].temperature : m.materialBcs[i].power;
    case 7: {
        float altitude = 0, azimuth = 0;
        CurrentSunPosition(run, altitude, azimuth);
        if (altitude < 0)
            return 0.0f;
        if (r.subKind == 1)
            return altitude;
        return azimuth > 180 ? azimuth - 360 : azimuth;
    }
    case 8:
        return static_cast<float>(ControlState(model, r.number - 1));
    default:
        return 0.0f;
    }
}

// Field width and decimals as printed: a record holds any integer, the
// report keeps each field to a sane size.
int Width(const ReportItemRecord& r)
{
    return std::clamp(r.width, 1, 255);
}
int Decimals(const ReportItemRecord& r)
{
    return std::clamp(r.decimals, 0, 30);
}

std::string Printf(const char* format, int a, int b = 0)
{
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Field(const ReportItemRecord& r, std::int32_t slot)
{
    char text[512];
    if (r.kind == 0 && r.subKind == 0)
        std::snprintf(text, sizeof text, "%*d", Width(r), static_cast<int>(slot));
    else if (r.kind == 0)
        std::snprintf(text, sizeof text, "%*s", Width(r), FormatTimeDHMS(slot).c_str());
    else
        std::snprintf(text, sizeof text, "%*.*f", Width(r), Decimals(r),
                      static_cast<double>(std::bit_cast<float>(slot)));
    return text;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

void WriteLine(std::FILE* file, const std::string& utf8)
{
    const std::string bytes = platform::Utf8ToCp1252(utf8);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fputs("\r\n", file);
}

} // namespace

int ValidateReportItems(ModelStore& model, RunState& run)
{
    int valid = 0;
    for (std::int32_t n = 0; n < model.reportItems.count; ++n) {
        ReportItemRecord& r = model.reportItems[static_cast<std::size_t>(n)];
        r.valid = IsValid(model, run, r) ? 1 : 0;
        valid += r.valid;
    }
    return valid;
}

void SizeOutputBuffer(ModelStore& model, RunState& run)
{
    const long long valid = ValidateReportItems(model, run);
    const ModelStore& m = model;
    // A step or frequency below 1 would divide by zero; the run uses at least 1.
    const long long interval =
        static_cast<long long>(std::max(1, m.timeStep)) * std::max(1, m.reportFrequency);
    const long long rows = std::max(0, m.calcDuration) / interval + 1;
    run.work.reportFill = 0;
    run.work.outputIndex.clear();
    if (rows * valid > 0)
        AllocWorkArray(model, run, kOutputIndexTable, static_cast<kernels::Index>(rows * valid));
}

bool HasReportItems(ModelStore& model)
{
    return model.reportItems.count > 0;
}

void FormatReportRow(ModelStore& model, RunState& run)
{
    // The row is complete and finite before it enters the buffer: a value
    // that is not finite stops the run and never reaches the report file.
    std::vector<std::int32_t> row;
    for (std::int32_t n = 0; n < model.reportItems.count; ++n) {
        const ReportItemRecord& r = model.reportItems[static_cast<std::size_t>(n)];
        if (!r.valid)
            continue;
        if (r.kind == 0) {
            row.push_back(run.calcTime);
            continue;
        }
        const float value = ItemValue(model, run, r);
        if (!std::isfinite(value))
            throw EngineError::NotFinite(ErrorCode::NotFiniteResults, run.step);
        row.push_back(std::bit_cast<std::int32_t>(value));
    }
    std::vector<std::int32_t>& buffer = run.work.outputIndex;
    for (std::int32_t v : row) {
        // Rows beyond those sized (a longer run than announced) are dropped.
        if (run.work.reportFill >= buffer.size())
            return;
        buffer[run.work.reportFill++] = v;
    }
}

std::size_t ReportBufferFill(RunState& run)
{
    return run.work.reportFill;
}

std::string ReportItemLegend(const ReportItemRecord& r, int column)
{
    static const char* const colour[] = {
        "Column %d: Colour %d, equivalent thermal conductivity [W/(m.K)]",
        "Column %d: Colour %d, BC temperature [°C]",
        "Column %d: Colour %d, total surface heat transfer coefficient [W/(m².K)]",
        "Column %d: Colour %d, BC heat flux [W/m²]",
        "Column %d: Colour %d, air temperature [°C]",
        "Column %d: Colour %d, convective heat transfer coefficient [W/(m².K)]",
        "Column %d: Colour %d, convective power into air cavity [W]",
        "Column %d: Colour %d, radiation temperature of environment [°C]",
        "Column %d: Colour %d, sum of heat flows into object [W]",
        "Column %d: Colour %d, sum of heat flows out of object [W]",
        "Column %d: Colour %d, absorbed solar flux on faces oriented to Xmin [W/m²]",
        "Column %d: Colour %d, absorbed solar flux on faces oriented to Xmax [W/m²]",
        "Column %d: Colour %d, absorbed solar flux on faces oriented to Ymin [W/m²]",
        "Column %d: Colour %d, absorbed solar flux on faces oriented to Ymax [W/m²]",
        "Column %d: Colour %d, absorbed solar flux on faces oriented to Zmin [W/m²]",
        "Column %d: Colour %d, absorbed solar flux on faces oriented to Zmax [W/m²]",
        "Column %d: Colour %d, minimum temperature [°C]",
        "Column %d: Colour %d, maximum temperature [°C]",
        "Column %d: Colour %d, mean temperature [°C]",
    };
    const bool second = r.subKind == 1;
    switch (r.kind) {
    case 0:
        return Printf(second ? "Column %d: Time [dddd:hh:mm:ss]" : "Column %d: Time [s]", column);
    case 1:
        return r.subKind >= 0 && r.subKind <= 18 ? Printf(colour[r.subKind], column, r.number)
                                                 : std::string();
    case 2:
        return Printf(second ? "Column %d: Node BC %d, power [W]" : "Column %d: Node BC %d, temperature [°C]",
                      column, r.number);
    case 3:
        return Printf("Column %d: Output node %d, temperature [°C]", column, r.number);
    case 4:
        return Printf("Column %d: Output block %d, incoming heat flow through conduction [W]", column,
                      r.number);
    case 5:
        return Printf(second ? "Column %d: Borderface BC %d, flux [W/m²]"
                             : "Column %d: Borderface BC %d, temperature [°C]",
                      column, r.number);
    case 6:
        return Printf(second ? "Column %d: Material BC %d, power density [W/m3]"
                             : "Column %d: Material BC %d, temperature [°C]",
                      column, r.number);
    case 7:
        return Printf(second ? "Column %d: Sun altitude [°]" : "Column %d: Sun azimuth [°]", column);
    case 8:
        return Printf("Column %d: Control %d, 0 (=off), 1 (=on)", column, r.number);
    default:
        return {};
    }
}

void WriteReportOutputFile(ModelStore& model, RunState& run)
{
    if (model.dataFilePath.empty())
        return;
    const std::filesystem::path data(model.dataFilePath);
    std::filesystem::path path = data;
    path.replace_extension(".txt");
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.string().c_str(), "wb"));
    if (!file)
        return;
    std::FILE* f = file.get();
    WriteLine(f, "GELMAR - Report Output");
    WriteLine(f, "");
    WriteLine(f, "GELMAR data file: " + data.stem().string() + ".glm");
    WriteLine(f, "");
    const std::int32_t count = model.reportItems.count;
    int column = 0;
    for (std::int32_t n = 0; n < count; ++n) {
        const ReportItemRecord& r = model.reportItems[static_cast<std::size_t>(n)];
        if (r.valid)
            WriteLine(f, ReportItemLegend(r, ++column));
    }
    WriteLine(f, "");
    // Without a valid item no row would take a value: nothing to write.
    if (column == 0)
        return;
    const std::vector<std::int32_t>& buffer = run.work.outputIndex;
    const std::size_t end = std::min(run.work.reportFill, buffer.size());
    std::size_t next = 0;
    while (next + static_cast<std::size_t>(column) <= end) {
        std::string line;
        for (std::int32_t n = 0; n < count; ++n) {
            const ReportItemRecord& r = model.reportItems[static_cast<std::size_t>(n)];
            if (r.valid)
                line += Field(r, buffer[next++]);
            if (n + 1 < count)
                line += '\t';
        }
        WriteLine(f, line);
    }
}

} // namespace gelmar
