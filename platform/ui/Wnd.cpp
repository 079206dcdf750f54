// Windows: creation, messages, painting, focus, capture, timers, scroll bars.
#include "platform/ui/Wnd.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/SysColor.h"
#include "platform/ui/WndWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

static const StdCursor kCursors[7] = {StdCursor::Arrow,  StdCursor::Wait,  StdCursor::SizeWE,
                                      StdCursor::SizeNS, StdCursor::Cross, StdCursor::IBeam,
                                      StdCursor::SizeAll};
const StdCursor* const IDC_ARROW = &kCursors[0];
const StdCursor* const IDC_WAIT = &kCursors[1];
const StdCursor* const IDC_SIZEWE = &kCursors[2];
const StdCursor* const IDC_SIZENS = &kCursors[3];
const StdCursor* const IDC_CROSS = &kCursors[4];
const StdCursor* const IDC_IBEAM = &kCursors[5];
const StdCursor* const IDC_SIZEALL = &kCursors[6];

namespace {

const char* kProperty = "platform_cwnd";
CWnd* s_capture = nullptr;
CWnd* s_cursorTarget = nullptr;
CWnd* s_lastFocus = nullptr;
HCURSOR s_cursor = nullptr;
Qt::KeyboardModifiers s_modifiers;
Qt::MouseButtons s_buttons;

std::map<std::string, WNDCLASS>& Classes()
{
    static std::map<std::string, WNDCLASS> classes;
    return classes;
}

Qt::CursorShape ToShape(HCURSOR c)
{
    if (!c)
        return Qt::ArrowCursor;
    switch (*c) {
    case StdCursor::Wait:
        return Qt::WaitCursor;
    case StdCursor::SizeWE:
        return Qt::SizeHorCursor;
    case StdCursor::SizeNS:
        return Qt::SizeVerCursor;
    case StdCursor::Cross:
        return Qt::CrossCursor;
    case StdCursor::IBeam:
        return Qt::IBeamCursor;
    case StdCursor::SizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

UINT VirtualKey(const QKeyEvent* e)
{
    int k = e->key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return UINT('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return UINT('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return VK_F1 + UINT(k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

UINT MouseFlags(Qt::MouseButtons b, Qt::KeyboardModifiers m)
{
    UINT f = 0;
    if (b & Qt::LeftButton)
        f |= MK_LBUTTON;
    if (b & Qt::RightButton)
        f |= MK_RBUTTON;
    if (b & Qt::MiddleButton)
        f |= MK_MBUTTON;
    if (m & Qt::ShiftModifier)
        f |= MK_SHIFT;
    if (m & Qt::ControlModifier)
        f |= MK_CONTROL;
    return f;
}

std::function<BOOL(MSG*)>& PreTranslateHook()
{
    static std::function<BOOL(MSG*)> hook;
    return hook;
}

BOOL PreTranslate(CWnd* wnd, UINT msg, WPARAM w, LPARAM l)
{
    MSG m{wnd, msg, w, l, {}};
    QPoint g = QCursor::pos();
    m.pt = CPoint(g.x(), g.y());
    if (auto& hook = PreTranslateHook())
        return hook(&m);
    for (CWnd* p = wnd; p; p = p->GetParent())
        if (p->PreTranslateMessage(&m))
            return TRUE;
    return FALSE;
}

std::function<void()>& IdleHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

namespace platform::detail {

QEvent::Type PostedMessageType()
{
    static QEvent::Type t = QEvent::Type(QEvent::registerEventType());
    return t;
}

QEvent::Type PaintRequestType()
{
    static QEvent::Type t = QEvent::Type(QEvent::registerEventType());
    return t;
}

std::function<BOOL(MSG*)>& PreTranslateHookRef()
{
    return PreTranslateHook();
}

std::function<void()>& IdleHookRef()
{
    return IdleHook();
}

void SchedulePaint(QWidget* widget)
{
    auto* host = dynamic_cast<WndWidget*>(widget);
    bool* flag = host ? &host->paintScheduled : nullptr;
    if (!flag) {
        QVariant v = widget->property("platform_paint_scheduled");
        if (v.toBool())
            return;
        widget->setProperty("platform_paint_scheduled", true);
    } else {
        if (*flag)
            return;
        *flag = true;
    }
    QCoreApplication::postEvent(widget, new QEvent(PaintRequestType()), Qt::LowEventPriority);
}

// Runs one message through the window and says whether it reached the
// default handling.
static LRESULT Dispatch(CWnd* w, UINT msg, WPARAM wp, LPARAM lp, bool* defaulted)
{
    bool saved = w->m_defaultReached;
    w->m_defaultReached = false;
    std::shared_ptr<bool> alive = w->Alive();
    LRESULT r = w->WindowProc(msg, wp, lp);
    if (!*alive) {
        if (defaulted)
            *defaulted = false;
        return r;
    }
    if (defaulted)
        *defaulted = w->m_defaultReached;
    w->m_defaultReached = saved;
    return r;
}

bool TranslateEvent(CWnd* w, QWidget* widget, QEvent* e, bool native, bool passInput)
{
    const QEvent::Type type = e->type();
    if (type == PostedMessageType()) {
        auto* pm = static_cast<PostedMessage*>(e);
        w->WindowProc(pm->msg, pm->wParam, pm->lParam);
        return true;
    }
    if (type == PaintRequestType()) {
        if (auto* host = dynamic_cast<WndWidget*>(widget))
            host->paintScheduled = false;
        else
            widget->setProperty("platform_paint_scheduled", false);
        w->DispatchPaint();
        return true;
    }
    bool defaulted = true;
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto* k = static_cast<QKeyEvent*>(e);
        s_modifiers = k->modifiers();
        UINT vk = VirtualKey(k);
        bool alt = k->modifiers() & Qt::AltModifier;
        bool press = type == QEvent::KeyPress;
        if (press && vk == VK_TAB && !native) {
            LRESULT code = w->SendMessage(WM_GETDLGCODE, 0, 0);
            if (!(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)))
                return false; // Qt moves the focus on, as dialogs did
        }
        UINT msg = press ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : WM_KEYUP;
        LPARAM lp = MAKELPARAM(1, (k->isAutoRepeat() ? 0x4000 : 0) | (alt ? 0x2000 : 0));
        bool keyDefault = true;
        if (vk) {
            if (PreTranslate(w, msg, vk, lp))
                return true;
            QPointer<QWidget> guard(widget);
            Dispatch(w, msg, vk, lp, &keyDefault);
            if (!guard || !CWnd::FromWidget(widget))
                return true;
        }
        bool charDefault = true;
        QString text = k->text();
        if (press && !text.isEmpty() && !alt) {
            UINT ch = text.at(0).unicode();
            if (PreTranslate(w, WM_CHAR, ch, lp))
                return true;
            Dispatch(w, WM_CHAR, ch, lp, &charDefault);
        }
        RequestIdleUpdate();
        defaulted = keyDefault && charDefault;
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(e);
        s_modifiers = m->modifiers();
        s_buttons = m->buttons();
        QPoint pos = m->position().toPoint();
        LPARAM lp = MAKELPARAM(pos.x(), pos.y());
        WPARAM flags = MouseFlags(m->buttons(), m->modifiers());
        UINT msg = 0;
        if (type == QEvent::MouseMove) {
            msg = WM_MOUSEMOVE;
        } else {
            bool dbl = type == QEvent::MouseButtonDblClick;
            bool down = type != QEvent::MouseButtonRelease;
            if (dbl && !(w->m_classStyle & CS_DBLCLKS))
                dbl = false;
            switch (m->button()) {
            case Qt::LeftButton:
                msg = !down ? WM_LBUTTONUP : dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
                break;
            case Qt::RightButton:
                msg = !down ? WM_RBUTTONUP : dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN;
                break;
            case Qt::MiddleButton:
                msg = !down ? WM_MBUTTONUP : WM_MBUTTONDOWN;
                break;
            default:
                return false;
            }
        }
        if (msg != WM_MOUSEMOVE && PreTranslate(w, msg, flags, lp))
            return true;
        CWnd* keepTarget = s_cursorTarget;
        s_cursorTarget = w;
        QPointer<QWidget> guard(widget);
        if (msg == WM_MOUSEMOVE && !native) {
            bool cursorDefault = true;
            Dispatch(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE),
                     &cursorDefault);
        }
        if (guard && CWnd::FromWidget(widget) == w)
            Dispatch(w, msg, flags, lp, &defaulted);
        s_cursorTarget = keepTarget;
        if (msg != WM_MOUSEMOVE)
            RequestIdleUpdate();
        break;
    }
    case QEvent::Wheel: {
        auto* wh = static_cast<QWheelEvent*>(e);
        s_modifiers = wh->modifiers();
        QPoint g = wh->globalPosition().toPoint();
        short delta = static_cast<short>(wh->angleDelta().y());
        WPARAM wp = MAKEWPARAM(MouseFlags(wh->buttons(), wh->modifiers()), static_cast<WORD>(delta));
        Dispatch(w, WM_MOUSEWHEEL, wp, MAKELPARAM(g.x(), g.y()), &defaulted);
        if (defaulted) {
            e->ignore(); // the parent gets it, as the default handling did
            return false;
        }
        break;
    }
    case QEvent::FocusIn:
        Dispatch(w, WM_SETFOCUS, reinterpret_cast<WPARAM>(s_lastFocus != w ? s_lastFocus : nullptr), 0,
                 &defaulted);
        return false;
    case QEvent::FocusOut: {
        s_lastFocus = w;
        CWnd* next = CWnd::GetFocus();
        Dispatch(w, WM_KILLFOCUS, reinterpret_cast<WPARAM>(next != w ? next : nullptr), 0, &defaulted);
        return false;
    }
    case QEvent::Close: {
        if (native)
            return false;
        e->ignore();
        w->SendMessage(WM_CLOSE, 0, 0);
        return true;
    }
    case QEvent::Resize:
        if (!native)
            w->LayoutScrollBars();
        return false;
    case QEvent::Show:
        if (!native) {
            w->LayoutScrollBars();
            SchedulePaint(widget);
        }
        return false;
    default:
        return false;
    }
    return (native || passInput) ? !defaulted : true;
}

// Event filter that brings a standard control's events to its window.
class Bridge : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* widget = qobject_cast<QWidget*>(o);
        CWnd* w = widget ? CWnd::FromWidget(widget) : nullptr;
        return w && TranslateEvent(w, widget, e, true);
    }
};

Bridge* TheBridge()
{
    static Bridge* bridge = new Bridge(qApp);
    return bridge;
}

} // namespace platform::detail

