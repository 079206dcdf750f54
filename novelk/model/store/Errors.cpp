// Novelk's message table and the errors built from it.
#include "novelk/model/store/Errors.h"

#include <string>

namespace novelk {

namespace {

constexpr common::ErrorMessage kMessages[] = {
    {static_cast<int>(ErrorCode::SeparatedZones), "BC (colour %d) occurs in separated zones.\n"},
    {static_cast<int>(ErrorCode::DifferentBcTypes), "BC (colour %d) touches other BC of different type.\n"},
    {static_cast<int>(ErrorCode::Bitmap), "Bitmap creation failed.\nBitmap size too large."},
    {static_cast<int>(ErrorCode::TransmatBesideVoid), "TRANSMAT (colour %d) bordering void space.\n"},
    {static_cast<int>(ErrorCode::TooManyGridIntervals),
     "Too many grid intervals: an axis holds at most 65535 intervals."},
};

EngineError Make(ErrorCode code, common::ErrorContext context, std::string message)
{
    return EngineError(common::EngineError(static_cast<int>(code), std::move(context), std::move(message)));
}

std::string LocationLine(const ErrorLocation& w)
{
    const char* names = w.rcl ? "RCL" : "XYZ";
    return std::string("See ") + names[0] + "=" + std::to_string(w.i) + ", " + names[1] + "=" +
           std::to_string(w.j) + ", " + names[2] + "=" + std::to_string(w.k) + ".";
}

} // namespace

EngineError EngineError::ModelCheck(ErrorCode code, int colour, ErrorLocation where)
{
    if (code != ErrorCode::SeparatedZones && code != ErrorCode::DifferentBcTypes)
        code = ErrorCode::TransmatBesideVoid;
    common::ErrorContext context;
    context.colour = colour;
    context.i = where.i;
    context.j = where.j;
    context.k = where.k;
    context.rcl = where.rcl;
    const int c = static_cast<int>(code);
    return Make(code, std::move(context), common::FormatError(kMessages, c, colour) + LocationLine(where));
}

EngineError EngineError::Bitmap()
{
    return Make(ErrorCode::Bitmap, {}, common::FormatError(kMessages, static_cast<int>(ErrorCode::Bitmap)));
}

EngineError EngineError::TooManyGridIntervals()
{
    const int c = static_cast<int>(ErrorCode::TooManyGridIntervals);
    return Make(ErrorCode::TooManyGridIntervals, {}, common::FormatError(kMessages, c));
}

} // namespace novelk
