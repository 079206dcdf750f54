// The text output window in the running program: the listing kind turned
// to one with data on opening, the title, the update rules of its menu and
// toolbar, the walk through the saved time steps, Decimals, Save As, Copy,
// Print and closing.
#include "gelmar/graphics/TextOutputDlg.h"

#include "common/ui/DlgDecimals.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/tests/AppFixture.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/ui/TestHook.h"
#include "resources/gelmar/GelmarIds.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace gelmar::test {
namespace {

namespace fs = std::filesystem;

int PdfPages(const std::string& path)
{
    QFile pdf(QString::fromStdString(path));
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = pdf.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page "));
}

// The first line of the listing shown that is not empty: its title.
std::string Title(CTextOutputDlg& dlg)
{
    const std::string text = dlg.RichEdit().GetPlainText();
    const std::size_t start = text.find_first_not_of('\n');
    return start == std::string::npos ? std::string() : text.substr(start, text.find('\n', start) - start);
}

// The time-step line of a result listing.
std::string TimeLine(CTextOutputDlg& dlg)
{
    const std::string text = dlg.RichEdit().GetPlainText();
    const std::size_t at = text.find("Time step ");
    return at == std::string::npos ? std::string() : text.substr(at, 23);
}

// A menu item of the window after its popup opened (its update handler ran).
QAction* Item(CTextOutputDlg& dlg, UINT id)
{
    for (QAction* top : dlg.GetMenuBar()->actions()) {
        QMenu* menu = top->menu();
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (a->data().toUInt() == id)
                return a;
    }
    return nullptr;
}

class TextOutputTest : public AppFixture {
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        PrepareProgramFolder(true);
        ASSERT_TRUE(Start({CopyWall("wall.glm")}));
        m_work = ScratchFolder() + "/work";
    }
    // Calculates the wall for the given duration, every step saved.
    void Calculate(int duration, int step = 600)
    {
        TheEngine().model.calcDuration = duration;
        TheEngine().model.timeStep = step;
        TheEngine().model.saveResults = 1;
        TheEngine().model.saveFrequency = 1;
        ASSERT_TRUE(Main()->ExecuteCommand(ID_CALC_SYSTEM));
        ASSERT_TRUE(TheEngine().run.solutionValid);
    }
    // Opens the window and runs the script in it.
    void Open(const std::function<void(CTextOutputDlg&)>& script)
    {
        platform::TestHook::Get().PushDialogScript([&](CDialog& d) {
            auto& dlg = static_cast<CTextOutputDlg&>(d);
            script(dlg);
            if (!dlg.IsEnded())
                dlg.EndDialog(IDOK);
        });
        Main()->ExecuteCommand(ID_TEXT_OUTPUT);
    }
    std::string m_work;
};