using namespace platform::detail;

BOOL AfxRegisterClass(const WNDCLASS* wc)
{
    if (!wc || wc->lpszClassName.empty())
        return FALSE;
    Classes()[wc->lpszClassName] = *wc;
    return TRUE;
}

BOOL GetClassInfo(const std::string& className, WNDCLASS* wc)
{
    auto it = Classes().find(className);
    if (it == Classes().end())
        return FALSE;
    if (wc)
        *wc = it->second;
    return TRUE;
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    m_inDestructor = true;
    *m_alive = false;
    if (m_hWnd)
        DestroyWindow();
    if (s_capture == this)
        s_capture = nullptr;
    if (s_cursorTarget == this)
        s_cursorTarget = nullptr;
    if (s_lastFocus == this)
        s_lastFocus = nullptr;
}

CWnd* CWnd::FromWidget(QWidget* widget)
{
    if (!widget)
        return nullptr;
    QVariant v = widget->property(kProperty);
    return v.isValid() ? static_cast<CWnd*>(v.value<void*>()) : nullptr;
}

QWidget* CWnd::CreateControlWidget(QWidget*, DWORD)
{
    return nullptr;
}

QWidget* CWnd::CreateSurfaceWidget(QWidget* parent)
{
    return new WndWidget(parent);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const CRect& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    const CRect& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs;
    cs.lpCreateParams = pContext;
    cs.hwndParent = pParentWnd;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
    cs.style = dwStyle;
    cs.dwExStyle = dwExStyle;
    cs.lpszName = lpszWindowName ? lpszWindowName : "";
    cs.lpszClass = lpszClassName ? lpszClassName : "";
    if (!PreCreateWindow(cs))
        return FALSE;
    WNDCLASS wc;
    if (GetClassInfo(cs.lpszClass, &wc)) {
        m_classStyle = wc.style;
        m_classCursor = wc.hCursor;
        m_background = wc.hbrBackground;
    }
    m_style = cs.style;
    m_exStyle = cs.dwExStyle;
    bool child = (cs.style & WS_CHILD) && cs.hwndParent && cs.hwndParent->m_widget;
    QWidget* parentWidget = child ? cs.hwndParent->m_widget : nullptr;
    QWidget* w = CreateControlWidget(parentWidget, cs.style);
    bool native = w != nullptr;
    if (!w)
        w = CreateSurfaceWidget(parentWidget);
    if (!child) {
        Qt::WindowFlags f = Qt::Window;
        // WS_CAPTION holds WS_BORDER: a bordered popup has no caption yet.
        const bool popup = (cs.style & WS_POPUP) && (cs.style & WS_CAPTION) != WS_CAPTION;
        if (popup)
            f |= Qt::FramelessWindowHint;
        // A captionless tool popup is a tip: a window manager neither frames
        // nor activates it, so that it never takes a click from the window
        // it lies over. A tool window with a caption is a palette.
        if (cs.dwExStyle & WS_EX_TOOLWINDOW)
            f |= popup ? Qt::ToolTip : Qt::Tool;
        if (cs.dwExStyle & WS_EX_TOPMOST)
            f |= Qt::WindowStaysOnTopHint;
        w->setWindowFlags(f);
        if (cs.hwndParent)
            m_owner = cs.hwndParent;
    }
    if ((cs.style & WS_TABSTOP) && !native)
        w->setFocusPolicy(Qt::TabFocus);
    AttachWidget(w, native, nID);
    if (cs.cx > 0 || cs.cy > 0 || child)
        w->setGeometry(cs.x, cs.y, std::max(cs.cx, 0), std::max(cs.cy, 0));
    if (cs.style & WS_HSCROLL)
        SetupScrollBar(SB_HORZ);
    if (cs.style & WS_VSCROLL)
        SetupScrollBar(SB_VERT);
    SetWindowText(cs.lpszName);
    m_invalid = QRegion(0, 0, std::max(1, cs.cx), std::max(1, cs.cy));
    m_erase = true;
    if (SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow();
        return FALSE;
    }
    if (!m_hWnd)
        return FALSE;
    if (cs.style & WS_DISABLED)
        w->setEnabled(false);
    LayoutScrollBars();
    if (cs.style & WS_VISIBLE)
        GetOuterWidget()->show();
    return TRUE;
}

