// The program's engine host. The calculation runs on the user-interface
// thread, so the Esc check is also where the windows get their events: it
// pumps them at most every 50 ms, and an application event filter latches
// the Esc key (and keeps it from the progress window, which would close).
#include "gelmar/app/AppEngineHost.h"

#include "gelmar/app/CalcProgress.h"
#include "gelmar/app/GelmarApp.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GelmarTableView.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "gelmar/model/editing/UndoRedo.h"
#include "resources/gelmar/GelmarIds.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <iterator>

namespace gelmar {

CProgressCtrl* g_activeProgress = nullptr;

namespace {

QElapsedTimer& Clock()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock;
}

class EscFilter : public QObject {
  public:
    explicit EscFilter(AppEngineHost* host) : m_host(host) {}
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (m_host->running && e->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            m_host->escLatched = true;
            return true;
        }
        return QObject::eventFilter(watched, e);
    }

  private:
    AppEngineHost* m_host;
};

} // namespace

AppEngineHost::AppEngineHost() = default;

AppEngineHost::~AppEngineHost()
{
    delete m_filter;
}

MessageAnswer AppEngineHost::MessageBox(std::string_view text, MessageStyle style)
{
    const UINT type = style == MessageStyle::YesNo         ? MB_YESNO
                      : style == MessageStyle::YesNoCancel ? MB_YESNOCANCEL
                      : style == MessageStyle::OkCancel    ? MB_OKCANCEL
                                                           : MB_OK;
    switch (AfxMessageBox(std::string(text), type)) {
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    case IDCANCEL:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Ok;
    }
}

void AppEngineHost::BeginRun()
{
    if (!m_filter && QCoreApplication::instance()) {
        m_filter = new EscFilter(this);
        QCoreApplication::instance()->installEventFilter(m_filter);
    }
    escLatched = false;
    m_lastPumpMs = -1;
}

bool AppEngineHost::EscPressed()
{
    const long long now = Clock().elapsed();
    if (m_lastPumpMs < 0 || now - m_lastPumpMs >= 50) {
        m_lastPumpMs = now;
        QCoreApplication::processEvents();
    }
    return escLatched;
}

void AppEngineHost::StepProgress()
{
    if (g_activeProgress) {
        g_activeProgress->StepIt();
        g_activeProgress->UpdateWindow();
    }
}

WorkOutcome AppEngineHost::RunProgressWindow(ProgressWindow window, ModelStore& model, RunState& run,
                                             const ProgressWork& work)
{
    return RunProgressDialog(window, model, run, work);
}

void AppEngineHost::SetProgressText(int item, std::string_view text)
{
    const UINT id = static_cast<UINT>(item);
    if (g_viewFactorProgress)
        g_viewFactorProgress->SetReadOut(id, text);
    if (g_calcProgress)
        g_calcProgress->SetReadOut(id, text);
    if (g_solarProgress)
        g_solarProgress->SetReadOut(id, text);
}

void AppEngineHost::ShowNodeCount(long long nodes)
{
    if (g_calcProgress)
        g_calcProgress->ShowNodeCount(nodes);
    if (g_solarProgress)
        g_solarProgress->ShowNodeCount(nodes);
}

void AppEngineHost::ShowTimeStep(long long time, long long startup, long long end)
{
    if (g_calcProgress)
        g_calcProgress->ShowTimeStep(time, startup, end);
    if (g_solarProgress)
        g_solarProgress->ShowTimeStep(time, end);
}

void AppEngineHost::ShowCycle(int cycle)
{
    if (g_calcProgress)
        g_calcProgress->ShowCycle(cycle);
}

void AppEngineHost::ShowSolverProgress(int iterations, float largestChange, float objectDivergence,
                                       float nodeDivergence)
{
    if (g_calcProgress)
        g_calcProgress->ShowIteration(iterations, largestChange, objectDivergence, nodeDivergence);
}

namespace {

CGelmarDoc* ActiveDoc()
{
    auto* app = dynamic_cast<CGelmarApp*>(AfxGetApp());
    return app ? app->ActiveGelmarDoc() : nullptr;
}

} // namespace

// The temperatures of the step in the 3D view (view kind 3).
void AppEngineHost::ShowStepTemperatures()
{
    if (!g_graphView)
        return;
    g_graphView->m_viewKind = ViewKind::Temperatures;
    g_graphView->BuildDisplayList();
    g_graphView->Invalidate(FALSE);
}

void AppEngineHost::UpdateModelView()
{
    if (g_graphView)
        g_graphView->UpdateModel();
}

// The open function graph chooses its range anew and repaints.
void AppEngineHost::UpdateFunctionGraph()
{
    if (g_funcGraphView) {
        g_funcGraphView->ComputeGraphRange();
        g_funcGraphView->Invalidate(TRUE);
    }
}

void AppEngineHost::RefillTables()
{
    RefillOpenTables();
}

void AppEngineHost::SetModified(bool modified)
{
    if (CGelmarDoc* doc = ActiveDoc())
        doc->SetModified(modified ? TRUE : FALSE);
}

void AppEngineHost::UpdateAllViews()
{
    if (CGelmarDoc* doc = ActiveDoc())
        doc->UpdateAllViews(nullptr);
}

// The window of an undo record's kind: its table, opened (or activated) by
// the document's command and put at the record's cell, or its dialog,
// opened again.
void AppEngineHost::GoToUndoItem(int kind, int a1, int a2)
{
    static const UINT kWindow[] = {ID_GRID,           ID_MIN_GRID,         ID_BLOCKS,          ID_COLOURS,
                                   ID_NODE_BCS,       ID_BORDER_BCS,       ID_MATERIAL_BCS,    ID_FUNCTIONS,
                                   ID_SOLAR_DATA,     ID_CLIP_OBJECT,      ID_CALC_PARAMETERS, ID_TITLE,
                                   ID_OUTPUT_NODES,   ID_OUTPUT_BLOCKS,    ID_REPORT_DEFINITION,
                                   ID_SUN_OBSTACLES,  ID_VENTILATION_FLOWS, ID_CONTROLS};
    CGelmarDoc* doc = ActiveDoc();
    if (!doc || kind < 0 || kind >= static_cast<int>(std::size(kWindow)))
        return;
    doc->OnCmdMsg(kWindow[kind], CN_COMMAND, nullptr);
    if (kind == kUndoSolarData || kind == kUndoCalcParameters || kind == kUndoTitle)
        return;
    auto* main = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    CMDIChildWnd* child = main ? main->MDIGetActive() : nullptr;
    if (auto* table = child ? dynamic_cast<CGelmarTableView*>(child->GetActiveView()) : nullptr)
        table->GoToCell(a1, a2);
}

// The open-file dialog of a function's file.
bool AppEngineHost::ChooseFileToOpen(std::string_view filter, std::string_view extension, std::string& path)
{
    const std::string filterText(filter), ext(extension);
    CFileDialog dlg(TRUE, ext.c_str(), path.c_str(), OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER,
                    filterText.c_str(), AfxGetMainWnd());
    if (dlg.DoModal() != IDOK)
        return false;
    path = dlg.GetPathName();
    return true;
}

AppEngineHost& TheAppHost()
{
    static AppEngineHost host;
    return host;
}

} // namespace gelmar
