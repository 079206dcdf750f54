// How a dialog lays itself out so that every text shows whole at the
// default font: its control grid keeps the style's spacing between controls
// (a label never runs into the field beside it), and the dialog stays wide
// enough for a window manager to show its whole caption.
#pragma once
#include <QString>

class QFont;
class QGridLayout;
class QSpacerItem;
class QStyle;
class QVBoxLayout;

namespace platform::detail {

// Gives the grid the style's spacing between rows and columns. A grid
// nested in another layout would otherwise take that layout's spacing,
// which for a dialog's outer layout (bars and controls) is none.
void SetControlSpacing(QGridLayout& grid, const QStyle& style);

// The width a caption needs in a window manager's title bar: the text in
// bold, and room for the window's icon and its three buttons.
int CaptionWidth(const QString& caption, const QFont& font);

// Keeps the outer layout at least as wide as the caption, through a spacer
// it owns (made on the first call; the same one is resized afterwards).
void FitCaption(QVBoxLayout& outer, QSpacerItem*& spacer, const QString& caption, const QFont& font);

} // namespace platform::detail
