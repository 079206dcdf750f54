// The finite-number guards of a run and their messages.
#include "gelmar/model/calc/FiniteChecks.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/ModelStore.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace gelmar {

namespace {

// The model's values and its result files are single precision: a number
// beyond that range counts as not finite.
bool FiniteAsFloat(double v)
{
    return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
}

bool AllFiniteAsFloat(const std::vector<double>& values)
{
    bool finite = true;
    for (double v : values)
        finite = finite && FiniteAsFloat(v);
    return finite;
}

std::string Number(double v)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string GridLengthMessage(const GridLengthFault& f, bool rcl)
{
    std::string where;
    if (rcl)
        where = std::string(1, "RCL"[f.axis]) + " interval " + std::to_string(2 * f.interval - 1) + " to " +
                std::to_string(2 * f.interval + 1);
    else
        where = std::string(1, "XYZ"[f.axis]) + " interval " + std::to_string(f.interval);
    return "The " + where + " has width " + Number(f.width) + " (grid unit " + Number(f.unit) +
           " m):\na grid interval needs a finite positive length.\nThe calculation is not started.";
}

} // namespace

std::optional<GridLengthFault> FindGridLengthFault(const ModelStore& model)
{
    const float unit = model.gridUnit;
    for (int a = 0; a < 3; ++a) {
        const GridAxis& axis = model.axes[static_cast<std::size_t>(a)];
        for (int i = 0; i < axis.n; ++i) {
            const float w = axis.widths[static_cast<std::size_t>(i)];
            const float length = w * unit;
            if (!(w > 0) || !std::isfinite(w) || !(length > 0) || !std::isfinite(length))
                return GridLengthFault{a, i + 1, w, unit};
        }
    }
    return std::nullopt;
}

void CheckGridLengths(const ModelStore& model)
{
    if (FindGridLengthFault(model))
        common::RaiseError(kErrorGridLength);
}

void CheckEquationsFinite(const WorkArrays& work)
{
    if (!AllFiniteAsFloat(work.rhs) || (work.matrix && (!AllFiniteAsFloat(work.matrix->Diagonal()) ||
                                                        !AllFiniteAsFloat(work.matrix->Lower()))))
        common::RaiseError(kErrorNotFiniteAssembly);
}

void CheckSolutionFinite(const WorkArrays& work, const RunState& run)
{
    for (double x : work.solution)
        if (!FiniteAsFloat(x))
            common::RaiseError(kErrorNotFiniteSolve);
    const kernels::SolverState& s = run.solver;
    if (!std::isfinite(s.largestChange) || !std::isfinite(s.objectDivergence) ||
        !std::isfinite(s.nodeDivergence))
        common::RaiseError(kErrorNotFiniteSolve);
}

void CheckColourResultsFinite(const ModelStore& model)
{
    for (const ColourRecord& c : model.colours) {
        if (!c.inUse)
            continue;
        for (float v : {c.resultMin, c.resultMax, c.resultValue1, c.resultValue2, c.temperature,
                        c.airTemperature, c.lambda, c.hGlobal, c.hConvective})
            if (!std::isfinite(v))
                common::RaiseError(kErrorNotFiniteResults);
    }
}

std::string FiniteCheckMessage(int code, const ModelStore& model, const RunState& run)
{
    const char* what = nullptr;
    switch (code) {
    case kErrorGridLength: {
        const std::optional<GridLengthFault> fault = FindGridLengthFault(model);
        return fault ? GridLengthMessage(*fault, model.rcl != 0) : std::string();
    }
    case kErrorNotFiniteAssembly:
        what = "the equations of the step hold a value that is not a finite number.";
        break;
    case kErrorNotFiniteSolve:
        what = "the solver gave a temperature that is not a finite number.";
        break;
    case kErrorNotFiniteResults:
        what = "its temperatures, heat flows or solar fluxes are not finite numbers.";
        break;
    default:
        return {};
    }
    return "The calculation stopped in time step " + std::to_string(run.step) + ":\n" + what;
}

} // namespace gelmar
