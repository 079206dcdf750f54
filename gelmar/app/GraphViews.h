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

using common::CDlgTemperatureRange;

// Set while an isoflux drawing pass of the graphic output is under way.
extern bool g_isofluxActive;
// Ends an isoflux drawing pass.
void EndIsofluxDrawing();

} // namespace gelmar
