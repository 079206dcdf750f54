// Straight pixel lines of the section (the four bitmap borders and the
// distances) and the one-dimensional U value of the layers such a line
// crosses, from the input values alone. Line k: 0 the left column, 1 the
// right column, 2 the top row, 3 the bottom row, k > 3 distance k - 4 (its
// two end pixels).
#pragma once
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>
#include <vector>

namespace dralo {

// Integer Bresenham walk over the pixels of a segment: the axis of the
// larger extent (x on ties) is the major axis, the walk runs from the end
// with the smaller major coordinate, and the minor coordinate advances when
// twice the error term reaches the major extent.
class LineWalk {
  public:
    LineWalk(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    // The next pixel; false when past the end.
    bool Next(std::int32_t& x, std::int32_t& y);

  private:
    bool m_xMajor;
    std::int32_t m_major, m_last, m_minor;
    std::int32_t m_step; // minor step, +1 or -1
    std::int32_t m_majorExtent, m_minorExtent, m_error = 0;
    bool m_started = false;
};

// The end pixels of line k; false when the line does not exist (a distance
// out of range, not placed, or reaching outside the bitmap).
bool GetLineEnds(const BitmapModel& m, int k, std::int32_t& x1, std::int32_t& y1, std::int32_t& x2,
                 std::int32_t& y2);
// A run of one colour along a line: its colour and first pixel.
struct LineRun {
    int colour;
    std::int32_t x, y;
};
// The runs of line k in walking order; none when the line does not exist.
std::vector<LineRun> LineRuns(const BitmapModel& m, int k);

// True when line k meets exactly two distinct environments with usable
// values, with only solid matter and cavities between them.
bool IsLineUValueComputable(const BitmapModel& m, int k);
// U value along line k from the input values (W/(m².K)); 0 when the line is
// not computable or crosses what needs result temperatures (TRANSMAT, an
// open cavity or a sky boundary beside a material).
double ComputeLineUValue(const BitmapModel& m, int k);

} // namespace dralo
