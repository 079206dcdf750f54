// The windows' state beside the model: the face list's storage and the reset.
#include "gelmar/model/store/ViewState.h"

#include "gelmar/model/files/Parameters.h"

#include <new>

namespace gelmar {

void ReserveFaceList(ViewState& view, std::size_t n)
{
    FaceList& list = view.faces;
    if (n <= static_cast<std::size_t>(list.capacity) || n > 0x7FFFFFFF)
        return;
    try {
        list.faces.resize(n);
        list.index.resize(n);
    } catch (const std::bad_alloc&) {
        list.faces.resize(static_cast<std::size_t>(list.capacity));
        list.index.resize(static_cast<std::size_t>(list.capacity));
        return;
    }
    list.capacity = static_cast<std::int32_t>(n);
}

void FreeFaceList(ViewState& view)
{
    FaceList& list = view.faces;
    std::vector<FaceRecord>().swap(list.faces);
    std::vector<std::int32_t>().swap(list.index);
    list.count = 0;
    list.capacity = 0;
}

void ResetView(ViewState& view, const ParameterSet& p)
{
    DisplaySettings& d = view.display;
    d.splitSize = p.tras;
    d.splitDistance = p.diss;
    d.splitRatio = p.rats;
    d.object = {p.lcob, p.lwob};
    d.grid = {p.lcgr, p.lwgr};
    d.isotherm1 = {p.lct1, p.lwt1};
    d.isotherm2 = {p.lct2, p.lwt2};
    d.singleIsotherm = {p.lcts, p.lwts};
    d.isoflux1 = {p.lcq1, p.lwq1};
    d.isoflux2 = {p.lcq2, p.lwq2};
    view.faces.count = 0;
    ReserveFaceList(view, 100000);
    view.outlines.Free();
}

} // namespace gelmar
