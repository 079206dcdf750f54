// The shared pieces of the output windows: the text window's limit,
// selection and copy; the rich edit fitted under the output toolbar, whose
// buttons follow the dialog's update handlers; the Decimals dialog.
#include "common/ui/DlgDecimals.h"
#include "common/ui/OutputToolBar.h"
#include "common/ui/PrintTextWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QWidget>
#include <gtest/gtest.h>

using namespace common;

namespace {

using platform::Ctl;

constexpr UINT kDialog = 9150;
constexpr UINT kToolBar = 9150;
constexpr UINT kRichEdit = 1122;
constexpr UINT ID_COPY_TEXT = 42001;
constexpr UINT ID_OTHER = 42002;

CRtfDocument Listing(int lines)
{
    CRtfDocument doc;
    RtfApply(doc, RtfFontName("Courier New"));
    RtfApply(doc, RtfStyleFlagA(true));
    doc.AppendText("Title\n");
    RtfApply(doc, RtfStyleFlagA(false));
    for (int i = 0; i < lines; ++i)
        doc.AppendText("line " + std::to_string(i) + "\n");
    return doc;
}

// A dialog of one rich edit under an output toolbar, whose Copy button is
// enabled while the text has a selection.
class CTextDlg : public CDialog {
  public:
    CTextDlg() : CDialog(kDialog) {}
    CPrintTextWnd text;
    COutputToolBar bar;
    bool withBar = true;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        EXPECT_TRUE(FitRichEdit(*this, text, kRichEdit));
        if (withBar) {
            EXPECT_TRUE(CreateOutputToolBar(*this, bar, kToolBar));
        }
        return TRUE;
    }
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override
    {
        static const CommandMap map = {
            ::OnCommand(ID_COPY_TEXT, &CTextDlg::OnCopyText),
            OnUpdate(ID_COPY_TEXT, &CTextDlg::OnUpdateCopyText),
            ::OnCommand(ID_OTHER, &CTextDlg::OnOther),
        };
        return map.Dispatch(this, id, code, ui) || CDialog::OnCmdMsg(id, code, ui);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_KICKIDLE) {
            SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, TRUE);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void OnCopyText() { text.SendMessage(WM_COPY); }
    void OnUpdateCopyText(CCmdUI* ui)
    {
        long start = 0, end = 0;
        text.GetSel(start, end);
        ui->Enable(start != end);
    }
    void OnOther() {}
};

struct TextOutputParts : ::testing::Test {
    void SetUp() override
    {
        platform::TestHook::Get().Reset();
        platform::Resources::Get().AddDialog(
            {kDialog, "Text", {{Ctl::RichEdit, kRichEdit, "", 0, 0, 1, 1, ES_READONLY}}});
        platform::Resources::Get().AddToolBar({kToolBar, 16, 15, {ID_COPY_TEXT, ID_SEPARATOR, ID_OTHER}});
        platform::Resources::Get().AddDialog(DecimalsDialogTemplate());
    }
    void TearDown() override { platform::TestHook::Get().Reset(); }
};

TEST_F(TextOutputParts, TextBeyondTheLimitIsNotShown)
{
    CTextDlg dlg;
    dlg.withBar = false;
    ASSERT_TRUE(dlg.Create(kDialog));
    dlg.text.LimitText(20);
    CRtfDocument doc = Listing(5);
    dlg.text << doc;
    // "Title\n" and "line 0\n" are 13 characters; 7 of "line 1\n" fit.
    EXPECT_EQ(dlg.text.GetPlainText(), "Title\nline 0\nline 1\n");
    EXPECT_EQ(dlg.text.GetTextLength(), 20);
    dlg.text << doc; // what follows is dropped as well
    EXPECT_EQ(dlg.text.GetTextLength(), 20);
    dlg.text.Clear();
    dlg.text.LimitText(0);
    doc = Listing(5);
    dlg.text << doc;
    EXPECT_EQ(dlg.text.GetTextLength(), 6 + 5 * 7);
}

