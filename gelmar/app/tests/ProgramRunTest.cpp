// The real program as a user runs it, on a virtual X server of the test's
// own: it opens the model named on its command line, takes a language from
// its Options menu, and quits through File > Exit with exit status 0; the
// next start shows the language file of that choice and quits when its
// window is closed, again with status 0; a start without a material
// database says so and ends with status 0. Keys reach it through the X
// server's test extension, as if typed.
#include "AppFixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <chrono>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>

namespace gelmar::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Whether pred() becomes true within the time, polled every 50 ms.
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

// A virtual X server for this test alone, so that no other test's window
// takes the keyboard, and a connection to it with the test extension.
class TestDisplay {
  public:
    bool Start()
    {
        m_server.setProgram("Xvfb");
        // -displayfd: the server picks a free display and tells its number.
        m_server.setArguments({"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        m_server.start();
        if (!m_server.waitForStarted(10000))
            return false;
        QByteArray number;
        if (!WaitFor(
                [&] {
                    m_server.waitForReadyRead(50);
                    number += m_server.readAllStandardOutput();
                    return number.contains('\n');
                },
                20s))
            return false;
        m_name = ':';
        m_name += number.trimmed().toStdString();
        m_display = XOpenDisplay(m_name.c_str());
        // A window that went away between looking and acting is no failure.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        m_xtest = dlopen("libXtst.so.6", RTLD_NOW);
        if (m_xtest)
            m_fakeKey = reinterpret_cast<FakeKey>(dlsym(m_xtest, "XTestFakeKeyEvent"));
        return m_display && m_fakeKey;
    }
    ~TestDisplay()
    {
        if (m_display)
            XCloseDisplay(m_display);
        if (m_xtest)
            dlclose(m_xtest);
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
    const std::string& Name() const { return m_name; }

    // The viewable top-level windows and their names.
    std::vector<std::pair<Window, std::string>> Windows() const
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
            char* name = nullptr;
            std::string text;
            if (XFetchName(m_display, children[i], &name) && name) {
                text = name;
                XFree(name);
            }
            found.emplace_back(children[i], text);
        }
        if (children)
            XFree(children);
        return found;
    }
    // The first viewable top-level window whose name starts with the text
    // (or is the text, when exact).
    Window Find(const std::string& text, bool exact = false) const
    {
        for (const auto& [w, name] : Windows())
            if (exact ? name == text : name.rfind(text, 0) == 0)
                return w;
        return 0;
    }
    Window WaitForWindow(const std::string& text, bool exact = false,
                         std::chrono::milliseconds limit = 60s) const
    {
        Window w = 0;
        WaitFor([&] { return (w = Find(text, exact)) != 0; }, limit);
        return w;
    }
    // The window takes the keyboard, as a click on it would give it.
    void Focus(Window w) const
    {
        XSetInputFocus(m_display, w, RevertToParent, CurrentTime);
        XSync(m_display, False);
        std::this_thread::sleep_for(400ms);
    }
    // Presses and releases a key, with Alt held when asked.
    void Key(KeySym key, bool alt = false) const
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
    // Closes the window as a window manager's close button does.
    void Close(Window w) const
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

  private:
    using FakeKey = int (*)(Display*, unsigned, int, unsigned long);
    QProcess m_server;
    std::string m_name;
    Display* m_display = nullptr;
    void* m_xtest = nullptr;
    FakeKey m_fakeKey = nullptr;
};

class ProgramRunTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        if (!m_display.Start())
            GTEST_SKIP() << "no Xvfb with the test extension";
    }
    // The program copied into the program folder, so that what it writes
    // there stays in this test's scratch folder.
    void InstallProgram(bool withMaterials)
    {
        PrepareProgramFolder(withMaterials);
        fs::copy_file(GELMAR_EXE, fs::path(m_programFolder) / "gelmar", fs::copy_options::overwrite_existing);
    }
    void StartProgram(const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", QString::fromStdString(m_display.Name()));
        env.insert("QT_QPA_PLATFORM", "xcb");
        m_program.setProcessEnvironment(env);
        m_program.setWorkingDirectory(QString::fromStdString(ScratchFolder() + "/work"));
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(QString::fromStdString(m_programFolder + "/gelmar"), arguments);
        ASSERT_TRUE(m_program.waitForStarted(10000));
    }
    // Waits for the program to end on its own; its exit status, or -1 when
    // it did not end (it is then stopped).
    int ExitStatus()
    {
        if (!m_program.waitForFinished(60000)) {
            m_program.kill();
            m_program.waitForFinished(5000);
            return -1;
        }
        return m_program.exitStatus() == QProcess::NormalExit ? m_program.exitCode() : -2;
    }
    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
        AppFixture::TearDown();
    }
    // The message box that the program opens (the only window with exactly
    // the program's name as its caption), answered with Return.
    void AnswerMessageBox()
    {
        const Window box = m_display.WaitForWindow("GELMAR", true, 60s);
        ASSERT_NE(box, 0u) << "no message box";
        m_display.Focus(box);
        m_display.Key(XK_Return);
        EXPECT_TRUE(WaitFor([&] { return m_display.Find("GELMAR", true) == 0; }, 20s));
    }

    TestDisplay m_display;
    QProcess m_program;
};

TEST_F(ProgramRunTest, ExitKeepsTheSettingsAndEveryWayOutEndsWithStatusZero)
{
    InstallProgram(true);
    const std::string wall = CopyWall("wall.glm");
    // The language file of the choice to come renames the program.
    WriteFile(m_programFolder + "/GelmarNDL.str", "128 \"GELMAR NL\"\n");

    StartProgram({QString::fromStdString(wall)});
    ASSERT_NE(m_display.WaitForWindow("GELMAR - wall.glm"), 0u);
    // The splash window closes by itself first. The main window is looked up
    // afterwards, and waited for, as the first OpenGL view makes Qt create its X
    // window anew, which a busy machine can take longer than the pause to do.
    std::this_thread::sleep_for(4s);
    const Window main = m_display.WaitForWindow("GELMAR - wall.glm");
    ASSERT_NE(main, 0u);
    m_display.Focus(main);
    // Options > Language > Nederlands, and OK to its message.
    m_display.Key(XK_o, true);
    m_display.Key(XK_Right);
    m_display.Key(XK_n);
    AnswerMessageBox();
    // File > Exit.
    m_display.Focus(main);
    m_display.Key(XK_f, true);
    m_display.Key(XK_x);
    EXPECT_EQ(ExitStatus(), 0);
    EXPECT_NE(ReadFile(m_programFolder + "/Gelmar.prm").find("lang=1"), std::string::npos);
    EXPECT_NE(ReadFile(ScratchFolder() + "/config/GELMAR/settings.ini").find(wall), std::string::npos);

    // The next start speaks the chosen language; closing its window ends it.
    StartProgram({});
    ASSERT_NE(m_display.WaitForWindow("GELMAR NL"), 0u);
    std::this_thread::sleep_for(4s);
    const Window again = m_display.WaitForWindow("GELMAR NL");
    ASSERT_NE(again, 0u);
    m_display.Close(again);
    EXPECT_EQ(ExitStatus(), 0);
}

TEST_F(ProgramRunTest, WithoutAMaterialDatabaseTheProgramSaysSoAndEndsWithStatusZero)
{
    InstallProgram(false);
    StartProgram({});
    AnswerMessageBox();
    EXPECT_EQ(ExitStatus(), 0);
}

} // namespace
} // namespace gelmar::test
