// libFuzzer target for the .pvn reader: the input is written to a file and
// read in open, merge or preview mode (chosen by its first byte) into the
// engine of a freshly started program. A read that fails must leave the
// model as it was; an open read that succeeds is saved, read back and
// formatted again, and the two files must be the same bytes. Any crash or
// sanitizer finding is a fault.
#include "fuzz/FuzzInput.h"
#include "parven/model/files/DataFile.h"
#include "parven/model/store/Engine.h"
#include "parven/model/store/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

bool Read(parven::Engine& e, const std::string& path, parven::ReadMode mode)
{
    try {
        parven::ReadDataFile(e.model, e.mesh, e.run, e.parameters, e.startColours, path, mode, e.host);
    } catch (const parven::EngineError&) {
        return false;
    }
    return true;
}

std::string Format(const parven::Engine& e)
{
    return parven::FormatDataFile(e.model, e.startColours);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::EnterOwnFolder();
    static const std::string path = fuzz::OwnFileName(".pvn");
    static const std::string written = fuzz::OwnFileName("-written.pvn");
    if (!fuzz::WriteInput(path, data, size))
        return 0;
    parven::NullEngineHost host;
    parven::Engine engine(host);
    const int mode = size > 0 ? data[0] % 3 : 0;
    if (mode == 1) {
        parven::ShapeModel preview;
        parven::ReadPreview(preview, engine.parameters, engine.startColours, path);
    } else if (mode == 2) {
        Read(engine, path, parven::ReadMode::Open); // a model to merge into
        const std::string before = Format(engine);
        if (!Read(engine, path, parven::ReadMode::Merge) && Format(engine) != before)
            __builtin_trap();
    } else {
        const std::string before = Format(engine);
        if (!Read(engine, path, parven::ReadMode::Open)) {
            if (Format(engine) != before)
                __builtin_trap();
        } else {
            const std::string first = Format(engine);
            parven::SaveDataFile(engine.model, engine.startColours, written);
            if (!Read(engine, written, parven::ReadMode::Open) || Format(engine) != first)
                __builtin_trap();
            std::remove(written.c_str());
        }
    }
    return 0;
}
