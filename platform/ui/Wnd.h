// Windows with the framework's message handlers. A CWnd owns a Qt widget:
// either its own drawing surface (custom windows such as views and grids,
// painted in OnPaint into a backing image) or a standard control (edit,
// button, list...). Qt events reach the window as the messages the program
// handles (WM_PAINT, WM_SIZE, mouse, keys, wheel, focus, close); messages can
// also be sent (run at once) or posted (queued in order), and timers, mouse
// capture, cursors and scroll bars behave as the program expects.
#pragma once
#include "platform/ui/CmdTarget.h"
#include "platform/ui/DC.h"

#include <QRegion>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class QWidget;
class QScrollBar;
class QTimer;
class CFrameWnd;
class CCreateContext;

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    CWnd* hwndParent = nullptr;
    int cy = 0, cx = 0, y = 0, x = 0;
    DWORD style = 0;
    std::string lpszName;
    std::string lpszClass;
    DWORD dwExStyle = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// A registered window class: the handful of class properties our windows use.
struct WNDCLASS {
    UINT style = 0;
    HCURSOR hCursor = nullptr;
    int hbrBackground = COLOR_WINDOW + 1; // a system colour index + 1, 0 for none
    std::string lpszClassName;
};
BOOL AfxRegisterClass(const WNDCLASS* wc);
BOOL GetClassInfo(const std::string& className, WNDCLASS* wc);

class CScrollBar;

class CWnd : public CCmdTarget {
  public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr; // this while the window exists

