// Output blocks' bounds and report items in their tables.
#include "gelmar/model/editing/OutputEdits.h"

#include "common/core/NumberText.h"
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/store/EngineHost.h"

#include <climits>
#include <cmath>

namespace gelmar {

namespace {

std::uint16_t* Bound(OutputBlockRecord& b, int column)
{
    std::uint16_t* bounds[6] = {&b.i1, &b.i2, &b.j1, &b.j2, &b.k1, &b.k2};
    return bounds[column - 1];
}

int BoundOf(const OutputBlockRecord& b, int column)
{
    const std::uint16_t bounds[6] = {b.i1, b.i2, b.j1, b.j2, b.k1, b.k2};
    return bounds[column - 1];
}

// The value an entry stands for, before the column's range test.
std::optional<long long> EnteredBound(const ModelStore& m, std::string_view text)
{
    if (m.rcl) {
        const std::optional<int> v = ReadCellInt(text);
        if (!v)
            return std::nullopt;
        return *v >> 1;
    }
    const std::optional<float> v = ReadCellFloat(text);
    if (!v)
        return std::nullopt;
    const double shifted = static_cast<double>(*v) + 1.00001;
    // Beyond the integer range the truncation would overflow.
    if (!(std::fabs(shifted) < static_cast<double>(INT_MAX)))
        return std::nullopt;
    return static_cast<long long>(shifted);
}

} // namespace

std::string OutputBlockBoundText(const ModelStore& m, const OutputBlockRecord& b, int column)
{
    if (!m.rcl)
        return common::FormatDecimals(BoundOf(b, column) - 0.5, 1);
    const int nz = m.axes[2].n;
    if (column == 5)
        return std::to_string(2 * (nz - b.k2 + 1));
    if (column == 6)
        return std::to_string(2 * (nz - b.k1 + 1));
    return std::to_string(2 * BoundOf(b, column));
}

bool EditOutputBlockCell(const ModelStore& m, OutputBlockRecord& b, int column, std::string_view text)
{
    if (column < 1 || column > 6)
        return false;
    const std::optional<long long> entered = EnteredBound(m, text);
    if (!entered)
        return false;
    const long long v = *entered;
    const int axis = (column - 1) / 2;
    const bool lower = (column - 1) % 2 == 0;
    const long long n = m.axes[static_cast<std::size_t>(axis)].n;
    std::uint16_t& lo = *Bound(b, 2 * axis + 1);
    std::uint16_t& hi = *Bound(b, 2 * axis + 2);
    const auto set = [](std::uint16_t& field, long long value) { field = static_cast<std::uint16_t>(value); };
    if (lower) {
        if (v < 0 || v > n)
            return false;
        if (m.rcl && axis == 2) {
            set(hi, n - v + 1);
            if (hi <= lo)
                set(lo, n - v);
        } else {
            set(lo, v);
            if (v >= hi)
                set(hi, v + 1);
        }
    } else {
        if (v < 1 || v > n + 1)
            return false;
        if (m.rcl && axis == 2) {
            set(lo, n - v + 1);
            if (lo >= hi)
                set(hi, n - v + 2);
        } else {
            set(hi, v);
            if (v <= lo)
                set(lo, v - 1);
        }
    }
    return true;
}

const char* ReportKindName(int kind)
{
    static const char* const names[] = {"TIME",      "COLOUR",      "NODE BC", "OUTPUT NODE", "OUTPUT BLOCK",
                                        "BORDER BC", "MATERIAL BC", "SUN",     "CONTROL"};
    return kind >= 0 && kind < kReportKindCount ? names[kind] : "";
}

int ReportSubKindCount(int kind)
{
    static const int counts[] = {2, 19, 2, 1, 1, 2, 2, 2, 1};
    return kind >= 0 && kind < kReportKindCount ? counts[kind] : 0;
}

const char* ReportSubKindName(int kind, int subKind)
{
    static const char* const time[] = {"[s]", "[dddd:hh:mm:ss]"};
    static const char* const colour[] = {"λeq",       "θ",         "h",         "q",         "θa",
                                         "hc",        "Pc",        "θr",        "Qin",       "Qout",
                                         "qsol Xmin", "qsol Xmax", "qsol Ymin", "qsol Ymax", "qsol Zmin",
                                         "qsol Zmax", "θmin",      "θmax",      "θmean"};
    static const char* const nodeBc[] = {"θ", "P"};
    static const char* const outputNode[] = {"θ"};
    static const char* const outputBlock[] = {"P"};
    static const char* const borderBc[] = {"θ", "q"};
    static const char* const materialBc[] = {"θ", "p"};
    static const char* const sun[] = {"AZIMUTH", "ALTITUDE"};
    static const char* const control[] = {"ON"};
    static const char* const* const names[] = {time,     colour,     nodeBc, outputNode, outputBlock,
                                               borderBc, materialBc, sun,    control};
    if (subKind < 0 || subKind >= ReportSubKindCount(kind))
        return "";
    return names[kind][subKind];
}

bool ReportKindHasNumber(int kind)
{
    return kind != kReportTime && kind != kReportSun;
}

void StepReportKind(ReportItemRecord& r)
{
    static const int next[] = {kReportColour,      kReportNodeBc,  kReportBorderBc,
                               kReportOutputBlock, kReportControl, kReportMaterialBc,
                               kReportOutputNode,  kReportTime,    kReportSun};
    r.kind = r.kind >= 0 && r.kind < kReportKindCount ? next[r.kind] : kReportTime;
    r.subKind = 0;
    r.number = 1;
}

void StepReportSubKind(ReportItemRecord& r)
{
    r.subKind = r.subKind + 1 >= ReportSubKindCount(r.kind) || r.subKind < 0 ? 0 : r.subKind + 1;
}

ReportEntry EditReportCell(ReportItemRecord& r, int column, std::string_view text, EngineHost& host)
{
    struct Field {
        std::int32_t ReportItemRecord::*value;
        int lowest;
        const char* refusal;
    };
    static const Field fields[] = {{&ReportItemRecord::number, 0, kReportNumberNegative},
                                   {&ReportItemRecord::width, 1, kReportWidthTooSmall},
                                   {&ReportItemRecord::decimals, 0, kReportDecimalsNegative}};
    const Field* field = column == 2   ? &fields[0]
                         : column == 4 ? &fields[1]
                         : column == 5 ? &fields[2]
                                       : nullptr;
    const std::optional<int> v = ReadCellInt(text);
    if (!field || !v)
        return ReportEntry::Ignored;
    if (*v < field->lowest) {
        host.MessageBox(field->refusal, MessageStyle::Ok);
        return ReportEntry::Refused;
    }
    r.*field->value = *v;
    return ReportEntry::Stored;
}

} // namespace gelmar
