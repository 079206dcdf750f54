// Sampling a function for the graph, with the reduced sampling of curves
// whose points would not fit into a chart series.
#include "gelmar/graphics/core/FunctionSampling.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace gelmar {

namespace {

// Receives the points in order of time; Put returns false to stop.
class Emitter {
  public:
    virtual ~Emitter() = default;
    virtual bool Put(double t, double y) = 0;
    // In the reduced sampling, the time bounds of the pixel column that
    // holds t (one column before xMin and one after xMax without bounds on
    // their outer side).
    virtual bool ColumnOf(double /*t*/, double* /*start*/, double* /*end*/) const { return false; }
};

// Keeps every point, stopping one point past the limit.
class Collector : public Emitter {
  public:
    Collector(std::vector<SamplePoint>& out, std::size_t limit) : m_out(out), m_limit(limit) {}
    bool Put(double t, double y) override
    {
        m_out.push_back({t, y});
        return m_out.size() <= m_limit;
    }

  private:
    std::vector<SamplePoint>& m_out;
    std::size_t m_limit;
};

// Keeps the lowest and the highest point of each pixel column, in the order
// they came; a gap value ends the column and stays in the curve.
class ColumnReducer : public Emitter {
  public:
    ColumnReducer(std::vector<SamplePoint>& out, const SampleRequest& r)
        : m_out(out), m_xMin(r.xMin), m_xMax(r.xMax), m_columns(r.columns < 1 ? 1 : r.columns),
          m_width((r.xMax - r.xMin) / (r.columns < 1 ? 1 : r.columns)), m_gap(r.gapValue)
    {
    }
    ~ColumnReducer() override { Flush(); }

    bool Put(double t, double y) override
    {
        if (y == m_gap) {
            Flush();
            if (m_out.empty() || m_out.back().y != m_gap)
                m_out.push_back({t, y});
            return true;
        }
        const long column = Column(t);
        if (!m_open || column != m_column) {
            Flush();
            m_open = true;
            m_column = column;
            m_low = m_high = {t, y};
            m_lowFirst = true;
            return true;
        }
        if (y < m_low.y) {
            m_low = {t, y};
            m_lowFirst = false;
        }
        if (y > m_high.y) {
            m_high = {t, y};
            m_lowFirst = true;
        }
        return true;
    }

    bool ColumnOf(double t, double* start, double* end) const override
    {
        const long c = Column(t);
        const double inf = std::numeric_limits<double>::infinity();
        *start = c < 0 ? -inf : m_xMin + static_cast<double>(c) * m_width;
        *end = c >= m_columns ? inf : m_xMin + static_cast<double>(c + 1) * m_width;
        return true;
    }

  private:
    long Column(double t) const
    {
        if (t < m_xMin)
            return -1;
        if (t > m_xMax)
            return m_columns;
        if (!(m_width > 0))
            return 0;
        const double c = std::floor((t - m_xMin) / m_width);
        return c >= m_columns ? m_columns - 1 : static_cast<long>(c);
    }
    void Flush()
    {
        if (!m_open)
            return;
        m_open = false;
        if (m_low == m_high) {
            m_out.push_back(m_low);
        } else if (m_lowFirst) {
            m_out.push_back(m_low);
            m_out.push_back(m_high);
        } else {
            m_out.push_back(m_high);
            m_out.push_back(m_low);
        }
    }

    std::vector<SamplePoint>& m_out;
    double m_xMin, m_xMax;
    long m_columns;
    double m_width;
    double m_gap;
    bool m_open = false;
    long m_column = 0;
    SamplePoint m_low, m_high;
    bool m_lowFirst = true; // the lowest point came before the highest
};

// The start of the period that holds xMin: the offset moved by whole
// periods to the last start at or before xMin.
double FirstPeriodStart(double offset, double period, double xMin)
{
    double t0 = offset - std::ceil((offset - xMin) / period) * period;
    if (t0 > xMin)
        t0 -= period;
    return t0;
}

// In the reduced sampling, a period that repeats one already wholly inside
// the same pixel column adds nothing: skips to the last period that still
// ends inside the column.
double SkipRepeatedPeriods(const Emitter& out, double t0, double period)
{
    double start = 0, end = 0;
    if (!out.ColumnOf(t0, &start, &end) || !std::isfinite(end) || t0 - period < start)
        return t0;
    const double k = std::floor((end - t0) / period) - 1;
    return k >= 1 ? t0 + k * period : t0;
}

void SampleTable(const SampleRequest& r, const FunctionSampleData& d, Emitter& out)
{
    if (!d.arguments || !d.values || d.arguments->empty() || d.values->size() < d.arguments->size())
        return;
    const std::vector<float>& x = *d.arguments;
    const std::vector<float>& y = *d.values;
    if (r.xMin < x.front() && !out.Put(r.xMin, y.front()))
        return;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!out.Put(x[i], y[i]))
            return;
    if (x.back() < r.xMax)
        out.Put(r.xMax, y[x.size() - 1]);
}

