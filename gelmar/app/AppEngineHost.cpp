// The program's engine host. The calculation runs on the user-interface
// thread, so the Esc check is also where the windows get their events: it
// pumps them at most every 50 ms, and an application event filter latches
// the Esc key (and keeps it from the progress window, which would close).
#include "gelmar/app/AppEngineHost.h"

#include "gelmar/app/CalcProgress.h"
#include "gelmar/app/GelmarApp.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>

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

bool AppEngineHost::RunProgressWindow(ProgressWindow window)
{
    return RunProgressDialog(window);
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
    g_graphView->m_viewKind = 3;
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

// The table views fill themselves from the model when their document
// updates them.
void AppEngineHost::RefillTables()
{
    if (CGelmarDoc* doc = ActiveDoc())
        doc->UpdateAllViews(nullptr);
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

AppEngineHost& TheAppHost()
{
    static AppEngineHost host;
    return host;
}

} // namespace gelmar