void CWnd::AttachWidget(QWidget* widget, bool native, UINT nID)
{
    m_widget = widget;
    m_native = native;
    m_nID = nID;
    m_hWnd = this;
    widget->setProperty(kProperty, QVariant::fromValue<void*>(this));
    if (native)
        widget->installEventFilter(TheBridge());
    QObject::connect(widget, &QObject::destroyed, TheBridge(), [this, widget] {
        if (m_widget == widget)
            ReleaseWidget();
    });
    if (native)
        ConnectControl();
}

QWidget* CWnd::DetachWidget()
{
    QWidget* w = m_widget;
    if (w) {
        w->setProperty(kProperty, QVariant());
        w->removeEventFilter(TheBridge());
        QObject::disconnect(w, &QObject::destroyed, TheBridge(), nullptr);
        for (auto& [id, t] : m_timers)
            delete t;
        m_timers.clear();
    }
    ReleaseWidget();
    return w;
}

void CWnd::ReleaseWidget()
{
    m_widget = nullptr;
    m_outer = nullptr;
    m_hWnd = nullptr;
    m_scroll[0] = ScrollBar{};
    m_scroll[1] = ScrollBar{};
    m_timers.clear();
    if (m_backing)
        ReleasePaintersOf(m_backing.get());
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd || m_destroying)
        return FALSE;
    m_destroying = true;
    if (s_capture == this)
        ReleaseCapture();
    SendMessage(WM_DESTROY, 0, 0);
    if (m_widget) {
        std::vector<QPointer<QWidget>> children;
        for (QWidget* c : m_widget->findChildren<QWidget*>())
            children.emplace_back(c);
        for (auto& c : children)
            if (c)
                if (CWnd* cw = FromWidget(c); cw && cw != this && cw->m_hWnd)
                    cw->DestroyWindow();
    }
    QWidget* outer = GetOuterWidget();
    DetachWidget();
    if (outer) {
        outer->hide();
        outer->deleteLater();
    }
    m_destroying = false;
    if (!m_inDestructor)
        PostNcDestroy();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    CWnd* old = pParent ? pParent->GetDlgItem(nID) : nullptr;
    if (!old || old == this || m_hWnd)
        return FALSE;
    QWidget* qw = old->m_widget;
    if (AdoptsControls()) {
        m_style = old->m_style;
        old->DetachWidget();
        AttachWidget(qw, true, nID);
        PreSubclassWindow();
        return TRUE;
    }
    // A custom window takes the placeholder's place in the dialog.
    QWidget* parent = qw->parentWidget();
    auto* w = new WndWidget(parent);
    bool replaced = false;
    if (parent && parent->layout())
        replaced = parent->layout()->replaceWidget(qw, w, Qt::FindChildrenRecursively) != nullptr;
    if (!replaced)
        w->setGeometry(qw->geometry());
    m_style = old->m_style | WS_CHILD | WS_VISIBLE;
    old->DestroyWindow();
    AttachWidget(w, false, nID);
    if (m_style & WS_HSCROLL)
        SetupScrollBar(SB_HORZ);
    if (m_style & WS_VSCROLL)
        SetupScrollBar(SB_VERT);
    m_invalid = QRegion(w->rect());
    m_erase = true;
    PreSubclassWindow();
    LayoutScrollBars();
    w->show();
    return TRUE;
}

