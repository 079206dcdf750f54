// Read access to the work arrays of a loaded time step.
#include "gelmar/graphics/core/LoadedResults.h"

#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

LoadedResults::LoadedResults(const ModelStore& model, const RunState& run)
    : m_work(run.work), m_time(run.calcTime), m_n{model.axes[0].n, model.axes[1].n, model.axes[2].n}
{
}

std::int32_t LoadedResults::NodeIndex(int i, int j, int k) const
{
    if (i < 0 || j < 0 || k < 0 || i > m_n[0] || j > m_n[1] || k > m_n[2])
        return -1;
    const auto at = static_cast<std::size_t>(i + j * m_work.rowStride + k * m_work.layerStride);
    return at < m_work.nodeIndex.size() ? m_work.nodeIndex[at] : -1;
}

int LoadedResults::CellColour(int i, int j, int k) const
{
    if (i < 0 || j < 0 || k < 0 || i >= m_n[0] || j >= m_n[1] || k >= m_n[2])
        return -1;
    const auto at = static_cast<std::size_t>(i + j * m_n[0] + k * m_work.layerSize);
    return at < m_work.cellColours.size() ? static_cast<std::int16_t>(m_work.cellColours[at]) : -1;
}

double LoadedResults::NodeTemperature(std::int32_t n) const
{
    return n >= 0 && static_cast<std::size_t>(n) < m_work.solution.size()
               ? m_work.solution[static_cast<std::size_t>(n)]
               : 0.0;
}

long long LoadedResults::NodeCount() const
{
    return m_work.gridNodeCount;
}

} // namespace gelmar
