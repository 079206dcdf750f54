// Dralo's message table and the errors built from it.
#include "dralo/model/store/Errors.h"

#include <string>

namespace dralo {

namespace {

constexpr common::ErrorMessage kMessages[] = {
    {static_cast<int>(ErrorCode::SeparatedZones), "Boundary condition (colour %d) occurs in separated zones"},
    {static_cast<int>(ErrorCode::TouchingBcTypes),
     "Two boundary conditions of different type are not allowed\nto touch each other (colours %d and %d)"},
    {static_cast<int>(ErrorCode::ResultFile),
     "Cannot find solution file (with extension TRI or SOL)\nRedo Calculation (Calc System)"},
    {static_cast<int>(ErrorCode::Bitmap), kMsgBitmapTooLarge},
    {static_cast<int>(ErrorCode::Triangulation), "Triangulation failed in colour %d"},
};

template <typename... Values> EngineError Make(ErrorCode code, common::ErrorContext context, Values... values)
{
    const int c = static_cast<int>(code);
    return EngineError(common::EngineError(c, std::move(context), common::FormatError(kMessages, c, values...)));
}

common::ErrorContext Colours(int a, int b = -1)
{
    common::ErrorContext context;
    context.colour = a;
    context.colour2 = b;
    return context;
}

} // namespace

EngineError EngineError::SeparatedZones(int colour)
{
    return Make(ErrorCode::SeparatedZones, Colours(colour), colour);
}

EngineError EngineError::TouchingBcTypes(int a, int b)
{
    const int lo = a < b ? a : b, hi = a < b ? b : a;
    return Make(ErrorCode::TouchingBcTypes, Colours(lo, hi), lo, hi);
}

EngineError EngineError::ResultFile()
{
    return Make(ErrorCode::ResultFile, {});
}

EngineError EngineError::Bitmap()
{
    return Make(ErrorCode::Bitmap, {});
}

EngineError EngineError::Triangulation(int colour)
{
    return Make(ErrorCode::Triangulation, Colours(colour), colour);
}

} // namespace dralo
