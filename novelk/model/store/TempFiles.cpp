// Temporary result files of the working folder.
#include "novelk/model/store/TempFiles.h"

#include <filesystem>
#include <system_error>

namespace novelk {

void RemoveTempFiles()
{
    for (const char* name : {"tmp.sol", "tmp.flx", "tmp.vwf"}) {
        std::error_code ec;
        std::filesystem::remove(name, ec);
    }
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

std::string PathWithoutExtension(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path;
    return path.substr(0, dot);
}

std::string CompanionFilePath(const std::string& dataFilePath, const std::string& ext)
{
    if (dataFilePath.empty())
        return {};
    return PathWithoutExtension(dataFilePath) + "." + ext;
}

std::string SelectResultFile(const std::string& dataFilePath, const std::string& temporary, const std::string& ext)
{
    if (FileExists(temporary))
        return temporary;
    return CompanionFilePath(dataFilePath, ext);
}

std::string SelectViewFactorFile(const std::string& dataFilePath)
{
    return SelectResultFile(dataFilePath, "tmp.vwf", "vwf");
}

} // namespace novelk
