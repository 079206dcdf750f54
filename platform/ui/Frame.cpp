// Frame windows, menus, accelerators, toolbars and status bars.
#include "platform/ui/Frame.h"

#include "platform/core/StringTable.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/OpenGL.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/ui/WndWidget.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

class ActionCmdUI : public CCmdUI {
  public:
    ActionCmdUI(UINT id, QAction* a) : CCmdUI(id), m_action(a) {}
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_action->setEnabled(on);
    }
    void SetCheck(int check) override
    {
        CCmdUI::SetCheck(check);
        m_action->setCheckable(true);
        m_action->setChecked(check != 0);
    }
    void SetText(const std::string& text) override
    {
        CCmdUI::SetText(text);
        m_action->setText(QString::fromStdString(text));
    }

  private:
    QAction* m_action;
};

class PaneCmdUI : public CCmdUI {
  public:
    PaneCmdUI(UINT id, QLabel* l) : CCmdUI(id), m_label(l) {}
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_label->setEnabled(on);
    }
    void SetText(const std::string& text) override
    {
        CCmdUI::SetText(text);
        m_label->setText(QString::fromStdString(text));
    }

  private:
    QLabel* m_label;
};

std::string Prompt(UINT id, bool tip)
{
    std::string s = platform::LoadString(id);
    size_t nl = s.find('\n');
    if (tip)
        return nl == std::string::npos ? std::string() : s.substr(nl + 1);
    return s.substr(0, nl);
}

// Sends the Close of an MDI child's frame to the window as WM_CLOSE.
class SubWindowCloser : public QObject {
  public:
    SubWindowCloser(QObject* parent, CWnd* wnd) : QObject(parent), m_wnd(wnd) {}

  protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::Close)
            return false;
        e->ignore();
        // A frame whose Close is greyed closes only when it is told to.
        auto* child = dynamic_cast<CMDIChildWnd*>(m_wnd);
        if (m_wnd->GetSafeHwnd() && !(child && !child->IsSystemMenuCloseEnabled()))
            m_wnd->SendMessage(WM_CLOSE, 0, 0);
        return true;
    }

  private:
    CWnd* m_wnd;
};

// Runs a callback when the pointer leaves the watched widget.
class LeaveWatcher : public QObject {
  public:
    LeaveWatcher(QObject* parent, std::function<void()> left) : QObject(parent), m_left(std::move(left)) {}

  protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Leave)
            m_left();
        return false;
    }

  private:
    std::function<void()> m_left;
};

template <class T> std::vector<T*> ChildWindows(const CWnd* parent)
{
    std::vector<T*> out;
    if (!parent->GetWidget())
        return out;
    for (QWidget* c : parent->GetWidget()->findChildren<QWidget*>())
        if (auto* t = dynamic_cast<T*>(CWnd::FromWidget(c)))
            if (std::find(out.begin(), out.end(), t) == out.end())
                out.push_back(t);
    return out;
}

} // namespace

QMenuBar* platform::detail::BuildMenuBar(QWidget* parent, const MenuTemplate& t,
                                         const std::function<void(UINT)>& command,
                                         const std::function<void(QMenu*)>& aboutToShow,
                                         const std::function<void(UINT)>& highlighted)
{
    auto* bar = new QMenuBar(parent);
    std::function<void(QMenu*, const std::vector<MenuItem>&)> fill = [&](QMenu* menu,
                                                                         const std::vector<MenuItem>& items) {
        for (const auto& item : items) {
            if (!item.popup.empty()) {
                QMenu* sub = menu->addMenu(QString::fromStdString(item.text));
                fill(sub, item.popup);
            } else if (item.id == 0) {
                menu->addSeparator();
            } else {
                QAction* a = menu->addAction(QString::fromStdString(item.text));
                a->setData(item.id);
                UINT id = item.id;
                // The data may name another command (the recent-file entries).
                QObject::connect(a, &QAction::triggered, a, [command, a, id] {
                    UINT target = a->data().toUInt();
                    command(target ? target : id);
                });
            }
        }
        QObject::connect(menu, &QMenu::aboutToShow, menu, [aboutToShow, menu] { aboutToShow(menu); });
        if (highlighted) {
            QObject::connect(menu, &QMenu::hovered, menu,
                             [highlighted](QAction* a) { highlighted(a->menu() ? 0 : a->data().toUInt()); });
            QObject::connect(menu, &QMenu::aboutToHide, menu, [highlighted] { highlighted(0); });
        }
    };
    for (const auto& top : t.items) {
        QMenu* menu = bar->addMenu(QString::fromStdString(top.text));
        fill(menu, top.popup);
    }
    return bar;
}

