// OpenGL windows over QOpenGLWidget (see OpenGL.h). The widget draws into a
// framebuffer that Qt composes into the window; its contents are kept between
// frames. The window's WM_PAINT draws a frame into it (making the context
// current itself) when the window was invalidated, resized or its context
// created; Qt's own painting only shows the framebuffer, or the picture a
// client DC drew over it.
#include "platform/ui/OpenGL.h"

#include "platform/ui/DC.h"
#include "platform/ui/WndWidget.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QPointer>
#include <QSurfaceFormat>

#include <GL/gl.h>

namespace {

QSurfaceFormat SurfaceFormat()
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setDepthBufferSize(24);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return f;
}

// Whether windows can draw with OpenGL here: the platforms that compose
// widgets without OpenGL (offscreen, minimal) cannot, nor can a display
// without an OpenGL driver.
bool OpenGLAvailable()
{
    static const bool available = [] {
        const QString name = QGuiApplication::platformName();
        if (name == QLatin1String("offscreen") || name == QLatin1String("minimal"))
            return false;
        QOpenGLContext probe;
        probe.setFormat(SurfaceFormat());
        return probe.create();
    }();
    return available;
}

class OpenGLSurface;

} // namespace

struct GLContextHandle {
    QPointer<OpenGLSurface> surface;
    std::function<void()> created;
};

namespace {

using platform::detail::TranslateEvent;

// The surface whose context our calls made current, null when none.
OpenGLSurface* g_current = nullptr;

class OpenGLSurface : public QOpenGLWidget, public platform::detail::Surface {
  public:
    explicit OpenGLSurface(QWidget* parent) : QOpenGLWidget(parent)
    {
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
        setUpdateBehavior(QOpenGLWidget::PartialUpdate);
        // A framebuffer made anew (resized, or with a new context) holds no
        // frame yet.
        QObject::connect(this, &QOpenGLWidget::resized, this, [this] {
            m_paintDue = true;
            m_overlay = false;
            if (CWnd* wnd = CWnd::FromWidget(this))
                wnd->Invalidate(FALSE);
        });
    }
    ~OpenGLSurface() override
    {
        if (g_current == this)
            g_current = nullptr;
        if (m_rc)
            m_rc->surface = nullptr;
    }

    // In a dialog's layout (the File Open preview) the picture asks for room.
    QSize sizeHint() const override { return {240, 240}; }
    QSize minimumSizeHint() const override { return {160, 160}; }

    bool formatSet = false;
    GLContextHandle* m_rc = nullptr;
    // True while the platform holds the context current for us.
    bool Held() const { return m_held; }

    void FramePresented()
    {
        m_paintDue = false;
        m_overlay = false;
        update();
    }

    // WM_PAINT runs here, outside Qt's own painting, as any window's does;
    // until the context exists it waits for initializeGL.
    // The frame shown, after a WM_PAINT that is due.
    QImage Grab()
    {
        if (m_paintDue)
            if (CWnd* wnd = CWnd::FromWidget(this)) {
                wnd->Invalidate(FALSE);
                wnd->UpdateWindow();
            }
        return grabFramebuffer();
    }

    void RequestPaint() override
    {
        CWnd* wnd = CWnd::FromWidget(this);
        if (!wnd)
            return;
        if (!isValid()) {
            m_paintDue = true;
            return;
        }
        m_overlay = false;
        wnd->SendMessage(WM_PAINT, 0, 0);
    }
    void Present() override { update(); }
    void PrepareClientImage(QImage& image) override
    {
        if (!isValid())
            return;
        if (m_overlay && image.size() == m_overlaySize)
            return;
        QImage frame = Grab();
        if (frame.isNull())
            return;
        image = frame.convertToFormat(QImage::Format_RGB32);
        m_overlay = true;
        m_overlaySize = image.size();
    }

  protected:
    bool event(QEvent* e) override
    {
        if (CWnd* w = CWnd::FromWidget(this))
            if (TranslateEvent(w, this, e, false))
                return true;
        return QOpenGLWidget::event(e);
    }
    void initializeGL() override
    {
        m_overlay = false;
        if (m_rc && m_rc->created) {
            OpenGLSurface* before = g_current;
            g_current = this;
            m_held = true;
            m_rc->created();
            m_held = false;
            g_current = before;
        }
        // The frame is drawn by the window's WM_PAINT.
        m_paintDue = true;
        if (CWnd* wnd = CWnd::FromWidget(this))
            wnd->Invalidate(FALSE);
    }
    void resizeGL(int, int) override
    {
        m_paintDue = true;
        m_overlay = false;
    }
    void paintGL() override
    {
        if (m_overlay) {
            if (CWnd* wnd = CWnd::FromWidget(this))
                if (const QImage* image = wnd->BackingImage())
                    DrawImage(*image);
        } else if (m_paintDue) {
            // A new framebuffer (or context) that no WM_PAINT drew into yet:
            // white until the window's WM_PAINT, which this asks for, draws.
            glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            if (CWnd* wnd = CWnd::FromWidget(this))
                wnd->Invalidate(FALSE);
        }
    }

