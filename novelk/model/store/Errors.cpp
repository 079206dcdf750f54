// The message texts of the engine errors.
#include "novelk/model/store/Errors.h"

#include <string>

namespace novelk {

namespace {

std::string LocationLine(const ErrorLocation& w)
{
    const char* names = w.rcl ? "RCL" : "XYZ";
    return std::string("See ") + names[0] + "=" + std::to_string(w.i) + ", " + names[1] + "=" +
           std::to_string(w.j) + ", " + names[2] + "=" + std::to_string(w.k) + ".";
}

} // namespace

EngineError::EngineError(ErrorCode code) : m_code(code)
{
    switch (code) {
    case ErrorCode::Memory:
        m_message = "Not enough memory";
        break;
    case ErrorCode::Bitmap:
        m_message = "Bitmap creation failed.\nBitmap size too large.";
        break;
    case ErrorCode::TooManyGridIntervals:
        m_message = "Too many grid intervals: an axis holds at most 65535 intervals.";
        break;
    default:
        break;
    }
}

EngineError EngineError::FileOpen(std::string path)
{
    EngineError e(ErrorCode::FileOpen);
    e.m_message = "Failed to open file\n" + path;
    e.m_path = std::move(path);
    return e;
}

EngineError EngineError::Syntax(std::string path, int line)
{
    EngineError e(ErrorCode::Syntax);
    e.m_message = "Syntax error in file " + path + "\nLine " + std::to_string(line);
    e.m_path = std::move(path);
    e.m_line = line;
    return e;
}

EngineError EngineError::ModelCheck(ErrorCode code, int colour, ErrorLocation where)
{
    EngineError e(code);
    e.m_colour = colour;
    e.m_where = where;
    const std::string c = std::to_string(colour);
    switch (code) {
    case ErrorCode::SeparatedZones:
        e.m_message = "BC (colour " + c + ") occurs in separated zones.\n" + LocationLine(where);
        break;
    case ErrorCode::DifferentBcTypes:
        e.m_message = "BC (colour " + c + ") touches other BC of different type.\n" + LocationLine(where);
        break;
    default:
        e.m_code = ErrorCode::TransmatBesideVoid;
        e.m_message = "TRANSMAT (colour " + c + ") bordering void space.\n" + LocationLine(where);
        break;
    }
    return e;
}

} // namespace novelk
