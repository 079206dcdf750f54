// Every dialog template of the program, laid out at the default font: no
// label, button or group title is wider or taller than its box, no label's
// text runs into a control beside it, and the dialog is wide enough for its
// caption. Empty static texts are read-outs that the program fills while the
// dialog is up; they are given the longest read-out the program writes (a
// duration "dddd:hh:mm:ss") before the dialog is laid out.
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gelmar {
void RegisterGelmarResources();
namespace test {
namespace {

const QString kLongestReadout = "0000:00:00:00";

// The rectangle the label's text takes inside the label.
QRect TextRect(const QLabel& label)
{
    const QFontMetrics metrics(label.font());
    const QStringList lines = label.text().split('\n');
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const QSize size(width, metrics.height() * int(lines.size()));
    const QRect inside = label.contentsRect().translated(label.geometry().topLeft());
    return QStyle::alignedRect(label.layoutDirection(), label.alignment(), size, inside);
}

// What does not fit in one laid-out dialog, one line per fault.
std::vector<std::string> Faults(QWidget& dialog)
{
    std::vector<std::string> faults;
    const auto name = [](const QString& text) { return "\"" + text.toStdString() + "\""; };
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const QRect text = TextRect(*label);
        if (text.width() > label->contentsRect().width() || text.height() > label->contentsRect().height())
            faults.push_back(name(label->text()) + " is larger than its box");
        for (const QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != label && other->isVisible() && other->geometry().intersects(text.adjusted(-2, 0, 2, 0)))
                faults.push_back(name(label->text()) + " runs into a neighbour");
    }
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        if (button->isVisible() && button->sizeHint().width() > button->width())
            faults.push_back(name(button->text()) + " is wider than its button");
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        const QFontMetrics metrics(group->font());
        if (group->title().contains('\n') || metrics.horizontalAdvance(group->title()) > group->width())
            faults.push_back(name(group->title()) + " does not fit its group box");
    }
    QFont bold = dialog.font();
    bold.setBold(true);
    if (!dialog.windowTitle().isEmpty() &&
        QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + 4 * QFontMetrics(bold).height() >
        dialog.width())
        faults.push_back("the caption " + name(dialog.windowTitle()) + " is wider than the dialog");
    return faults;
}

TEST(DialogLayoutTest, EveryTextOfEveryDialogShowsWhole)
{
    RegisterGelmarResources();
    const std::vector<UINT> ids = platform::Resources::Get().DialogIds();
    ASSERT_GT(ids.size(), 40u);
    for (UINT id : ids) {
        CDialog dialog;
        ASSERT_TRUE(dialog.Create(id, nullptr)) << id;
        for (QLabel* label : dialog.GetWidget()->findChildren<QLabel*>())
            if (label->text().isEmpty())
                label->setText(kLongestReadout);
        dialog.GetWidget()->adjustSize();
        QApplication::processEvents();
        for (const std::string& fault : Faults(*dialog.GetWidget()))
            ADD_FAILURE() << "dialog " << id << " (" << dialog.GetWidget()->windowTitle().toStdString()
                          << "): " << fault;
        dialog.DestroyWindow();
    }
}

} // namespace
} // namespace test
} // namespace gelmar
