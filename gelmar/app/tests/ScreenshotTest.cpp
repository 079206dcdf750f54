// A picture of the main window with the example model, for the eye: runs
// only when GELMAR_SCREENSHOT names the PNG file to write (under Xvfb with
// QT_QPA_PLATFORM=xcb, or on any other platform).
#include "AppFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

namespace gelmar::test {
namespace {

using ScreenshotTest = AppFixture;

TEST_F(ScreenshotTest, MainWindowWithTheExampleModel)
{
    const char* out = std::getenv("GELMAR_SCREENSHOT");
    if (!out)
        GTEST_SKIP() << "GELMAR_SCREENSHOT not set";
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    // Without a window manager the maximised window keeps its first size.
    Main()->MoveWindow(0, 0, 1280, 1000);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    Main()->ArrangeViewFrames();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Main()->GetWidget()->grab().save(out, "PNG"));
}

} // namespace
} // namespace gelmar::test