void platform::detail::UpdateMenuItems(QMenu* menu, CCmdTarget* target, BOOL bDisableIfNoHandler)
{
    for (QAction* a : menu->actions()) {
        UINT id = a->data().toUInt();
        if (!id || a->menu())
            continue;
        ActionCmdUI ui(id, a);
        ui.DoUpdate(target, bDisableIfNoHandler);
    }
}

int platform::QtKeyFromVirtualKey(WORD vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk;
    if (vk >= VK_F1 && vk < VK_F1 + 24)
        return Qt::Key_F1 + (vk - VK_F1);
    switch (vk) {
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_DELETE:
        return Qt::Key_Delete;
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_TAB:
        return Qt::Key_Tab;
    case VK_RETURN:
        return Qt::Key_Return;
    case VK_ESCAPE:
        return Qt::Key_Escape;
    case VK_SPACE:
        return Qt::Key_Space;
    case VK_PRIOR:
        return Qt::Key_PageUp;
    case VK_NEXT:
        return Qt::Key_PageDown;
    case VK_END:
        return Qt::Key_End;
    case VK_HOME:
        return Qt::Key_Home;
    case VK_LEFT:
        return Qt::Key_Left;
    case VK_UP:
        return Qt::Key_Up;
    case VK_RIGHT:
        return Qt::Key_Right;
    case VK_DOWN:
        return Qt::Key_Down;
    default:
        return 0;
    }
}

CFrameWnd::CFrameWnd() = default;
CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    m_strTitle = Prompt(nIDResource, false);
    if (m_strTitle.empty() && AfxGetApp())
        m_strTitle = AfxGetApp()->m_pszAppName;
    // The program's own icon: a top-level frame gives it to every window of
    // the program (dialogs, child frames), so none shows a stand-in picture.
    const std::string icon = platform::Resources::Get().FindIcon(nIDResource);
    if (!icon.empty() && !pParentWnd)
        QApplication::setWindowIcon(QIcon(QString::fromStdString(icon)));
    if (!CreateEx(0, nullptr, m_strTitle.c_str(), dwDefaultStyle & ~WS_VISIBLE, CRect(), pParentWnd, 0,
                  pContext))
        return FALSE;
    if (!pParentWnd && AfxGetApp())
        platform::RestoreWindowPlacement(*GetOuterWidget(), *AfxGetApp());
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* context = static_cast<CCreateContext*>(lpcs ? lpcs->lpCreateParams : nullptr);
    if (context && !OnCreateClient(lpcs, context))
        return -1;
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CView* view = pContext->m_pNewViewClass();
    if (pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(view);
    CRect client;
    GetClientRect(&client);
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, this, nID, pContext)) {
        if (pContext->m_pCurrentDoc)
            pContext->m_pCurrentDoc->RemoveView(view);
        delete view;
        return nullptr;
    }
    view->GetWidget()->setFocusPolicy(Qt::ClickFocus);
    return view;
}

