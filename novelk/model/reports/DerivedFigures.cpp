// The derived figures of the reports and the Results page.
#include "novelk/model/reports/DerivedFigures.h"

#include "novelk/model/areas/Areas.h"
#include "novelk/model/calc/SurfaceRules.h"

namespace novelk {

namespace {

bool IsSurfaceType(int type)
{
    return type == BC_SIMPL || type == BC_FRE_S;
}

bool IsSkyType(int type)
{
    return type == BC_SKY || type == BC_NOSKY;
}

// The environment temperature of a candidate colour; false for the others.
// withFluxOnly also admits surface colours without h that carry a flux (the
// temperature factor's candidates).
bool EnvironmentOf(const ColourRecord& c, bool withFluxOnly, double& t)
{
    if (!c.inUse)
        return false;
    if (IsSurfaceType(c.type) && (c.hGlobal != 0 || (withFluxOnly && c.flux != 0))) {
        t = c.temperature;
        return true;
    }
    if (IsSkyType(c.type)) {
        t = c.airTemperature;
        return true;
    }
    return false;
}

void FindExtremes(const ModelStore& m, bool withFluxOnly, double& ti, double& te)
{
    ti = -1.0e9;
    te = 1.0e9;
    for (const ColourRecord& c : m.colours) {
        double t = 0;
        if (!EnvironmentOf(c, withFluxOnly, t))
            continue;
        ti = std::max(ti, t);
        te = std::min(te, t);
    }
}

Environments ComputeEnvironments(const ModelStore& m)
{
    Environments env;
    FindExtremes(m, false, env.ti, env.te);
    double warm = 0, cold = 0;
    for (const ColourRecord& c : m.colours) {
        double t = 0;
        if (!EnvironmentOf(c, false, t))
            continue;
        const double net = static_cast<double>(c.flowIn) - c.flowOut;
        if (t == env.ti)
            warm += net;
        else if (t == env.te)
            cold += net;
    }
    env.q = 0.5 * (warm - cold);
    return env;
}

TemperatureFactor ComputeTemperatureFactor(const ModelStore& m)
{
    TemperatureFactor f;
    FindExtremes(m, true, f.ti, f.te);
    if (!(f.te < f.ti))
        return f;
    for (int n = 0; n < kColourCount; ++n) {
        const ColourRecord& c = m.colours[std::size_t(n)];
        double t = 0;
        if (!EnvironmentOf(c, true, t) || t != f.ti)
            continue;
        if (f.colour < 0 || c.lowestTemperature < f.tsiMin) {
            f.colour = n;
            f.tsiMin = c.lowestTemperature;
            f.h = IsSkyType(c.type) ? -1.0 : double(c.hGlobal);
        }
    }
    f.defined = true;
    f.f = (f.tsiMin - f.te) / (f.ti - f.te);
    f.relativeHumidity = 100.0 * SaturationVapourPressure(f.tsiMin) / SaturationVapourPressure(f.ti);
    return f;
}

// The first axis with a single cell, -1 when none has.
int FlatAxis(const ModelStore& m)
{
    for (int a = 0; a < 3; ++a)
        if (m.axes[std::size_t(a)].n == 1)
            return a;
    return -1;
}

} // namespace

void RefreshAreasAndUValues(ModelStore& m)
{
    ComputeAreas(m);
    ComputeElementUValues(m);
}

DerivedFigures ComputeDerivedFigures(const ModelStore& m)
{
    DerivedFigures d;
    d.env = ComputeEnvironments(m);
    d.factor = ComputeTemperatureFactor(m);

    Transmittance& t = d.transmittance;
    for (int i = 0; i < kAreaRecords; ++i) {
        t.area[std::size_t(i)] = m.areas[std::size_t(i)].value;
        t.u[std::size_t(i)] = GetElementUValue(m, i);
        t.used[std::size_t(i)] = t.u[std::size_t(i)] > 0 && t.area[std::size_t(i)] > 0;
        t.anyUsed = t.anyUsed || t.used[std::size_t(i)];
        if (t.used[std::size_t(i)])
            t.sumUA += t.u[std::size_t(i)] * t.area[std::size_t(i)];
    }
    t.flatAxis = FlatAxis(m);
    if (t.flatAxis >= 0)
        t.length = double(m.gridUnit) * m.axes[std::size_t(t.flatAxis)].widths[0];
    const double areaSum = t.area[0] + t.area[1] + t.area[2];
    const bool anyArea = t.area[0] > 0 || t.area[1] > 0 || t.area[2] > 0;
    if (d.env.Defined() && anyArea) {
        const double conductance = d.env.q / (d.env.ti - d.env.te);
        t.defined = true;
        t.deltaL = conductance - t.sumUA;
        if (t.length > 0)
            t.psi = t.deltaL / t.length;
        t.ueq = conductance / areaSum;
    }

    if (d.env.Defined() && t.area[0] > 0) {
        double flanking = 0;
        for (int i = 1; i < kAreaRecords; ++i)
            if (t.used[std::size_t(i)])
                flanking += t.u[std::size_t(i)] * t.area[std::size_t(i)];
        d.element.defined = true;
        d.element.u = (d.env.q / (d.env.ti - d.env.te) - flanking) / t.area[0];
    }
    return d;
}

} // namespace novelk