BOOL CWnd::TakePlaceOf(CWnd* placeholder)
{
    if (!m_widget || !placeholder || !placeholder->m_widget || placeholder == this)
        return FALSE;
    QWidget* old = placeholder->m_widget;
    QWidget* parent = old->parentWidget();
    bool replaced = false;
    if (parent && parent->layout())
        replaced = parent->layout()->replaceWidget(old, GetOuterWidget(), Qt::FindChildrenRecursively) != nullptr;
    if (!replaced) {
        GetOuterWidget()->setParent(parent);
        GetOuterWidget()->setGeometry(old->geometry());
    }
    placeholder->DestroyWindow();
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_widget)
        return FALSE;
    QCoreApplication::postEvent(m_widget, new PostedMessage(message, wParam, lParam));
    return TRUE;
}

LRESULT CWnd::Default()
{
    if (m_msgStack.empty())
        return 0;
    auto [m, w, l] = m_msgStack.back();
    return DefWindowProc(m, w, l);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_msgStack.emplace_back(message, wParam, lParam);
    // A handler may delete the window (PostNcDestroy); then nothing of it
    // is touched any more.
    struct Pop {
        CWnd* w;
        std::shared_ptr<bool> alive;
        ~Pop()
        {
            if (*alive)
                w->m_msgStack.pop_back();
        }
    } pop{this, m_alive};
    CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    UINT flags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam));
    case WM_SIZE:
        OnSize(flags, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(flags, pt);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(flags, pt);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(flags, pt);
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(flags, pt);
        return 0;
    case WM_RBUTTONUP:
        OnRButtonUp(flags, pt);
        return 0;
    case WM_MBUTTONDOWN:
        OnMButtonDown(flags, pt);
        return 0;
    case WM_MBUTTONUP:
        OnMButtonUp(flags, pt);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(flags, pt);
        return 0;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), pt);
    case WM_KEYDOWN:
        OnKeyDown(flags, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_KEYUP:
        OnKeyUp(flags, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_CHAR:
        OnChar(flags, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<CWnd*>(wParam));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<CWnd*>(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
        UINT code = LOWORD(wParam);
        UINT pos = (code == SB_THUMBTRACK || code == SB_THUMBPOSITION)
                       ? static_cast<UINT>(m_scroll[bar].info.nTrackPos)
                       : HIWORD(wParam);
        if (message == WM_HSCROLL)
            OnHScroll(code, pos, reinterpret_cast<CScrollBar*>(lParam));
        else
            OnVScroll(code, pos, reinterpret_cast<CScrollBar*>(lParam));
        return 0;
    }
    case WM_GETDLGCODE:
        return OnGetDlgCode();
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<CWnd*>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<CWnd*>(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        OnSysColorChange();
        return 0;
    case WM_SETTINGCHANGE:
        OnSettingChange(flags, reinterpret_cast<const char*>(lParam));
        return 0;
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        return DefWindowProc(message, wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result))
            return result;
        return DefWindowProc(message, wParam, lParam);
    }
    default:
        return DefWindowProc(message, wParam, lParam);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_defaultReached = true;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<CDC*>(wParam);
        if (!dc || m_background <= 0)
            return 0;
        CRect box;
        dc->GetClipBox(&box);
        dc->FillSolidRect(&box, GetSysColor(m_background - 1));
        return 1;
    }
    case WM_SETFONT:
        m_font = reinterpret_cast<CFont*>(wParam);
        if (m_native && m_widget && m_font)
            m_widget->setFont(m_font->ToQFont());
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETTEXT:
        ApplyWindowText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
    case WM_SETCURSOR:
        if (m_widget)
            m_widget->setCursor(ToShape(m_classCursor ? m_classCursor : IDC_ARROW));
        return 0;
    default:
        return 0;
    }
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT id = LOWORD(wParam);
    int code = lParam ? static_cast<int>(HIWORD(wParam)) : static_cast<int>(CN_COMMAND);
    return OnCmdMsg(id, code, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pCmdUI);
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}
void CWnd::OnDestroy()
{
    Default();
}
void CWnd::PostNcDestroy() {}
void CWnd::OnPaint()
{
    CPaintDC dc(this);
}
BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnSize(UINT, int, int)
{
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonDown(UINT, CPoint)
{
    Default();
}
void CWnd::OnMButtonUp(UINT, CPoint)
{
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnKeyUp(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnChar(UINT, UINT, UINT)
{
    Default();
}
void CWnd::OnSetFocus(CWnd*)
{
    Default();
}
void CWnd::OnKillFocus(CWnd*)
{
    Default();
}
void CWnd::OnClose()
{
    Default();
}
void CWnd::OnTimer(UINT_PTR)
{
    Default();
}
void CWnd::OnHScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*)
{
    Default();
}
UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}
void CWnd::OnCaptureChanged(CWnd*)
{
    Default();
}
void CWnd::OnSysColorChange()
{
    Default();
}
void CWnd::OnSettingChange(UINT, const char*)
{
    Default();
}

CWnd* CWnd::GetParent() const
{
    QWidget* w = GetOuterWidget();
    if (!w || w->isWindow())
        return nullptr;
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        CWnd* c = FromWidget(p);
        if (c && !p->property("platform_transparent_parent").toBool())
            return c;
        if (p->isWindow())
            return nullptr;
    }
    return nullptr;
}

CWnd* CWnd::GetTopLevelParent() const
{
    const CWnd* w = this;
    while (CWnd* p = w->GetParent())
        w = p;
    return const_cast<CWnd*>(w);
}

