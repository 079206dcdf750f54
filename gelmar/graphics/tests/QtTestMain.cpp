// Window tests run on Qt's offscreen platform, whatever display is present;
// only the screenshot run (GELMAR_SCREENSHOT set) keeps the platform given.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!std::getenv("GELMAR_SCREENSHOT"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
