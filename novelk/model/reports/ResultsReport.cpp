// The results report "_RES.txt": convergence, each colour's extreme
// temperatures and each boundary colour's heat flows, and the derived
// figures the model asks for.
#include "novelk/model/reports/ReportText.h"
#include "novelk/model/store/ColourQueries.h"

namespace novelk {

using namespace report;

namespace {

std::string PointFields(const ModelStore& m, const std::uint16_t (&p)[3])
{
    return Int(ShownIndex(m, 0, p[0]), 5) + Int(ShownIndex(m, 1, p[1]), 5) + Int(ShownIndex(m, 2, p[2]), 5);
}

} // namespace

bool WriteResultsFile(ReportContext& r)
{
    ModelStore& m = r.model;
    const int dt = r.decimals.temperature, dq = r.decimals.flow;
    std::string s = Str(r, kStrResults) + "\n\n" + DataFileLine(r);
    const long long nodes = r.run.resultsLoaded ? r.run.unknowns : 0;
    s += Str(r, kStrNodeCount) + " = " + Int(nodes) + "\n";
    s += Str(r, kStrObjectDivergence) + " = " + General(r.run.readouts.objectDivergence) + " %\n";
    s += Str(r, kStrNodeDivergence) + " = " + General(r.run.readouts.nodeDivergence) + " %\n\n";

    s += Str(r, m.rcl ? kStrResultsHeadRcl : kStrResultsHead) + "\n" + UnitLine(Str(r, kStrResultsUnits)) +
         "\n";
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& colour = m.colours[std::size_t(c)];
        if (!colour.inUse)
            continue;
        s += ColourLabel(m, c, false);
        if (colour.lowestTemperature <= colour.highestTemperature)
            s += Fixed(colour.lowestTemperature, 10, dt) + PointFields(m, colour.lowestPoint) +
                 Fixed(colour.highestTemperature, 10, dt) + PointFields(m, colour.highestPoint);
        s += "\n";
    }
    s += "\n";

    s += Str(r, kStrFlowsHead) + "\n" + Str(r, kStrFlowsUnits) + "\n";
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& colour = m.colours[std::size_t(c)];
        if (!colour.inUse || colour.type == MATERIAL || colour.type == EQUIMAT)
            continue;
        s += ColourLabel(m, c, false);
        s += colour.type == BC_FREE || colour.type == BC_FRE_S ? Fixed(colour.airTemperature, 10, dt)
                                                               : common::MakeBlankField(10);
        s += Fixed(colour.flowIn, 10, dq) + Fixed(colour.flowOut, 10, dq) + "\n";
    }

    if (HasTwoBoundaryTemperatures(m)) {
        if (m.report.temperatureFactor)
            s += '\n' + TemperatureFactorSection(r);
        if (m.report.transmittanceP || m.report.transmittanceQ)
            s += '\n' + TransmittanceSection(r);
        if (m.report.elementU)
            s += '\n' + ElementUSection(r);
    }
    return SaveReport(ReportFilePath(m.dataFilePath, "_RES.txt"), s);
}

} // namespace novelk
