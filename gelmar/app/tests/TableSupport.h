// Working a table as a user does: typing into a cell (the first key opens
// the editor, Enter or another key ends it), clicking a cell (the action of a
// cell that takes no typing), and reading what a cell shows.
#pragma once
#include "common/ui/GridInPlaceEdit.h"
#include "common/ui/TableView.h"
#include "platform/ui/Frame.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

namespace gelmar::test {

// The main window takes the keyboard, as when the user works in it.
inline void Activate(CWnd* main)
{
    QWidget* top = main->GetWidget()->window();
    top->show();
    QApplication::setActiveWindow(top);
    QApplication::processEvents();
}

inline common::CGridInPlaceEdit* OpenEditor(common::CTableView& view)
{
    return dynamic_cast<common::CGridInPlaceEdit*>(view.GetGrid()->GetDlgItem(common::IDC_INPLACE_EDIT));
}

// Types the text (its first character ASCII) into the cell and ends the edit with the key (Enter, Esc,
// or Ctrl and an arrow).
inline void TypeInto(common::CTableView& view, int row, int col, const std::string& text,
                     Qt::Key end = Qt::Key_Return, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    common::CGridCtrl* grid = view.GetGrid();
    view.SetGridFocus(row, col);
    grid->SetFocus();
    QApplication::processEvents();
    // The first character opens the editor, which then takes the keys.
    QTest::keyClicks(grid->GetWidget(), QString::fromStdString(text.substr(0, 1)));
    common::CGridInPlaceEdit* editor = OpenEditor(view);
    ASSERT_NE(editor, nullptr) << "no editor on " << row << "," << col;
    // Keys carry ASCII characters; other text is pasted into the editor.
    bool ascii = true;
    for (char ch : text)
        ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
    if (!ascii)
        editor->SetWindowText(text);
    else if (text.size() > 1)
        QTest::keyClicks(editor->GetWidget(), QString::fromStdString(text.substr(1)));
    QTest::keyClick(editor->GetWidget(), end, modifiers);
    QApplication::processEvents();
}

// The action of a cell: as a double click on it.
inline void Click(common::CTableView& view, int row, int col)
{
    view.SetGridFocus(row, col);
    view.GetGrid()->OnEditCell(row, col, 1);
    QApplication::processEvents();
}

inline std::string Text(common::CTableView& view, int row, int col)
{
    return view.GetGrid()->GetItemText(row, col);
}

} // namespace gelmar::test
