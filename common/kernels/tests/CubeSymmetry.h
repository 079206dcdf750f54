// The eight cells around a grid point and the 48 symmetries of the cube, for
// tests of the corner rule: a mask has bit x + 2y + 4z set for each solid cell
// at offset (x, y, z) in {0, 1}.
#pragma once
#include <array>
#include <vector>

namespace kernels::test {

inline unsigned Bit(int x, int y, int z)
{
    return 1u << (x + 2 * y + 4 * z);
}

// Independent rule: a point is a vertex of the solid exactly when the solid
// cells around it are not the same on both sides of any axis (a solid that
// is a prism along an axis meets the point in a face, an edge or not at all).
inline bool ReferenceCorner(unsigned mask)
{
    for (int axis = 0; axis < 3; ++axis) {
        bool prism = true;
        for (int q = 0; q < 8; ++q)
            if (((mask >> q) & 1) != ((mask >> (q ^ (1 << axis))) & 1))
                prism = false;
        if (prism)
            return false;
    }
    return true;
}

// The 48 symmetries of the cube: axis permutations with reflections.
inline std::vector<std::array<int, 6>> CubeSymmetries()
{
    std::vector<std::array<int, 6>> all;
    const int perms[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto& p : perms)
        for (int flips = 0; flips < 8; ++flips)
            all.push_back({p[0], p[1], p[2], flips & 1, flips >> 1 & 1, flips >> 2 & 1});
    return all;
}

inline unsigned Transform(unsigned mask, const std::array<int, 6>& s)
{
    unsigned out = 0;
    for (int q = 0; q < 8; ++q) {
        if (!(mask >> q & 1))
            continue;
        const int c[3] = {q & 1, q >> 1 & 1, q >> 2 & 1};
        const int t[3] = {c[s[0]] ^ s[3], c[s[1]] ^ s[4], c[s[2]] ^ s[5]};
        out |= Bit(t[0], t[1], t[2]);
    }
    return out;
}

} // namespace kernels::test
