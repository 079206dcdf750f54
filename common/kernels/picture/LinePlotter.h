// The lines the pictures draw over their fills (object and grid lines,
// isotherms, isoflux lines) are plotted dot by dot in the current line colour
// and width: one dot per row of a steep line and one per column of a flat
// one, each dot a square of the line's width whose top-left pixel lies half
// a width up and left of the line.
#pragma once
#include "common/kernels/KernelTypes.h"
#include "common/kernels/picture/PictureCanvas.h"

namespace kernels {

// A line pen: colour and width in pixels (0: the lines are not drawn).
struct LinePen {
    COLORREF colour = kBlack;
    int width = 1;

    bool operator==(const LinePen&) const = default;
};

class LinePlotter {
  public:
    LinePlotter(PictureCanvas& canvas, EscCheck esc = {});

    void SetPen(const LinePen& pen) { m_pen = pen; }
    const LinePen& Pen() const { return m_pen; }

    // Polls Esc, then plots the line from (x1, y1) to (x2, y2) (pixels,
    // truncated toward zero). Both ends equal: one dot.
    void PlotThickLine(double x1, double y1, double x2, double y2);
    // The dot at (x, y): one pixel, or the width x width square from
    // (x - width / 2, y - width / 2).
    void PlotDot(int x, int y);

  private:
    PictureCanvas& m_canvas;
    EscCheck m_esc;
    LinePen m_pen;
};

} // namespace kernels