CWnd* CWnd::GetDlgItem(UINT nID) const
{
    if (!m_widget)
        return nullptr;
    for (QWidget* c : m_widget->findChildren<QWidget*>()) {
        CWnd* w = FromWidget(c);
        if (w && w != this && w->m_nID == nID && w->GetParent() == this)
            return w;
    }
    return nullptr;
}

DWORD CWnd::GetStyle() const
{
    DWORD s = m_style & ~(WS_VISIBLE | WS_DISABLED);
    if (QWidget* o = GetOuterWidget()) {
        if (!o->isHidden())
            s |= WS_VISIBLE;
        if (!m_widget->isEnabled())
            s |= WS_DISABLED;
    }
    return s;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    m_style = (m_style & ~remove) | add;
    return TRUE;
}

BOOL CWnd::IsWindowVisible() const
{
    QWidget* o = GetOuterWidget();
    return o && o->isVisible();
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_widget && m_widget->isEnabled();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    if (!m_widget)
        return FALSE;
    BOOL wasDisabled = !m_widget->isEnabled();
    m_widget->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    QWidget* o = GetOuterWidget();
    if (!o)
        return FALSE;
    BOOL was = !o->isHidden();
    switch (nCmdShow) {
    case SW_HIDE:
        o->hide();
        break;
    case SW_SHOWMAXIMIZED:
        o->showMaximized();
        break;
    case SW_SHOWMINIMIZED:
        o->showMinimized();
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        o->setAttribute(Qt::WA_ShowWithoutActivating);
        o->show();
        o->raise();
        break;
    case SW_RESTORE:
        o->showNormal();
        break;
    default:
        o->show();
        break;
    }
    return was;
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    for (const CWnd* p = pWnd ? pWnd->GetParent() : nullptr; p; p = p->GetParent())
        if (p == this)
            return TRUE;
    return FALSE;
}

void CWnd::SetWindowText(const std::string& text)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CWnd::ApplyWindowText(const std::string& text)
{
    m_text = text;
    if (m_native) {
        SetNativeText(text);
        return;
    }
    if (QWidget* o = GetOuterWidget(); o && (o->isWindow() || m_outer))
        o->setWindowTitle(QString::fromStdString(text));
}

std::string CWnd::GetWindowText() const
{
    return m_native ? GetNativeText() : m_text;
}

void CWnd::SetNativeText(const std::string&) {}

std::string CWnd::GetNativeText() const
{
    return m_text;
}

void CWnd::SetDlgItemText(UINT nID, const std::string& text)
{
    if (CWnd* w = GetDlgItem(nID))
        w->SetWindowText(text);
}

std::string CWnd::GetDlgItemText(UINT nID) const
{
    CWnd* w = GetDlgItem(nID);
    return w ? w->GetWindowText() : std::string();
}

void CWnd::SetDlgItemInt(UINT nID, int value, BOOL bSigned)
{
    SetDlgItemText(nID, bSigned ? std::to_string(value) : std::to_string(static_cast<unsigned>(value)));
}

UINT CWnd::GetDlgItemInt(UINT nID, BOOL* pTranslated, BOOL bSigned) const
{
    std::string s = GetDlgItemText(nID);
    char* end = nullptr;
    long long v = std::strtoll(s.c_str(), &end, 10);
    bool ok = !s.empty() && end && *end == '\0' && (bSigned || v >= 0);
    if (pTranslated)
        *pTranslated = ok;
    return ok ? static_cast<UINT>(v) : 0;
}

void CWnd::CheckDlgButton(UINT nID, UINT nCheck)
{
    if (CWnd* w = GetDlgItem(nID))
        w->ApplyCheck(static_cast<int>(nCheck));
}

UINT CWnd::IsDlgButtonChecked(UINT nID) const
{
    CWnd* w = GetDlgItem(nID);
    return w ? static_cast<UINT>(w->QueryCheck()) : 0;
}

void CWnd::CheckRadioButton(UINT nFirst, UINT nLast, UINT nCheck)
{
    for (UINT id = nFirst; id <= nLast; ++id)
        CheckDlgButton(id, id == nCheck ? 1 : 0);
}

void CWnd::ApplyCheck(int) {}

int CWnd::QueryCheck() const
{
    return 0;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return reinterpret_cast<CFont*>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT, 0, 0));
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    return platform::ShowMessageBox(text, caption, nType);
}

void CWnd::GetClientRect(CRect* rect) const
{
    if (!rect)
        return;
    if (!m_widget) {
        *rect = CRect();
        return;
    }
    int w = m_widget->width(), h = m_widget->height();
    if (!m_native) {
        if (m_scroll[SB_VERT].shown)
            w -= m_scroll[SB_VERT].bar->width();
        if (m_scroll[SB_HORZ].shown)
            h -= m_scroll[SB_HORZ].bar->height();
    }
    *rect = CRect(0, 0, std::max(0, w), std::max(0, h));
}

