// Gelmar's colour scale and colour files over the shared readers.
#include "gelmar/model/store/ColourScale.h"

#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

COLORREF ValueToColour(float v)
{
    return common::ValueToColour(g_colourScale, v);
}

void FreeColourScale()
{
    ColourScale().entries.swap(g_colourScale.entries);
}

bool LoadColourScale(const std::string& programFolder, bool grey)
{
    const std::string path = JoinPath(programFolder, grey ? "RainbowGray.rgb" : "RainbowColor.rgb");
    const common::ColourFileResult r = common::LoadColourScaleFile(path, g_colourScale);
    switch (r.status) {
    case common::ColourFileStatus::Ok:
        return true;
    case common::ColourFileStatus::OpenFailed:
        ReportOpenFailure(path);
        return false;
    case common::ColourFileStatus::SyntaxError:
        ReportSyntaxError(path, r.line);
        return false;
    }
    return false;
}

void LoadMaterialColours(const std::string& programFolder)
{
    for (ColourRecord& c : g_model.colours)
        c = ColourRecord{};
    const auto colours = common::ReadMaterialColourFile(JoinPath(programFolder, "MatColor.rgb"));
    for (std::size_t n = 0; n < colours.size(); ++n)
        if (colours[n])
            SetDisplayColour(g_model.colours[n], GetRValue(*colours[n]), GetGValue(*colours[n]),
                             GetBValue(*colours[n]));
}

} // namespace gelmar
