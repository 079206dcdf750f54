// The Qt side of windows (private to the platform layer): the widget that
// carries a custom window, and the translation of Qt events into messages.
#pragma once
#include "platform/ui/Wnd.h"

#include <QDialog>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <functional>

namespace platform::detail {

// Queued messages and the deferred WM_PAINT travel as events of these types.
QEvent::Type PostedMessageType();
QEvent::Type PaintRequestType();

struct PostedMessage : QEvent {
    PostedMessage(UINT m, WPARAM w, LPARAM l) : QEvent(PostedMessageType()), msg(m), wParam(w), lParam(l) {}
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Translates one Qt event for the window; true when the event is used up
// (for a standard control: when the program's handler did not pass it on).
// passInput: keys and mouse the program's handlers leave to the default
// handling go on to the Qt widget (dialogs: Enter, Esc, Tab).
bool TranslateEvent(CWnd* wnd, QWidget* widget, QEvent* event, bool native, bool passInput = false);

// Schedules the WM_PAINT of a window (coalesced).
void SchedulePaint(QWidget* widget);

// What RequestIdleUpdate runs: the main frame's bar updates, and while a
// dialog runs modally its WM_KICKIDLE as well.
std::function<void()>& IdleHookRef();

// A window surface that shows a picture of its own (an OpenGL framebuffer)
// instead of the backing image: it runs the window's WM_PAINT when it draws,
// and shows what a client DC draws over its picture.
class Surface {
  public:
    virtual ~Surface() = default;
    // WM_PAINT is due: paint when the surface next draws.
    virtual void RequestPaint() = 0;
    // A client DC drew into the backing image: show it.
    virtual void Present() = 0;
    // A client DC is about to draw into the backing image: the image takes
    // the picture shown, so that what the DC draws lies over it.
    virtual void PrepareClientImage(QImage& image) = 0;
};

inline Surface* SurfaceOf(QWidget* widget)
{
    return dynamic_cast<Surface*>(widget);
}

template <class Base> class HostWidget : public Base {
  public:
    explicit HostWidget(QWidget* parent) : Base(parent)
    {
        this->setAttribute(Qt::WA_OpaquePaintEvent);
        this->setMouseTracking(true);
        this->setFocusPolicy(Qt::NoFocus);
    }
    bool paintScheduled = false;

  protected:
    bool event(QEvent* e) override
    {
        if (CWnd* w = CWnd::FromWidget(this))
            if (TranslateEvent(w, this, e, false))
                return true;
        return Base::event(e);
    }
    void paintEvent(QPaintEvent*) override
    {
        CWnd* w = CWnd::FromWidget(this);
        if (!w)
            return;
        QImage* img = w->BackingImage();
        QPainter p(this);
        if (img)
            p.drawImage(0, 0, *img);
    }
};

using WndWidget = HostWidget<QWidget>;

} // namespace platform::detail