TEST_F(TextOutputTest, OpeningTurnsTheKindToAListingWithData)
{
    struct Case {
        int kind;
        bool calculated;
        int shown;
        const char* title;
    } cases[] = {
        {kListingResults, false, kListingInputData, "GELMAR - Input Data"},
        {kListingCornerNodes, false, kListingInputData, "GELMAR - Input Data"},
        {kListingNodeBcs, true, kListingResults, "GELMAR - Calculation Results"},      // no power node BCs
        {kListingReportOutput, true, kListingResults, "GELMAR - Calculation Results"}, // no report items
        {kListingCornerNodes, true, kListingCornerNodes, "GELMAR - Temperatures in corner nodes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        if (c.calculated && !TheEngine().run.solutionValid)
            Calculate(0);
        g_app.textListingKind = c.kind;
        std::string title;
        Open([&](CTextOutputDlg& dlg) { title = Title(dlg); });
        EXPECT_EQ(g_app.textListingKind, c.shown);
        EXPECT_EQ(title, c.title);
    }
}

TEST_F(TextOutputTest, TitleMarksAModifiedModel)
{
    for (bool modified : {false, true}) {
        Doc()->SetModifiedFlag(modified);
        std::string caption;
        Open([&](CTextOutputDlg& dlg) { caption = dlg.GetWindowText(); });
        EXPECT_EQ(caption,
                  modified ? "GELMAR - Text Output [wall.glm *]" : "GELMAR - Text Output [wall.glm]");
    }
}

TEST_F(TextOutputTest, MenuAndToolbarFollowTheUpdateRules)
{
    // Before a calculation only the input data exist; without saved step
    // solutions there are no steps to go to.
    TheEngine().model.saveResults = 0;
    Open([&](CTextOutputDlg& dlg) {
        EXPECT_FALSE(Item(dlg, ID_TEXT_INPUT_DATA)->isEnabled());
        EXPECT_TRUE(Item(dlg, ID_TEXT_INPUT_DATA)->isChecked());
        for (UINT id : {ID_TEXT_RESULTS, ID_TEXT_CORNER_NODES, ID_TEXT_NODE_BCS, ID_TEXT_REPORT_OUTPUT,
                        ID_TEXT_VIEW_FACTORS, ID_TEXT_FIRST_STEP, ID_TEXT_GO_TO, ID_TEXT_COPY})
            EXPECT_FALSE(Item(dlg, id)->isEnabled()) << id;
    });
    Calculate(0);
    g_app.textListingKind = kListingResults;
    // A report file beside the data file opens the report listing.
    WriteFile(m_work + "/wall.txt", "Report\r\nt\t20\r\n");
    Open([&](CTextOutputDlg& dlg) {
        EXPECT_TRUE(Item(dlg, ID_TEXT_RESULTS)->isChecked());
        EXPECT_FALSE(Item(dlg, ID_TEXT_RESULTS)->isEnabled());
        for (UINT id : {ID_TEXT_INPUT_DATA, ID_TEXT_CORNER_NODES, ID_TEXT_REPORT_OUTPUT, ID_TEXT_FIRST_STEP,
                        ID_TEXT_NEXT_STEP, ID_TEXT_PREVIOUS_STEP, ID_TEXT_GO_TO})
            EXPECT_TRUE(Item(dlg, id)->isEnabled()) << id;
        // No power node BC, no radiating colour, nothing selected.
        for (UINT id : {ID_TEXT_NODE_BCS, ID_TEXT_VIEW_FACTORS, ID_TEXT_COPY})
            EXPECT_FALSE(Item(dlg, id)->isEnabled()) << id;

        // The toolbar follows once the window is idle and after a command.
        QAction* copy = dlg.ToolBar().FindButton(ID_TEXT_COPY);
        ASSERT_TRUE(copy);
        QApplication::processEvents();
        EXPECT_FALSE(copy->isEnabled());
        dlg.RichEdit().SetSel(3, 9);
        QApplication::processEvents();
        EXPECT_TRUE(copy->isEnabled());
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_REPORT_OUTPUT));
        EXPECT_EQ(dlg.RichEdit().GetPlainText(), "\nReport\nt\t20\n");
        EXPECT_TRUE(dlg.ToolBar().FindButton(ID_TEXT_REPORT_OUTPUT)->isChecked());
        EXPECT_FALSE(copy->isEnabled()); // the new listing has its caret at the start
    });
}

TEST_F(TextOutputTest, WithoutTheMainToolbarTheTextFillsTheWindow)
{
    ASSERT_TRUE(Main()->ExecuteCommand(ID_VIEW_TOOLBAR));
    ASSERT_FALSE(Main()->ToolBarVisible());
    Open([&](CTextOutputDlg& dlg) {
        EXPECT_FALSE(dlg.ToolBar().GetSafeHwnd());
        QApplication::processEvents();
        const QRect text = dlg.RichEdit().GetWidget()->geometry();
        EXPECT_EQ(text.top(), dlg.GetMenuBar()->geometry().bottom() + 1);
        EXPECT_EQ(text.bottom(), dlg.GetWidget()->height() - 1);
        EXPECT_EQ(text.width(), dlg.GetWidget()->width());
    });
    ASSERT_TRUE(Main()->ExecuteCommand(ID_VIEW_TOOLBAR));
    Open([&](CTextOutputDlg& dlg) {
        ASSERT_TRUE(dlg.ToolBar().GetSafeHwnd());
        QApplication::processEvents();
        EXPECT_EQ(dlg.RichEdit().GetWidget()->geometry().top(),
                  dlg.ToolBar().GetWidget()->geometry().bottom() + 1);
    });
}