void CWnd::GetWindowRect(CRect* rect) const
{
    QWidget* o = GetOuterWidget();
    if (!rect || !o)
        return;
    QRect g = o->isWindow() ? o->frameGeometry() : QRect(o->mapToGlobal(QPoint(0, 0)), o->size());
    *rect = CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

void CWnd::ClientToScreen(CPoint* p) const
{
    if (!p || !m_widget)
        return;
    QPoint g = m_widget->mapToGlobal(QPoint(p->x, p->y));
    *p = CPoint(g.x(), g.y());
}

void CWnd::ClientToScreen(CRect* r) const
{
    if (!r)
        return;
    CPoint a = r->TopLeft(), b = r->BottomRight();
    ClientToScreen(&a);
    ClientToScreen(&b);
    *r = CRect(a.x, a.y, b.x, b.y);
}

void CWnd::ScreenToClient(CPoint* p) const
{
    if (!p || !m_widget)
        return;
    QPoint c = m_widget->mapFromGlobal(QPoint(p->x, p->y));
    *p = CPoint(c.x(), c.y());
}

void CWnd::ScreenToClient(CRect* r) const
{
    if (!r)
        return;
    CPoint a = r->TopLeft(), b = r->BottomRight();
    ScreenToClient(&a);
    ScreenToClient(&b);
    *r = CRect(a.x, a.y, b.x, b.y);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL bRepaint)
{
    QWidget* o = GetOuterWidget();
    if (!o)
        return;
    o->setGeometry(x, y, std::max(0, width), std::max(0, height));
    if (bRepaint)
        Invalidate();
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags)
{
    QWidget* o = GetOuterWidget();
    if (!o)
        return FALSE;
    if (!(nFlags & SWP_NOMOVE))
        o->move(x, y);
    if (!(nFlags & SWP_NOSIZE))
        o->resize(std::max(0, cx), std::max(0, cy));
    if (nFlags & SWP_SHOWWINDOW)
        ShowWindow((nFlags & SWP_NOACTIVATE) ? SW_SHOWNOACTIVATE : SW_SHOW);
    if (nFlags & SWP_HIDEWINDOW)
        ShowWindow(SW_HIDE);
    return TRUE;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    QWidget* o = GetOuterWidget();
    if (!o)
        return;
    CWnd* owner = pAlternateOwner ? pAlternateOwner : GetOwner();
    QRect area;
    if (owner && owner->GetOuterWidget()) {
        CRect r;
        owner->GetWindowRect(&r);
        area = QRect(r.left, r.top, r.Width(), r.Height());
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
        area = s->availableGeometry();
    }
    QRect g = o->frameGeometry();
    g.moveCenter(area.center());
    if (o->isWindow())
        o->move(g.topLeft());
    else
        o->move(o->parentWidget()->mapFromGlobal(g.topLeft()));
}

void CWnd::BringWindowToTop()
{
    if (QWidget* o = GetOuterWidget()) {
        o->raise();
        if (o->isWindow())
            o->activateWindow();
    }
}

int CWnd::SetWindowRgn(CRgn* pRgn, BOOL bRedraw)
{
    QWidget* o = GetOuterWidget();
    if (!o)
        return 0;
    if (pRgn)
        o->setMask(pRgn->m_region);
    else
        o->clearMask();
    if (bRedraw)
        Invalidate();
    return 1;
}

QImage* CWnd::BackingImage()
{
    if (!m_widget || m_native)
        return nullptr;
    CRect client;
    GetClientRect(&client);
    QSize size(std::max(1, client.Width()), std::max(1, client.Height()));
    if (!m_backing || m_backing->size() != size) {
        auto img = std::make_unique<QImage>(size, QImage::Format_RGB32);
        img->fill(ToQColor(GetSysColor(m_background > 0 ? m_background - 1 : COLOR_WINDOW)));
        if (m_backing) {
            ReleasePaintersOf(m_backing.get());
            QPainter p(img.get());
            p.drawImage(0, 0, *m_backing);
        }
        m_backing = std::move(img);
        m_invalid = QRegion(0, 0, size.width(), size.height());
        m_erase = true;
        SchedulePaint(m_widget);
    }
    return m_backing.get();
}

QRegion CWnd::TakeInvalidRegion(bool* erase)
{
    QRegion r = m_invalid;
    if (erase)
        *erase = m_erase;
    m_invalid = QRegion();
    m_erase = false;
    return r;
}

void CWnd::ShowBacking()
{
    if (Surface* surface = SurfaceOf(m_widget))
        surface->Present();
    else if (m_widget)
        m_widget->update();
}

void CWnd::DispatchPaint()
{
    if (!m_widget || m_native || !m_widget->isVisible())
        return;
    BackingImage();
    if (m_invalid.isEmpty())
        return;
    if (Surface* surface = SurfaceOf(m_widget)) {
        // The surface runs WM_PAINT when it draws.
        surface->RequestPaint();
        return;
    }
    SendMessage(WM_PAINT, 0, 0);
    if (m_widget) {
        m_invalid = QRegion();
        m_widget->update();
    }
}

void CWnd::Invalidate(BOOL bErase)
{
    InvalidateRect(nullptr, bErase);
}

void CWnd::InvalidateRect(const CRect* rect, BOOL bErase)
{
    if (!m_widget)
        return;
    if (m_native) {
        m_widget->update();
        return;
    }
    CRect client;
    GetClientRect(&client);
    CRect r = rect ? *rect : client;
    m_invalid +=
        QRect(r.left, r.top, r.Width(), r.Height()).intersected(QRect(0, 0, client.Width(), client.Height()));
    if (bErase)
        m_erase = true;
    SchedulePaint(m_widget);
}

void CWnd::ValidateRect(const CRect* rect)
{
    if (!rect)
        m_invalid = QRegion();
    else
        m_invalid -= QRect(rect->left, rect->top, rect->Width(), rect->Height());
}

void CWnd::UpdateWindow()
{
    if (!m_widget)
        return;
    if (m_native) {
        m_widget->repaint();
        return;
    }
    DispatchPaint();
    if (m_widget && m_widget->isVisible())
        m_widget->repaint();
}

void CWnd::RedrawWindow()
{
    Invalidate();
    UpdateWindow();
}

CDC* CWnd::GetDC()
{
    return m_widget ? new CClientDC(this) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    delete pDC;
    return 1;
}

CWnd* CWnd::SetFocus()
{
    CWnd* old = GetFocus();
    if (m_widget) {
        if (QWidget* top = m_widget->window(); top && !top->isActiveWindow() && top->isVisible())
            top->activateWindow();
        m_widget->setFocus(Qt::OtherFocusReason);
    }
    return old;
}

CWnd* CWnd::GetFocus()
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (CWnd* c = FromWidget(w))
            return c;
    return nullptr;
}

CWnd* CWnd::SetCapture()
{
    CWnd* old = s_capture;
    if (old == this)
        return old;
    if (old)
        ReleaseCapture();
    if (m_widget) {
        s_capture = this;
        if (m_widget->isVisible())
            m_widget->grabMouse();
    }
    return old;
}

