// The fixture's helpers.
#include "dralo/model/tests/ModelFixture.h"

#include "dralo/model/store/Statistics.h"

#include <algorithm>

namespace dralo::test {

namespace {

void Le16(std::string& s, std::uint16_t v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void Le32(std::string& s, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

std::string BmpBytes::Bytes() const
{
    const std::uint32_t entries = coloursUsed == 0 ? 256 : coloursUsed;
    const std::uint32_t dataAt = offset >= 0 ? static_cast<std::uint32_t>(offset) : 54 + 4 * entries;
    std::string s = "BM";
    Le32(s, dataAt + static_cast<std::uint32_t>(pixels.size()));
    Le16(s, 0);
    Le16(s, 0);
    Le32(s, dataAt);
    Le32(s, 40);
    Le32(s, static_cast<std::uint32_t>(width));
    Le32(s, static_cast<std::uint32_t>(height));
    Le16(s, planes);
    Le16(s, bits);
    Le32(s, compression);
    Le32(s, static_cast<std::uint32_t>(pixels.size()));
    Le32(s, 0);
    Le32(s, 0);
    Le32(s, coloursUsed);
    Le32(s, 0);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::array<std::uint8_t, 3> c = i < palette.size() ? palette[i] : std::array<std::uint8_t, 3>{};
        s += static_cast<char>(c[2]);
        s += static_cast<char>(c[1]);
        s += static_cast<char>(c[0]);
        s += '\0';
    }
    if (s.size() < dataAt)
        s.resize(dataAt, '\0');
    s += pixels;
    return s;
}

std::string UncompressedRows(const std::vector<std::vector<std::uint8_t>>& rows)
{
    std::string s;
    for (auto r = rows.rbegin(); r != rows.rend(); ++r) {
        s.append(r->begin(), r->end());
        while (s.size() % 4 != 0)
            s += '\0';
    }
    return s;
}

void ModelTest::SetUp()
{
    home = common::testing::EnterOwnFolder();
    LoadMaterialColours(model);
}

void ModelTest::Draw(const std::vector<std::string>& rows, const std::map<char, int>& legend)
{
    const auto h = static_cast<std::int32_t>(rows.size());
    const auto w = static_cast<std::int32_t>(rows.front().size());
    AllocatePixels(model, w, h, 0);
    std::int32_t y = 0;
    for (const std::string& r : rows) {
        EXPECT_EQ(static_cast<std::int32_t>(r.size()), w) << "rows of one width";
        for (std::int32_t x = 0; x < w && x < static_cast<std::int32_t>(r.size()); ++x) {
            const auto it = legend.find(r[static_cast<std::size_t>(x)]);
            const int c = it != legend.end() ? it->second : r[static_cast<std::size_t>(x)] - '0';
            model.pixels[static_cast<std::size_t>(x + y * w)] = static_cast<std::uint8_t>(c);
        }
        ++y;
    }
    BuildColourBoundaryEdges(model);
}

std::vector<std::string> ModelTest::Picture(const std::map<char, int>& legend) const
{
    std::vector<std::string> rows;
    for (std::int32_t y = 0; y < model.height; ++y) {
        std::string r;
        for (std::int32_t x = 0; x < model.width; ++x) {
            const int c = Pixel(x, y);
            char ch = static_cast<char>('0' + c);
            for (const auto& [k, v] : legend)
                if (v == c)
                    ch = k;
            r += ch;
        }
        rows.push_back(r);
    }
    return rows;
}

void ModelTest::SetColour(int n, int type, float lambda, float temperature, float h)
{
    ColourRecord& c = model.colours[static_cast<std::size_t>(n)];
    c.type = type;
    c.lamb = lambda;
    c.temp = temperature;
    c.hglo = h;
}

std::vector<UnitSide> UnitSides(const std::vector<BoundaryEdge>& edges)
{
    std::vector<UnitSide> sides;
    for (const BoundaryEdge& e : edges) {
        if (e.y1 == e.y2)
            for (int x = e.x1; x < e.x2; ++x)
                sides.push_back({e.left, e.right, x, e.y1, true});
        else
            for (int y = e.y1; y < e.y2; ++y)
                sides.push_back({e.left, e.right, e.x1, y, false});
    }
    std::sort(sides.begin(), sides.end());
    return sides;
}

std::vector<UnitSide> BruteForceSides(const BitmapModel& m)
{
    std::vector<UnitSide> sides;
    for (int y = 0; y <= m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            const int a = GetPixelColour(m, x, y - 1), b = GetPixelColour(m, x, y);
            if (a != b)
                sides.push_back({a, b, x, y, true});
        }
    for (int x = 0; x <= m.width; ++x)
        for (int y = 0; y < m.height; ++y) {
            const int a = GetPixelColour(m, x, y), b = GetPixelColour(m, x - 1, y);
            if (a != b)
                sides.push_back({a, b, x, y, false});
        }
    std::sort(sides.begin(), sides.end());
    return sides;
}

} // namespace dralo::test
