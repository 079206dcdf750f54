// The sample points through which the function graph draws a function:
// the corners of the step shapes, 60 points a period of a sine, 31 points a
// pulse of a half-sine, the points of a property table with a lead-in and a
// tail, and the samples of a time series (two a step when the values hold
// for a whole step). When the points would not fit into a chart series, the
// function is sampled again keeping each pixel column's lowest and highest
// value, so that the curve always spans the whole range.
#pragma once
#include <cstddef>
#include <functional>
#include <vector>

namespace gelmar {

// The loaded data of a function of shape 0.
struct FunctionSampleData {
    // A property table (letters C, L and R): arguments not decreasing.
    const std::vector<float>* arguments = nullptr;
    const std::vector<float>* values = nullptr;
    // A time series: its step (s; 0 when none is loaded), whether each value
    // holds for its whole step, and its value at a time (s).
    int step = 0;
    bool stepwise = false;
    std::function<double(double t)> seriesValue;
};

// What is sampled: the kind letter, the shape 0..6 and its six parameters
// (durations in minutes), over xMin..xMax (s, or the argument's unit).
struct SampleRequest {
    char letter = 'T';
    int shape = 0;
    float p[6] = {};
    double xMin = 0, xMax = 0;
    // Pixel columns of the plot area, for the reduced sampling.
    int columns = 1;
    // The most points the series takes.
    std::size_t limit = 1000000;
    // A value that breaks the curve; kept as a break in the reduced sampling.
    double gapValue = 999.0;
};

struct SamplePoint {
    double t = 0;
    double y = 0;
    bool operator==(const SamplePoint&) const = default;
};

// The sample points in order of time. A shape 4 or 5 without a positive
// period (p3), a shape 6 without a positive period (p2) or pulse length
// (p3), a series without a step and an unknown shape give none.
std::vector<SamplePoint> SampleFunction(const SampleRequest& request, const FunctionSampleData& data);

// The points of the shape as such, at most limit + 1 of them (more means
// that they do not fit).
std::vector<SamplePoint> SampleFunctionPoints(const SampleRequest& request, const FunctionSampleData& data);

} // namespace gelmar