  private:
    // Puts the image over the whole frame, pixel for pixel.
    void DrawImage(const QImage& image)
    {
        if (image.format() != QImage::Format_RGB32 || image.size() != m_overlaySize)
            return;
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glDisable(GL_CULL_FACE);
        glDisable(GL_COLOR_LOGIC_OP);
        glViewport(0, 0, image.width(), image.height());
        glRasterPos2f(-1.0f, 1.0f);
        glPixelZoom(1.0f, -1.0f);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(image.bytesPerLine() / 4));
        glDrawPixels(image.width(), image.height(), GL_BGRA, GL_UNSIGNED_BYTE, image.constBits());
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopClientAttrib();
        glPopAttrib();
    }

    bool m_paintDue = true;
    bool m_overlay = false;
    QSize m_overlaySize;
    bool m_held = false;
};

OpenGLSurface* SurfaceOfDC(CDC* dc)
{
    CWnd* wnd = dc ? dc->GetWindow() : nullptr;
    return wnd ? dynamic_cast<OpenGLSurface*>(wnd->GetWidget()) : nullptr;
}

} // namespace

int ChoosePixelFormat(CDC* dc, const PIXELFORMATDESCRIPTOR* pfd)
{
    if (!pfd || !SurfaceOfDC(dc))
        return 0;
    const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    if ((pfd->dwFlags & needed) != needed || pfd->iPixelType != PFD_TYPE_RGBA || pfd->cColorBits > 32 ||
        pfd->cDepthBits > 32 || pfd->iLayerType != PFD_MAIN_PLANE)
        return 0;
    return OpenGLAvailable() ? 1 : 0;
}

BOOL SetPixelFormat(CDC* dc, int format, const PIXELFORMATDESCRIPTOR* pfd)
{
    OpenGLSurface* surface = SurfaceOfDC(dc);
    if (!surface || surface->formatSet || format != 1 || ChoosePixelFormat(dc, pfd) != 1)
        return FALSE;
    surface->setFormat(SurfaceFormat());
    surface->formatSet = true;
    return TRUE;
}

HGLRC wglCreateContext(CDC* dc)
{
    OpenGLSurface* surface = SurfaceOfDC(dc);
    if (!surface || !surface->formatSet || surface->m_rc)
        return nullptr;
    auto* rc = new GLContextHandle;
    rc->surface = surface;
    surface->m_rc = rc;
    return rc;
}

BOOL wglDeleteContext(HGLRC rc)
{
    if (!rc)
        return FALSE;
    if (OpenGLSurface* surface = rc->surface) {
        if (g_current == surface && !surface->Held()) {
            surface->doneCurrent();
            g_current = nullptr;
        }
        surface->m_rc = nullptr;
    }
    delete rc;
    return TRUE;
}

BOOL wglMakeCurrent(CDC* dc, HGLRC rc)
{
    if (!rc) {
        // While the platform holds the context, it stays current.
        if (g_current && !g_current->Held()) {
            g_current->doneCurrent();
            g_current = nullptr;
        }
        return TRUE;
    }
    OpenGLSurface* surface = rc->surface;
    if (!surface || !surface->isValid() || (dc && SurfaceOfDC(dc) != surface))
        return FALSE;
    surface->makeCurrent();
    if (QOpenGLContext::currentContext() != surface->context())
        return FALSE;
    g_current = surface;
    return TRUE;
}

HGLRC wglGetCurrentContext()
{
    return g_current && QOpenGLContext::currentContext() == g_current->context() ? g_current->m_rc : nullptr;
}

BOOL SwapBuffers(CDC* dc)
{
    OpenGLSurface* surface = SurfaceOfDC(dc);
    if (!surface)
        return FALSE;
    surface->FramePresented();
    return TRUE;
}

namespace platform {

QWidget* CreateOpenGLSurface(QWidget* parent)
{
    // Where there is no OpenGL the window gets the ordinary surface (an
    // OpenGL widget there cannot be shown at all); its pixel format is then
    // refused.
    if (!OpenGLAvailable())
        return new detail::WndWidget(parent);
    return new OpenGLSurface(parent);
}

void SetContextCreatedHandler(HGLRC rc, std::function<void()> handler)
{
    if (rc)
        rc->created = std::move(handler);
}

void PrepareForOpenGLWindows(QWidget* topLevel)
{
    if (!topLevel || !OpenGLAvailable())
        return;
    // A hidden OpenGL widget marks the window as one that composes OpenGL
    // pictures; it never makes a context of its own, as it is never shown.
    auto* marker = new QOpenGLWidget(topLevel);
    marker->setFixedSize(0, 0);
    marker->hide();
}

QImage GrabOpenGLFrame(CWnd* wnd)
{
    auto* surface = wnd ? dynamic_cast<OpenGLSurface*>(wnd->GetWidget()) : nullptr;
    if (!surface || !surface->isValid())
        return {};
    return surface->Grab();
}

} // namespace platform