void CFrameWnd::SetActiveView(CView* pView, BOOL bNotify)
{
    CView* old = m_pViewActive;
    m_pViewActive = pView;
    if (!bNotify)
        return;
    if (old && old != pView)
        old->OnActivateView(FALSE, pView, old);
    if (pView)
        pView->OnActivateView(TRUE, pView, old);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* v = GetActiveView();
    return v ? v->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    auto views = ChildWindows<CView>(this);
    if (!m_pViewActive && !views.empty())
        SetActiveView(views.front(), FALSE);
    if (bMakeVisible) {
        for (CView* v : views)
            v->OnInitialUpdate();
        ActivateFrame(-1);
        if (m_pViewActive)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::UpdateFrameTitleForDocument(const std::string& docTitle)
{
    SetWindowText(docTitle.empty() ? m_strTitle : m_strTitle + " - " + docTitle);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(m_style & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && doc ? doc->GetTitle() : std::string());
}

void CFrameWnd::RecalcLayout(BOOL)
{
    CRect client;
    GetClientRect(&client);
    for (CView* v : ChildWindows<CView>(this))
        if (v->GetParent() == this && v->GetDlgCtrlID() == AFX_IDW_PANE_FIRST)
            v->MoveWindow(client);
}

void CFrameWnd::OnSize(UINT, int, int)
{
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CWnd* pBar, BOOL bShow, BOOL)
{
    if (!pBar)
        return;
    pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

void CFrameWnd::OnBarCheck(UINT nID)
{
    for (CControlBar* bar : ChildWindows<CControlBar>(this))
        if (bar->GetDlgCtrlID() == nID)
            ShowControlBar(bar, !(bar->GetStyle() & WS_VISIBLE), FALSE);
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    for (CControlBar* bar : ChildWindows<CControlBar>(this)) {
        if (bar->GetDlgCtrlID() == pCmdUI->m_nID) {
            pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) ? 1 : 0);
            return;
        }
    }
    pCmdUI->Enable(FALSE);
}

void CFrameWnd::UpdateControlBars()
{
    for (CToolBar* t : ChildWindows<CToolBar>(this))
        t->UpdateButtons(this);
    for (CStatusBar* s : ChildWindows<CStatusBar>(this))
        s->UpdatePanes(this);
}

BOOL CFrameWnd::ExecuteCommand(UINT nID)
{
    CCmdUI state(nID);
    state.DoUpdate(this, m_bAutoMenuEnable);
    if (!state.m_bEnabled)
        return FALSE;
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    if (CFrameWnd* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        main->UpdateControlBars();
    return TRUE;
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    for (CStatusBar* s : ChildWindows<CStatusBar>(this))
        s->SetPaneText(0, text);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SetMessageText(Prompt(nID, false));
}

void CFrameWnd::OnClose()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
        DestroyWindow();
        return;
    }
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    if (doc) {
        bool onlyHere = std::all_of(doc->GetViews().begin(), doc->GetViews().end(),
                                    [this](CView* v) { return v->GetParentFrame() == this; });
        if (onlyHere) {
            doc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        platform::SaveWindowPlacement(*GetOuterWidget(), *app);
        app->m_pMainWnd = nullptr;
        platform::detail::IdleHookRef() = nullptr;
        app->QuitMessageLoop();
    }
    CWnd::OnDestroy();
}

void CFrameWnd::OnSetFocus(CWnd*)
{
    if (m_pViewActive && m_pViewActive->GetSafeHwnd())
        m_pViewActive->SetFocus();
}

void CFrameWnd::PostNcDestroy()
{
    DeleteWindowLater(this);
}

BOOL CFrameWnd::RouteToSelfAndApp(UINT nID, int nCode, CCmdUI* pCmdUI, bool withApp)
{
    if (nID == ID_VIEW_TOOLBAR || nID == ID_VIEW_STATUS_BAR) {
        if (nCode == CN_UPDATE_COMMAND_UI && pCmdUI)
            OnUpdateControlBarMenu(pCmdUI);
        else if (nCode == CN_COMMAND)
            OnBarCheck(nID);
        return TRUE;
    }
    if (withApp && AfxGetApp())
        return AfxGetApp()->OnCmdMsg(nID, nCode, pCmdUI);
    return FALSE;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (CView* v = GetActiveView(); v && v->OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    return RouteToSelfAndApp(nID, nCode, pCmdUI, true);
}

void CFrameWnd::BuildMenu(UINT nIDResource)
{
    const platform::MenuTemplate* t = platform::Resources::Get().FindMenu(nIDResource);
    if (!t)
        return;
    // Fly-by help: the highlighted item's prompt, "Ready" again once the
    // menu closes.
    m_menuBar = platform::detail::BuildMenuBar(
        m_widget, *t, [this](UINT id) { ExecuteCommand(id); }, [this](QMenu* menu) { UpdateMenu(menu); },
        [this](UINT id) { SetMessageText(id ? id : UINT(AFX_IDS_IDLEMESSAGE)); });
}

void CFrameWnd::UpdateMenu(QMenu* menu)
{
    // The recent-file entries take the place of the first recent-file item.
    QAction* first = nullptr;
    for (QAction* a : menu->actions()) {
        UINT id = a->data().toUInt();
        if (id == ID_FILE_MRU_FILE1)
            first = a;
        else if (id > ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST)
            a->deleteLater(), menu->removeAction(a);
    }
    if (first) {
        CWinApp* app = AfxGetApp();
        const auto* recent = app ? app->m_pRecentFileList : nullptr;
        if (!recent || recent->Entries().empty()) {
            first->setText("Recent File");
        } else {
            const auto& e = recent->Entries();
            first->setText(QString::fromStdString("&1 " + e[0]));
            QAction* after = first;
            for (size_t i = 1; i < e.size(); ++i) {
                QString text = QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(e[i]));
                auto* a = new QAction(text, menu);
                UINT id = ID_FILE_MRU_FILE1 + static_cast<UINT>(i);
                a->setData(id);
                QObject::connect(a, &QAction::triggered, a, [this, id] { ExecuteCommand(id); });
                QList<QAction*> actions = menu->actions();
                int at = static_cast<int>(actions.indexOf(after)) + 1;
                menu->insertAction(at < actions.size() ? actions[at] : nullptr, a);
                after = a;
            }
        }
    }
    platform::detail::UpdateMenuItems(menu, this, m_bAutoMenuEnable);
}

void CFrameWnd::BuildAccelerators(UINT nIDResource)
{
    const platform::AcceleratorTable* t = platform::Resources::Get().FindAccelerators(nIDResource);
    if (!t)
        return;
    for (const auto& e : t->entries) {
        int key = platform::QtKeyFromVirtualKey(e.key);
        if (!key)
            continue;
        int mods = 0;
        if (e.flags & platform::FCONTROL)
            mods |= Qt::ControlModifier;
        if (e.flags & platform::FSHIFT)
            mods |= Qt::ShiftModifier;
        if (e.flags & platform::FALT)
            mods |= Qt::AltModifier;
        auto* a = new QAction(m_widget);
        a->setShortcut(QKeySequence(mods | key));
        a->setShortcutContext(Qt::WindowShortcut);
        UINT cmd = e.command;
        QObject::connect(a, &QAction::triggered, a, [this, cmd] { ExecuteCommand(cmd); });
        m_widget->addAction(a);
        m_accelerators.push_back(a);
    }
}

CMDIFrameWnd::CMDIFrameWnd() = default;
CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    return CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

int CMDIFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    auto* layout = new QVBoxLayout(m_widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenu(m_nIDHelp);
    if (m_menuBar)
        layout->setMenuBar(m_menuBar);
    m_topBars = new QVBoxLayout;
    m_bottomBars = new QVBoxLayout;
    m_mdiArea = new QMdiArea(m_widget);
    m_mdiArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    layout->addLayout(m_topBars);
    layout->addWidget(m_mdiArea, 1);
    layout->addLayout(m_bottomBars);
    m_wndMDIClient.AttachWidget(m_mdiArea, true, 0xE900);
    QObject::connect(m_mdiArea, &QMdiArea::subWindowActivated, m_mdiArea, [this](QMdiSubWindow* sub) {
        if (sub)
            if (auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromWidget(sub->widget())))
                ChildActivated(child);
    });
    BuildAccelerators(m_nIDHelp);
    // The programs show OpenGL views in their main frame.
    platform::PrepareForOpenGLWindows(m_widget);
    platform::detail::IdleHookRef() = [] {
        if (auto* f = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
            f->UpdateControlBars();
    };
    return CFrameWnd::OnCreate(lpcs);
}

void CMDIFrameWnd::AddBar(QWidget* bar, bool bottom)
{
    (bottom ? m_bottomBars : m_topBars)->addWidget(bar);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (pbMaximized)
        *pbMaximized =
            m_activeChild && m_activeChild->GetSubWindow() && m_activeChild->GetSubWindow()->isMaximized();
    return m_activeChild;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    auto* child = dynamic_cast<CMDIChildWnd*>(pWndActivate);
    if (!child || !child->GetSubWindow())
        return;
    m_mdiArea->setActiveSubWindow(child->GetSubWindow());
    ChildActivated(child);
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::GetMDIChildren() const
{
    return m_children;
}

void CMDIFrameWnd::ChildActivated(CMDIChildWnd* child)
{
    if (std::find(m_children.begin(), m_children.end(), child) == m_children.end())
        return;
    std::erase(m_children, child);
    m_children.push_back(child);
    if (child == m_activeChild)
        return;
    m_activeChild = child;
    if (CView* v = child->GetActiveView())
        v->OnActivateView(TRUE, v, nullptr);
    OnUpdateFrameTitle(TRUE);
    RequestIdleUpdate();
}

void CMDIFrameWnd::ChildDestroyed(CMDIChildWnd* child)
{
    std::erase(m_children, child);
    if (m_activeChild != child)
        return;
    m_activeChild = nullptr;
    if (!m_children.empty())
        MDIActivate(m_children.back());
    else
        OnUpdateFrameTitle(TRUE);
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    return m_activeChild ? m_activeChild->GetActiveDocument() : nullptr;
}

CView* CMDIFrameWnd::GetActiveView() const
{
    return nullptr;
}

void CMDIFrameWnd::UpdateControlBars()
{
    CFrameWnd::UpdateControlBars();
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(m_style & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && doc ? doc->GetTitle() : std::string());
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (m_activeChild && m_activeChild->OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pCmdUI);
}

void CMDIFrameWnd::OnClose()
{
    CFrameWnd::OnClose();
}

void CMDIFrameWnd::OnDestroy()
{
    std::vector<CMDIChildWnd*> children = m_children;
    for (CMDIChildWnd* c : children)
        if (c->GetSafeHwnd())
            c->DestroyWindow();
    CFrameWnd::OnDestroy();
}

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    m_mdiFrame = dynamic_cast<CMDIFrameWnd*>(pParentWnd ? pParentWnd : AfxGetMainWnd());
    if (!m_mdiFrame || !m_mdiFrame->GetMdiArea())
        return FALSE;
    m_nIDHelp = nIDResource;
    if (!CreateEx(0, nullptr, "", (dwDefaultStyle & ~WS_VISIBLE) | WS_CHILD, CRect(0, 0, 300, 200),
                  &m_mdiFrame->m_wndMDIClient, 0, pContext))
        return FALSE;
    QMdiSubWindow* sub = m_mdiFrame->GetMdiArea()->addSubWindow(m_widget);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->installEventFilter(new SubWindowCloser(sub, this));
    sub->hide();
    m_widget->show();
    m_sub = sub;
    m_outer = sub;
    m_mdiFrame->m_children.insert(m_mdiFrame->m_children.begin(), this);
    return TRUE;
}

void CMDIChildWnd::EnableSystemMenuClose(BOOL bEnable)
{
    m_closeEnabled = bEnable != FALSE;
    if (!m_sub)
        return;
    const bool visible = m_sub->isVisible();
    m_sub->setWindowFlag(Qt::WindowCloseButtonHint, bEnable != FALSE);
    if (QMenu* menu = m_sub->systemMenu())
        for (QAction* action : menu->actions())
            if (action->shortcuts().contains(QKeySequence(QKeySequence::Close)))
                action->setEnabled(bEnable != FALSE);
    // Changing the flags hides the sub-window.
    if (visible)
        m_sub->show();
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    return m_mdiFrame;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (!m_sub)
        return;
    if (nCmdShow == SW_SHOWMAXIMIZED)
        m_sub->showMaximized();
    else if (m_sub->isHidden())
        m_sub->show();
    MDIActivate();
}

void CMDIChildWnd::MDIActivate()
{
    if (m_mdiFrame)
        m_mdiFrame->MDIActivate(this);
    if (m_pViewActive)
        m_pViewActive->SetFocus();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (m_style & FWS_ADDTOTITLE) {
        CDocument* doc = GetActiveDocument();
        if (bAddToTitle && doc)
            SetWindowText(doc->GetTitle());
    }
    if (m_mdiFrame)
        m_mdiFrame->OnUpdateFrameTitle(bAddToTitle);
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (CView* v = GetActiveView(); v && v->OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pCmdUI);
}

void CMDIChildWnd::OnDestroy()
{
    if (m_mdiFrame)
        m_mdiFrame->ChildDestroyed(this);
    CFrameWnd::OnDestroy();
}

BOOL CControlBar::CreateBar(CWnd* pParent, QWidget* widget, DWORD style, UINT nID)
{
    auto* frame = dynamic_cast<CMDIFrameWnd*>(pParent);
    auto* dialog = dynamic_cast<CDialog*>(pParent);
    if ((!frame && !dialog) || !pParent->GetWidget()) {
        delete widget;
        return FALSE;
    }
    m_host = pParent;
    m_barStyle = style;
    widget->setParent(pParent->GetWidget());
    const bool bottom = (style & CBRS_BOTTOM) != 0;
    if (frame)
        frame->AddBar(widget, bottom);
    else
        dialog->AddBar(widget, bottom);
    AttachWidget(widget, true, nID);
    m_style = WS_CHILD | (style & WS_VISIBLE);
    widget->setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

void CControlBar::RunCommand(UINT nID)
{
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_host))
        frame->ExecuteCommand(nID);
    else if (auto* dialog = dynamic_cast<CDialog*>(m_host))
        dialog->ExecuteCommand(nID);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT, UINT nFlag, CRect* lpRectParam)
{
    if (!m_widget)
        return;
    // The window's layout places the bars.
    if (QLayout* layout = m_widget->layout())
        layout->activate();
    if (nFlag != reposQuery || !lpRectParam)
        return;
    GetClientRect(lpRectParam);
    for (QWidget* c : m_widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (c->isHidden())
            continue;
        bool bottom = false;
        if (!qobject_cast<QMenuBar*>(c)) {
            auto* bar = dynamic_cast<CControlBar*>(FromWidget(c));
            if (!bar || bar->GetDlgCtrlID() < nIDFirst || bar->GetDlgCtrlID() > nIDLast)
                continue;
            bottom = (bar->GetBarStyle() & CBRS_BOTTOM) != 0;
        }
        const QRect g = c->geometry();
        if (bottom)
            lpRectParam->bottom = std::min<LONG>(lpRectParam->bottom, g.top());
        else
            lpRectParam->top = std::max<LONG>(lpRectParam->top, g.bottom() + 1);
    }
}

