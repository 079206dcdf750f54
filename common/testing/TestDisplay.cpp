// The test's own X server and window manager (see TestDisplay.h).
#include "common/testing/TestDisplay.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace common::testing {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& pred, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

namespace {

// A window that went away between looking and acting is no failure.
int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

std::string WindowName(Display* display, Window w)
{
    char* name = nullptr;
    std::string text;
    if (XFetchName(display, w, &name) && name) {
        text = name;
        XFree(name);
    }
    return text;
}

// The client window of a top-level window: itself when it has a name,
// else the first named window below it (inside a window manager's frame).
Window ClientOf(Display* display, Window w)
{
    if (!WindowName(display, w).empty())
        return w;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, w, &root, &parent, &children, &count))
        for (unsigned i = 0; i < count && !found; ++i)
            found = ClientOf(display, children[i]);
    if (children)
        XFree(children);
    return found;
}

// Starts a program with the arguments (its standard output to outFd when
// given, else closed); 0 when it could not be started.
pid_t Spawn(std::vector<std::string> args, int outFd = -1, const char* display = nullptr)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid < 0 ? 0 : pid;
    if (display)
        setenv("DISPLAY", display, 1);
    const int null = open("/dev/null", O_RDWR);
    dup2(outFd >= 0 ? outFd : null, 1);
    dup2(null, 2);
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}

bool Running(pid_t pid)
{
    return pid > 0 && waitpid(pid, nullptr, WNOHANG) == 0;
}

void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (!WaitFor([pid] { return waitpid(pid, nullptr, WNOHANG) != 0; }, std::chrono::seconds(5))) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace

TestDisplay::~TestDisplay()
{
    if (m_display)
        XCloseDisplay(m_display);
    if (m_xtest)
        dlclose(m_xtest);
    Stop(m_windowManager);
    Stop(m_server);
}

bool TestDisplay::Start(bool withWindowManager, const char* screen)
{
    // -displayfd: the server picks a free display and tells its number.
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    m_server = Spawn({"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"}, fds[1]);
    close(fds[1]);
    std::string number;
    char c = 0;
    while (m_server && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        return false;
    m_name = ':' + number;
    m_display = XOpenDisplay(m_name.c_str());
    XSetErrorHandler(IgnoreErrors);
    m_xtest = dlopen("libXtst.so.6", RTLD_NOW);
    if (m_xtest) {
        m_fakeKey = reinterpret_cast<FakeKey>(dlsym(m_xtest, "XTestFakeKeyEvent"));
        m_fakeButton = reinterpret_cast<FakeButton>(dlsym(m_xtest, "XTestFakeButtonEvent"));
        m_fakeMotion = reinterpret_cast<FakeMotion>(dlsym(m_xtest, "XTestFakeMotionEvent"));
    }
    if (!m_display || !m_fakeKey || !m_fakeButton || !m_fakeMotion)
        return false;
    return !withWindowManager || StartWindowManager();
}

bool TestDisplay::StartWindowManager()
{
    m_windowManager = Spawn({"openbox", "--sm-disable"}, -1, m_name.c_str());
    if (!m_windowManager)
        return false;
    // The manager is up once it frames a window: a probe window is mapped
    // and waited for until the manager has put it in a frame of its own.
    const Window root = DefaultRootWindow(m_display);
    const Window probe = XCreateSimpleWindow(m_display, root, 0, 0, 10, 10, 0, 0, 0);
    XMapWindow(m_display, probe);
    XSync(m_display, False);
    const bool framed = WaitFor(
        [&] {
            Window r = 0, parent = 0, *children = nullptr;
            unsigned count = 0;
            XQueryTree(m_display, probe, &r, &parent, &children, &count);
            if (children)
                XFree(children);
            return (parent != 0 && parent != root) || !Running(m_windowManager);
        },
        20s);
    XDestroyWindow(m_display, probe);
    XSync(m_display, False);
    return framed && Running(m_windowManager);
}

std::vector<std::pair<Window, std::string>> TestDisplay::Windows() const
{
    std::vector<std::pair<Window, std::string>> found;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
        return found;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(m_display, children[i], &a) || a.map_state != IsViewable)
            continue;
        if (const Window client = ClientOf(m_display, children[i]))
            found.emplace_back(client, WindowName(m_display, client));
    }
    if (children)
        XFree(children);
    return found;
}

Window TestDisplay::Find(const std::string& text, bool exact) const
{
    for (const auto& [w, name] : Windows())
        if (exact ? name == text : name.rfind(text, 0) == 0)
            return w;
    return 0;
}

Window TestDisplay::WaitForWindow(const std::string& text, bool exact, std::chrono::milliseconds limit) const
{
    Window w = 0;
    WaitFor([&] { return (w = Find(text, exact)) != 0; }, limit);
    return w;
}

bool TestDisplay::IsMaximised(Window w) const
{
    const Atom state = XInternAtom(m_display, "_NET_WM_STATE", False);
    const Atom vert = XInternAtom(m_display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    const Atom horz = XInternAtom(m_display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    bool v = false, h = false;
    if (XGetWindowProperty(m_display, w, state, 0, 64, False, XA_ATOM, &type, &format, &items, &after, &data) ==
            Success &&
        data) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < items; ++i) {
            v = v || atoms[i] == vert;
            h = h || atoms[i] == horz;
        }
        XFree(data);
    }
    return v && h;
}

std::vector<int> TestDisplay::Geometry(Window w) const
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(m_display, w, &a))
        return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, w, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y, a.width, a.height};
}

void TestDisplay::Focus(Window w) const
{
    XSetInputFocus(m_display, w, RevertToParent, CurrentTime);
    XSync(m_display, False);
    std::this_thread::sleep_for(400ms);
}

void TestDisplay::Key(KeySym key, bool alt) const
{
    const unsigned altCode = XKeysymToKeycode(m_display, XK_Alt_L);
    const unsigned code = XKeysymToKeycode(m_display, key);
    if (alt)
        m_fakeKey(m_display, altCode, True, 0);
    m_fakeKey(m_display, code, True, 0);
    m_fakeKey(m_display, code, False, 0);
    if (alt)
        m_fakeKey(m_display, altCode, False, 0);
    XSync(m_display, False);
    std::this_thread::sleep_for(300ms);
}

void TestDisplay::MoveTo(int x, int y) const
{
    m_fakeMotion(m_display, 0, x, y, 0);
    XSync(m_display, False);
}

void TestDisplay::Click(int times) const
{
    for (int i = 0; i < times; ++i) {
        m_fakeButton(m_display, 1, True, 0);
        m_fakeButton(m_display, 1, False, 0);
    }
    XSync(m_display, False);
}

void TestDisplay::Close(Window w) const
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, w, False, NoEventMask, &e);
    XSync(m_display, False);
}

} // namespace common::testing
