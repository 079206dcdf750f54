// The graphics and output windows that the application, the document and
// the run driver reach: the 3D view and its frame, the File Open preview, and
// small stand-ins of the graphic output window and the Temperature Range
// dialog, which keep the names and members their callers rely on until the
// graphics windows replace them.
#pragma once
#include "gelmar/graphics/GraphView.h"
#include "gelmar/graphics/PreviewWnd.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"

namespace gelmar {

// The modal graphic output window; it shows nothing yet and ends at once.
class CGraphicOutputDlg {
  public:
    int DoModal() { return IDCANCEL; }
};

// The Temperature Range dialog: five display settings of the temperature
// scale, filled before DoModal and read after OK.
class CDlgTemperatureRange {
  public:
    int DoModal() { return IDCANCEL; }
    float m_min = 0, m_max = 20, m_interval1 = 1, m_interval2 = 5;
    float m_single = 0;
};

// Set while an isoflux drawing pass of the graphic output is under way.
extern bool g_isofluxActive;
// Ends an isoflux drawing pass.
void EndIsofluxDrawing();

} // namespace gelmar
