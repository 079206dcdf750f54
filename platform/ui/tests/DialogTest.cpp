// Dialogs from templates: controls by id, data exchange both ways, range
// validation that keeps the dialog open, and the test hook's answers.
#include "platform/ui/Dialog.h"

#include "platform/core/Folders.h"
#include "platform/core/StringTable.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using platform::Ctl;

constexpr UINT kDialog = 9133;

void RegisterTemplate()
{
    platform::DialogTemplate t;
    t.id = kDialog;
    t.caption = "Grid Unit";
    t.controls = {
        {Ctl::Static, 0xFFFF, "Grid &unit", 0, 0},
        {Ctl::Edit, 1003, "", 0, 1},
        {Ctl::Static, 0xFFFF, "Title", 1, 0},
        {Ctl::Edit, 1018, "", 1, 1},
        {Ctl::CheckBox, 1143, "&X", 2, 0},
        {Ctl::GroupBox, 1200, "Drag", 3, 0, 1, 2},
        {Ctl::RadioButton, 1146, "Drag &Object", 0, 0, 1, 1, WS_GROUP, 1200},
        {Ctl::RadioButton, 1147, "Drag &Viewpoint", 1, 0, 1, 1, 0, 1200},
        {Ctl::ComboBox, 1210, "", 4, 0},
        {Ctl::Progress, 1034, "", 5, 0, 1, 2},
        {Ctl::DefPushButton, IDOK, "OK", 6, 0},
        {Ctl::PushButton, IDCANCEL, "Cancel", 6, 1},
    };
    platform::Resources::Get().AddDialog(t);
}

class CDlgUnit : public CDialog {
  public:
    CDlgUnit() : CDialog(kDialog) {}
    double m_unit = 0.5;
    std::string m_title = "abc";
    int m_x = 1;
    int m_drag = 1;
    int m_kind = 2;
    CProgressCtrl m_progress;
    int initCalls = 0;

    BOOL OnInitDialog() override
    {
        ++initCalls;
        CDialog::OnInitDialog();
        auto* combo = static_cast<CComboBox*>(GetDlgItem(1210));
        for (const char* s : {"m", "dm", "cm", "mm"})
            combo->AddString(s);
        combo->SetCurSel(m_kind);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 1034, m_progress);
        DDX_Text(pDX, 1003, m_unit);
        DDV_MinMaxDouble(pDX, m_unit, 1e-9, 1e9);
        DDX_Text(pDX, 1018, m_title);
        DDV_MaxChars(pDX, m_title, 5);
        DDX_Check(pDX, 1143, m_x);
        DDX_Radio(pDX, 1146, m_drag);
    }
};

struct DialogFixture : ::testing::Test {
    void SetUp() override
    {
        RegisterTemplate();
        platform::TestHook::Get().Reset();
        platform::TestHook::Get().Enable();
    }
    void TearDown() override { platform::TestHook::Get().Reset(); }
};

