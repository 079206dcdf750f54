// The shared codes' messages.
#include "common/core/EngineError.h"

namespace common {

std::string FileOpenText(const std::string& path)
{
    return "Failed to open file\n" + path;
}

std::string SyntaxErrorText(const std::string& path, int line)
{
    return "Syntax error in file " + path + "\nLine " + std::to_string(line);
}

const char* FindErrorFormat(std::span<const ErrorMessage> table, int code)
{
    for (const ErrorMessage& m : table)
        if (m.code == code)
            return m.format;
    return "";
}

EngineError EngineError::Memory()
{
    return EngineError(kErrorMemory, {}, kMemoryText);
}

EngineError EngineError::FileOpen(std::string path)
{
    std::string text = FileOpenText(path);
    ErrorContext context;
    context.path = std::move(path);
    return EngineError(kErrorFileOpen, std::move(context), std::move(text));
}

EngineError EngineError::Syntax(std::string path, int line)
{
    std::string text = SyntaxErrorText(path, line);
    ErrorContext context;
    context.path = std::move(path);
    context.line = line;
    return EngineError(kErrorSyntax, std::move(context), std::move(text));
}

} // namespace common
