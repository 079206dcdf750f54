// What the fuzz targets of Novelk's calculation files share: a small model
// of unit cells and a list of blocks, and the input written as a file.
#pragma once
#include "novelk/model/store/ModelStore.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

namespace fuzzing {

// cells: nx, ny, nz; each block: colour, x1, x2, y1, y2, z1, z2.
inline novelk::ModelStore NovelkModel(std::array<int, 3> cells, std::initializer_list<std::array<int, 7>> blocks)
{
    using namespace novelk;
    ModelStore m;
    const ProgramParameters defaults;
    ResetModel(m, defaults);
    GrowGridLineArrays(m, 8);
    for (std::size_t a = 0; a < 3; ++a) {
        m.axes[a].n = std::uint16_t(cells[a]);
        for (int c = 0; c < cells[a]; ++c)
            m.axes[a].widths[std::size_t(c)] = 1.0f;
        m.clipHi[a] = m.axes[a].n;
    }
    ComputeGridCoordinates(m);
    for (const auto& b : blocks) {
        GrowBlockArray(m, m.blocks.count + 1u);
        BlockRecord& r = m.blocks[m.blocks.count++];
        r.colour = std::uint8_t(b[0]);
        r.x1 = std::uint16_t(b[1]), r.x2 = std::uint16_t(b[2]), r.y1 = std::uint16_t(b[3]);
        r.y2 = std::uint16_t(b[4]), r.z1 = std::uint16_t(b[5]), r.z2 = std::uint16_t(b[6]);
        m.colours[std::size_t(b[0])].inUse = 1;
    }
    m.dataFilePath = "fuzz.nvk";
    return m;
}

inline void WriteFuzzInput(const char* path, const std::uint8_t* data, std::size_t size)
{
    if (std::FILE* f = std::fopen(path, "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
}

} // namespace fuzzing
