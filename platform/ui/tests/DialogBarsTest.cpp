// Dialogs that carry a menu, accelerators, a toolbar and a status bar: the
// bars around the controls, update handlers when a popup opens and after
// every command, keys translated into commands, the idle kick of the modal
// loop; and the print dialog's printer DC.
#include "platform/ui/Accelerators.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Frame.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

using platform::Ctl;

constexpr UINT kDialog = 9140;
constexpr UINT kMenu = 9141;
constexpr UINT kToolBar = 9141;
constexpr UINT kAccel = 9142;
constexpr UINT ID_RUN = 41001;
constexpr UINT ID_BLOCKED = 41002;
constexpr UINT ID_MARK = 41003;
constexpr UINT kEdit = 1001;

void RegisterResources()
{
    platform::DialogTemplate t;
    t.id = kDialog;
    t.caption = "Bars";
    t.controls = {{Ctl::Edit, kEdit, "", 0, 0}};
    t.menu = kMenu;
    platform::Resources::Get().AddDialog(t);
    platform::Resources::Get().AddMenu(
        {kMenu,
         {{"&File", 0, {{"&Run\tCtrl+K", ID_RUN}, {"", 0}, {"&Blocked", ID_BLOCKED}}},
          {"&View", 0, {{"&Mark", ID_MARK}}}}});
    platform::Resources::Get().AddToolBar({kToolBar, 16, 15, {ID_RUN, ID_SEPARATOR, ID_BLOCKED, ID_MARK}});
    using namespace platform;
    Resources::Get().AddAccelerators(
        {kAccel, {{FVIRTKEY | FCONTROL, 'K', ID_RUN}, {FVIRTKEY | FCONTROL, 'B', ID_BLOCKED}}});
}

// A toolbar that follows its dialog's update handlers when the dialog is idle.
class CIdleToolBar : public CToolBar {
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_IDLEUPDATECMDUI) {
            if (IsWindowVisible() && GetParent())
                OnUpdateCmdUI(GetParent(), static_cast<BOOL>(wParam));
            return 0;
        }
        return CToolBar::WindowProc(message, wParam, lParam);
    }
};

class CBarsDlg : public CDialog {
  public:
    CBarsDlg() : CDialog(kDialog) {}
    int runs = 0, blockedRuns = 0, kicks = 0;
    bool blocked = true, marked = false;
    CIdleToolBar toolBar;
    CStatusBar statusBar;
    HACCEL accel = LoadAccelerators(kAccel);

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        EXPECT_TRUE(toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP));
        EXPECT_TRUE(toolBar.LoadToolBar(kToolBar));
        EXPECT_TRUE(statusBar.Create(this));
        const UINT panes[] = {ID_SEPARATOR, ID_MARK};
        statusBar.SetIndicators(panes, 2);
        return TRUE;
    }
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override
    {
        static const CommandMap map = {
            ::OnCommand(ID_RUN, &CBarsDlg::OnRun),
            ::OnCommand(ID_BLOCKED, &CBarsDlg::OnBlocked),
            OnUpdate(ID_BLOCKED, &CBarsDlg::OnUpdateBlocked),
            ::OnCommand(ID_MARK, &CBarsDlg::OnMark),
            OnUpdate(ID_MARK, &CBarsDlg::OnUpdateMark),
        };
        return map.Dispatch(this, id, code, ui) || CDialog::OnCmdMsg(id, code, ui);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KICKIDLE) {
            ++kicks;
            SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, TRUE);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        return TranslateAccelerator(this, accel, pMsg) || CDialog::PreTranslateMessage(pMsg);
    }
    void OnRun() { ++runs; }
    void OnBlocked() { ++blockedRuns; }
    void OnUpdateBlocked(CCmdUI* ui) { ui->Enable(!blocked); }
    void OnMark()
    {
        marked = !marked;
        blocked = !marked;
    }
    void OnUpdateMark(CCmdUI* ui)
    {
        ui->SetCheck(marked ? 1 : 0);
        ui->SetText(marked ? "Marked" : "Not marked");
    }
};

QAction* MenuItem(CDialog& dlg, int popup, UINT id, QMenu** menuOut = nullptr)
{
    QMenu* menu = dlg.GetMenuBar()->actions().at(popup)->menu();
    if (menuOut)
        *menuOut = menu;
    for (QAction* a : menu->actions())
        if (a->data().toUInt() == id)
            return a;
    return nullptr;
}

struct DialogBarsFixture : ::testing::Test {
    void SetUp() override
    {
        platform::TestHook::Get().Reset();
        RegisterResources();
    }
    void TearDown() override { platform::TestHook::Get().Reset(); }
};

