// The main window as a user meets it: toolbar buttons with the program's
// own pictures and their commands' tool tips, the program's icon on every
// window, "Ready" in the message pane, the prompt of a highlighted menu item
// or toolbar button there (fly-by help), the document's status text in its
// own pane, and the commands of windows the program does not have yet
// disabled rather than doing nothing.
#include "AppFixture.h"
#include "gelmar/app/PendingWindows.h"
#include "resources/gelmar/GelmarIds.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QIcon>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace gelmar::test {
namespace {

class MainFrameBarsTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
    }
    QToolBar* ToolBar() const { return Main()->GetWidget()->findChild<QToolBar*>(); }
    std::string MessagePane() const { return Main()->m_wndStatusBar.GetPaneText(0); }
    // The popup of the menu bar that holds the command, and its item.
    std::pair<QMenu*, QAction*> MenuItem(UINT id) const
    {
        for (QAction* top : Main()->GetWidget()->findChild<QMenuBar*>()->actions())
            if (QMenu* menu = top->menu())
                for (QAction* a : menu->actions())
                    if (a->data().toUInt() == id)
                        return {menu, a};
        return {nullptr, nullptr};
    }
    static QImage Picture(const QIcon& icon, QSize size)
    {
        return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    }
};

TEST_F(MainFrameBarsTest, ToolbarButtonsShowTheProgramsPicturesAndTheCommandsTips)
{
    struct Button {
        UINT id;
        const char* tip;
    };
    const Button buttons[] = {
        {ID_FILE_NEW, "New"},
        {ID_FILE_OPEN, "Open"},
        {ID_FILE_SAVE, "Save"},
        {ID_ROTATE, "Rotate"},
        {ID_PAN, "Pan"},
        {ID_ZOOM_WINDOW, "Zoom Window"},
        {ID_ZOOM_OUT, "Zoom Out"},
        {ID_ZOOM_TOTAL, "Zoom Total"},
        {ID_PREVIOUS_VIEW, "Previous View"},
        {ID_CALC_SYSTEM, "Calc System"},
        {ID_GRAPHIC_OUTPUT, "Graphic Output"},
        {ID_TEXT_OUTPUT, "Text Output"},
    };
    const QImage strip = QImage(":/gelmar/MainToolBar.xpm").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(strip.size(), QSize(16 * 12, 15));
    std::vector<QImage> seen;
    for (int i = 0; i < 12; ++i) {
        const Button& b = buttons[i];
        SCOPED_TRACE(b.tip);
        QAction* a = Main()->m_wndToolBar.FindButton(b.id);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->toolTip().toStdString(), b.tip);
        // The button shows tile i of the strip, and no other button shows it.
        const QImage shown = Picture(a->icon(), QSize(16, 15));
        EXPECT_EQ(shown, strip.copy(i * 16, 0, 16, 15));
        for (const QImage& other : seen)
            EXPECT_NE(shown, other);
        seen.push_back(shown);
    }
}

TEST_F(MainFrameBarsTest, EveryWindowShowsTheProgramsOwnIcon)
{
    const QImage own = QImage(":/gelmar/Gelmar.xpm").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(own.size(), QSize(32, 32));
    EXPECT_EQ(Picture(QApplication::windowIcon(), QSize(32, 32)), own);
    EXPECT_EQ(Picture(Main()->GetWidget()->windowIcon(), QSize(32, 32)), own);
    // The child windows' title bars show it too.
    const QList<QMdiSubWindow*> children = Main()->GetMdiArea()->subWindowList();
    ASSERT_FALSE(children.isEmpty());
    for (QMdiSubWindow* sub : children)
        EXPECT_EQ(Picture(sub->windowIcon(), QSize(32, 32)), own);
}

TEST_F(MainFrameBarsTest, MessagePaneSaysReadyAndShowsThePromptOfWhatIsHighlighted)
{
    EXPECT_EQ(MessagePane(), "Ready");

    // A menu item under the keyboard or the mouse: its prompt; the menu
    // closed: Ready again.
    auto [menu, save] = MenuItem(ID_FILE_SAVE);
    ASSERT_NE(save, nullptr);
    menu->popup(QPoint(0, 0));
    menu->setActiveAction(save);
    EXPECT_EQ(MessagePane(), "Save the model");
    auto [viewMenu, toolbar] = MenuItem(ID_VIEW_TOOLBAR);
    viewMenu->popup(QPoint(0, 0));
    viewMenu->setActiveAction(toolbar);
    EXPECT_EQ(MessagePane(), "Show or hide the toolbar");
    viewMenu->hide();
    menu->hide();
    EXPECT_EQ(MessagePane(), "Ready");

    // A toolbar button under the mouse: its prompt (the text before the tool
    // tip); the mouse off the bar: Ready.
    QAction* calc = Main()->m_wndToolBar.FindButton(ID_CALC_SYSTEM);
    ASSERT_NE(calc, nullptr);
    QWidget* button = ToolBar()->widgetForAction(calc);
    ASSERT_NE(button, nullptr);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(MessagePane(), "Calculate the model");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(ToolBar(), &leave);
    EXPECT_EQ(MessagePane(), "Ready");
}

TEST_F(MainFrameBarsTest, DocumentPaneShowsTheDocumentsStatusText)
{
    Main()->UpdateControlBars();
    EXPECT_EQ(Main()->m_wndStatusBar.GetPaneText(1), "");
    Doc()->SetStatusText("Block size 0.05 x 1 x 1 m");
    Main()->UpdateControlBars();
    EXPECT_EQ(Main()->m_wndStatusBar.GetPaneText(1), "Block size 0.05 x 1 x 1 m");
}

TEST_F(MainFrameBarsTest, CommandsOfWindowsNotYetBuiltAreDisabled)
{
    struct Pending {
        UINT id;
        bool built;
    };
    const Pending pending[] = {
        {ID_ROTATE, kViewNavigationBuilt},        {ID_PAN, kViewNavigationBuilt},
        {ID_ZOOM_WINDOW, kViewNavigationBuilt},   {ID_ZOOM_IN, kViewNavigationBuilt},
        {ID_ZOOM_OUT, kViewNavigationBuilt},      {ID_ZOOM_TOTAL, kViewNavigationBuilt},
        {ID_PREVIOUS_VIEW, kViewNavigationBuilt}, {ID_ZOOM_NUMBERS, kViewNavigationBuilt},
        {ID_GRAPHIC_OUTPUT, kGraphicOutputBuilt}, {ID_TEMPERATURE_RANGE, kTemperatureRangeBuilt},
    };
    // Temperatures on show, so that Temperature Range has its 3D view state.
    ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
    Main()->UpdateControlBars();
    for (const Pending& p : pending) {
        if (p.built)
            continue;
        SCOPED_TRACE(p.id);
        auto [menu, item] = MenuItem(p.id);
        ASSERT_NE(item, nullptr);
        emit menu->aboutToShow();
        EXPECT_FALSE(item->isEnabled());
        if (QAction* button = Main()->m_wndToolBar.FindButton(p.id)) {
            EXPECT_FALSE(button->isEnabled());
        }
        EXPECT_FALSE(Main()->ExecuteCommand(p.id));
    }
    // The windows that exist keep their commands.
    EXPECT_TRUE(Main()->m_wndToolBar.FindButton(ID_TEXT_OUTPUT)->isEnabled());
    EXPECT_TRUE(Main()->m_wndToolBar.FindButton(ID_CALC_SYSTEM)->isEnabled());
}

} // namespace
} // namespace gelmar::test
