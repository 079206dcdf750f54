// Temporary result files of the working folder.
#include "dralo/model/store/TempFiles.h"

#include <filesystem>
#include <system_error>

namespace dralo {

void RemoveTempFiles()
{
    for (const char* name : {"tmp.tri", "tmp.sol", "tmp.flw", "tmp.flx"}) {
        std::error_code ec;
        std::filesystem::remove(name, ec);
    }
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

bool SolutionFileExists()
{
    return FileExists("tmp.sol");
}

} // namespace dralo
