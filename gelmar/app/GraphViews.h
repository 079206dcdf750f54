// The graphics and output windows that the application, the document and
// the run driver reach: the 3D view and its frame, the File Open preview, the
// Temperature Range dialog and the graphic output window.
#pragma once
#include "common/ui/DlgRanges.h"
#include "gelmar/graphics/GraphView.h"
#include "gelmar/graphics/GraphicOutputDlg.h"
#include "gelmar/graphics/PreviewWnd.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"

namespace gelmar {

struct Engine;

using common::CDlgTemperatureRange;

// The Temperature Range dialog (151) on the engine model's range and single
// value: on OK the model takes the values, and with Set As Default the
// parameter defaults too. False on Cancel.
bool EditTemperatureRange(CWnd* parent, Engine& engine);
// The Heat Flux Range dialog (12002) on the model's heat-flux range, alike.
bool EditHeatFluxRange(CWnd* parent, Engine& engine);

// Set while an isoflux drawing pass of the graphic output is under way.
extern bool g_isofluxActive;
// Ends an isoflux drawing pass.
void EndIsofluxDrawing();

} // namespace gelmar
