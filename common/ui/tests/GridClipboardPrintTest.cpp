// Copy and paste of the focus cell under the cell's rules, and printing a
// long table over pages with the fixed rows repeated.
#include "GridTestSupport.h"
#include "platform/ui/App.h"

#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace common;
using namespace common::test;

TEST(GridClipboard, CopyTakesTheFocusCellOnlyWhenAllowed)
{
    GridFixture f(3, 3);
    platform::SetClipboardText("before");
    f.grid.OnEditCopy(); // empty cell: one space
    EXPECT_EQ(platform::GetClipboardText(), " ");
    f.grid.SetItemText(1, 1, "a\tb");
    f.grid.OnEditCopy();
    EXPECT_EQ(platform::GetClipboardText(), "a\tb");
    for (UINT state : {GVIS_READONLY, GVIS_TOGGLE, GVIS_LIST, GVIS_PATTERN}) {
        platform::SetClipboardText("kept");
        f.grid.SetItemState(1, 1, state | GVIS_FOCUSED);
        f.grid.OnEditCopy();
        EXPECT_EQ(platform::GetClipboardText(), "kept") << state;
    }
}

TEST(GridClipboard, PasteFollowsTheRulesOfTheCellsEditor)
{
    struct Case {
        UINT state;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {GVIS_POSITIVE_REAL, "12.5", true},
        {GVIS_POSITIVE_REAL, "abc", false},
        {GVIS_POSITIVE_REAL, "0", false},
        {GVIS_POSITIVE_REAL, "-5", false},
        {GVIS_POSITIVE_REAL, "1e-5", true},
        {GVIS_REAL, "-5", true},
        {GVIS_REAL, "5-", false},
        {GVIS_UNSIGNED, "12", true},
        {GVIS_UNSIGNED, "-12", false},
        {GVIS_UNSIGNED, "1.5", false},
        {GVIS_INTEGER, "-12", true},
        {GVIS_TEXT, "abc", true},
        {GVIS_TEXT, "two\nlines", true},
        {GVIS_TEXT | GVIS_READONLY, "x", false},
        {GVIS_TEXT | GVIS_TOGGLE, "x", false},
        {GVIS_TEXT | GVIS_LIST, "x", false},
        {GVIS_TEXT | GVIS_PATTERN, "x", false},
        {GVIS_TEXT, "", false},
    };
    for (const Case& c : cases) {
        GridFixture f(3, 3);
        f.grid.SetItemText(1, 1, "old");
        f.grid.SetItemState(1, 1, c.state | GVIS_FOCUSED | GVIS_SELECTED);
        f.parent.notes.clear();
        platform::SetClipboardText(c.text);
        f.grid.OnEditPaste();
        EXPECT_EQ(f.grid.GetItemText(1, 1), c.accepted ? c.text : "old") << c.state << " " << c.text;
        EXPECT_EQ(static_cast<bool>(f.grid.m_bModified), c.accepted) << c.text;
        if (c.accepted) {
            EXPECT_EQ(f.parent.notes, (std::vector<Note>{{GVN_BEGINEDIT, 1, 1, 0}, {GVN_ENDEDIT, 1, 1, 0}}));
            EXPECT_EQ(f.grid.GetItemState(1, 1) & GVIS_SELECTED, 0u);
        } else {
            EXPECT_TRUE(f.parent.notes.empty()) << c.text;
        }
    }
}

TEST(GridClipboard, PasteNeedsEditingEnabled)
{
    GridFixture f(3, 3);
    f.grid.m_bEditEnabled = FALSE;
    platform::SetClipboardText("x");
    f.grid.OnEditPaste();
    EXPECT_EQ(f.grid.GetItemText(1, 1), "");
}

namespace {

int PdfPages(const char* path)
{
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    QByteArray bytes = pdf.readAll();
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                            bytes.count("/Type /Page "));
}

// Prints every page of the grid into a PDF; returns the page count set up.
UINT PrintToPdf(CGridCtrl& grid, const char* path)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    CDC dc;
    dc.AttachDevice(&printer, true);
    CPrintInfo info;
    grid.OnBeginPrinting(&dc, &info);
    dc.StartDoc("Table");
    for (UINT page = 1; page <= info.GetMaxPage(); ++page) {
        info.m_nCurPage = page;
        dc.StartPage();
        grid.OnPrint(&dc, &info, page == info.GetMaxPage() ? "A note\tbelow the table" : "");
        dc.EndPage();
    }
    dc.EndDoc();
    grid.OnEndPrinting(&dc, &info);
    return info.GetMaxPage();
}

} // namespace

TEST(GridPrint, LongTableSplitsIntoPagesOfWholeRows)
{
    GridFixture f(301, 4);
    const UINT pages = PrintToPdf(f.grid, "grid-long.pdf");
    const int perPage = f.grid.GetPrintRowHeightPerPage() / 20;
    ASSERT_GT(perPage, 0);
    EXPECT_EQ(static_cast<int>(pages), (300 + perPage - 1) / perPage);
    EXPECT_GT(pages, 1u);
    EXPECT_EQ(PdfPages("grid-long.pdf"), static_cast<int>(pages));
}

TEST(GridPrint, ShortTableOnOnePageAndTallRowsOnPagesOfTheirOwn)
{
    GridFixture f(5, 3);
    EXPECT_EQ(PrintToPdf(f.grid, "grid-short.pdf"), 1u);
    EXPECT_EQ(PdfPages("grid-short.pdf"), 1);
    const int rowsHeight = f.grid.GetPrintRowHeightPerPage();
    f.grid.SetRowHeight(2, rowsHeight + 50); // taller than a page
    // Rows 1 | 2 (tall, alone) | 3, 4.
    EXPECT_EQ(PrintToPdf(f.grid, "grid-tall.pdf"), 3u);
    EXPECT_EQ(PdfPages("grid-tall.pdf"), 3);
}
