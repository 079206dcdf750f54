// Filling the axis columns of the grid tables.
#include "common/ui/AxisColumns.h"

#include "common/core/NumberText.h"
#include "common/kernels/TableAxes.h"

namespace common {

namespace {

// Tints of a selected interval, inside and outside a band.
constexpr COLORREF kSelected = RGB(0x73, 0xB9, 0xB9);
constexpr COLORREF kSelectedInBand = RGB(0x91, 0xE1, 0xE1);

void SetCell(CGridCtrl& grid, int row, int col, const std::string& text, UINT state, UINT format,
             COLORREF background, const LOGFONT* font = nullptr)
{
    CGridItem item;
    item.row = row;
    item.col = col;
    item.mask = GVIF_TEXT | GVIF_STATE | GVIF_FORMAT | GVIF_BKCLR | (font ? UINT(GVIF_FONT) : 0u);
    item.text = text;
    item.state = state | (grid.GetItemState(row, col) & GVIS_FOCUSED);
    item.format = format;
    item.bkColour = background;
    if (font)
        item.font = *font;
    grid.SetItem(&item);
}

std::string Fixed3(double v)
{
    return FormatDecimals(v, 3);
}

int Shown(int line, bool rcl)
{
    return rcl ? kernels::NodeNumber(line) : line;
}

} // namespace

COLORREF AxisTextColour(int axis)
{
    return axis == 0 ? RGB(255, 0, 0) : axis == 1 ? RGB(0, 255, 0) : RGB(0, 0, 255);
}

COLORREF AxisBandColour(int axis)
{
    return axis == 0 ? RGB(0xFF, 0xE1, 0xE1) : axis == 1 ? RGB(0xE1, 0xFF, 0xE1) : RGB(0xE1, 0xE1, 0xFF);
}

std::string AxisHeaderText(int axis, bool rcl, const std::string& unitLabel)
{
    static const char kXyz[] = "XYZ", kRcl[] = "RCL";
    return std::string("          ") + (rcl ? kRcl : kXyz)[axis] + "\n" + unitLabel;
}

void SetAxisHeaders(CGridCtrl& grid, int firstCol, const std::string& unitLabel, const AxisTableLook& look)
{
    for (int a = 0; a < 3; ++a) {
        CGridItem item;
        item.row = 0;
        item.col = firstCol + a;
        item.mask = GVIF_TEXT | GVIF_FGCLR | GVIF_FORMAT | (look.font ? UINT(GVIF_FONT) : 0u);
        item.text = AxisHeaderText(a, look.rcl, unitLabel);
        item.fgColour = AxisTextColour(a);
        item.format = DT_RIGHT;
        if (look.font)
            item.font = *look.font;
        grid.SetItem(&item);
    }
}

void FillGridNumberCell(CGridCtrl& grid, int row, int m, const AxisTableLook& look)
{
    const std::string text = row > m ? "Sum"
                                     : std::to_string(Shown(row - 1, look.rcl)) + "-" +
                                           std::to_string(Shown(row, look.rcl));
    SetCell(grid, row, 0, text, GVIS_UNSIGNED, DT_LEFT, look.buttonFace, look.font);
}

void FillGridAxisCell(CGridCtrl& grid, int row, int col, int m, const AxisColumn& axis, const AxisTableLook& look)
{
    if (row > m) {
        SetCell(grid, row, col, Fixed3(axis.n > 0 ? axis.coords[axis.n - 1] : 0.0f), GVIS_READONLY, DT_RIGHT,
                look.infoBk);
        return;
    }
    if (row > axis.n) {
        SetCell(grid, row, col, "", GVIS_READONLY, DT_RIGHT, look.infoBk);
        return;
    }
    const int i = kernels::IntervalOfRow(row, axis.n, axis.mirrored);
    const std::uint8_t flags = axis.flags ? axis.flags[i] : 0;
    const bool band = (flags & kAxisLineBand) != 0;
    COLORREF bk = band ? AxisBandColour(axis.axis) : look.window;
    if (flags & kAxisLineSelected)
        bk = band ? kSelectedInBand : kSelected;
    // A sign can be typed, so that a negative width is refused with a word
    // rather than changed by dropping the sign.
    SetCell(grid, row, col, Fixed3(axis.widths[i]), GVIS_REAL, DT_RIGHT, bk);
    grid.SetItemValue(row, col, axis.widths[i]);
}

void FillCoordNumberCell(CGridCtrl& grid, int row, int m, const AxisTableLook& look)
{
    SetCell(grid, row, 0, row <= m + 1 ? std::to_string(Shown(row - 1, look.rcl)) : "", GVIS_UNSIGNED, DT_LEFT,
            look.buttonFace, look.font);
}

void FillCoordAxisCell(CGridCtrl& grid, int row, int col, const AxisColumn& axis, float origin,
                       const AxisTableLook& look)
{
    if (row > axis.n + 1) {
        SetCell(grid, row, col, "", GVIS_READONLY, DT_RIGHT, look.infoBk);
        return;
    }
    const int line = kernels::LineOfRow(row, axis.n, axis.mirrored);
    const float coordinate = line == 0 ? 0.0f : axis.coords[line - 1];
    const float shown = axis.mirrored ? origin - coordinate : coordinate - origin;
    const bool band = axis.flags && (axis.flags[line] & kAxisLineBand);
    SetCell(grid, row, col, Fixed3(shown), GVIS_READONLY, DT_RIGHT, band ? AxisBandColour(axis.axis) : look.infoBk);
}

void FillMinGridAxisCell(CGridCtrl& grid, int row, int col, int m, int count, const double* widths, double length,
                         bool mirrored, const AxisTableLook& look)
{
    if (row > m) {
        SetCell(grid, row, col, Fixed3(length), GVIS_READONLY, DT_RIGHT, look.infoBk);
        return;
    }
    if (row > count) {
        SetCell(grid, row, col, "", GVIS_READONLY, DT_RIGHT, look.infoBk);
        return;
    }
    const int k = kernels::IntervalOfRow(row, count, mirrored);
    SetCell(grid, row, col, Fixed3(widths[k]), GVIS_POSITIVE_REAL, DT_RIGHT, look.window);
    grid.SetItemValue(row, col, widths[k]);
}

} // namespace common
