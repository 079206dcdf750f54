// The view-factor run and the view-factor summary.
#include "novelk/model/calc/ViewFactors.h"

#include "common/kernels/ViewFactorZone.h"
#include "novelk/model/calc/Zones.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/TempFiles.h"

#include <new>
#include <vector>

namespace novelk {

namespace {

constexpr kernels::ViewFactorFileFormat kFileFormat{false};

kernels::ViewFactorSettings SettingsOf(const ModelStore& m)
{
    kernels::ViewFactorSettings s;
    s.rays = m.calc.rays;
    s.vwfc = m.calc.minViewFactor;
    s.grun = m.gridUnit;
    s.thinAxis = kernels::SelectThinAxis(m.axes[0].n, m.axes[1].n, m.axes[2].n);
    if (s.thinAxis >= 0)
        s.thinWidth = m.axes[std::size_t(s.thinAxis)].widths[0];
    // Rays of a pair: the larger view factor times `rays`, to the nearest whole ray.
    s.rounding = kernels::RayRounding::Nearest;
    return s;
}

} // namespace

void ComputeViewFactors(const ModelStore& m, RunState& run, EngineHost& host, unsigned threads)
{
    if (BuildZoneFaces(m, run, true, host) == 0)
        return;
    const std::vector<CavityZone>& zones = run.calc.zones;
    std::vector<std::vector<double>> matrices(zones.size());
    std::vector<std::vector<kernels::ViewFactorFileFace>> faces(zones.size());
    long long faceTotal = 0, pairTotal = 0;
    try {
        for (std::size_t z = 0; z < zones.size(); ++z) {
            matrices[z].assign(kernels::PackedSize(zones[z].faces.size()), 0.0);
            faceTotal += static_cast<long long>(zones[z].faces.size());
            pairTotal += static_cast<long long>(matrices[z].size());
        }
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    host.ShowViewFactorProgress(kernels::kProgressTotalZones, static_cast<long long>(zones.size()));
    host.ShowViewFactorProgress(kernels::kProgressTotalFaces, faceTotal);
    host.ShowViewFactorProgress(kernels::kProgressTotalPairs, pairTotal);

    const kernels::ViewFactorSettings settings = SettingsOf(m);
    const auto check = [&host] { CheckEscAbort(host); };
    for (std::size_t z = 0; z < zones.size(); ++z) {
        const CavityZone& zone = zones[z];
        const std::size_t n = zone.faces.size();
        host.ShowViewFactorProgress(kernels::kProgressZone, static_cast<long long>(z + 1));
        host.ShowViewFactorProgress(kernels::kProgressZoneFaces, static_cast<long long>(n));
        host.ShowViewFactorProgress(kernels::kProgressZonePairs, static_cast<long long>(matrices[z].size()));
        host.ShowViewFactorProgress(kernels::kProgressPairsDone, 0);
        std::vector<kernels::ViewFactorFace> geometry;
        std::vector<double> areas;
        std::vector<double> remainders(n, 0.0);
        try {
            geometry.reserve(n);
            areas.reserve(n);
            for (const ZoneFace& f : zone.faces) {
                geometry.push_back(f.geometry);
                areas.push_back(f.area);
            }
        } catch (const std::bad_alloc&) {
            throw EngineError::Memory();
        }
        kernels::PairLoopOptions options;
        options.threads = threads;
        std::size_t shown = 0;
        // Esc is polled every 2000 pairs, the read-out every 10000.
        options.poll = [&](std::size_t done) {
            CheckEscAbort(host);
            if (done / 10000 != shown / 10000) {
                shown = done;
                host.ShowViewFactorProgress(kernels::kProgressPairsDone, static_cast<long long>(done));
            }
        };
        try {
            kernels::ComputeZoneViewFactors(geometry, settings, matrices[z], options);
        } catch (const std::bad_alloc&) {
            throw EngineError::Memory();
        }
        host.ShowViewFactorProgress(kernels::kProgressPairsDone, static_cast<long long>(matrices[z].size()));
        kernels::NormaliseViewFactorRows(matrices[z], areas, check);
        kernels::SetUnseenFractions(matrices[z], areas, remainders, check);
        CheckEscAbort(host);
        kernels::DivideByFaceArea(matrices[z], areas, check);
        faces[z].reserve(n);
        for (std::size_t f = 0; f < n; ++f) {
            kernels::ViewFactorFileFace out;
            out.zoneColour = zone.faces[f].cavityColour;
            out.ownerColour = zone.faces[f].solidColour;
            out.geometry = zone.faces[f].geometry;
            out.area = areas[f];
            out.unseen = remainders[f];
            faces[z].push_back(out);
        }
    }
    std::vector<kernels::ViewFactorZoneOut> out(zones.size());
    for (std::size_t z = 0; z < zones.size(); ++z)
        out[z] = {faces[z], matrices[z]};
    if (!kernels::WriteViewFactorFile("tmp.vwf", out, kFileFormat))
        throw EngineError::FileOpen("tmp.vwf");
}

void ReadViewFactorSummary(ModelStore& m, kernels::ViewFactorSummaryTable& table)
{
    const std::string path = SelectViewFactorFile(m.dataFilePath);
    kernels::ViewFactorReadResult result;
    try {
        result = kernels::ReadViewFactorSummary(path, kFileFormat, table);
    } catch (const std::bad_alloc&) {
        FreeViewFactorSummary(table);
        throw EngineError::Memory();
    }
    for (std::size_t c = 0; c < std::size_t(kColourCount); ++c)
        m.colours[c].senderArea = table.area[c];
    if (result.status == kernels::ViewFactorReadStatus::Syntax)
        throw EngineError::Syntax(path, result.line);
}

void FreeViewFactorSummary(kernels::ViewFactorSummaryTable& table)
{
    table = kernels::ViewFactorSummaryTable{};
}

} // namespace novelk
