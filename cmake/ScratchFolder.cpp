// Built into every test and benchmark executable (from a generated source
// that defines SUITE_SCRATCH_DIR and includes this file): before main runs, the
// process moves into its own scratch folder in the build tree (created when
// missing), so that whichever folder it was started from, the files its tests
// write land there and never in the source tree.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

struct EnterScratchFolder {
    EnterScratchFolder()
    {
        std::error_code ec;
        std::filesystem::create_directories(SUITE_SCRATCH_DIR, ec);
        if (!ec)
            std::filesystem::current_path(SUITE_SCRATCH_DIR, ec);
        if (ec) {
            std::fprintf(stderr, "cannot work in %s: %s\n", SUITE_SCRATCH_DIR, ec.message().c_str());
            std::_Exit(1);
        }
    }
} enterScratchFolder;

} // namespace
