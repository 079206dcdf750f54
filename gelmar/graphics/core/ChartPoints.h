// The points of a chart series and their way to the screen: the storage of
// one series (growing geometrically, at most a fixed number of points), and
// the conversion of the stored points into device polylines of at most 1000
// points, broken where a point carries the gap value.
#pragma once
#include "gelmar/graphics/core/ChartAxes.h"
#include "platform/core/Types.h"

#include <cstddef>
#include <vector>

namespace gelmar {

struct ChartPoint {
    double y = 0;
    double x = 0;
};

// The most points one series holds.
inline constexpr int kChartPointLimit = 1000000;

class ChartPointStore {
  public:
    ChartPointStore() = default;
    explicit ChartPointStore(int limit) : m_limit(limit) {}
    // False (nothing stored) when the series is full.
    bool Add(double x, double y);
    // Appends as many of the n points as still fit; their number.
    int AddMany(int n, const double* xs, const double* ys);
    // Empties the series, keeping its buffer.
    void Clear();
    int Count() const { return static_cast<int>(m_points.size()); }
    bool Full() const { return Count() >= m_limit; }
    const ChartPoint* Data() const { return m_points.data(); }
    const ChartPoint& operator[](int i) const { return m_points[static_cast<std::size_t>(i)]; }
    int Limit() const { return m_limit; }

  private:
    void Reserve(std::size_t n);
    std::vector<ChartPoint> m_points;
    int m_limit = kChartPointLimit;
};

// The points of one polyline in a batch; a polyline holds at most this many.
inline constexpr int kPolylineBatch = 1000;

// How a series' values become pixels of the plot area.
struct SeriesMapping {
    const ChartAxis* xAxis = nullptr;
    const ChartAxis* yAxis = nullptr;
    CRect plot;
    double gapValue = 999.0;
};

// Walks the points in order and hands each polyline to draw(points, n):
// a point whose y equals the gap value ends the current polyline; a point
// further than 10000 pixels left or right, or 50000 above or below, of the
// plot area is dropped; a point on the pixel of the one before adds nothing.
// A polyline that reaches 1000 points is drawn and the next one starts at
// its last point, so that no segment is left out at the joins. buffer holds
// kPolylineBatch points; nothing is allocated.
template <class Draw>
void WalkSeriesPolylines(const ChartPoint* points, int n, const SeriesMapping& map, CPoint* buffer, Draw draw);

// The pixel of a point, false when it lies outside the band above.
bool SeriesPixel(const SeriesMapping& map, const ChartPoint& p, CPoint* pixel);

template <class Draw>
void WalkSeriesPolylines(const ChartPoint* points, int n, const SeriesMapping& map, CPoint* buffer, Draw draw)
{
    int used = 0;
    auto flush = [&] {
        if (used >= 2)
            draw(static_cast<const CPoint*>(buffer), used);
        used = 0;
    };
    for (int i = 0; i < n; ++i) {
        if (points[i].y == map.gapValue) {
            flush();
            continue;
        }
        CPoint p;
        if (!SeriesPixel(map, points[i], &p))
            continue;
        if (used > 0 && buffer[used - 1] == p)
            continue;
        buffer[used++] = p;
        if (used == kPolylineBatch) {
            draw(static_cast<const CPoint*>(buffer), used);
            buffer[0] = buffer[used - 1];
            used = 1;
        }
    }
    flush();
}

} // namespace gelmar
