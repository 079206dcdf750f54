// The message texts of the engine errors.
#include "dralo/model/store/Errors.h"

#include <string>

namespace dralo {

std::string OpenFailureText(const std::string& path)
{
    return "Failed to open file\n" + path;
}

std::string SyntaxErrorText(const std::string& path, int line)
{
    return "Syntax error in file " + path + "\nLine " + std::to_string(line);
}

EngineError::EngineError(ErrorCode code) : m_code(code)
{
    switch (code) {
    case ErrorCode::Memory:
        m_message = kMsgNoMemory;
        break;
    case ErrorCode::ResultFile:
        m_message = "Cannot find solution file (with extension TRI or SOL)\nRedo Calculation (Calc System)";
        break;
    case ErrorCode::Bitmap:
        m_message = kMsgBitmapTooLarge;
        break;
    default:
        break;
    }
}

EngineError EngineError::FileOpen(std::string path)
{
    EngineError e(ErrorCode::FileOpen);
    e.m_message = OpenFailureText(path);
    e.m_path = std::move(path);
    return e;
}

EngineError EngineError::Syntax(std::string path, int line)
{
    EngineError e(ErrorCode::Syntax);
    e.m_message = SyntaxErrorText(path, line);
    e.m_path = std::move(path);
    e.m_line = line;
    return e;
}

EngineError EngineError::SeparatedZones(int colour)
{
    EngineError e(ErrorCode::SeparatedZones);
    e.m_colour = colour;
    e.m_message = "Boundary condition (colour " + std::to_string(colour) + ") occurs in separated zones";
    return e;
}

EngineError EngineError::Triangulation(int colour)
{
    EngineError e(ErrorCode::Triangulation);
    e.m_colour = colour;
    e.m_message = "Triangulation failed in colour " + std::to_string(colour);
    return e;
}

EngineError EngineError::TouchingBcTypes(int a, int b)
{
    EngineError e(ErrorCode::TouchingBcTypes);
    e.m_colour = a < b ? a : b;
    e.m_colour2 = a < b ? b : a;
    e.m_message = "Two boundary conditions of different type are not allowed\nto touch each other (colours " +
                  std::to_string(e.m_colour) + " and " + std::to_string(e.m_colour2) + ")";
    return e;
}

} // namespace dralo