TEST_F(DialogFixture, TemplateBuildsAndDataExchangeRoundTrips)
{
    CDlgUnit dlg;
    bool ran = false;
    platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
        ran = true;
        EXPECT_EQ(d.GetWindowText(), "Grid Unit");
        EXPECT_EQ(d.GetDlgItemText(1003), "0.5");
        EXPECT_EQ(d.GetDlgItemText(1018), "abc");
        EXPECT_EQ(d.IsDlgButtonChecked(1143), 1u);
        EXPECT_EQ(d.IsDlgButtonChecked(1146), 0u);
        EXPECT_EQ(d.IsDlgButtonChecked(1147), 1u);
        EXPECT_EQ(d.GetDlgItemText(1147), "Drag &Viewpoint");
        // Group boxes do not own their controls: the dialog does.
        EXPECT_EQ(d.GetDlgItem(1146)->GetParent(), &d);
        EXPECT_TRUE(d.GetDlgItem(1146)->IsWindowVisible());
        EXPECT_TRUE(d.GetDlgItem(1003)->IsWindowVisible());
        EXPECT_EQ(static_cast<CComboBox*>(d.GetDlgItem(1210))->GetLBText(2), "cm");
        // The bound progress bar is the template's control.
        auto& dlgUnit = static_cast<CDlgUnit&>(d);
        EXPECT_EQ(d.GetDlgItem(1034), &dlgUnit.m_progress);
        dlgUnit.m_progress.SetRange32(0, 3);
        dlgUnit.m_progress.SetStep(1);
        for (int i = 0; i < 4; ++i)
            dlgUnit.m_progress.StepIt();
        EXPECT_EQ(dlgUnit.m_progress.GetPos(), 0); // wrapped at the end

        d.SetDlgItemText(1003, " 2.5e-3 ");
        d.SetDlgItemText(1018, "xy");
        d.CheckDlgButton(1143, 0);
        d.ClickButton(1146);
        d.ClickButton(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(ran);
    EXPECT_EQ(dlg.initCalls, 1);
    EXPECT_DOUBLE_EQ(dlg.m_unit, 2.5e-3);
    EXPECT_EQ(dlg.m_title, "xy");
    EXPECT_EQ(dlg.m_x, 0);
    EXPECT_EQ(dlg.m_drag, 0);
    EXPECT_TRUE(platform::TestHook::Get().Messages().empty());
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.m_progress.GetSafeHwnd(), nullptr);
}