BOOL CToolBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_bar = new QToolBar;
    m_bar->setMovable(false);
    return CreateBar(pParent, m_bar, dwStyle, nID);
}

BOOL CToolBar::CreateEx(CWnd* pParent, DWORD, DWORD dwStyle, CRect, UINT nID)
{
    return Create(pParent, dwStyle, nID);
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    const platform::ToolBarTemplate* t = platform::Resources::Get().FindToolBar(nIDResource);
    if (!t || !m_bar)
        return FALSE;
    QImage strip;
    std::string path = platform::Resources::Get().FindBitmap(nIDResource);
    if (!path.empty())
        strip.load(QString::fromStdString(path));
    if (!strip.isNull()) {
        // The button face colour of the bitmap shows the bar through it.
        strip = strip.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x)
                if ((strip.pixel(x, y) & 0xFFFFFF) == 0xC0C0C0)
                    strip.setPixel(x, y, 0);
    }
    int image = 0;
    for (UINT id : t->buttons) {
        if (id == ID_SEPARATOR) {
            m_bar->addSeparator();
            continue;
        }
        std::string tip = Prompt(id, true);
        auto* a = m_bar->addAction(QString::fromStdString(tip.empty() ? Prompt(id, false) : tip));
        a->setToolTip(a->text());
        a->setData(id);
        QObject::connect(a, &QAction::hovered, a, [this, id] { ShowFlyBy(id); });
        if (!strip.isNull())
            a->setIcon(QIcon(
                QPixmap::fromImage(strip.copy(image * t->buttonWidth, 0, t->buttonWidth, t->buttonHeight))));
        ++image;
        QObject::connect(a, &QAction::triggered, a, [this, id] { RunCommand(id); });
        m_buttons.push_back(a);
    }
    m_bar->installEventFilter(new LeaveWatcher(m_bar, [this] { ShowFlyBy(AFX_IDS_IDLEMESSAGE); }));
    return TRUE;
}

