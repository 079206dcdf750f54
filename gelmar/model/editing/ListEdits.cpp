// Inserting and deleting list records, with the lists' margins and limits.
#include "gelmar/model/editing/ListEdits.h"

#include "gelmar/model/output/OutputReport.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/EngineServices.h"

#include <algorithm>
#include <array>

namespace gelmar {

namespace {

// Records the array grows by when an insert finds it full.
std::size_t Margin(ModelList list)
{
    switch (list) {
    case ModelList::BorderBcs:
    case ModelList::Controls:
        return 50;
    case ModelList::MaterialBcs:
        return 10;
    default:
        return 100;
    }
}

template <typename T, typename Size>
bool InsertInto(RecordArray<T, Size>& a, std::size_t at, std::size_t margin, std::size_t limit,
                const T& record, EngineHost& host)
{
    const std::size_t count = static_cast<std::size_t>(a.count);
    if (count + 1 > static_cast<std::size_t>(a.capacity) && !a.Grow(std::min(count + 1 + margin, limit))) {
        ReportOutOfMemory(host);
        return false;
    }
    at = std::min(at, count);
    std::move_backward(a.data.begin() + static_cast<std::ptrdiff_t>(at),
                       a.data.begin() + static_cast<std::ptrdiff_t>(count),
                       a.data.begin() + static_cast<std::ptrdiff_t>(count + 1));
    a.data[at] = record;
    a.count = static_cast<Size>(count + 1);
    return true;
}

template <typename T, std::size_t N, typename Count>
bool InsertInto(std::array<T, N>& a, Count& count, std::size_t at, const T& record)
{
    const std::size_t n = static_cast<std::size_t>(count);
    at = std::min(at, n);
    std::move_backward(a.begin() + static_cast<std::ptrdiff_t>(at),
                       a.begin() + static_cast<std::ptrdiff_t>(n),
                       a.begin() + static_cast<std::ptrdiff_t>(n + 1));
    a[at] = record;
    count = static_cast<Count>(n + 1);
    return true;
}

template <typename It> void RemoveAt(It first, std::size_t count, std::size_t at)
{
    std::move(first + static_cast<std::ptrdiff_t>(at + 1), first + static_cast<std::ptrdiff_t>(count),
              first + static_cast<std::ptrdiff_t>(at));
}

} // namespace

std::size_t ListCount(const ModelStore& m, ModelList list)
{
    switch (list) {
    case ModelList::NodeBcs:
        return static_cast<std::size_t>(std::max(m.nodeBcs.count, 0));
    case ModelList::BorderBcs:
        return static_cast<std::size_t>(std::max(m.borderBcs.count, 0));
    case ModelList::MaterialBcs:
        return static_cast<std::size_t>(std::max(m.materialBcs.count, 0));
    case ModelList::Functions:
        return m.functions.count;
    case ModelList::OutputNodes:
        return static_cast<std::size_t>(std::max(m.outputNodes.count, 0));
    case ModelList::OutputBlocks:
        return static_cast<std::size_t>(std::max(m.outputBlocks.count, 0));
    case ModelList::ReportItems:
        return static_cast<std::size_t>(std::max(m.reportItems.count, 0));
    case ModelList::SunObstacles:
        return static_cast<std::size_t>(std::max(m.sunObstacleCount, 0));
    case ModelList::VentilationFlows:
        return static_cast<std::size_t>(std::max(m.ventFlowCount, 0));
    case ModelList::Controls:
        return m.controls.count;
    }
    return 0;
}

std::size_t ListLimit(ModelList list)
{
    switch (list) {
    case ModelList::Functions:
    case ModelList::Controls:
        return kMaxCount16;
    case ModelList::SunObstacles:
        return kMaxSunObstacles;
    case ModelList::VentilationFlows:
        return kMaxVentilationFlows;
    default:
        return kMaxListRecords;
    }
}

std::string ListFullMessage(ModelList list)
{
    return "The list is full: a model holds at most " + std::to_string(ListLimit(list)) +
           " of these records.";
}

bool InsertListRecord(ModelStore& m, ModelList list, std::size_t at, EngineHost& host)
{
    const std::size_t limit = ListLimit(list);
    if (ListCount(m, list) >= limit) {
        host.MessageBox(ListFullMessage(list), MessageStyle::Ok);
        return false;
    }
    const std::size_t margin = Margin(list);
    switch (list) {
    case ModelList::NodeBcs:
        return InsertInto(m.nodeBcs, at, margin, limit, NodeBcRecord{}, host);
    case ModelList::BorderBcs:
        return InsertInto(m.borderBcs, at, margin, limit, BorderFaceBcRecord{}, host);
    case ModelList::MaterialBcs:
        return InsertInto(m.materialBcs, at, margin, limit, MaterialBcRecord{}, host);
    case ModelList::Functions:
        return InsertInto(m.functions, at, margin, limit, FunctionRecord{}, host);
    case ModelList::OutputNodes:
        return InsertInto(m.outputNodes, at, margin, limit, OutputNodeRecord{}, host);
    case ModelList::OutputBlocks:
        return InsertInto(m.outputBlocks, at, margin, limit, DefaultOutputBlock(m), host);
    case ModelList::ReportItems:
        return InsertInto(m.reportItems, at, margin, limit, ReportItemRecord{}, host);
    case ModelList::SunObstacles:
        return InsertInto(m.sunObstacles, m.sunObstacleCount, at, SunObstacleRecord{});
    case ModelList::VentilationFlows:
        return InsertInto(m.ventFlows, m.ventFlowCount, at, VentilationFlowRecord{});
    case ModelList::Controls:
        return InsertInto(m.controls, at, margin, limit, ControlRecord{}, host);
    }
    return false;
}

bool DeleteListRecord(ModelStore& m, ModelList list, std::size_t at)
{
    const std::size_t count = ListCount(m, list);
    if (at >= count)
        return false;
    switch (list) {
    case ModelList::NodeBcs:
        RemoveAt(m.nodeBcs.data.begin(), count, at);
        --m.nodeBcs.count;
        break;
    case ModelList::BorderBcs:
        RemoveAt(m.borderBcs.data.begin(), count, at);
        --m.borderBcs.count;
        break;
    case ModelList::MaterialBcs:
        RemoveAt(m.materialBcs.data.begin(), count, at);
        --m.materialBcs.count;
        break;
    case ModelList::Functions:
        RemoveAt(m.functions.data.begin(), count, at);
        --m.functions.count;
        break;
    case ModelList::OutputNodes:
        RemoveAt(m.outputNodes.data.begin(), count, at);
        --m.outputNodes.count;
        break;
    case ModelList::OutputBlocks:
        RemoveAt(m.outputBlocks.data.begin(), count, at);
        --m.outputBlocks.count;
        break;
    case ModelList::ReportItems:
        RemoveAt(m.reportItems.data.begin(), count, at);
        --m.reportItems.count;
        break;
    case ModelList::SunObstacles:
        RemoveAt(m.sunObstacles.begin(), count, at);
        --m.sunObstacleCount;
        break;
    case ModelList::VentilationFlows:
        RemoveAt(m.ventFlows.begin(), count, at);
        --m.ventFlowCount;
        break;
    case ModelList::Controls:
        RemoveAt(m.controls.data.begin(), count, at);
        --m.controls.count;
        break;
    }
    return true;
}

} // namespace gelmar
