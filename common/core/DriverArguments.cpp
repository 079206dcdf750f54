// Parsing a driver's command line.
#include "common/core/DriverArguments.h"

#include <cstdio>

namespace common {

bool ParseDriverArguments(int argc, char** argv, const char* driver, DriverArguments& out)
{
    out = DriverArguments{};
    bool good = true;
    for (int i = 1; i < argc && good; ++i) {
        const std::string arg = argv[i];
        if (arg == "--no-calc")
            out.calculate = false;
        else if (arg == "--save" && i + 1 < argc)
            out.saveTo = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && out.file.empty())
            out.file = arg;
        else
            good = false;
    }
    if (good && !out.file.empty())
        return true;
    std::fprintf(stderr, "usage: %s [--no-calc] [--save OUT] FILE\n", driver);
    return false;
}

} // namespace common