    // Creation and destruction.
    virtual BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                        const CRect& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const CRect& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Takes over the control with this id in a dialog (a custom window
    // replaces a placeholder, a control class adopts the control).
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Puts this window where a placeholder control lies in its dialog (in
    // the placeholder's place in the dialog's layout, or on its rectangle
    // where it lies in none) and destroys the placeholder: dialogs lay
    // themselves out, so a placeholder's rectangle is known only once shown.
    BOOL TakePlaceOf(CWnd* placeholder);
    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd* FromWidget(QWidget* widget);
    QWidget* GetWidget() const { return m_widget; }
    // The widget that carries the window's geometry (an MDI child's frame).
    QWidget* GetOuterWidget() const { return m_outer ? m_outer : m_widget; }

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled.
    LRESULT Default();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    // Handlers, called with the framework's arguments.
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    virtual void OnDestroy();
    virtual void PostNcDestroy();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonUp(UINT nFlags, CPoint point);
    virtual void OnMButtonDown(UINT nFlags, CPoint point);
    virtual void OnMButtonUp(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    // zDelta in multiples of 120 per notch; point in screen coordinates.
    virtual BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point);
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnClose();
    virtual void OnTimer(UINT_PTR nIDEvent);
    // pScrollBar: null for the window's own scroll bars.
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    virtual UINT OnGetDlgCode();
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, const char* lpszSection);

    // Identity and relations.
    UINT GetDlgCtrlID() const { return m_nID; }
    void SetDlgCtrlID(UINT id) { m_nID = id; }
    CWnd* GetParent() const;
    CWnd* GetOwner() const { return m_owner ? m_owner : GetParent(); }
    void SetOwner(CWnd* owner) { m_owner = owner; }
    CFrameWnd* GetParentFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(UINT nID) const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsChild(const CWnd* pWnd) const;

    // Text and font.
    // Goes through WM_SETTEXT, so a control class can take the text apart.
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void GetWindowText(std::string& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return static_cast<int>(GetWindowText().size()); }
    void SetDlgItemText(UINT nID, const std::string& text);
    std::string GetDlgItemText(UINT nID) const;
    void SetDlgItemInt(UINT nID, int value, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(UINT nID, BOOL* pTranslated = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(UINT nID, UINT nCheck);
    UINT IsDlgButtonChecked(UINT nID) const;
    void CheckRadioButton(UINT nFirst, UINT nLast, UINT nCheck);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    int MessageBox(const std::string& text, const std::string& caption = {}, UINT nType = MB_OK);

    // Geometry: client coordinates start at the client area's top-left.
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;
    void ClientToScreen(CPoint* p) const;
    void ClientToScreen(CRect* r) const;
    void ScreenToClient(CPoint* p) const;
    void ScreenToClient(CRect* r) const;
    // Child windows: in the parent's client coordinates; top-level: screen.
    void MoveWindow(int x, int y, int width, int height, BOOL bRepaint = TRUE);
    void MoveWindow(const CRect& r, BOOL bRepaint = TRUE)
    {
        MoveWindow(r.left, r.top, r.Width(), r.Height(), bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();
    // The window takes the shape of the region (null: rectangular again).
    int SetWindowRgn(CRgn* pRgn, BOOL bRedraw);

    // Painting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const CRect* rect, BOOL bErase = TRUE);
    void ValidateRect(const CRect* rect);
    // Runs WM_PAINT at once when part of the window is invalid.
    void UpdateWindow();
    void RedrawWindow();
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    // Focus, capture, timers.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Scroll bars of windows created with WS_HSCROLL / WS_VSCROLL. Positions
    // change only through these calls, as with the original scroll bars.
    BOOL SetScrollInfo(int nBar, SCROLLINFO* info, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, SCROLLINFO* info, UINT nMask = SIF_ALL) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, int* pMin, int* pMax) const;
    int GetScrollLimit(int nBar) const;
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);

    // Runs the update handlers of pTarget for every child control, so that
    // dialogs enable, check and rename their controls the same way as menus.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
    // Sends the message to the child windows, and with bDeep to all their
    // descendants as well.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    // The client area the control bars with ids nIDFirst..nIDLast leave free
    // (reposQuery, into *lpRectParam); otherwise places the bars.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        CRect* lpRectParam = nullptr);

    // Used by the device contexts and the platform's own widgets.
    QImage* BackingImage();
    QRegion TakeInvalidRegion(bool* erase);
    void ShowBacking();
    void DispatchPaint();
    void LayoutScrollBars();
    bool IsNativeControl() const { return m_native; }
    void SetBackgroundColourIndex(int sysColourPlusOne) { m_background = sysColourPlusOne; }
    // Takes a widget made elsewhere as this window's (a control of a
    // dialog template, an MDI client); detaches it from its former window.
    void AttachWidget(QWidget* widget, bool native, UINT nID);
    QWidget* DetachWidget();
    bool m_defaultReached = false;
    // False once the object is gone; held across calls that may delete it.
    std::shared_ptr<bool> Alive() const { return m_alive; }
    UINT m_classStyle = CS_DBLCLKS;

  protected:
    // A control class returns its Qt control here; custom windows return
    // null and get a drawing surface.
    virtual QWidget* CreateControlWidget(QWidget* parent, DWORD style);
    // The drawing surface of a custom window: a widget showing the backing
    // image, or for an OpenGL window its GL surface.
    virtual QWidget* CreateSurfaceWidget(QWidget* parent);
    // Called when a control is adopted through SubclassDlgItem.
    virtual void PreSubclassWindow() {}
    // Called after a native control widget is attached (signals to messages).
    virtual void ConnectControl() {}
    // Control classes adopt a dialog's control in SubclassDlgItem.
    virtual bool AdoptsControls() const { return false; }
    // Window text and check state of standard controls.
    virtual void SetNativeText(const std::string& text);
    // The default handling of WM_SETTEXT.
    void ApplyWindowText(const std::string& text);
    virtual std::string GetNativeText() const;
    virtual void ApplyCheck(int check);
    virtual int QueryCheck() const;
    // Tells the parent as WM_COMMAND (control notifications).
    void NotifyParent(UINT code);

    QWidget* m_widget = nullptr;
    QWidget* m_outer = nullptr;
    UINT m_nID = 0;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    CWnd* m_owner = nullptr;
    CFont* m_font = nullptr;
    bool m_native = false;
    int m_background = COLOR_WINDOW + 1;
    HCURSOR m_classCursor = nullptr;
    std::string m_text;

  private:
    struct ScrollBar {
        QScrollBar* bar = nullptr;
        SCROLLINFO info;
        bool shown = false;
        bool tracking = false;
    };
    void SetupScrollBar(int nBar);
    void ApplyScroll(int nBar, BOOL redraw);
    void OnScrollAction(int nBar, int action);
    void ReleaseWidget();

    QRegion m_invalid;
    bool m_erase = false;
    std::unique_ptr<QImage> m_backing;
    ScrollBar m_scroll[2];
    std::map<UINT_PTR, QTimer*> m_timers;
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> m_msgStack;
    bool m_destroying = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_inDestructor = false;
    CSize m_lastClient{-1, -1};
};

// Deletes a window object once the current message has been handled.
void DeleteWindowLater(CWnd* wnd);

HCURSOR SetCursor(HCURSOR cursor);
BOOL GetCursorPos(CPoint* point);
// The pointer cannot be confined here; callers keep working without it.
BOOL ClipCursor(const CRect* rect);
// The window under a screen point (null when it is none of ours).
CWnd* WindowFromPoint(CPoint point);
BOOL MessageBeep(UINT type);
BOOL ReleaseCapture();
// State of a key now: the high bit set while it is down (VK_SHIFT, VK_CONTROL,
// VK_MENU, mouse buttons are known).
short GetKeyState(int nVirtKey);
BOOL IsWindow(HWND hWnd);
// Asks the main frame to run the update handlers of its bars; coalesced.
void RequestIdleUpdate();
