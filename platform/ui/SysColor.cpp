// System colours from the application palette.
#include "platform/ui/SysColor.h"

#include "platform/ui/Gdi.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>

COLORREF GetSysColor(int index)
{
    QPalette pal = QApplication::palette();
    QColor c;
    switch (index) {
    case COLOR_WINDOW:
        c = pal.color(QPalette::Base);
        break;
    case COLOR_WINDOWTEXT:
        c = pal.color(QPalette::Text);
        break;
    case COLOR_HIGHLIGHT:
        c = pal.color(QPalette::Highlight);
        break;
    case COLOR_HIGHLIGHTTEXT:
        c = pal.color(QPalette::HighlightedText);
        break;
    case COLOR_BTNFACE:
        c = pal.color(QPalette::Button);
        break;
    case COLOR_BTNSHADOW:
        c = pal.color(QPalette::Dark);
        break;
    case COLOR_GRAYTEXT:
        c = pal.color(QPalette::Disabled, QPalette::Text);
        break;
    case COLOR_BTNTEXT:
        c = pal.color(QPalette::ButtonText);
        break;
    case COLOR_BTNHIGHLIGHT:
        c = pal.color(QPalette::Light);
        break;
    case COLOR_3DDKSHADOW:
        c = pal.color(QPalette::Shadow);
        break;
    case COLOR_3DLIGHT:
        c = pal.color(QPalette::Midlight);
        break;
    case COLOR_INFOTEXT:
        c = pal.color(QPalette::ToolTipText);
        break;
    case COLOR_INFOBK:
        c = pal.color(QPalette::ToolTipBase);
        break;
    case COLOR_WINDOWFRAME:
        c = pal.color(QPalette::Shadow);
        break;
    case COLOR_SCROLLBAR:
        c = pal.color(QPalette::Mid);
        break;
    default:
        c = pal.color(QPalette::Window);
        break;
    }
    return FromQColor(c);
}

int GetSystemMetrics(int index)
{
    QStyle* style = QApplication::style();
    QScreen* screen = QGuiApplication::primaryScreen();
    switch (index) {
    case SM_CXSCREEN:
        return screen ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
        return screen ? screen->geometry().height() : 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    default:
        return 0;
    }
}
