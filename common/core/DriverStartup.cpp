// Parsing a driver's command line and running its body.
#include "common/core/DriverStartup.h"

#include "common/core/EngineError.h"
#include "platform/core/Folders.h"

#include <cstdio>
#include <new>

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

int RunDriver(int argc, char** argv, const char* driver, const std::function<int(const DriverStart&)>& body)
{
    DriverStart start;
    if (!ParseDriverArguments(argc, argv, driver, start.args))
        return kExitUsage;
    start.programFolder = platform::ProgramFolder();
    try {
        return body(start);
    } catch (const EngineError& e) {
        std::fprintf(stderr, "%s\n", e.Message().c_str());
    } catch (const EscAbort&) {
        std::fprintf(stderr, "Calculation aborted\n");
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", kMemoryText);
    }
    return kExitFailure;
}

} // namespace common
