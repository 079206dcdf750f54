// What the 3D view's own sources read the model, the run and the open tables
// through: the store, the run state, its camera angles and extent, and a
// table view of the application when one is open.
#pragma once

#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/App.h"

namespace gelmar::graph_view {

inline ModelStore& Store()
{
    return g_model;
}
inline const RunState& Run()
{
    return g_run;
}
inline ViewAngles Angles()
{
    return ModelViewAngles(g_model);
}
inline ViewExtent Extent()
{
    return ModelViewExtent(g_model);
}

template <class TView> TView* OpenTable()
{
    CWinApp* app = AfxGetApp();
    return app ? app->FindView<TView>() : nullptr;
}

} // namespace gelmar::graph_view
