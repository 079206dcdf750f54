// libFuzzer target for the function files: the input is written both as a
// time series ("f.fte") and as a property table ("f.fla"); both are loaded
// as the run loads them and evaluated at times far apart, which moves the
// series along its chain. A loaded series must hold its announced values.
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

void Write(const char* path, const std::uint8_t* data, std::size_t size)
{
    if (std::FILE* f = std::fopen(path, "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

void AddFunction(gelmar::ModelStore& m, const char* name, const char* path)
{
    const std::uint16_t n = m.functions.count;
    gelmar::GrowFunctionArray(m, n + 1u);
    m.functions.count = static_cast<std::uint16_t>(n + 1);
    m.functions[n] = gelmar::FunctionRecord{};
    m.functions[n].name = gelmar::FunctionName(name);
    m.functions[n].filePath = path;
    m.functions[n].inUse = 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Every input starts from a freshly started engine.
    gelmar::NullEngineHost host;
    gelmar::Engine engine(host);
    gelmar::ModelStore& m = engine.model;
    gelmar::RunState& run = engine.run;
    m.functions.count = 0;
    m.day0 = 1 + static_cast<int>(size % 365);
    Write("f.fte", data, size);
    Write("f.fla", data, size);
    AddFunction(m, "T01", "f.fte");
    AddFunction(m, "L01", "f.fla");
    try {
        gelmar::CollectFunctionFiles(m, run);
        for (const gelmar::FunctionFileTable& t : run.functions.files)
            if (t.step < 1 || t.count < 2 || t.values.size() != std::size_t(t.count))
                __builtin_trap();
        for (double t : {-1.0e7, -3600.5, 0.0, 1234.5, 86400.0, 3.0e7})
            gelmar::EvaluateFunction(m, run, 0, t);
    } catch (const gelmar::EngineError&) {
    }
    try {
        gelmar::LoadPropertyTables(m, run);
        for (float x : {-1.0e9f, 0.0f, 20.5f, 1.0e9f})
            gelmar::EvaluatePropertyTable(m, run, 1, x);
    } catch (const gelmar::EngineError&) {
    }
    gelmar::FreeFunctionFileData(run);
    gelmar::FreePropertyTables(run);
    return 0;
}
