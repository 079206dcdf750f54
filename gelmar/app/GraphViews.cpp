// The isoflux flag and the range dialogs of the document and the graphic
// output window.
#include "gelmar/app/GraphViews.h"

#include "gelmar/model/store/Engine.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

bool g_isofluxActive = false;

void EndIsofluxDrawing()
{
    g_isofluxActive = false;
}

namespace {

// The four values of a range as a model or the parameter defaults hold them.
struct RangeValues {
    float& lower;
    float& upper;
    float& inc1;
    float& inc2;
};

bool EditRange(common::CDlgRange& dlg, RangeValues model, RangeValues defaults, bool& defaultsChanged)
{
    dlg.m_min = model.lower;
    dlg.m_max = model.upper;
    dlg.m_interval1 = model.inc1;
    dlg.m_interval2 = model.inc2;
    if (dlg.DoModal() != IDOK)
        return false;
    model.lower = dlg.m_min;
    model.upper = dlg.m_max;
    model.inc1 = dlg.m_interval1;
    model.inc2 = dlg.m_interval2;
    if (dlg.m_setAsDefault) {
        defaults.lower = dlg.m_min;
        defaults.upper = dlg.m_max;
        defaults.inc1 = dlg.m_interval1;
        defaults.inc2 = dlg.m_interval2;
        defaultsChanged = true;
    }
    return true;
}

} // namespace

bool EditTemperatureRange(CWnd* parent, Engine& engine)
{
    ModelStore& m = engine.model;
    ParameterSet& p = engine.parameters;
    CDlgTemperatureRange dlg(parent);
    dlg.m_single = m.tsin;
    if (!EditRange(dlg, {m.tmin, m.tmax, m.tin1, m.tin2}, {p.tmin, p.tmax, p.tin1, p.tin2},
                   engine.parametersChanged))
        return false;
    m.tsin = dlg.m_single;
    if (dlg.m_setAsDefault)
        p.tsin = dlg.m_single;
    return true;
}

bool EditHeatFluxRange(CWnd* parent, Engine& engine)
{
    ModelStore& m = engine.model;
    ParameterSet& p = engine.parameters;
    common::CDlgHeatFluxRange dlg(parent);
    return EditRange(dlg, {m.qmin, m.qmax, m.qin1, m.qin2}, {p.qmin, p.qmax, p.qin1, p.qin2},
                     engine.parametersChanged);
}

} // namespace gelmar
