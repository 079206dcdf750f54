// The main window's kept rectangle (see WindowPlacement.h), stored as
// "left top width height" under "Settings", "WindowPlacement".
#include "platform/ui/WindowPlacement.h"

#include "platform/ui/App.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <sstream>

namespace platform {

namespace {

constexpr const char* kSection = "Settings";
constexpr const char* kEntry = "WindowPlacement";

// Whether enough of the rectangle lies on some screen to take hold of it.
bool OnAScreen(const QRect& rect)
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->availableGeometry().intersected(rect);
        if (common.width() >= 100 && common.height() >= 50)
            return true;
    }
    return false;
}

} // namespace

void SaveWindowPlacement(const QWidget& window, CWinApp& app)
{
    const QRect r = window.isMaximized() || window.isFullScreen() ? window.normalGeometry() : window.geometry();
    if (!r.isValid())
        return;
    std::ostringstream text;
    text << r.left() << ' ' << r.top() << ' ' << r.width() << ' ' << r.height();
    app.WriteProfileString(kSection, kEntry, text.str());
}

void RestoreWindowPlacement(QWidget& window, CWinApp& app)
{
    std::istringstream text(app.GetProfileString(kSection, kEntry));
    int left = 0, top = 0, width = 0, height = 0;
    if (!(text >> left >> top >> width >> height) || width <= 0 || height <= 0)
        return;
    const QRect r(left, top, width, height);
    if (OnAScreen(r))
        window.setGeometry(r);
}

} // namespace platform
