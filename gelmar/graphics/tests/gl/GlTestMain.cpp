// OpenGL window tests run on the xcb platform of the display given (a
// virtual X server under xvfb-run); without a display every test is skipped.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

bool HasDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display && *display;
}

class NoDisplay : public ::testing::Environment {
  public:
    void SetUp() override { GTEST_SKIP() << "no X display: run under xvfb-run"; }
};

} // namespace

int main(int argc, char** argv)
{
    const bool display = HasDisplay();
    setenv("QT_QPA_PLATFORM", display ? "xcb" : "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (!display)
        ::testing::AddGlobalTestEnvironment(new NoDisplay);
    return RUN_ALL_TESTS();
}
