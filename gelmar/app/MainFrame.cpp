// Gelmar's main window. Constructing it reads the patterns and the material
// database (the program cannot work without one); creating it makes the
// toolbar and the status bar. The child windows of the document are tiled in
// fixed groups whenever one opens or closes, a bar is shown or hidden, or the
// window changes size.
#include "gelmar/app/MainFrame.h"

#include "gelmar/app/AppState.h"
#include "gelmar/app/GelmarDoc.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/TableViews.h"
#include "gelmar/graphics/FuncGraphView.h"
#include "gelmar/model/files/Parameters.h"
#include "resources/gelmar/GelmarIds.h"

#include <QLayout>
#include <QMdiArea>
#include <array>
#include <vector>

namespace gelmar {

CMainFrame::CMainFrame(const ParameterSet& parameters)
    : m_dlgPatterns(g_app.programFolder + "/Patterns.pat", this),
      m_dlgMaterialDatabase(g_app.programFolder + "/../Materials/*.qkm", &m_dlgPatterns,
                            kMaterialPropertyMask, parameters.lang, this)
{
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    // Without a material database the program cannot work: the dialog has
    // said so, the frame is not created and the program ends.
    if (m_dlgMaterialDatabase.GetDatabases().empty())
        return -1;
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_STATUS_PANE};
    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM | CBRS_BORDER_TOP) ||
        !m_wndStatusBar.SetIndicators(indicators, 2))
        return -1;
    m_wndStatusBar.SetPaneInfo(1, ID_STATUS_PANE, SBPS_NOBORDERS | SBPS_STRETCH, 0);
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndToolBar);
    return 0;
}

void CMainFrame::OnSize(UINT nType, int cx, int cy)
{
    CMDIFrameWnd::OnSize(nType, cx, cy);
    ArrangeViewFrames();
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    const BOOL handled = CMDIFrameWnd::OnCmdMsg(nID, nCode, pCmdUI);
    if (handled && nCode == CN_COMMAND && (nID == ID_VIEW_TOOLBAR || nID == ID_VIEW_STATUS_BAR))
        ArrangeViewFrames();
    return handled;
}

void CMainFrame::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    auto* doc = dynamic_cast<CGelmarDoc*>(GetActiveDocument());
    const std::string title = doc ? doc->MainTitle() : std::string();
    if (title.empty())
        CMDIFrameWnd::OnUpdateFrameTitle(bAddToTitle);
    else
        SetWindowText(title);
}

bool CMainFrame::ToolBarVisible() const
{
    return m_wndToolBar.GetSafeHwnd() && m_wndToolBar.IsWindowVisible();
}

bool CMainFrame::StatusBarVisible() const
{
    return m_wndStatusBar.GetSafeHwnd() && m_wndStatusBar.IsWindowVisible();
}

namespace {

template <class... T> bool IsOneOf(const CView* v)
{
    return ((dynamic_cast<const T*>(v) != nullptr) || ...);
}

} // namespace

ViewGroup ViewGroupOf(const CView* v)
{
    if (IsOneOf<CGraphView, CFuncGraphView>(v))
        return ViewGroup::Graphics;
    if (IsOneOf<CGridView, CCoordView, CMinGridView>(v))
        return ViewGroup::AxisTables;
    if (IsOneOf<CNodeView, CBorderView, CMaterView, CVentView, COutNodeView, CClipView>(v))
        return ViewGroup::ListTables;
    if (IsOneOf<CBlockView, COutBlockView, CFuncView>(v))
        return ViewGroup::BlockTables;
    if (IsOneOf<CColorView, CSunObstView, CReportView, CClipColorView, CControlView>(v))
        return ViewGroup::ColourTables;
    return ViewGroup::None;
}

void CMainFrame::ArrangeViewFrames()
{
    if (m_arranging || !GetSafeHwnd() || !GetMdiArea())
        return;
    m_arranging = true;
    // The bars may just have been shown or hidden: settle the client area first.
    if (QWidget* holder = GetMdiArea()->parentWidget(); holder && holder->layout())
        holder->layout()->activate();

    std::vector<CView*> views;
    for (CMDIChildWnd* child : GetMDIChildren())
        if (CView* v = child->GetActiveView())
            views.push_back(v);
    std::array<bool, 5> open{};
    for (CView* v : views)
        if (ViewGroup g = ViewGroupOf(v); g != ViewGroup::None)
            open[size_t(g)] = true;
    const auto layout = ComputeViewLayout(open);
    for (CView* v : views) {
        const ViewGroup g = ViewGroupOf(v);
        if (g != ViewGroup::None && layout[size_t(g)])
            MoveViewFrame(v, layout[size_t(g)]->x0, layout[size_t(g)]->x1, layout[size_t(g)]->y0,
                          layout[size_t(g)]->y1);
    }
    if (auto* doc = dynamic_cast<CGelmarDoc*>(GetActiveDocument()))
        doc->UpdateMainTitle();
    m_arranging = false;
}

void CMainFrame::MoveViewFrame(CView* view, float x0, float x1, float y0, float y1)
{
    CFrameWnd* frame = view ? view->GetParentFrame() : nullptr;
    if (!frame)
        return;
    const QSize client = GetMdiArea()->viewport()->size();
    const float w = float(client.width()), h = float(client.height());
    frame->MoveWindow(int(x0 * w), int(y0 * h), int((x1 - x0) * w), int((y1 - y0) * h), TRUE);
}

void ArrangeMainFrameViews()
{
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        main->ArrangeViewFrames();
}

} // namespace gelmar
