// Frame windows: the MDI main frame with its menu, toolbar, status bar and
// accelerators, and the MDI child frames that hold the views. Commands from
// menus, toolbar buttons and accelerators are routed to the active view, its
// document, the child frame, the main frame and the application; update
// handlers run when a menu opens and after every command.
#pragma once
#include "platform/ui/DocView.h"

#include <vector>

namespace platform {
// The Qt key of a virtual-key code: letters, digits, F-keys and the named
// keys of accelerators and navigation; 0 for a code without one.
int QtKeyFromVirtualKey(WORD vk);
} // namespace platform

class QMdiArea;
class QMdiSubWindow;
class QMenuBar;
class QMenu;
class QToolBar;
class QStatusBar;
class QLabel;
class QAction;
class QVBoxLayout;

enum : DWORD {
    CBRS_ALIGN_TOP = 0x00002000,
    CBRS_ALIGN_BOTTOM = 0x00008000,
    CBRS_TOP = 0x00002000,
    CBRS_BOTTOM = 0x00008000,
    CBRS_BORDER_BOTTOM = 0x00000800,
    CBRS_BORDER_TOP = 0x00000200,
    CBRS_TOOLTIPS = 0x00000010,
    CBRS_FLYBY = 0x00000020,
    CBRS_SIZE_DYNAMIC = 0x00000040,
    CBRS_ALIGN_ANY = 0x0000F000,
    TBSTYLE_FLAT = 0x0800,
    SBPS_NOBORDERS = 0x0100,
    SBPS_STRETCH = 0x0800,
};

class CFrameWnd : public CWnd {
  public:
    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pView, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual void ActivateFrame(int nCmdShow = -1);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void ShowControlBar(CWnd* pBar, BOOL bShow, BOOL bDelay);
    // Runs the update handlers of the toolbar buttons and status panes.
    virtual void UpdateControlBars();
    // Routes a command as a menu item would: nothing when its update handler
    // disables it.
    BOOL ExecuteCommand(UINT nID);
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT nID);

    int OnCreate(LPCREATESTRUCT lpcs) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnClose() override;
    void OnDestroy() override;
    void OnSetFocus(CWnd* pOldWnd) override;
    void PostNcDestroy() override;
    // The active view (and its document), this frame, the application.
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    void EnableDocking(DWORD) {}
    void DockControlBar(CWnd*) {}

    BOOL m_bAutoMenuEnable = TRUE;
    std::string m_strTitle;

  protected:
    // The bars' own commands (ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR).
    void OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    BOOL RouteToSelfAndApp(UINT nID, int nCode, CCmdUI* pCmdUI, bool withApp);
    void UpdateMenu(QMenu* menu);
    void BuildMenu(UINT nIDResource);
    void BuildAccelerators(UINT nIDResource);
    void UpdateFrameTitleForDocument(const std::string& docTitle);

    CView* m_pViewActive = nullptr;
    UINT m_nIDHelp = 0;
    CCreateContext* m_pCreateContext = nullptr;
    QMenuBar* m_menuBar = nullptr;
    std::vector<QAction*> m_accelerators;
    friend class CControlBar;
    friend class CMDIChildWnd;
};

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate);
    std::vector<CMDIChildWnd*> GetMDIChildren() const;
    CDocument* GetActiveDocument() override;
    CView* GetActiveView() const override;
    int OnCreate(LPCREATESTRUCT lpcs) override;
    void UpdateControlBars() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    void OnClose() override;
    void OnDestroy() override;
    // The MDI client window, parent of the child frames.
    CWnd m_wndMDIClient;
    QMdiArea* GetMdiArea() const { return m_mdiArea; }
    // Used by the child frames and control bars.
    void AddBar(QWidget* bar, bool bottom);
    void ChildActivated(CMDIChildWnd* child);
    void ChildDestroyed(CMDIChildWnd* child);

  private:
    friend class CMDIChildWnd;
    QMdiArea* m_mdiArea = nullptr;
    QVBoxLayout* m_topBars = nullptr;
    QVBoxLayout* m_bottomBars = nullptr;
    CMDIChildWnd* m_activeChild = nullptr;
    std::vector<CMDIChildWnd*> m_children; // least recently activated first
};

class CMDIChildWnd : public CFrameWnd {
  public:
    CMDIChildWnd();
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    CMDIFrameWnd* GetMDIFrame() const;
    void ActivateFrame(int nCmdShow = -1) override;
    void MDIDestroy() { DestroyWindow(); }
    void MDIActivate();
    // Greys (or enables again) the Close item of the frame's system menu and
    // its close button; the frame then closes only when it is told to
    // (WM_CLOSE, or with its document), not by the user's Close.
    void EnableSystemMenuClose(BOOL bEnable);
    bool IsSystemMenuCloseEnabled() const { return m_closeEnabled; }
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The active view (and its document), then this frame.
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    void OnDestroy() override;
    QMdiSubWindow* GetSubWindow() const { return m_sub; }

  private:
    QMdiSubWindow* m_sub = nullptr;
    CMDIFrameWnd* m_mdiFrame = nullptr;
    bool m_closeEnabled = true;
};

// A bar along the top or bottom edge of an MDI main frame or of a dialog.
// Its buttons run their commands on that window's route, and its items
// follow the update handlers of a command target.
class CControlBar : public CWnd {
  public:
    void SetBarStyle(DWORD style) { m_barStyle = style; }
    DWORD GetBarStyle() const { return m_barStyle; }
    void EnableDocking(DWORD) {}
    // Runs the update handlers of the bar's items on pTarget's route.
    virtual void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) = 0;

  protected:
    BOOL CreateBar(CWnd* pParent, QWidget* widget, DWORD style, UINT nID);
    // As a menu item of the bar's window: nothing when its update handler
    // disables the command.
    void RunCommand(UINT nID);
    DWORD m_barStyle = 0;
    CWnd* m_host = nullptr;
};

class CToolBar : public CControlBar {
  public:
    BOOL Create(CWnd* pParent, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    BOOL CreateEx(CWnd* pParent, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect = CRect(),
                  UINT nID = AFX_IDW_TOOLBAR);
    // Buttons from the toolbar resource, images from the bitmap of that id,
    // tool tips from the string of each command id (the text after '\n').
    BOOL LoadToolBar(UINT nIDResource);
    void UpdateButtons(CFrameWnd* target);
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;
    QAction* FindButton(UINT nID) const;

  private:
    // With fly-by help (CBRS_FLYBY): the prompt of the button under the
    // pointer in the frame's message pane.
    void ShowFlyBy(UINT nID);
    QToolBar* m_bar = nullptr;
    std::vector<QAction*> m_buttons;
};

class CStatusBar : public CControlBar {
  public:
    BOOL Create(CWnd* pParent, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // ID_SEPARATOR is the message pane, which starts with the idle message
    // ("Ready"); other ids get their update handlers.
    BOOL SetIndicators(const UINT* ids, int count);
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    BOOL SetPaneText(int index, const std::string& text, BOOL bUpdate = TRUE);
    std::string GetPaneText(int index) const;
    int CommandToIndex(UINT id) const;
    void UpdatePanes(CFrameWnd* target);
    void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) override;

  private:
    QStatusBar* m_bar = nullptr;
    std::vector<UINT> m_ids;
    std::vector<QLabel*> m_panes;
};
