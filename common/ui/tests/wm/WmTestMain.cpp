// The window tests under a window manager: an X server of the executable's
// own with openbox, made before the application connects to it on Qt's xcb
// platform. Where either program is missing every test is skipped.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// X11's headers come after Qt's (they define names Qt's headers use).
#include "WmDisplay.h"

namespace {

class NoWindowManager : public ::testing::Environment {
  public:
    void SetUp() override { GTEST_SKIP() << "no Xvfb with the test extension and openbox"; }
};

common::testing::TestDisplay* g_display = nullptr;

} // namespace

namespace common::test {

common::testing::TestDisplay& WmDisplay()
{
    return *g_display;
}

} // namespace common::test

int main(int argc, char** argv)
{
    common::testing::TestDisplay display;
    const bool up = display.Start(true);
    if (up) {
        setenv("DISPLAY", display.Name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        g_display = &display;
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        if (!up)
            ::testing::AddGlobalTestEnvironment(new NoWindowManager);
        status = RUN_ALL_TESTS();
    }
    return status;
}