TEST_F(DialogBarsFixture, ControlsSitBetweenTheMenuToolbarAndStatusBar)
{
    CBarsDlg dlg;
    ASSERT_TRUE(dlg.Create(kDialog));
    dlg.MoveWindow(0, 0, 400, 300);
    QApplication::processEvents();
    QWidget* edit = dlg.GetDlgItem(kEdit)->GetWidget();
    const QRect menu = dlg.GetMenuBar()->geometry();
    const QRect bar = dlg.toolBar.GetWidget()->geometry();
    const QRect status = dlg.statusBar.GetWidget()->geometry();
    EXPECT_TRUE(dlg.GetMenuBar()->isVisible());
    EXPECT_GT(bar.height(), 0);
    EXPECT_GE(bar.top(), menu.bottom());
    EXPECT_GT(edit->geometry().top(), bar.bottom());
    EXPECT_LT(edit->geometry().bottom(), status.top());
    EXPECT_EQ(status.bottom(), dlg.GetWidget()->height() - 1);

    // The area the bars leave free starts under the toolbar and ends on the
    // status bar.
    CRect free;
    dlg.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0, reposQuery, &free);
    EXPECT_EQ(free.top, bar.bottom() + 1);
    EXPECT_EQ(free.bottom, status.top());
    EXPECT_TRUE(dlg.statusBar.SetPaneText(0, "Ready"));
    EXPECT_EQ(dlg.statusBar.GetPaneText(0), "Ready");
}

TEST_F(DialogBarsFixture, PopupsAndBarsFollowTheUpdateHandlers)
{
    CBarsDlg dlg;
    ASSERT_TRUE(dlg.Create(kDialog));
    QMenu* file = nullptr;
    QAction* blocked = MenuItem(dlg, 0, ID_BLOCKED, &file);
    ASSERT_TRUE(blocked);
    emit file->aboutToShow();
    EXPECT_FALSE(blocked->isEnabled());
    // A disabled item does nothing, whether chosen or clicked on the bar.
    blocked->trigger();
    dlg.toolBar.FindButton(ID_BLOCKED)->trigger();
    EXPECT_EQ(dlg.blockedRuns, 0);

    // A command refreshes the bars at once: the Blocked button opens up and
    // the status pane takes the new text.
    QMenu* view = nullptr;
    MenuItem(dlg, 1, ID_MARK, &view)->trigger();
    EXPECT_TRUE(dlg.marked);
    EXPECT_TRUE(dlg.toolBar.FindButton(ID_BLOCKED)->isEnabled());
    EXPECT_TRUE(dlg.toolBar.FindButton(ID_MARK)->isChecked());
    emit view->aboutToShow();
    QAction* mark = MenuItem(dlg, 1, ID_MARK);
    EXPECT_TRUE(mark->isChecked());
    EXPECT_EQ(mark->text().toStdString(), "Marked");
    dlg.toolBar.FindButton(ID_BLOCKED)->trigger();
    EXPECT_EQ(dlg.blockedRuns, 1);
}

TEST_F(DialogBarsFixture, AcceleratorsRunTheirCommandsOnlyWhenEnabled)
{
    CBarsDlg dlg;
    ASSERT_TRUE(dlg.Create(kDialog));
    QApplication::processEvents();
    QWidget* edit = dlg.GetDlgItem(kEdit)->GetWidget();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(dlg.runs, 1);
    QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(dlg.blockedRuns, 0);
    // Plain K is text for the edit, not the command.
    QTest::keyClick(edit, Qt::Key_K);
    EXPECT_EQ(dlg.runs, 1);
    EXPECT_EQ(dlg.GetDlgItemText(kEdit), "k");
    EXPECT_FALSE(TranslateAccelerator(&dlg, nullptr, nullptr));
}

TEST_F(DialogBarsFixture, TheModalLoopKicksTheDialogWhenIdle)
{
    CBarsDlg dlg;
    int kicksSeen = -1;
    bool blockedEnabled = true;
    platform::TestHook::Get().Enable();
    platform::TestHook::Get().PushDialogScript([&](CDialog&) {
        QApplication::processEvents();
        kicksSeen = dlg.kicks;
        blockedEnabled = dlg.toolBar.FindButton(ID_BLOCKED)->isEnabled();
        dlg.EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_GT(kicksSeen, 0);
    EXPECT_FALSE(blockedEnabled);
    // The closed dialog is kicked no more.
    const int after = dlg.kicks;
    RequestIdleUpdate();
    QApplication::processEvents();
    EXPECT_EQ(dlg.kicks, after);
}

int PdfPages(const char* path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = pdf.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page "));
}

TEST_F(DialogBarsFixture, PrintDialogHandsOverAPrinterDC)
{
    platform::TestHook::Get().Enable();
    const DWORD flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE;
    {
        platform::TestHook::Get().PushPrintDialogAnswer("printed.pdf");
        CPrintDialog dlg(FALSE, flags);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        std::unique_ptr<CDC> dc = dlg.GetPrinterDC();
        ASSERT_TRUE(dc);
        EXPECT_TRUE(dc->IsPrinting());
        EXPECT_FALSE(dlg.GetPrinterDC());
        ASSERT_GT(dc->StartDoc("Job"), 0);
        for (int page = 0; page < 3; ++page) {
            dc->StartPage();
            dc->TextOut(100, 100, "Page");
            dc->EndPage();
        }
        dc->EndDoc();
    }
    EXPECT_EQ(PdfPages("printed.pdf"), 3);

    // Cancel, and OK without a DC asked for: no DC.
    CPrintDialog cancelled(FALSE, flags);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_FALSE(cancelled.GetPrinterDC());
    platform::TestHook::Get().PushPrintDialogAnswer("unused.pdf");
    CPrintDialog noDC(FALSE, PD_NOSELECTION);
    EXPECT_EQ(noDC.DoModal(), IDOK);
    EXPECT_FALSE(noDC.GetPrinterDC());
}

} // namespace
