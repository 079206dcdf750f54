// Parven's message table and the errors built from it.
#include "parven/model/store/Errors.h"

namespace parven {

namespace {

constexpr common::ErrorMessage kMessages[] = {
    {static_cast<int>(ErrorCode::Memory), "Not enough memory"},
    {static_cast<int>(ErrorCode::FileOpen), "Cannot open file %s"},
    {static_cast<int>(ErrorCode::Syntax), "Syntax error in file %s, line %d"},
    {static_cast<int>(ErrorCode::SeparatedZones),
     "Error: BC (colour %d) occurs in separated zones.\nSee grid coordinates X=%d, Y=%d, Z=%d."},
    {static_cast<int>(ErrorCode::DifferentBcTypes),
     "Error: BC (colour %d) touches other BC of different type.\nSee grid coordinates X=%d, Y=%d, Z=%d."},
    {static_cast<int>(ErrorCode::FitGrid),
     "Error: Fit Grid failed for volume element\nwith grid numbers X=%d-%d, Y=%d-%d, Z=%d-%d"},
    {static_cast<int>(ErrorCode::TransmatBesideVoid),
     "Error: TRANSMAT (colour %d) bordering void space.\nSee grid coordinates X=%d, Y=%d, Z=%d."},
};

template <typename... Values> std::string Text(ErrorCode code, Values... values)
{
    return common::FormatError(kMessages, static_cast<int>(code), values...);
}

EngineError Make(ErrorCode code, common::ErrorContext context, std::string message)
{
    return EngineError(common::EngineError(static_cast<int>(code), std::move(context), std::move(message)));
}

common::ErrorContext Cell(int colour, int x, int y, int z)
{
    common::ErrorContext context;
    context.colour = colour;
    context.i = x;
    context.j = y;
    context.k = z;
    return context;
}

} // namespace

std::string MemoryText()
{
    return Text(ErrorCode::Memory);
}

std::string FileOpenText(const std::string& path)
{
    return Text(ErrorCode::FileOpen, path.c_str());
}

std::string SyntaxErrorText(const std::string& path, int line)
{
    return Text(ErrorCode::Syntax, path.c_str(), line);
}

EngineError::EngineError(const common::EngineError& e)
    : ProgramError(common::EngineError(e.CodeValue(), e.Context(),
                                       e.CodeValue() == common::kErrorMemory     ? MemoryText()
                                       : e.CodeValue() == common::kErrorFileOpen ? FileOpenText(e.Path())
                                       : e.CodeValue() == common::kErrorSyntax   ? SyntaxErrorText(e.Path(), e.Line())
                                                                                 : e.Message()))
{
}

EngineError EngineError::ModelCheck(ErrorCode code, int colour, int x, int y, int z)
{
    if (code != ErrorCode::SeparatedZones && code != ErrorCode::DifferentBcTypes)
        code = ErrorCode::TransmatBesideVoid;
    return Make(code, Cell(colour, x, y, z), Text(code, colour, x, y, z));
}

EngineError EngineError::FitGrid(int x, int y, int z)
{
    return Make(ErrorCode::FitGrid, Cell(-1, x, y, z), Text(ErrorCode::FitGrid, x, x + 1, y, y + 1, z, z + 1));
}

} // namespace parven
