// A parent window that records the grid's notifications, and a grid laid
// out in it with known sizes, for the grid tests.
#pragma once
#include "common/ui/GridCtrl.h"
#include "platform/ui/Frame.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

namespace common::test {

struct Note {
    int code;
    int row;
    int col;
    std::uint32_t extra;
    bool operator==(const Note&) const = default;
};

class NotifyParent : public CWnd {
  public:
    std::vector<Note> notes;
    // Called for GVN_BEGINEDIT before the grid goes on (a view refusing an edit).
    std::function<void(CGridCtrl*, const GridNotify&)> onBeginEdit;
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const auto* nm = reinterpret_cast<const GridNotify*>(lParam);
        notes.push_back({nm->hdr.code, nm->iRow, nm->iColumn, nm->lParam});
        if (nm->hdr.code == GVN_BEGINEDIT && onBeginEdit)
            onBeginEdit(static_cast<CGridCtrl*>(nm->hdr.hwndFrom), *nm);
        *pResult = 0;
        return TRUE;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> c;
        for (const Note& n : notes)
            c.push_back(n.code);
        return c;
    }
};

// A shown parent of 400 x 300 with a grid filling it: rows of 20 pixels,
// columns of 60, one fixed row and one fixed column.
struct GridFixture {
    NotifyParent parent;
    CGridCtrl grid;
    GridFixture(int rows, int cols, int fixedRows = 1, int fixedCols = 1)
        : grid(rows, cols, fixedRows, fixedCols)
    {
        parent.CreateEx(0, nullptr, "Table", WS_OVERLAPPED | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0);
        for (int r = 0; r < rows; ++r)
            grid.SetRowHeight(r, 20);
        for (int c = 0; c < cols; ++c)
            grid.SetColumnWidth(c, 60);
        grid.Create(CRect(0, 0, 400, 300), &parent, 100, WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL);
        QWidget* top = parent.GetOuterWidget()->window();
        top->show();
        QApplication::setActiveWindow(top);
        grid.SetFocus();
        QApplication::processEvents();
        grid.ResetScrollBars();
        parent.notes.clear();
    }
    void Key(UINT vk, bool ctrl = false, bool shift = false)
    {
        Qt::KeyboardModifiers m;
        if (ctrl)
            m |= Qt::ControlModifier;
        if (shift)
            m |= Qt::ShiftModifier;
        QTest::keyClick(QApplication::focusWidget(), QtKey(vk), m);
    }
    static Qt::Key QtKey(UINT vk)
    {
        const int key = platform::QtKeyFromVirtualKey(static_cast<WORD>(vk));
        return Qt::Key(key != 0 ? key : static_cast<int>(vk));
    }
    void Type(const std::string& text)
    {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(text));
    }
    CCellID Focus() const { return grid.GetFocusCell(); }
};

} // namespace common::test
