// OpenGL windows. A window whose CreateSurfaceWidget returns
// platform::CreateOpenGLSurface draws with OpenGL 1.1 (compatibility
// profile, 24-bit depth buffer, double-buffered; GLU from Mesa) through the
// pixel-format and rendering-context calls the views make:
//
//   CDC* dc = GetDC();
//   int format = ChoosePixelFormat(dc, &pfd);   // 0: no OpenGL here
//   SetPixelFormat(dc, format, &pfd);           // once per window
//   HGLRC rc = wglCreateContext(dc);
//   wglMakeCurrent(dc, rc); ...GL calls...; SwapBuffers(dc); wglMakeCurrent(nullptr, nullptr);
//
// The platform creates the context when the window is first shown and may
// create it again (when the window moves to another top-level window): the
// context-created handler then sets the GL state up again, since the old
// state and every display list went with the old context. Until the context
// exists wglMakeCurrent answers FALSE and the caller draws nothing. The
// window's WM_PAINT runs when the surface draws; a client DC draws over the
// picture shown (a rubber band in R2_NOTXORPEN drawn twice leaves it as it
// was), until the next SwapBuffers.
#pragma once
#include "platform/ui/Wnd.h"

#include <QImage>
#include <functional>

struct PIXELFORMATDESCRIPTOR {
    WORD nSize = 0;
    WORD nVersion = 0;
    DWORD dwFlags = 0;
    BYTE iPixelType = 0;
    BYTE cColorBits = 0;
    BYTE cRedBits = 0, cRedShift = 0, cGreenBits = 0, cGreenShift = 0, cBlueBits = 0, cBlueShift = 0;
    BYTE cAlphaBits = 0, cAlphaShift = 0;
    BYTE cAccumBits = 0, cAccumRedBits = 0, cAccumGreenBits = 0, cAccumBlueBits = 0, cAccumAlphaBits = 0;
    BYTE cDepthBits = 0;
    BYTE cStencilBits = 0;
    BYTE cAuxBuffers = 0;
    BYTE iLayerType = 0;
    BYTE bReserved = 0;
    DWORD dwLayerMask = 0, dwVisibleMask = 0, dwDamageMask = 0;
};

constexpr DWORD PFD_DOUBLEBUFFER = 0x00000001;
constexpr DWORD PFD_DRAW_TO_WINDOW = 0x00000004;
constexpr DWORD PFD_SUPPORT_OPENGL = 0x00000020;
constexpr BYTE PFD_TYPE_RGBA = 0;
constexpr BYTE PFD_MAIN_PLANE = 0;

struct GLContextHandle;
using HGLRC = GLContextHandle*;

// The number (1) of a pixel format of an OpenGL window DC that gives what the
// descriptor asks (RGBA drawn to a window with OpenGL, at most 32 colour and
// depth bits, no layers); 0 when none does or the platform has no OpenGL.
int ChoosePixelFormat(CDC* dc, const PIXELFORMATDESCRIPTOR* pfd);
// Gives the window the format; FALSE for a window that is not an OpenGL
// window, a format ChoosePixelFormat does not give, or a window whose format
// was set before.
BOOL SetPixelFormat(CDC* dc, int format, const PIXELFORMATDESCRIPTOR* pfd);
// The rendering context of the window; null before its format is set.
HGLRC wglCreateContext(CDC* dc);
BOOL wglDeleteContext(HGLRC rc);
// Makes the context current on its window (FALSE while the platform has not
// created it yet); (null, null) releases the current one.
BOOL wglMakeCurrent(CDC* dc, HGLRC rc);
// The context our calls made current, null when none.
HGLRC wglGetCurrentContext();
// Shows the frame drawn.
BOOL SwapBuffers(CDC* dc);

namespace platform {

// The GL surface of an OpenGL window, for CWnd::CreateSurfaceWidget (the
// ordinary surface where the platform has no OpenGL).
QWidget* CreateOpenGLSurface(QWidget* parent);
// Runs with the context current each time the platform has created it.
void SetContextCreatedHandler(HGLRC rc, std::function<void()> handler);
// The frame the window shows (a null image for a window without OpenGL).
QImage GrabOpenGLFrame(CWnd* wnd);
// Makes a top-level window ready for OpenGL windows inside it before it is
// first shown. Without this the first OpenGL window makes Qt create the
// top-level's X window anew, which loses the maximised state and placement
// a window manager gave it.
void PrepareForOpenGLWindows(QWidget* topLevel);

} // namespace platform
