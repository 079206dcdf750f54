// The finite-number guards of a run and their messages.
#include "gelmar/model/calc/FiniteChecks.h"

#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/ModelStore.h"

#include <cmath>
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

EngineError GridLengthError(const ModelStore& model, const GridLengthFault& f)
{
    return EngineError::GridLength(f.axis, f.interval, f.width, f.unit, model.rcl != 0);
}

void CheckGridLengths(const ModelStore& model)
{
    if (const std::optional<GridLengthFault> fault = FindGridLengthFault(model))
        throw GridLengthError(model, *fault);
}

void CheckEquationsFinite(const WorkArrays& work, const RunState& run)
{
    if (!AllFiniteAsFloat(work.rhs) || (work.matrix && (!AllFiniteAsFloat(work.matrix->Diagonal()) ||
                                                        !AllFiniteAsFloat(work.matrix->Lower()))))
        throw EngineError::NotFinite(ErrorCode::NotFiniteAssembly, run.step);
}

void CheckSolutionFinite(const WorkArrays& work, const RunState& run)
{
    for (double x : work.solution)
        if (!FiniteAsFloat(x))
            throw EngineError::NotFinite(ErrorCode::NotFiniteSolve, run.step);
    const kernels::SolverState& s = run.solver;
    if (!std::isfinite(s.largestChange) || !std::isfinite(s.objectDivergence) ||
        !std::isfinite(s.nodeDivergence))
        throw EngineError::NotFinite(ErrorCode::NotFiniteSolve, run.step);
}

void CheckColourResultsFinite(const ModelStore& model, const RunState& run)
{
    for (const ColourRecord& c : model.colours) {
        if (!c.inUse)
            continue;
        for (float v : {c.resultMin, c.resultMax, c.resultValue1, c.resultValue2, c.temperature,
                        c.airTemperature, c.lambda, c.hGlobal, c.hConvective})
            if (!std::isfinite(v))
                throw EngineError::NotFinite(ErrorCode::NotFiniteResults, run.step);
    }
}

} // namespace gelmar