TEST_F(TextOutputTest, SteppingThroughTheSavedTimeSteps)
{
    Calculate(3000);
    EXPECT_EQ(TheEngine().run.calcTime, 3000);
    g_app.textListingKind = kListingInputData;
    Open([&](CTextOutputDlg& dlg) {
        // Stepping shows the results, also from the input data.
        struct Step {
            UINT command;
            const char* time;
        } steps[] = {
            {ID_TEXT_NEXT_STEP, "Time step 0000:00:00:00"}, // after the last saved time: 0
            {ID_TEXT_NEXT_STEP, "Time step 0000:00:10:00"},
            {ID_TEXT_PREVIOUS_STEP, "Time step 0000:00:00:00"},
            {ID_TEXT_PREVIOUS_STEP, "Time step 0000:00:50:00"}, // before 0: the last saved time
            {ID_TEXT_FIRST_STEP, "Time step 0000:00:00:00"},
        };
        for (const Step& s : steps) {
            ASSERT_TRUE(dlg.ExecuteCommand(s.command));
            EXPECT_EQ(TimeLine(dlg), s.time);
            EXPECT_EQ(g_app.textListingKind, kListingResults);
        }
        // Go To a saved time; a time never saved leaves time and listing.
        platform::TestHook::Get().PushDialogScript([](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_GO_TO_TIME), "0000:00:00:00");
            d.SetDlgItemText(IDC_GO_TO_TIME, "0000:00:20:00");
            d.ClickButton(IDOK);
        });
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_GO_TO));
        EXPECT_EQ(TimeLine(dlg), "Time step 0000:00:20:00");
        EXPECT_EQ(TheEngine().run.calcTime, 1200);
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_CORNER_NODES));
        platform::TestHook::Get().PushDialogScript([](CDialog& d) {
            d.SetDlgItemText(IDC_GO_TO_TIME, "0001:00:00:00");
            d.ClickButton(IDOK);
        });
        const std::string before = dlg.RichEdit().GetPlainText();
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_GO_TO));
        EXPECT_EQ(TheEngine().run.calcTime, 1200);
        EXPECT_EQ(dlg.RichEdit().GetPlainText(), before);
        EXPECT_TRUE(TheEngine().run.solutionValid); // the results of 1200 s stay loaded
        EXPECT_TRUE(Item(dlg, ID_TEXT_RESULTS)->isEnabled());
    });
}

TEST_F(TextOutputTest, NextWrapsWhenTheEndIsNoMultipleOfTheStep)
{
    Calculate(1000);
    Open([&](CTextOutputDlg& dlg) {
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_FIRST_STEP));
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_NEXT_STEP));
        EXPECT_EQ(TimeLine(dlg), "Time step 0000:00:10:00");
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_NEXT_STEP));
        EXPECT_EQ(TimeLine(dlg), "Time step 0000:00:00:00");
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_PREVIOUS_STEP));
        EXPECT_EQ(TimeLine(dlg), "Time step 0000:00:10:00");
    });
}

TEST_F(TextOutputTest, DecimalsRegenerateTheResultListingsOnly)
{
    Calculate(0);
    // The script runs later, inside the command: it keeps its own copy of the text.
    const auto setDecimals = [](std::string temperature, UINT button) {
        platform::TestHook::Get().PushDialogScript([=](CDialog& d) {
            d.SetDlgItemText(common::IDC_DECIMALS_TEMPERATURE, temperature.c_str());
            d.ClickButton(button);
        });
    };
    struct Case {
        int kind;
        bool regenerated;
    } cases[] = {{kListingInputData, false},
                 {kListingResults, true},
                 {kListingCornerNodes, true},
                 {kListingReportOutput, false}};
    WriteFile(m_work + "/wall.txt", "Report\r\n");
    int decimals = 3;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TheEngine().model.reportItems.Grow(1);
        TheEngine().model.reportItems.count = 1; // the report listing needs a report
        g_app.textListingKind = c.kind;
        Open([&](CTextOutputDlg& dlg) {
            const std::string before = dlg.RichEdit().GetPlainText();
            setDecimals(std::to_string(decimals).c_str(), IDOK);
            ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_DECIMALS));
            EXPECT_EQ(TheEngine().output.dect, decimals);
            EXPECT_EQ(dlg.RichEdit().GetPlainText() != before, c.regenerated);
        });
        ++decimals;
    }
    // The results with 4 decimals: 15.4421 at the inside surface.
    g_app.textListingKind = kListingResults;
    Open([&](CTextOutputDlg& dlg) {
        setDecimals("4", IDOK);
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_DECIMALS));
        EXPECT_NE(dlg.RichEdit().GetPlainText().find("   15.4421"), std::string::npos);
        EXPECT_FALSE(TheEngine().parametersChanged);
        // Set As Default keeps temperatures and flows, not view factors.
        TheEngine().output.decv = 6;
        setDecimals("1", common::IDC_DECIMALS_SET_AS_DEFAULT);
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_DECIMALS));
        EXPECT_EQ(TheEngine().parameters.dect, 1);
        EXPECT_EQ(TheEngine().parameters.decv, 4);
        EXPECT_TRUE(TheEngine().parametersChanged);
        EXPECT_NE(dlg.RichEdit().GetPlainText().find("      15.4"), std::string::npos);
    });
}

