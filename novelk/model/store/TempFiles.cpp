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

std::string SelectViewFactorFile(const std::string& dataFilePath)
{
    if (FileExists("tmp.vwf"))
        return "tmp.vwf";
    if (dataFilePath.empty())
        return {};
    const std::size_t slash = dataFilePath.find_last_of("/\\");
    const std::size_t dot = dataFilePath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return dataFilePath + ".vwf";
    return dataFilePath.substr(0, dot + 1) + "vwf";
}

} // namespace novelk
