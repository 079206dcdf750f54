// STL files for the tests: a mesh given as facets, written as ASCII or
// binary STL.
#pragma once
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace parven::testing {

using Point = std::array<float, 3>;
using Facet = std::array<Point, 3>;

inline std::string AsciiStl(const std::vector<Facet>& facets, const std::string& indent = "      ")
{
    std::string s = "solid test\n";
    for (const Facet& f : facets) {
        s += "  facet normal 0 0 1\n    outer loop\n";
        for (const Point& p : f) {
            char line[128];
            std::snprintf(line, sizeof line, "vertex %.9g %.9g %.9g\n", p[0], p[1], p[2]);
            s += indent + line;
        }
        s += "    endloop\n  endfacet\n";
    }
    return s + "endsolid test\n";
}

inline void PutU32(std::string& s, std::uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        s.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

inline void PutF32(std::string& s, float f)
{
    std::uint32_t v;
    std::memcpy(&v, &f, 4);
    PutU32(s, v);
}

// header: the 80 header bytes (padded with blanks); count: the count the
// file states (the number of facets unless given).
inline std::string BinaryStl(const std::vector<Facet>& facets, std::string header = "binary test",
                             long long count = -1)
{
    header.resize(80, ' ');
    std::string s = header;
    PutU32(s, static_cast<std::uint32_t>(count < 0 ? static_cast<long long>(facets.size()) : count));
    for (const Facet& f : facets) {
        for (int k = 0; k < 3; ++k)
            PutF32(s, 0);
        for (const Point& p : f)
            for (float c : p)
                PutF32(s, c);
        s += std::string(2, '\0');
    }
    return s;
}

// A closed cube of twelve triangles from (0,0,0) to (s,s,s).
inline std::vector<Facet> Cube(float s)
{
    const Point v[8] = {{0, 0, 0}, {s, 0, 0}, {0, s, 0}, {s, s, 0}, {0, 0, s}, {s, 0, s}, {0, s, s}, {s, s, s}};
    const int f[12][3] = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6}, {0, 1, 4}, {1, 5, 4},
                          {2, 6, 3}, {3, 6, 7}, {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
    std::vector<Facet> facets;
    for (const auto& t : f)
        facets.push_back({v[t[0]], v[t[1]], v[t[2]]});
    return facets;
}

} // namespace parven::testing
