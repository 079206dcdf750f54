// libFuzzer target for the .nvk reader: the input is written to a file and
// read in open, preview or insert mode (chosen by its first byte) into a
// fresh store. After an open read, successful or not, the model is written,
// read back and written again: the reader must accept what the writer wrote
// and the two files must be the same bytes. Any crash or sanitizer finding
// is a fault.
#include "novelk/model/files/DataFile.h"
#include "novelk/model/store/EngineHost.h"
#include "novelk/model/store/Errors.h"
#include "novelk/model/store/ModelStore.h"
#include "novelk/model/store/RunState.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

bool Read(novelk::ModelStore& m, novelk::RunState& run, novelk::EngineHost& host, const std::string& path,
          novelk::ReadMode mode)
{
    const novelk::ProgramParameters defaults;
    try {
        novelk::ReadDataFile(m, run, defaults, host, path, mode);
    } catch (const novelk::EngineError&) {
        return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "fuzz-" + std::to_string(getpid()) + ".nvk";
    static const std::string written = "fuzz-" + std::to_string(getpid()) + "-written.nvk";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    // Every input starts from the store of a freshly started program.
    novelk::NullEngineHost host;
    novelk::ModelStore model;
    novelk::RunState run;
    const int mode = size > 0 ? data[0] % 3 : 0;
    if (mode == 1) {
        Read(model, run, host, path, novelk::ReadMode::Preview);
    } else if (mode == 2) {
        Read(model, run, host, path, novelk::ReadMode::Open); // a model to insert into
        Read(model, run, host, path, novelk::ReadMode::Insert);
    } else {
        Read(model, run, host, path, novelk::ReadMode::Open);
        const std::string first = novelk::FormatDataFile(model);
        novelk::WriteDataFile(model, written);
        if (!Read(model, run, host, written, novelk::ReadMode::Open) ||
            novelk::FormatDataFile(model) != first)
            __builtin_trap();
        std::remove(written.c_str());
    }
    std::remove(path.c_str());
    return 0;
}
