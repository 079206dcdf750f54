// The spacing and caption width of dialogs (see DialogLayout.h).
#include "platform/ui/DialogLayout.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace platform::detail {

namespace {

// The spacing of a metric, with the style's spacing between a label and a
// field where the style leaves the metric to the kinds of controls.
int Spacing(const QStyle& style, QStyle::PixelMetric metric, Qt::Orientation orientation)
{
    int s = style.pixelMetric(metric);
    if (s < 0)
        s = style.layoutSpacing(QSizePolicy::Label, QSizePolicy::LineEdit, orientation);
    return std::max(s, 6);
}

} // namespace

void SetControlSpacing(QGridLayout& grid, const QStyle& style)
{
    grid.setHorizontalSpacing(Spacing(style, QStyle::PM_LayoutHorizontalSpacing, Qt::Horizontal));
    grid.setVerticalSpacing(Spacing(style, QStyle::PM_LayoutVerticalSpacing, Qt::Vertical));
}

int CaptionWidth(const QString& caption, const QFont& font)
{
    if (caption.isEmpty())
        return 0;
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // An icon and three buttons of about a line and a half each, and the
    // title bar's margins.
    return metrics.horizontalAdvance(caption) + 7 * metrics.height();
}

void FitCaption(QVBoxLayout& outer, QSpacerItem*& spacer, const QString& caption, const QFont& font)
{
    const int width = CaptionWidth(caption, font);
    if (!spacer) {
        spacer = new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
        outer.addSpacerItem(spacer);
    } else {
        spacer->changeSize(width, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    outer.invalidate();
}

} // namespace platform::detail