CWnd* CWnd::GetCapture()
{
    return s_capture;
}

BOOL ReleaseCapture()
{
    CWnd* old = s_capture;
    if (!old)
        return TRUE;
    s_capture = nullptr;
    if (QWidget* w = old->GetWidget())
        w->releaseMouse();
    old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    if (!m_widget)
        return 0;
    KillTimer(nIDEvent);
    auto* t = new QTimer(m_widget);
    t->setInterval(static_cast<int>(std::min<UINT>(nElapse, 0x7FFFFFFF)));
    QObject::connect(t, &QTimer::timeout, t, [this, nIDEvent] { PostMessage(WM_TIMER, nIDEvent, 0); });
    t->start();
    m_timers[nIDEvent] = t;
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end())
        return FALSE;
    delete it->second;
    m_timers.erase(it);
    return TRUE;
}

void CWnd::SetupScrollBar(int nBar)
{
    if (m_native || !m_widget || m_scroll[nBar].bar)
        return;
    auto* bar = new QScrollBar(nBar == SB_HORZ ? Qt::Horizontal : Qt::Vertical, m_widget);
    bar->hide();
    bar->setFocusPolicy(Qt::NoFocus);
    m_scroll[nBar].bar = bar;
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar,
                     [this, nBar](int a) { OnScrollAction(nBar, a); });
    QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, nBar] {
        ScrollBar& s = m_scroll[nBar];
        UINT msg = nBar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL;
        s.tracking = false;
        SendMessage(msg, MAKEWPARAM(SB_THUMBPOSITION, s.info.nTrackPos & 0xFFFF), 0);
        SendMessage(msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        if (s.bar)
            s.bar->setSliderPosition(s.info.nPos);
    });
}

void CWnd::OnScrollAction(int nBar, int action)
{
    ScrollBar& s = m_scroll[nBar];
    UINT code;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
    case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
    case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
    case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
    case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
    case QAbstractSlider::SliderMove:
        code = SB_THUMBTRACK;
        break;
    default:
        return;
    }
    if (code == SB_THUMBTRACK) {
        s.tracking = true;
        s.info.nTrackPos = s.bar->sliderPosition();
    } else {
        // The window moves the thumb itself through SetScrollPos.
        s.bar->setSliderPosition(s.info.nPos);
    }
    SendMessage(nBar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, s.info.nTrackPos & 0xFFFF), 0);
    if (code != SB_THUMBTRACK && s.bar)
        s.bar->setSliderPosition(s.info.nPos);
}

void CWnd::ApplyScroll(int nBar, BOOL redraw)
{
    ScrollBar& s = m_scroll[nBar];
    SCROLLINFO& i = s.info;
    int page = static_cast<int>(i.nPage);
    int maxPos = std::max(i.nMin, i.nMax - std::max(page - 1, 0));
    i.nPos = std::clamp(i.nPos, i.nMin, maxPos);
    if (!s.bar)
        return;
    QSignalBlocker block(s.bar);
    s.bar->setRange(i.nMin, maxPos);
    s.bar->setPageStep(std::max(page, 1));
    s.bar->setSingleStep(1);
    if (!s.tracking)
        s.bar->setValue(i.nPos);
    (void)redraw;
    LayoutScrollBars();
}

void CWnd::LayoutScrollBars()
{
    if (!m_widget || m_native)
        return;
    for (int b = 0; b < 2; ++b) {
        ScrollBar& s = m_scroll[b];
        const SCROLLINFO& i = s.info;
        bool want =
            s.bar && i.nMax > i.nMin && (i.nPage == 0 || static_cast<int>(i.nPage) <= i.nMax - i.nMin);
        s.shown = want;
    }
    int ext = m_widget->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int w = m_widget->width(), h = m_widget->height();
    int cw = w - (m_scroll[SB_VERT].shown ? ext : 0), ch = h - (m_scroll[SB_HORZ].shown ? ext : 0);
    if (ScrollBar& v = m_scroll[SB_VERT]; v.bar) {
        v.bar->setVisible(v.shown);
        if (v.shown)
            v.bar->setGeometry(cw, 0, ext, ch);
    }
    if (ScrollBar& hb = m_scroll[SB_HORZ]; hb.bar) {
        hb.bar->setVisible(hb.shown);
        if (hb.shown)
            hb.bar->setGeometry(0, ch, cw, ext);
    }
    CSize client(std::max(0, cw), std::max(0, ch));
    if (!(client == m_lastClient)) {
        m_lastClient = client;
        Invalidate();
        SendMessage(WM_SIZE, 0, MAKELPARAM(client.cx, client.cy));
    }
}