TEST_F(TextOutputParts, SelectionCopyAndTheCopyButton)
{
    platform::TestHook::Get().Enable();
    CTextDlg dlg;
    platform::TestHook::Get().PushDialogScript([&](CDialog&) {
        CRtfDocument doc = Listing(3);
        dlg.text << doc;
        QAction* copy = dlg.bar.FindButton(ID_COPY_TEXT);
        ASSERT_TRUE(copy);

        dlg.text.SetSel(0, 0);
        long start = -1, end = -1;
        dlg.text.GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, 0);
        QApplication::processEvents();
        EXPECT_FALSE(copy->isEnabled());

        // A selection change enables Copy once the dialog is idle.
        dlg.text.SetSel(6, 12);
        QApplication::processEvents();
        EXPECT_TRUE(copy->isEnabled());
        QApplication::clipboard()->clear();
        copy->trigger();
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "line 0");
        EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasHtml());

        dlg.text.SelectAll();
        dlg.text.GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, dlg.text.GetTextLength());
        dlg.text.Copy();
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), dlg.text.GetPlainText());
        dlg.text.SetSel(0, 0);
        QApplication::processEvents();
        EXPECT_FALSE(copy->isEnabled());
    });
    dlg.DoModal();
}

TEST_F(TextOutputParts, TheRichEditFillsTheDialogUnderTheToolbar)
{
    for (bool withBar : {true, false}) {
        SCOPED_TRACE(withBar);
        CTextDlg dlg;
        dlg.withBar = withBar;
        ASSERT_TRUE(dlg.Create(kDialog));
        dlg.MoveWindow(0, 0, 500, 400);
        QApplication::processEvents();
        const QRect edit = dlg.text.GetWidget()->geometry();
        const int top = withBar ? dlg.bar.GetWidget()->geometry().bottom() + 1 : 0;
        EXPECT_EQ(edit, QRect(0, top, 500, 400 - top));
    }
    // A toolbar resource that does not exist: no bar.
    CTextDlg dlg;
    dlg.withBar = false;
    ASSERT_TRUE(dlg.Create(kDialog));
    COutputToolBar missing;
    EXPECT_FALSE(CreateOutputToolBar(dlg, missing, 9999));
}

TEST_F(TextOutputParts, DecimalsLieBetweenZeroAndNine)
{
    platform::TestHook::Get().Enable();
    struct Case {
        const char* temperature;
        UINT button;
        int result;
        bool setAsDefault;
        int expected; // temperature decimals after the dialog
    } cases[] = {
        {"5", IDOK, IDOK, false, 5},      {"0", IDC_DECIMALS_SET_AS_DEFAULT, IDOK, true, 0},
        {"10", IDOK, IDCANCEL, false, 2}, {"-1", IDC_DECIMALS_SET_AS_DEFAULT, IDCANCEL, false, 2},
        {"x", IDOK, IDCANCEL, false, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.temperature);
        platform::TestHook::Get().ClearMessages();
        CDlgDecimals dlg;
        dlg.m_viewFactor = 6;
        std::string shown;
        platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
            shown = d.GetDlgItemText(IDC_DECIMALS_VIEW_FACTOR);
            d.SetDlgItemText(IDC_DECIMALS_TEMPERATURE, c.temperature);
            d.ClickButton(c.button);
        });
        EXPECT_EQ(dlg.DoModal(), c.result);
        EXPECT_EQ(shown, "6");
        EXPECT_EQ(dlg.m_setAsDefault, c.setAsDefault);
        if (c.result == IDOK) {
            EXPECT_EQ(dlg.m_temperature, c.expected);
        }
        // A refused value gives a message and leaves the dialog open.
        EXPECT_EQ(platform::TestHook::Get().Messages().size(), c.result == IDOK ? 0u : 1u);
    }
}

} // namespace