TEST_F(TextOutputTest, SaveAsWritesTheListingAgainIntoTheFile)
{
    Calculate(0);
    const std::string first = m_work + "/listing1.doc", second = m_work + "/listing2.doc";
    Open([&](CTextOutputDlg& dlg) {
        const std::string shown = dlg.RichEdit().GetPlainText();
        for (const std::string& path : {first, second}) {
            platform::TestHook::Get().PushFileDialogAnswer({path});
            ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_SAVE_AS));
            EXPECT_EQ(TheEngine().view.outputSavePath, path);
        }
        EXPECT_EQ(dlg.RichEdit().GetPlainText(), shown); // the window keeps its text
        // A file that cannot be written says so.
        const std::string bad = m_work + "/no-such-folder/x.doc";
        platform::TestHook::Get().PushFileDialogAnswer({bad});
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_SAVE_AS));
        EXPECT_EQ(Messages(), std::vector<std::string>{"Failed to open file\n" + bad});
        // Cancel writes nothing.
        platform::TestHook::Get().PushFileDialogAnswer({});
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_SAVE_AS));
    });
    const std::string a = ReadFile(first), b = ReadFile(second);
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.rfind("{\\rtf1", 0), 0u);
    // The listing once: one title.
    const std::string title = "GELMAR - Calculation Results";
    EXPECT_NE(a.find(title), std::string::npos);
    EXPECT_EQ(a.find(title, a.find(title) + 1), std::string::npos);
}

TEST_F(TextOutputTest, CopyAndSelectAllThroughTheirKeys)
{
    Open([&](CTextOutputDlg& dlg) {
        QWidget* edit = dlg.RichEdit().GetWidget();
        edit->setFocus();
        QApplication::clipboard()->clear();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        long start = -1, end = -1;
        dlg.RichEdit().GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, dlg.RichEdit().GetTextLength());
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), dlg.RichEdit().GetPlainText());
    });
}

TEST_F(TextOutputTest, PrintedPagesFollowTheText)
{
    const std::string shortPdf = m_work + "/short.pdf", longPdf = m_work + "/long.pdf";
    g_app.textListingKind = kListingInputData;
    Open([&](CTextOutputDlg& dlg) {
        platform::TestHook::Get().PushPrintDialogAnswer(shortPdf);
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_PRINT));
    });
    // Three hundred more blocks: four rows of the block tables on top of each
    // printed line give more pages.
    ModelStore& m = TheEngine().model;
    for (int b = 0; b < 300; ++b) {
        const std::size_t n = m.blocks.count;
        GrowBlockArray(m, n + 1);
        m.blocks[n] = m.blocks[0];
        ++m.blocks.count;
    }
    int shortPages = PdfPages(shortPdf), longPages = -1;
    Open([&](CTextOutputDlg& dlg) {
        platform::TestHook::Get().PushPrintDialogAnswer(longPdf);
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_PRINT));
        // Cancel prints nothing.
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_PRINT));
    });
    longPages = PdfPages(longPdf);
    EXPECT_GE(shortPages, 1);
    EXPECT_GE(longPages, shortPages + 5);
}

TEST_F(TextOutputTest, EscAndExitCloseTheWindow)
{
    Open([&](CTextOutputDlg& dlg) {
        QWidget* edit = dlg.RichEdit().GetWidget();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Escape);
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(dlg.GetResult(), IDCANCEL);
    });
    Open([&](CTextOutputDlg& dlg) {
        ASSERT_TRUE(dlg.ExecuteCommand(ID_TEXT_EXIT));
        EXPECT_TRUE(dlg.IsEnded());
    });
}

} // namespace
} // namespace gelmar::test

namespace gelmar::test {
namespace {

// A picture of the window with the example's time-step results, for the
// eye: runs only when GELMAR_SCREENSHOT names the PNG file to write (under
// Xvfb with QT_QPA_PLATFORM=xcb, or on any other platform).
TEST_F(TextOutputTest, ScreenshotOfTheExampleResults)
{
    const char* out = std::getenv("GELMAR_SCREENSHOT");
    if (!out)
        GTEST_SKIP() << "GELMAR_SCREENSHOT not set";
    Main()->MoveWindow(0, 0, 1000, 700);
    Calculate(0);
    g_app.textListingKind = kListingResults;
    Open([&](CTextOutputDlg& dlg) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_TRUE(dlg.GetWidget()->grab().save(out, "PNG"));
    });
}

} // namespace
} // namespace gelmar::test
