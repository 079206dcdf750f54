// The engine's error codes and their messages.
#include "gelmar/model/store/Errors.h"

#include <cstdio>
#include <utility>

namespace gelmar {

namespace {

struct ErrorText {
    ErrorCode code;
    const char* format;
};

// The one table of messages. The cavity checks add the line that names their
// cell (LocationLine).
constexpr ErrorText kErrorTexts[] = {
    {ErrorCode::Memory, "Not enough memory"},
    {ErrorCode::FileOpen, "Failed to open file\n%s"},
    {ErrorCode::Syntax, "Syntax error in file %s\nLine %d"},
    {ErrorCode::SeparatedZones, "BC (colour %d) occurs in separated zones."},
    {ErrorCode::DifferentBcTypes, "BC (colour %d) touches other BC of different type."},
    {ErrorCode::Bitmap, "Bitmap creation failed.\nBitmap size too large."},
    {ErrorCode::VentilationFlow, "Syntax error in ventilation flow %d"},
    {ErrorCode::VentilationNetwork, "Error in ventilation system"},
    {ErrorCode::SolarFunctions, "Solar radiation function (G01 or D01) not present"},
    {ErrorCode::SolarContact, "EQUIMAT (colour %d) touches solar zone (colour %d)"},
    {ErrorCode::Control, "Error in control no. %d"},
    {ErrorCode::TransmatBesideVoid, "TRANSMAT (colour %d) bordering void space.\n"},
    {ErrorCode::GridLength, "The %s has width %s (grid unit %s m):\na grid interval needs a finite positive "
                            "length.\nThe calculation is not started."},
    {ErrorCode::NotFiniteAssembly, "The calculation stopped in time step %d:\nthe equations of the step hold "
                                   "a value that is not a finite number."},
    {ErrorCode::NotFiniteSolve,
     "The calculation stopped in time step %d:\nthe solver gave a temperature that is not a finite number."},
    {ErrorCode::NotFiniteResults,
     "The calculation stopped in time step %d:\nits temperatures, heat flows or solar "
     "fluxes are not finite numbers."},
};

template <typename... Values> std::string Format(ErrorCode code, Values... values)
{
    if constexpr (sizeof...(Values) == 0) {
        return ErrorFormat(code);
    } else {
        // Paths may be long: the text is sized to what it needs.
        const int n = std::snprintf(nullptr, 0, ErrorFormat(code), values...);
        std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
        std::snprintf(text.data(), text.size() + 1, ErrorFormat(code), values...);
        return text;
    }
}

// "See X=.., Y=.., Z=.." or, while the model is shown with rows, columns and
// layers, "See R=.., C=.., L=.." (grid line i is node 2i+1, layers counted
// from the top).
std::string LocationLine(const ErrorCell& c)
{
    char text[96];
    if (c.rcl)
        std::snprintf(text, sizeof text, "See R=%lld, C=%lld, L=%lld.", 2LL * c.i + 1, 2LL * c.j + 1,
                      2LL * (static_cast<long long>(c.layers) - c.k) + 1);
    else
        std::snprintf(text, sizeof text, "See X=%d, Y=%d, Z=%d.", c.i, c.j, c.k);
    return text;
}

} // namespace

const char* ErrorFormat(ErrorCode code)
{
    for (const ErrorText& t : kErrorTexts)
        if (t.code == code)
            return t.format;
    return "";
}

EngineError EngineError::Memory()
{
    EngineError e(ErrorCode::Memory);
    e.m_message = Format(ErrorCode::Memory);
    return e;
}

EngineError EngineError::FileOpen(std::string path)
{
    EngineError e(ErrorCode::FileOpen);
    e.m_message = Format(ErrorCode::FileOpen, path.c_str());
    e.m_path = std::move(path);
    return e;
}

EngineError EngineError::Syntax(std::string path, int line)
{
    EngineError e(ErrorCode::Syntax);
    e.m_message = Format(ErrorCode::Syntax, path.c_str(), line);
    e.m_path = std::move(path);
    e.m_line = line;
    return e;
}

EngineError EngineError::CavityFault(ErrorCode code, int colour, ErrorCell cell)
{
    EngineError e(code);
    e.m_colour = colour;
    e.m_cell = cell;
    std::string first = Format(code, colour);
    if (first.empty() || first.back() != '\n')
        first += '\n';
    e.m_message = first + LocationLine(cell);
    return e;
}

EngineError EngineError::Bitmap()
{
    EngineError e(ErrorCode::Bitmap);
    e.m_message = Format(ErrorCode::Bitmap);
    return e;
}

EngineError EngineError::VentilationFlow(int flow)
{
    EngineError e(ErrorCode::VentilationFlow);
    e.m_item = flow;
    e.m_message = Format(ErrorCode::VentilationFlow, flow);
    return e;
}

EngineError EngineError::VentilationNetwork()
{
    EngineError e(ErrorCode::VentilationNetwork);
    e.m_message = Format(ErrorCode::VentilationNetwork);
    return e;
}

EngineError EngineError::SolarFunctions()
{
    EngineError e(ErrorCode::SolarFunctions);
    e.m_message = Format(ErrorCode::SolarFunctions);
    return e;
}

EngineError EngineError::SolarContact(int cavityColour, int solarColour)
{
    EngineError e(ErrorCode::SolarContact);
    e.m_colour = cavityColour;
    e.m_item = solarColour;
    e.m_message = Format(ErrorCode::SolarContact, cavityColour, solarColour);
    return e;
}

EngineError EngineError::Control(int control)
{
    EngineError e(ErrorCode::Control);
    e.m_item = control;
    e.m_message = Format(ErrorCode::Control, control + 1);
    return e;
}

EngineError EngineError::GridLength(int axis, int interval, float width, float unit, bool rcl)
{
    EngineError e(ErrorCode::GridLength);
    e.m_item = interval;
    const auto number = [](double v) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%g", v);
        return std::string(buf);
    };
    // Interval r of the R, C, L naming runs from node 2r-1 to node 2r+1.
    const std::string where = rcl ? std::string(1, "RCL"[axis]) + " interval " +
                                        std::to_string(2 * interval - 1) + " to " +
                                        std::to_string(2 * interval + 1)
                                  : std::string(1, "XYZ"[axis]) + " interval " + std::to_string(interval);
    e.m_message = Format(ErrorCode::GridLength, where.c_str(), number(width).c_str(), number(unit).c_str());
    return e;
}

EngineError EngineError::NotFinite(ErrorCode code, int step)
{
    EngineError e(code);
    e.m_item = step;
    e.m_message = Format(code, step);
    return e;
}

WorkOutcome WorkOutcome::Failed(const EngineError& e)
{
    common::SetErrorCode(static_cast<int>(e.Code()));
    return {End::Failed, e};
}

ErrorCode PendingErrorCode()
{
    return static_cast<ErrorCode>(common::ErrorCode());
}

void ClearPendingError()
{
    common::ResetErrorCode();
}

} // namespace gelmar
