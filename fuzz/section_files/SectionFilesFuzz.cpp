// Feeds arbitrary bytes to the sectioned text-file reader and, through it,
// to the material database and pattern file loaders; every look-up on what
// was read must stay inside the file's lines.
#include "common/core/MaterialDatabase.h"
#include "common/core/PatternFile.h"
#include "common/core/SectionFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    common::CSectionFile file;
    if (file.LoadFromBytes(bytes)) {
        std::vector<std::string> names, keys, values;
        file.GetSectionNames(names);
        for (const std::string& name : names) {
            std::string value;
            file.GetSectionEntriesByName(name, keys, values);
            file.GetValueByName(name, "N", value);
        }
        for (int language = 0; language < 4; ++language) {
            common::CMaterialDatabaseRecord database;
            common::ReadMaterialDatabase(file, language, database);
        }
    }
    common::CPatternList patterns;
    if (patterns.LoadFromBytes(bytes)) {
        int rows = 0, columns = 0;
        common::PatternGridShape(patterns.GetCount(), rows, columns);
        volatile unsigned sink = patterns.Get(patterns.GetCount()).rows[7];
        (void)sink;
    }
    return 0;
}
