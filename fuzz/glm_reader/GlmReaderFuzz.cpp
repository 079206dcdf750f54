// libFuzzer target for the .glm reader: the input is written to a file and
// read in open, preview and insert mode, then written and read back; any
// crash or sanitizer finding is a fault.
#include "gelmar/model/files/DataFile.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "fuzz-" + std::to_string(getpid()) + ".glm";
    // Every input starts from the engine of a freshly started program, so a
    // finding never depends on the inputs run before it.
    gelmar::NullEngineHost host;
    gelmar::Engine engine(host);
    gelmar::ModelStore& model = engine.model;

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    // Mode from the first byte, so every mode meets every input shape.
    const int mode = size > 0 ? data[0] % 3 : 0;
    model.dataFilePath = path;
    if (mode == 2)
        gelmar::ReadDataFile(model, model.dataFilePath, gelmar::ReadMode::Open,
                             engine.parameters, host); // a model to insert into
    model.dataFilePath = path;
    const bool ok = gelmar::ReadDataFile(model, model.dataFilePath,
                                         mode == 1   ? gelmar::ReadMode::Preview
                                         : mode == 2 ? gelmar::ReadMode::Insert
                                                     : gelmar::ReadMode::Open,
                                         engine.parameters, host);
    if (ok && mode == 0) {
        // A model read back from what the writer wrote is the same model.
        // (A file may shrink an axis after its blocks were read; such a model
        // is written as it is and its blocks are refused on reading back.)
        const std::string first = gelmar::FormatDataFile(model);
        if (gelmar::WriteDataFile(model, path)) {
            model.dataFilePath = path;
            if (gelmar::ReadDataFile(model, model.dataFilePath, gelmar::ReadMode::Open,
                                     engine.parameters, host) &&
                gelmar::FormatDataFile(model) != first)
                __builtin_trap();
        }
    }
    std::remove(path.c_str());
    gelmar::FreeModel(model);
    return 0;
}