BOOL CWnd::SetScrollInfo(int nBar, SCROLLINFO* info, BOOL bRedraw)
{
    if (!info || nBar < 0 || nBar > 1)
        return FALSE;
    SCROLLINFO& i = m_scroll[nBar].info;
    if (info->fMask & SIF_RANGE) {
        i.nMin = info->nMin;
        i.nMax = info->nMax;
    }
    if (info->fMask & SIF_PAGE)
        i.nPage = info->nPage;
    if (info->fMask & SIF_POS)
        i.nPos = info->nPos;
    ApplyScroll(nBar, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, SCROLLINFO* info, UINT nMask) const
{
    if (!info || nBar < 0 || nBar > 1)
        return FALSE;
    const SCROLLINFO& i = m_scroll[nBar].info;
    UINT mask = info->fMask ? info->fMask : nMask;
    if (mask & SIF_RANGE) {
        info->nMin = i.nMin;
        info->nMax = i.nMax;
    }
    if (mask & SIF_PAGE)
        info->nPage = i.nPage;
    if (mask & SIF_POS)
        info->nPos = i.nPos;
    if (mask & SIF_TRACKPOS)
        info->nTrackPos = m_scroll[nBar].tracking ? i.nTrackPos : i.nPos;
    return TRUE;
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    if (nBar < 0 || nBar > 1)
        return 0;
    int old = m_scroll[nBar].info.nPos;
    m_scroll[nBar].info.nPos = nPos;
    ApplyScroll(nBar, bRedraw);
    return old;
}

int CWnd::GetScrollPos(int nBar) const
{
    return (nBar < 0 || nBar > 1) ? 0 : m_scroll[nBar].info.nPos;
}

void CWnd::SetScrollRange(int nBar, int nMin, int nMax, BOOL bRedraw)
{
    SCROLLINFO i;
    i.fMask = SIF_RANGE;
    i.nMin = nMin;
    i.nMax = nMax;
    SetScrollInfo(nBar, &i, bRedraw);
}

void CWnd::GetScrollRange(int nBar, int* pMin, int* pMax) const
{
    if (nBar < 0 || nBar > 1)
        return;
    if (pMin)
        *pMin = m_scroll[nBar].info.nMin;
    if (pMax)
        *pMax = m_scroll[nBar].info.nMax;
}

int CWnd::GetScrollLimit(int nBar) const
{
    if (nBar < 0 || nBar > 1)
        return 0;
    const SCROLLINFO& i = m_scroll[nBar].info;
    return std::max(i.nMin, i.nMax - std::max(static_cast<int>(i.nPage) - 1, 0));
}

void CWnd::ShowScrollBar(UINT nBar, BOOL bShow)
{
    for (int b = 0; b < 2; ++b) {
        if (nBar != SB_BOTH && static_cast<int>(nBar) != b)
            continue;
        if (bShow)
            SetupScrollBar(b);
        else if (m_scroll[b].bar)
            m_scroll[b].info.nMax = m_scroll[b].info.nMin;
    }
    LayoutScrollBars();
}

namespace {
class ControlCmdUI : public CCmdUI {
  public:
    ControlCmdUI(UINT id, CWnd* wnd) : CCmdUI(id), m_wnd(wnd) {}
    void Enable(BOOL on) override
    {
        CCmdUI::Enable(on);
        m_wnd->EnableWindow(on);
    }
    void SetCheck(int check) override
    {
        CCmdUI::SetCheck(check);
        m_wnd->GetParent()->CheckDlgButton(m_nID, static_cast<UINT>(check));
    }
    void SetText(const std::string& text) override
    {
        CCmdUI::SetText(text);
        m_wnd->SetWindowText(text);
    }

  private:
    CWnd* m_wnd;
};
} // namespace

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!m_widget)
        return;
    for (QWidget* c : m_widget->findChildren<QWidget*>()) {
        CWnd* w = FromWidget(c);
        if (!w || w == this || !w->m_native || w->GetParent() != this || w->m_nID == 0 || w->m_nID == 0xFFFF)
            continue;
        ControlCmdUI ui(w->m_nID, w);
        ui.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL)
{
    if (!m_widget)
        return;
    // Collected first: a handler may create or destroy windows.
    std::vector<std::pair<CWnd*, std::shared_ptr<bool>>> targets;
    const auto scope = bDeep ? Qt::FindChildrenRecursively : Qt::FindDirectChildrenOnly;
    for (QWidget* c : m_widget->findChildren<QWidget*>(scope)) {
        CWnd* w = FromWidget(c);
        if (w && w != this &&
            std::none_of(targets.begin(), targets.end(), [w](const auto& t) { return t.first == w; }))
            targets.emplace_back(w, w->Alive());
    }
    for (auto& [w, alive] : targets)
        if (*alive && w->m_hWnd)
            w->SendMessage(message, wParam, lParam);
}

void CWnd::NotifyParent(UINT code)
{
    if (CWnd* p = GetParent())
        p->SendMessage(WM_COMMAND, MAKEWPARAM(m_nID, code), reinterpret_cast<LPARAM>(this));
}

void DeleteWindowLater(CWnd* wnd)
{
    QTimer::singleShot(0, qApp, [wnd] { delete wnd; });
}

HCURSOR SetCursor(HCURSOR cursor)
{
    HCURSOR old = s_cursor;
    s_cursor = cursor;
    CWnd* target = s_cursorTarget ? s_cursorTarget : s_capture;
    if (target && target->GetWidget())
        target->GetWidget()->setCursor(ToShape(cursor));
    return old;
}

BOOL GetCursorPos(CPoint* point)
{
    if (!point)
        return FALSE;
    QPoint p = QCursor::pos();
    *point = CPoint(p.x(), p.y());
    return TRUE;
}

BOOL ClipCursor(const CRect*)
{
    return TRUE;
}

CWnd* WindowFromPoint(CPoint point)
{
    for (QWidget* w = QApplication::widgetAt(QPoint(point.x, point.y)); w; w = w->parentWidget())
        if (CWnd* c = CWnd::FromWidget(w))
            return c;
    return nullptr;
}

BOOL MessageBeep(UINT)
{
    QApplication::beep();
    return TRUE;
}

short GetKeyState(int nVirtKey)
{
    bool down = false;
    switch (nVirtKey) {
    case VK_SHIFT:
        down = s_modifiers & Qt::ShiftModifier;
        break;
    case VK_CONTROL:
        down = s_modifiers & Qt::ControlModifier;
        break;
    case VK_MENU:
        down = s_modifiers & Qt::AltModifier;
        break;
    case 0x01:
        down = s_buttons & Qt::LeftButton;
        break;
    case 0x02:
        down = s_buttons & Qt::RightButton;
        break;
    default:
        break;
    }
    return down ? static_cast<short>(0x8000) : 0;
}

BOOL IsWindow(HWND hWnd)
{
    return hWnd && hWnd->m_hWnd == hWnd;
}

void RequestIdleUpdate()
{
    static bool pending = false;
    if (pending || !IdleHook() || !qApp)
        return;
    pending = true;
    QTimer::singleShot(0, qApp, [] {
        pending = false;
        if (auto& hook = IdleHook())
            hook();
    });
}
