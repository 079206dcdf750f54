// Colour scale lookup and the readers of the colour files.
#include "common/core/ColourScale.h"

#include "common/core/EngineError.h"
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"

namespace common {

namespace {

// Three colour components 0..255.
bool ScanRgb(const char* p, int rgb[3])
{
    for (int k = 0; k < 3; ++k)
        if (!ScanInt(p, rgb[k]) || rgb[k] < 0 || rgb[k] > 255)
            return false;
    return true;
}

constexpr std::size_t kMaterialColours = 256;

} // namespace

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/' || folder.back() == '\\')
        return folder + name;
    return folder + "/" + name;
}

COLORREF ValueToColour(const ColourScale& scale, float v)
{
    const auto& e = scale.entries;
    if (e.empty() || !(v >= 0.0f) || v > 1.0f)
        return kOutsideScaleColour;
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

ColourFileResult LoadColourScaleFile(const std::string& path, ColourScale& scale)
{
    scale.entries.clear();
    KeywordLineReader reader;
    if (!reader.Open(path))
        return {ColourFileStatus::OpenFailed, 0};
    std::size_t expected = 0;
    bool counted = false;
    bool ok = true;
    int key = -1;
    for (;;) {
        const LineStatus st = reader.ReadKeywordLine("NC", 1, key);
        if (st == LineStatus::End)
            break;
        if (st == LineStatus::TooLong) {
            ok = false;
            break;
        }
        const char* p = reader.Value();
        if (key == 0) {
            int n = 0;
            if (counted || !ScanInt(p, n) || n < 1) {
                ok = false;
                break;
            }
            counted = true;
            expected = static_cast<std::size_t>(n);
            scale.entries.reserve(expected < 4096 ? expected : 4096);
        } else if (key == 1) {
            int rgb[3];
            if (!counted || scale.entries.size() >= expected || !ScanRgb(p, rgb)) {
                ok = false;
                break;
            }
            scale.entries.push_back({static_cast<std::uint8_t>(rgb[0]), static_cast<std::uint8_t>(rgb[1]),
                                     static_cast<std::uint8_t>(rgb[2])});
        }
    }
    if (ok && (!counted || scale.entries.size() < expected))
        ok = false;
    if (!ok)
        return {ColourFileStatus::SyntaxError, reader.LineCounter()};
    return {};
}

std::vector<std::optional<COLORREF>> ReadMaterialColourFile(const std::string& path)
{
    std::vector<std::optional<COLORREF>> colours;
    KeywordLineReader reader;
    if (!reader.Open(path))
        return colours;
    int key = -1;
    for (;;) {
        const LineStatus st = reader.ReadKeywordLine("C", 1, key);
        if (st == LineStatus::End || colours.size() >= kMaterialColours)
            break;
        if (st == LineStatus::TooLong || key != 0)
            continue;
        int rgb[3];
        if (ScanRgb(reader.Value(), rgb))
            colours.emplace_back(RGB(rgb[0], rgb[1], rgb[2]));
        else
            colours.emplace_back();
    }
    return colours;
}

void LoadProgramColourScale(const std::string& programFolder, bool grey, ColourScale& scale)
{
    const std::string path = JoinPath(programFolder, grey ? "RainbowGray.rgb" : "RainbowColor.rgb");
    const ColourFileResult r = LoadColourScaleFile(path, scale);
    if (r.status == ColourFileStatus::OpenFailed)
        throw EngineError::FileOpen(path);
    if (r.status == ColourFileStatus::SyntaxError)
        throw EngineError::Syntax(path, r.line);
}

} // namespace common
