// The real program as a user runs it, on a virtual X server of the test's
// own with a window manager: it opens the model named on its command line in
// a maximised window, takes a language from its Options menu, and quits
// through File > Exit with exit status 0; the
// next start shows the language file of that choice and quits when its
// window is closed, again with status 0; a start without a material
// database says so and ends with status 0. Keys reach it through the X
// server's test extension, as if typed.
#include "AppFixture.h"
#include "common/testing/TestDisplay.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <X11/keysym.h>
#include <chrono>
#include <filesystem>
#include <thread>

namespace gelmar::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using common::testing::TestDisplay;
using common::testing::WaitFor;

class ProgramRunTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        if (!m_display.Start(true))
            GTEST_SKIP() << "no Xvfb with the test extension and openbox";
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
    // The window manager shows it maximised, over the whole screen but the
    // title bar (the 3D view that made Qt create its X window anew has not
    // undone that).
    EXPECT_TRUE(m_display.IsMaximised(main));
    const std::vector<int> geometry = m_display.Geometry(main);
    ASSERT_EQ(geometry.size(), 4u);
    EXPECT_EQ(geometry[2], 1024);
    EXPECT_GT(geometry[3], 700);
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
