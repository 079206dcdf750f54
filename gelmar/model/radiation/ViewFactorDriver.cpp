// The view-factor run: zones, the pair loop of each zone with its row
// operations, and the file.
#include "gelmar/model/radiation/ViewFactorDriver.h"

#include "common/core/ErrorCode.h"
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <new>
#include <string>

namespace gelmar {

namespace {

struct {
    std::size_t zone = 0;      // current zone
    std::size_t pairsDone = 0; // pairs computed in it
} g_progress;

void Show(int item, long long value)
{
    Host().SetProgressText(item, std::to_string(value));
}

kernels::ViewFactorSettings SettingsOfModel()
{
    kernels::ViewFactorSettings s;
    s.rays = g_model.rays;
    s.vwfc = g_model.minViewFactor;
    s.grun = g_model.gridUnit;
    s.thinAxis = kernels::SelectThinAxis(g_model.axes[0].n, g_model.axes[1].n, g_model.axes[2].n);
    if (s.thinAxis >= 0) {
        const GridAxis& axis = g_model.axes[static_cast<std::size_t>(s.thinAxis)];
        s.thinWidth = axis.widths.empty() ? 0.0 : axis.widths.front();
    }
    return s;
}

} // namespace

void UpdateViewFactorProgress(int mode)
{
    const RadiationSet& r = g_radiation;
    if (mode == 0) {
        long long faces = 0, pairs = 0;
        for (const RadiationZone& zone : r.zones) {
            faces += static_cast<long long>(zone.faces.size());
            pairs += static_cast<long long>(kernels::PackedSize(zone.faces.size()));
        }
        Show(kProgressTotalZones, static_cast<long long>(r.zones.size()));
        Show(kProgressTotalFaces, faces);
        Show(kProgressTotalPairs, pairs);
        return;
    }
    if (mode == 1 && g_progress.zone < r.zones.size()) {
        const std::size_t n = r.zones[g_progress.zone].faces.size();
        Show(kProgressZone, static_cast<long long>(g_progress.zone + 1));
        Show(kProgressZoneFaces, static_cast<long long>(n));
        Show(kProgressZonePairs, static_cast<long long>(kernels::PackedSize(n)));
    }
    Show(kProgressPairsDone, static_cast<long long>(g_progress.pairsDone));
}

void ComputeViewFactors(const kernels::CellGrid& cells, unsigned threads)
{
    if (CollectRadiatingFaces(cells, true) == 0)
        return;
    RadiationSet& r = g_radiation;
    try {
        for (RadiationZone& zone : r.zones)
            zone.matrix.assign(kernels::PackedSize(zone.faces.size()), 0.0);
    } catch (const std::bad_alloc&) {
        common::RaiseError(kErrorMemory);
    }
    UpdateViewFactorProgress(0);

    const kernels::ViewFactorSettings settings = SettingsOfModel();
    const auto check = [] { CheckEscAbort(); };
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        RadiationZone& zone = r.zones[z];
        g_progress = {z, 0};
        UpdateViewFactorProgress(1);
        const std::vector<kernels::ViewFactorFace> faces = FaceGeometry(zone.faces);
        const std::vector<double> areas = FaceAreas(zone.faces);
        kernels::PairLoopOptions options;
        options.threads = threads;
        std::size_t shown = 0;
        // The loop reports after each chunk of 2000 pairs: the Esc check, and
        // the pair read-out every 10000 pairs.
        options.poll = [&](std::size_t done) {
            CheckEscAbort();
            g_progress.pairsDone = done;
            if (done / 10000 != shown / 10000) {
                shown = done;
                UpdateViewFactorProgress(2);
            }
        };
        kernels::ComputeZoneViewFactors(faces, settings, zone.matrix, options);
        g_progress.pairsDone = kernels::PackedSize(faces.size());
        UpdateViewFactorProgress(2);
        kernels::NormaliseViewFactorRows(zone.matrix, areas, check);
        std::vector<double> unseen(faces.size(), 0.0);
        kernels::SetUnseenFractions(zone.matrix, areas, unseen, check);
        for (std::size_t f = 0; f < faces.size(); ++f)
            zone.faces[f].unseen = unseen[f];
        kernels::DivideByFaceArea(zone.matrix, areas, check);
    }
    WriteViewFactorFile();
}

bool RunViewFactorWindow()
{
    FreeWorkArrays(0);
    bool normal = false;
    try {
        try {
            CheckGridLengths(g_model);
            RasteriseBlocks();
            BuildNodeNumbering();
            const kernels::CellGrid cells{g_model.axes[0].n, g_model.axes[1].n, g_model.axes[2].n,
                                          g_work.cellColours};
            ComputeViewFactors(cells);
            normal = true;
        } catch (const std::bad_alloc&) {
            common::RaiseError(kErrorMemory);
        }
    } catch (const common::EngineException&) {
    }
    FreeWorkArrays(0);
    return normal;
}

} // namespace gelmar
