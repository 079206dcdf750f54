// What the 3D view's own sources read the application's engine and the open
// tables through: the store, the view state, the run state and its work
// arrays, the camera angles and extent, and a table view of the application
// when one is open.
#pragma once

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"
#include "platform/ui/App.h"

#include <string>

namespace gelmar {
// The read-out format with its first "%d" and first "%s" filled; any other
// "%" stays as it is, so that a translated text cannot misuse the values.
std::string FillColourReadout(const std::string& format, int colour, const std::string& name);
} // namespace gelmar

namespace gelmar::graph_view {

inline ModelStore& Store()
{
    return TheEngine().model;
}
inline ViewState& View()
{
    return TheEngine().view;
}
inline const RunState& Run()
{
    return TheEngine().run;
}
inline const WorkArrays& Work()
{
    return TheEngine().run.work;
}
inline ViewAngles Angles()
{
    return ModelViewAngles(TheEngine().model);
}
inline ViewExtent Extent()
{
    return ModelViewExtent(TheEngine().model);
}

template <class TView> TView* OpenTable()
{
    CWinApp* app = AfxGetApp();
    return app ? app->FindView<TView>() : nullptr;
}

} // namespace gelmar::graph_view
