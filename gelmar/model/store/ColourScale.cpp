// Colour scale lookup and the colour files.
#include "gelmar/model/store/ColourScale.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

ColourScale g_colourScale;

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + "/" + name;
}

COLORREF ValueToColour(float v)
{
    return ValueToColour(g_colourScale, v);
}

COLORREF ValueToColour(const ColourScale& scale, float v)
{
    const auto& e = scale.entries;
    if (e.empty() || !(v >= 0.0f) || v > 1.0f)
        return 0xDFDFDF;
    const std::size_t count = e.size();
    const double f = static_cast<double>(count) * v;
    std::size_t i = static_cast<std::size_t>(f);
    if (i > count - 1)
        i = count - 1;
    const double frac = f - static_cast<double>(i);
    if (i == count - 1 || frac <= 0.001)
        return RGB(e[i][0], e[i][1], e[i][2]);
    int c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = e[i][k] + static_cast<int>((e[i + 1][k] - e[i][k]) * frac);
    return RGB(c[0], c[1], c[2]);
}

void FreeColourScale()
{
    std::vector<std::array<std::uint8_t, 3>>().swap(g_colourScale.entries);
}

namespace {

// Three colour components 0..255.
bool ScanRgb(const char* p, int rgb[3])
{
    for (int k = 0; k < 3; ++k)
        if (!common::ScanInt(p, rgb[k]) || rgb[k] < 0 || rgb[k] > 255)
            return false;
    return true;
}

} // namespace

bool LoadColourScale(const std::string& programFolder, bool grey)
{
    FreeColourScale();
    g_model.sharedPath = JoinPath(programFolder, grey ? "RainbowGray.rgb" : "RainbowColor.rgb");
    common::KeywordLineReader reader;
    if (!reader.Open(g_model.sharedPath)) {
        ReportOpenFailure();
        return false;
    }
    std::size_t expected = 0;
    bool counted = false;
    bool ok = true;
    int key = -1;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine("NC", 1, key);
        if (st == common::LineStatus::End)
            break;
        if (st == common::LineStatus::TooLong) {
            ok = false;
            break;
        }
        const char* p = reader.Value();
        if (key == 0) {
            int n = 0;
            if (counted || !common::ScanInt(p, n) || n < 1) {
                ok = false;
                break;
            }
            counted = true;
            expected = static_cast<std::size_t>(n);
            g_colourScale.entries.reserve(expected < 4096 ? expected : 4096);
        } else if (key == 1) {
            int rgb[3];
            if (!counted || g_colourScale.entries.size() >= expected || !ScanRgb(p, rgb)) {
                ok = false;
                break;
            }
            g_colourScale.entries.push_back({static_cast<std::uint8_t>(rgb[0]),
                                             static_cast<std::uint8_t>(rgb[1]),
                                             static_cast<std::uint8_t>(rgb[2])});
        }
    }
    if (ok && (!counted || g_colourScale.entries.size() < expected))
        ok = false;
    if (!ok)
        ReportSyntaxError(reader.LineCounter());
    return ok;
}

void LoadMaterialColours(const std::string& programFolder)
{
    for (ColourRecord& c : g_model.colours)
        c = ColourRecord{};
    common::KeywordLineReader reader;
    if (!reader.Open(JoinPath(programFolder, "MatColor.rgb")))
        return;
    int key = -1;
    int n = 0;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine("C", 1, key);
        if (st == common::LineStatus::End || n >= kColourCount)
            break;
        if (st == common::LineStatus::TooLong || key != 0)
            continue;
        int rgb[3];
        if (ScanRgb(reader.Value(), rgb))
            SetDisplayColour(g_model.colours[n], rgb[0], rgb[1], rgb[2]);
        ++n;
    }
}

} // namespace gelmar