TEST_F(DialogFixture, OutOfRangeValueShowsTheMessageAndKeepsTheDialogOpen)
{
    CDlgUnit dlg;
    platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
        struct Case {
            const char* unit;
            const char* title;
            const char* message;
        };
        const Case cases[] = {
            {"0", "ok", "Please enter a number between 1e-09 and 1000000000."},
            {"abc", "ok", "Please enter a number."},
            {"1,5", "ok", "Please enter a number."},
            {"1e10", "ok", "Please enter a number between 1e-09 and 1000000000."},
        };
        for (const auto& c : cases) {
            platform::TestHook::Get().ClearMessages();
            d.SetDlgItemText(1003, c.unit);
            d.SetDlgItemText(1018, c.title);
            d.ClickButton(IDOK);
            EXPECT_FALSE(d.IsEnded()) << c.unit;
            ASSERT_EQ(platform::TestHook::Get().Messages().size(), 1u) << c.unit;
            EXPECT_EQ(platform::TestHook::Get().Messages()[0].text, c.message);
            EXPECT_EQ(platform::TestHook::Get().Messages()[0].style, UINT(MB_ICONEXCLAMATION));
        }
        d.SetDlgItemText(1003, "7");
        d.SetDlgItemText(1018, "fine");
        d.ClickButton(IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_DOUBLE_EQ(dlg.m_unit, 7.0);
}

TEST_F(DialogFixture, CancelKeepsTheMembersAndTypingIsLimited)
{
    CDlgUnit dlg;
    platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
        auto* title = qobject_cast<QLineEdit*>(d.GetDlgItem(1018)->GetWidget());
        ASSERT_NE(title, nullptr);
        title->clear();
        QTest::keyClicks(title, "abcdefgh");
        EXPECT_EQ(title->text().toStdString(), "abcde");
        d.SetDlgItemText(1003, "-1");
        d.SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_DOUBLE_EQ(dlg.m_unit, 0.5);
    EXPECT_EQ(dlg.m_title, "abc");
}

TEST_F(DialogFixture, ScriptThatLeavesTheDialogOpenCancelsIt)
{
    CDlgUnit dlg;
    platform::TestHook::Get().PushDialogScript([](CDialog&) {});
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST_F(DialogFixture, MessageBoxesTakeQueuedAnswersThenTheirDefaultButton)
{
    platform::Strings().LoadEnglish("368 \"Delete selected block(s) ?\"\n");
    platform::TestHook::Get().PushMessageBoxAnswer(IDNO);
    EXPECT_EQ(AfxMessageBox(368, MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox(368, MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox("Recalculate view factors ?", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(AfxMessageBox("Print failure!"), IDOK);
    const auto& shown = platform::TestHook::Get().Messages();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].text, "Delete selected block(s) ?");
    EXPECT_EQ(shown[0].answer, IDNO);
    EXPECT_EQ(shown[2].text, "Recalculate view factors ?");
    EXPECT_EQ(shown[3].style, UINT(MB_OK));
}

TEST_F(DialogFixture, FileDialogAnswersMakeTheFolderCurrent)
{
    std::string here = platform::WorkingFolder();
    CFileDialog open(TRUE, "glm", "*.glm", OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                     "GELMAR Data Files (*.glm)|*.glm|NOVELK Data Files (*.nvk)|*.nvk||");
    platform::TestHook::Get().PushFileDialogAnswer({"/tmp/a.glm", "/tmp/b.glm"});
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_EQ(open.GetPathName(), "/tmp/a.glm");
    EXPECT_EQ(open.GetFileTitle(), "a");
    EXPECT_EQ(open.GetFileExt(), "glm");
    EXPECT_EQ(open.GetPathNames().size(), 2u);
    EXPECT_EQ(platform::WorkingFolder(), "/tmp");
    platform::SetWorkingFolder(here);
    EXPECT_EQ(open.DoModal(), IDCANCEL); // nothing queued: Cancel
}

// A name typed without an extension in a save dialog takes the extension of
// the file type chosen, whatever the dialog's default extension.
TEST_F(DialogFixture, SaveDialogGivesATypedNameTheChosenTypesExtension)
{
    platform::TestHook::Get().Enable(false);
    const std::string folder = platform::WorkingFolder();
    struct Case {
        int filter;
        const char* name;
        const char* path;
    } cases[] = {
        {0, "Fig001", "/Fig001.png"},
        {1, "Fig001", "/Fig001.bmp"},
        {1, "pic.png", "/pic.png"}, // an extension typed stays
        {2, "notes", "/notes.png"}, // "All files" gives none: the default
    };
    for (const Case& c : cases) {
        CFileDialog save(FALSE, "png", (folder + "/Fig001").c_str(), OFN_OVERWRITEPROMPT,
                         "PNG File (*.png)|*.png|Bitmap File (*.bmp)|*.bmp|All Files (*.*)|*.*||");
        QTimer::singleShot(0, [&c] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->selectNameFilter(d->nameFilters().at(c.filter));
            emit d->filterSelected(d->nameFilters().at(c.filter));
            d->selectFile(c.name);
            QMetaObject::invokeMethod(d, "accept");
        });
        ASSERT_EQ(save.DoModal(), IDOK) << c.name;
        EXPECT_EQ(save.GetPathName(), folder + c.path) << c.filter << " " << c.name;
    }
}

} // namespace

namespace {

// A calculation window: the run starts from the first paint, pumps events
// while it works, and the window closes itself by a posted WM_CLOSE.
class CRunDlg : public CDialog {
  public:
    CRunDlg() : CDialog(kDialog) {}
    CProgressCtrl m_progress;
    int runs = 0;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 1034, m_progress); }
    void OnPaint() override
    {
        CPaintDC dc(this);
        if (runs++)
            return;
        m_progress.SetRange32(0, 2400);
        m_progress.SetStep(1);
        for (int i = 0; i < 5; ++i) {
            m_progress.StepIt();
            m_progress.UpdateWindow();
            QCoreApplication::processEvents();
        }
        PostMessage(WM_CLOSE);
    }
};

TEST_F(DialogFixture, ModalRunStartsAtFirstPaintAndClosesItself)
{
    CRunDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.runs, 1);
    EXPECT_EQ(dlg.m_progress.GetSafeHwnd(), nullptr);
}

} // namespace
