// Cavity models for the radiation tests: a small data file built line by
// line and read into the store, and the cell raster of its blocks (a later
// block overwrites an earlier one, uncovered cells stay void).
#pragma once
#include "ModelFixture.h"
#include "common/kernels/RadiationZones.h"
#include "gelmar/model/store/ModelStore.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gelmar::test {

class CavityModel {
  public:
    // Cell widths of one axis (0 x, 1 y, 2 z).
    CavityModel& Axis(int axis, const std::vector<double>& widths)
    {
        const char a = "xyz"[axis];
        m_text += 'n';
        m_text += a;
        m_text += "wi=" + std::to_string(widths.size()) + "\n";
        for (double w : widths) {
            m_text += a;
            m_text += "wid=" + Number(w) + "\n";
        }
        return *this;
    }
    // A colour of the given type with further lines ("hcon=3", ...).
    CavityModel& Colour(int colour, int type, const std::vector<std::string>& lines = {})
    {
        m_text += "colr=" + std::to_string(colour) + "\ntype=" + std::to_string(type) + "\n";
        for (const std::string& l : lines)
            m_text += l + "\n";
        return *this;
    }
    // A block of cells x1 <= i < x2, y1 <= j < y2, z1 <= k < z2.
    CavityModel& Block(int colour, int x1, int x2, int y1, int y2, int z1, int z2)
    {
        m_blocks.push_back({colour, x1, x2, y1, y2, z1, z2});
        return *this;
    }
    CavityModel& Line(const std::string& line)
    {
        m_text += line + "\n";
        return *this;
    }
    std::string Text() const
    {
        std::string text = m_text + "nblk=" + std::to_string(m_blocks.size()) + "\n";
        for (std::size_t b = 0; b < m_blocks.size(); ++b) {
            text += "blok=" + std::to_string(b);
            for (int v : m_blocks[b]) {
                text += ' ';
                text += std::to_string(v);
            }
            text += "\n";
        }
        return text;
    }

  private:
    static std::string Number(double v)
    {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.17g", v);
        return buf;
    }
    std::string m_text;
    std::vector<std::array<int, 7>> m_blocks;
};

struct ModelRaster {
    int nx = 0, ny = 0, nz = 0;
    std::vector<std::uint16_t> cells;
    kernels::CellGrid Grid() const { return {nx, ny, nz, cells}; }
};

inline ModelRaster RasteriseModel(const ModelStore& m)
{
    ModelRaster r;
    r.nx = m.axes[0].n;
    r.ny = m.axes[1].n;
    r.nz = m.axes[2].n;
    r.cells.assign(std::size_t(r.nx) * std::size_t(r.ny) * std::size_t(r.nz), kernels::kVoidCell);
    for (std::size_t b = 0; b < m.blocks.count; ++b) {
        const BlockRecord& block = m.blocks[b];
        for (int k = block.z1; k < block.z2; ++k)
            for (int j = block.y1; j < block.y2; ++j)
                for (int i = block.x1; i < block.x2; ++i)
                    r.cells[std::size_t(i) + std::size_t(j) * std::size_t(r.nx) +
                            std::size_t(k) * std::size_t(r.nx) * std::size_t(r.ny)] = block.colour;
    }
    return r;
}

} // namespace gelmar::test
