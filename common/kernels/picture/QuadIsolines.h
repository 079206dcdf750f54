// Isolines of a value over one projected grid quad, by linear interpolation
// along its four edges: the levels of the range that the quad's values span,
// each drawn with the pen of its kind (every second increment with the
// second pen), and the single value with its own pen. A level equal to a
// corner value is moved up by a ten-thousandth of the increment, so a line
// through a grid point is drawn once; a saddle quad joins its crossings on
// edges 0/1 and 2/3.
#pragma once
#include "common/kernels/KernelTypes.h"
#include "common/kernels/picture/BandPolygons.h"
#include "common/kernels/picture/LinePlotter.h"

#include <functional>

namespace kernels {

struct IsolineStyle {
    double lower = 0.0, upper = 1.0; // the range's limits
    double inc = 1.0;                // first increment: the levels
    double inc2 = 5.0;               // second increment: levels that are its multiples take the second pen
    LinePen firstPen, secondPen;
    // Clamped: levels only within lower..upper, and the single value drawn
    // (temperatures); otherwise (heat fluxes) neither.
    bool clamped = true;
    double singleValue = 0.0;
    LinePen singlePen{kBlack, 0};
};

using IsolineSegment = std::function<void(const BandVertex& from, const BandVertex& to)>;
using IsolinePen = std::function<void(const LinePen& pen)>;

// The pen of a level: the second pen when level / inc2 is within 0.0001 of
// a whole number, else the first.
const LinePen& PenOfLevel(const IsolineStyle& style, double level);

// Draws the isolines of the quad c0..c3: for each level, pen(its pen) and,
// when that pen has a width, the level's segments. Esc is polled every 256
// levels.
void DrawQuadIsolines(const BandVertex c[4], const IsolineStyle& style, const IsolinePen& pen,
                      const IsolineSegment& segment, const EscCheck& esc = {});
// The segments of one level (inc: the first increment, for the move off a
// corner value).
void DrawQuadIsoline(const BandVertex c[4], double level, double inc, const IsolineSegment& segment);

} // namespace kernels