void SampleSeries(const SampleRequest& r, const FunctionSampleData& d, Emitter& out)
{
    // Without a step the loop would never advance.
    if (d.step <= 0 || !d.seriesValue)
        return;
    const double step = d.step;
    const double first = std::floor(r.xMin / step) * step;
    for (long long i = 0;; ++i) {
        const double t = first + static_cast<double>(i) * step;
        if (!(t < r.xMax + step))
            break;
        const double y = d.seriesValue(t);
        if (!out.Put(t, y) || (d.stepwise && !out.Put(t + step, y)))
            return;
    }
}

// Runs emit(t0) for the period starting at t0, from the given start on,
// until the start reaches xMax (stopAtEnd) or passes it; emit returns false
// to stop.
template <class Emit>
void ForEachPeriod(Emitter& out, double t0, double period, double xMax, bool stopAtEnd, Emit emit)
{
    do {
        t0 = SkipRepeatedPeriods(out, t0, period);
        if (!emit(t0))
            return;
        const double next = t0 + period;
        if (next == t0)
            return; // a period below the precision of the time
        t0 = next;
    } while (stopAtEnd ? t0 < xMax : !(t0 > xMax));
}

void SampleTrapezoids(const SampleRequest& r, Emitter& out)
{
    const double period = 60.0 * r.p[2];
    const double hold = 60.0 * r.p[3], ramp = 60.0 * r.p[4];
    const double first = FirstPeriodStart(60.0 * r.p[5], period, r.xMin);
    if (!out.Put(first, r.p[0]))
        return;
    ForEachPeriod(out, first, period, r.xMax, true, [&](double t0) {
        return out.Put(t0 + hold, r.p[0]) && out.Put(t0 + hold + ramp, r.p[1]) &&
               out.Put(t0 + period - ramp, r.p[1]) && out.Put(t0 + period, r.p[0]);
    });
}

void SampleSine(const SampleRequest& r, Emitter& out)
{
    const double period = 60.0 * r.p[2];
    ForEachPeriod(out, FirstPeriodStart(60.0 * r.p[3], period, r.xMin), period, r.xMax, false, [&](double t0) {
        for (int k = 0; k < 60; ++k) {
            const double t = t0 + k * period / 60.0;
            if (!out.Put(t, r.p[0] + r.p[1] * std::sin(2.0 * std::numbers::pi * (t - t0) / period)))
                return false;
        }
        return true;
    });
}

void SampleHalfSines(const SampleRequest& r, Emitter& out)
{
    const double period = 60.0 * r.p[1], length = 60.0 * r.p[2];
    ForEachPeriod(out, FirstPeriodStart(60.0 * r.p[3], period, r.xMin), period, r.xMax, false, [&](double t0) {
        for (int k = 0; k <= 30; ++k) {
            const double t = t0 + k * length / 30.0;
            const double y = k == 0 || k == 30 ? 0.0 : r.p[0] * std::sin(std::numbers::pi * (t - t0) / length);
            if (!out.Put(t, y))
                return false;
        }
        return out.Put(t0 + period, 0.0);
    });
}

void Sample(const SampleRequest& r, const FunctionSampleData& d, Emitter& out)
{
    const float* p = r.p;
    switch (r.shape) {
    case 0:
        if (std::strchr("LCR", r.letter))
            SampleTable(r, d, out);
        else
            SampleSeries(r, d, out);
        break;
    case 1:
        (void)(out.Put(r.xMin, p[0]) && out.Put(r.xMax, p[0]));
        break;
    case 2:
        (void)(out.Put(r.xMin, p[0]) && out.Put(60.0 * p[2], p[0]) && out.Put(60.0 * (p[2] + p[3]), p[1]) &&
               out.Put(r.xMax, p[1]));
        break;
    case 3:
        (void)(out.Put(r.xMin, p[0]) && out.Put(60.0 * p[2], p[0]) && out.Put(60.0 * (p[2] + p[3]), p[1]) &&
               out.Put(60.0 * (p[2] + p[3] + p[4]), p[1]) &&
               out.Put(60.0 * (p[2] + 2 * p[3] + p[4]), p[0]) && out.Put(r.xMax, p[0]));
        break;
    case 4:
        if (p[2] > 0)
            SampleTrapezoids(r, out);
        break;
    case 5:
        if (p[2] > 0)
            SampleSine(r, out);
        break;
    case 6:
        if (p[1] > 0 && p[2] > 0)
            SampleHalfSines(r, out);
        break;
    default:
        break;
    }
}

} // namespace

std::vector<SamplePoint> SampleFunctionPoints(const SampleRequest& request, const FunctionSampleData& data)
{
    std::vector<SamplePoint> points;
    Collector out(points, request.limit);
    Sample(request, data, out);
    return points;
}

std::vector<SamplePoint> SampleFunction(const SampleRequest& request, const FunctionSampleData& data)
{
    std::vector<SamplePoint> points = SampleFunctionPoints(request, data);
    if (points.size() <= request.limit)
        return points;
    points.clear();
    {
        ColumnReducer out(points, request);
        Sample(request, data, out);
    }
    if (points.size() > request.limit)
        points.resize(request.limit);
    return points;
}

} // namespace gelmar
