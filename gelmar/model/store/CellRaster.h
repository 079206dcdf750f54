// The colour of every grid cell as the model's blocks paint it, for the
// editing operations that look at cells: plane tests, colour volumes, zone
// rebuilding and colour outlines. Cells are indexed x fastest, then y, then z.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace gelmar {

struct ModelStore;

struct CellRaster {
    std::size_t n[3] = {};
    // The model's clip box when the raster was made (cells lo..hi-1).
    std::size_t clipLo[3] = {}, clipHi[3] = {};
    // Colour number per cell, -1 where no block covers the cell.
    std::vector<std::int16_t> colour;

    std::size_t Index(std::size_t i, std::size_t j, std::size_t k) const { return i + n[0] * (j + n[1] * k); }
    int At(std::size_t i, std::size_t j, std::size_t k) const { return colour[Index(i, j, k)]; }
    // Colour of cell (i, j, k) with the clip box applied: -1 for a cell
    // outside the grid or outside the clip box.
    int InClip(long long i, long long j, long long k) const;
};

// Paints the blocks of the model in list order (a later block wins). Block
// bounds beyond the grid are clamped to it.
CellRaster RasteriseModel(const ModelStore& m);

} // namespace gelmar
