// The solar working state (see SolarState.h).
#include "gelmar/model/solar/SolarState.h"

#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

int SolarGrid::CellColour(int i, int j, int k) const
{
    const int nx = g_model.axes[0].n, ny = g_model.axes[1].n, nz = g_model.axes[2].n;
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
    const int nx = g_model.axes[0].n, ny = g_model.axes[1].n, nz = g_model.axes[2].n;
    if (i < 0 || j < 0 || k < 0 || i > nx || j > ny || k > nz)
        return -1;
    const std::size_t at = static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * (nx + 1) +
                           static_cast<std::size_t>(k) * (nx + 1) * (ny + 1);
    return at < nodeIndex.size() ? nodeIndex[at] : -1;
}

void FreeSolarTables()
{
    std::vector<SolarFace>().swap(g_solar.solarFaces);
    std::vector<SolarFace>().swap(g_solar.shadingFaces);
    std::vector<ShadingPlane>().swap(g_solar.shadingPlanes);
    std::vector<SurfaceGroup>().swap(g_solar.groups);
    std::vector<SunlitNodeRecord>().swap(g_solar.records);
    std::vector<SolarNodeSource>().swap(g_solar.sources);
    std::vector<ZoneFacePower>().swap(g_solar.zoneFaces);
    std::vector<std::vector<int>>().swap(g_solar.zoneFaceOf);
    std::vector<ExchangeFace>().swap(g_solar.exchangeFaces);
    std::vector<int>().swap(g_solar.exchangeBase);
    std::vector<TransmissionNode>().swap(g_solar.transmissionNodes);
    std::vector<std::pair<std::int32_t, int>>().swap(g_solar.zoneFacesAtNode);
    std::vector<double>().swap(g_solar.exchangeMatrix);
}

} // namespace gelmar
