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

std::string CompanionFilePath(const std::string& dataFilePath, const std::string& ext)
{
    if (dataFilePath.empty())
        return {};
    const std::size_t slash = dataFilePath.find_last_of("/\\");
    const std::size_t dot = dataFilePath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return dataFilePath + "." + ext;
    return dataFilePath.substr(0, dot + 1) + ext;
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
