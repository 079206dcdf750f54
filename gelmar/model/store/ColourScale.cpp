// Gelmar's colour scale and colour files over the shared readers.
#include "gelmar/model/store/ColourScale.h"

#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

bool LoadColourScale(ColourScale& scale, EngineHost& host, const std::string& programFolder, bool grey)
{
    const std::string path = JoinPath(programFolder, grey ? "RainbowGray.rgb" : "RainbowColor.rgb");
    const common::ColourFileResult r = common::LoadColourScaleFile(path, scale);
    switch (r.status) {
    case common::ColourFileStatus::Ok:
        return true;
    case common::ColourFileStatus::OpenFailed:
        ReportOpenFailure(host, path);
        return false;
    case common::ColourFileStatus::SyntaxError:
        ReportSyntaxError(host, path, r.line);
        return false;
    }
    return false;
}

void LoadMaterialColours(ModelStore& m, const std::string& programFolder)
{
    for (ColourRecord& c : m.colours)
        c = ColourRecord{};
    const auto colours = common::ReadMaterialColourFile(JoinPath(programFolder, "MatColor.rgb"));
    for (std::size_t n = 0; n < colours.size(); ++n)
        if (colours[n])
            SetDisplayColour(m.colours[n], GetRValue(*colours[n]), GetGValue(*colours[n]),
                             GetBValue(*colours[n]));
}

} // namespace gelmar