void CToolBar::ShowFlyBy(UINT nID)
{
    if (!(m_barStyle & CBRS_FLYBY))
        return;
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_host))
        frame->SetMessageText(nID);
}

void CToolBar::UpdateButtons(CFrameWnd* target)
{
    OnUpdateCmdUI(target, target->m_bAutoMenuEnable);
}

void CToolBar::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    for (QAction* a : m_buttons) {
        ActionCmdUI ui(a->data().toUInt(), a);
        ui.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

QAction* CToolBar::FindButton(UINT nID) const
{
    for (QAction* a : m_buttons)
        if (a->data().toUInt() == nID)
            return a;
    return nullptr;
}

BOOL CStatusBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_bar = new QStatusBar;
    m_bar->setSizeGripEnabled(false);
    return CreateBar(pParent, m_bar, dwStyle | CBRS_BOTTOM, nID);
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count)
{
    if (!m_bar || !ids || count <= 0)
        return FALSE;
    for (QLabel* l : m_panes)
        delete l;
    m_panes.clear();
    m_ids.assign(ids, ids + count);
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel;
        if (ids[i] == ID_SEPARATOR)
            label->setText(QString::fromStdString(Prompt(AFX_IDS_IDLEMESSAGE, false)));
        if (i == 0)
            m_bar->addWidget(label, 1);
        else
            m_bar->addPermanentWidget(label);
        m_panes.push_back(label);
    }
    return TRUE;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= static_cast<int>(m_panes.size()))
        return;
    m_ids[size_t(index)] = id;
    QLabel* l = m_panes[size_t(index)];
    l->setFrameStyle((style & SBPS_NOBORDERS) ? QFrame::NoFrame : QFrame::Panel | QFrame::Sunken);
    if (width > 0 && !(style & SBPS_STRETCH))
        l->setMinimumWidth(width);
}

BOOL CStatusBar::SetPaneText(int index, const std::string& text, BOOL)
{
    if (index < 0 || index >= static_cast<int>(m_panes.size()))
        return FALSE;
    m_panes[size_t(index)]->setText(QString::fromStdString(text));
    return TRUE;
}

std::string CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_panes.size()))
        return {};
    return m_panes[size_t(index)]->text().toStdString();
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id)
            return static_cast<int>(i);
    return -1;
}

void CStatusBar::UpdatePanes(CFrameWnd* target)
{
    OnUpdateCmdUI(target, FALSE);
}

void CStatusBar::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL)
{
    for (size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == ID_SEPARATOR)
            continue;
        PaneCmdUI ui(m_ids[i], m_panes[i]);
        ui.DoUpdate(pTarget, FALSE);
    }
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* p = GetParent(); p; p = p->GetParent())
        if (auto* f = dynamic_cast<CFrameWnd*>(p))
            return f;
    return nullptr;
}
