// Pictures of the main window with the example model in each kind of the 3D
// view, for the eye: written only when GELMAR_VIEW3D_SHOTS gives the prefix
// of the file names ("<prefix>materials.png" and so on).
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/tests/AppFixture.h"
#include "resources/gelmar/GelmarIds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QWidget>
#include <cstdlib>

namespace gelmar::test {
namespace {

using GlScreenshotTest = AppFixture;

void Wait(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST_F(GlScreenshotTest, ExampleModelInEachViewKind)
{
    const char* prefix = std::getenv("GELMAR_VIEW3D_SHOTS");
    if (!prefix)
        GTEST_SKIP() << "GELMAR_VIEW3D_SHOTS not set";
    PrepareProgramFolder(true);
    ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    Main()->MoveWindow(0, 0, 1280, 1000);
    Wait(500);
    Main()->ArrangeViewFrames();
    Wait(500);
    ASSERT_NE(g_graphView, nullptr);
    const struct {
        UINT command;
        const char* name;
    } kinds[] = {{ID_SHOW_MATERIALS, "materials"},
                 {ID_SHOW_TRANSPARENT, "transparent"},
                 {ID_SHOW_BCS, "bcs"},
                 {ID_CALC_SYSTEM, "temperatures"}};
    for (const auto& k : kinds) {
        // Show Materials is the kind shown at first (its command is off then).
        Main()->ExecuteCommand(k.command);
        Wait(500);
        EXPECT_TRUE(Main()->GetWidget()->grab().save(QString::fromStdString(std::string(prefix) + k.name + ".png"),
                                                     "PNG"));
    }
    EXPECT_EQ(g_graphView->m_viewKind, ViewKind::Temperatures);
}

} // namespace
} // namespace gelmar::test
