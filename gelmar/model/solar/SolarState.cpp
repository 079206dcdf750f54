// The solar working state (see SolarState.h).
#include "gelmar/model/solar/SolarState.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

int SolarGrid::CellColour(int i, int j, int k) const
{
    const int nx = n[0], ny = n[1], nz = n[2];
    if (i < 0 || j < 0 || k < 0 || i >= nx || j >= ny || k >= nz)
        return -1;
    const std::size_t at = static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * nx +
                           static_cast<std::size_t>(k) * nx * ny;
    if (at >= cellColours.size())
        return -1;
    return static_cast<std::int16_t>(cellColours[at]);
}

std::int32_t SolarGrid::NodeIndex(int i, int j, int k) const
{
    const int nx = n[0], ny = n[1], nz = n[2];
    if (i < 0 || j < 0 || k < 0 || i > nx || j > ny || k > nz)
        return -1;
    const std::size_t at = static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * (nx + 1) +
                           static_cast<std::size_t>(k) * (nx + 1) * (ny + 1);
    return at < nodeIndex.size() ? nodeIndex[at] : -1;
}

void FreeSolarTables(RunState& run)
{
    std::vector<SolarFace>().swap(run.solar.solarFaces);
    std::vector<SolarFace>().swap(run.solar.shadingFaces);
    std::vector<ShadingPlane>().swap(run.solar.shadingPlanes);
    std::vector<SurfaceGroup>().swap(run.solar.groups);
    std::vector<SunlitNodeRecord>().swap(run.solar.records);
    std::vector<SolarNodeSource>().swap(run.solar.sources);
    std::vector<ZoneFacePower>().swap(run.solar.zoneFaces);
    std::vector<std::vector<int>>().swap(run.solar.zoneFaceOf);
    std::vector<ExchangeFace>().swap(run.solar.exchangeFaces);
    std::vector<int>().swap(run.solar.exchangeBase);
    std::vector<TransmissionNode>().swap(run.solar.transmissionNodes);
    std::vector<std::pair<std::int32_t, int>>().swap(run.solar.zoneFacesAtNode);
    std::vector<double>().swap(run.solar.exchangeMatrix);
}

} // namespace gelmar
