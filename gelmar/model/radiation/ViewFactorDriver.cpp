// The view-factor run: zones, the pair loop of each zone with its row
// operations, and the file.
#include "gelmar/model/radiation/ViewFactorDriver.h"
#include "gelmar/model/calc/RunState.h"

#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <new>
#include <string>

namespace gelmar {

namespace {

void Show(EngineHost& host, int item, long long value)
{
    host.SetProgressText(item, std::to_string(value));
}

kernels::ViewFactorSettings SettingsOfModel(ModelStore& model)
{
    kernels::ViewFactorSettings s;
    s.rays = model.rays;
    s.vwfc = model.minViewFactor;
    s.grun = model.gridUnit;
    s.thinAxis = kernels::SelectThinAxis(model.axes[0].n, model.axes[1].n, model.axes[2].n);
    if (s.thinAxis >= 0) {
        const GridAxis& axis = model.axes[static_cast<std::size_t>(s.thinAxis)];
        s.thinWidth = axis.widths.empty() ? 0.0 : axis.widths.front();
    }
    return s;
}

} // namespace

void UpdateViewFactorProgress(RunState& run, EngineHost& host, int mode)
{
    const RadiationSet& r = run.radiation;
    if (mode == 0) {
        long long faces = 0, pairs = 0;
        for (const RadiationZone& zone : r.zones) {
            faces += static_cast<long long>(zone.faces.size());
            pairs += static_cast<long long>(kernels::PackedSize(zone.faces.size()));
        }
        Show(host, kProgressTotalZones, static_cast<long long>(r.zones.size()));
        Show(host, kProgressTotalFaces, faces);
        Show(host, kProgressTotalPairs, pairs);
        return;
    }
    if (mode == 1 && r.progressZone < r.zones.size()) {
        const std::size_t n = r.zones[r.progressZone].faces.size();
        Show(host, kProgressZone, static_cast<long long>(r.progressZone + 1));
        Show(host, kProgressZoneFaces, static_cast<long long>(n));
        Show(host, kProgressZonePairs, static_cast<long long>(kernels::PackedSize(n)));
    }
    Show(host, kProgressPairsDone, static_cast<long long>(r.progressPairsDone));
}

void ComputeViewFactors(ModelStore& model, RunState& run, EngineHost& host, const kernels::CellGrid& cells, unsigned threads)
{
    if (CollectRadiatingFaces(model, run, host, cells, true) == 0)
        return;
    RadiationSet& r = run.radiation;
    try {
        for (RadiationZone& zone : r.zones)
            zone.matrix.assign(kernels::PackedSize(zone.faces.size()), 0.0);
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
    UpdateViewFactorProgress(run, host, 0);

    const kernels::ViewFactorSettings settings = SettingsOfModel(model);
    const auto check = [&host] { CheckEscAbort(host); };
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        RadiationZone& zone = r.zones[z];
        r.progressZone = z;
        r.progressPairsDone = 0;
        UpdateViewFactorProgress(run, host, 1);
        const std::vector<kernels::ViewFactorFace> faces = FaceGeometry(zone.faces);
        const std::vector<double> areas = FaceAreas(zone.faces);
        kernels::PairLoopOptions options;
        options.threads = threads;
        std::size_t shown = 0;
        // The loop reports after each chunk of 2000 pairs: the Esc check, and
        // the pair read-out every 10000 pairs.
        options.poll = [&](std::size_t done) {
            CheckEscAbort(host);
            r.progressPairsDone = done;
            if (done / 10000 != shown / 10000) {
                shown = done;
                UpdateViewFactorProgress(run, host, 2);
            }
        };
        kernels::ComputeZoneViewFactors(faces, settings, zone.matrix, options);
        r.progressPairsDone = kernels::PackedSize(faces.size());
        UpdateViewFactorProgress(run, host, 2);
        kernels::NormaliseViewFactorRows(zone.matrix, areas, check);
        std::vector<double> unseen(faces.size(), 0.0);
        kernels::SetUnseenFractions(zone.matrix, areas, unseen, check);
        for (std::size_t f = 0; f < faces.size(); ++f)
            zone.faces[f].unseen = unseen[f];
        kernels::DivideByFaceArea(zone.matrix, areas, check);
    }
    WriteViewFactorFile(run);
}

WorkOutcome RunViewFactorWindow(ModelStore& model, RunState& run, EngineHost& host)
{
    FreeWorkArrays(run, 0);
    const WorkOutcome outcome = RunGuarded([&host, &model, &run] {
        CheckGridLengths(model);
        RasteriseBlocks(model, run);
        BuildNodeNumbering(model, run, host);
        const kernels::CellGrid cells{model.axes[0].n, model.axes[1].n, model.axes[2].n,
                                      run.work.cellColours};
        ComputeViewFactors(model, run, host, cells);
    });
    FreeWorkArrays(run, 0);
    return outcome;
}

} // namespace gelmar
