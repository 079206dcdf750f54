// The legend pane beside a picture: the material colours or patterns with
// their conductivities, the boundary-condition colours with their values,
// or the colour scale of the value bands with its numbers and unit; below
// them the section label and the picture's time; or, with the sun display,
// the date and the sun's position. Swatches are painted on the canvas, texts
// are handed to the window.
#pragma once
#include "gelmar/graphics/core/PictureWalkers.h"

namespace gelmar {

// Draws the legend of the context's settings (fill mode, sun display) into
// the pane (canvas coordinates); section 1..12 for a section picture, 0 for
// the perspective.
void DrawLegend(PictureContext& context, const CRect& pane, int section);

// "%c = %d": the section's axis letter and its clip-box index (cylindrical
// sections in the odd numbering, L counted from the top).
std::string SectionLabel(const ModelStore& model, int section);
// "5 Feb": the date of a picture time for a calculation starting on day0.
std::string PictureDate(long long seconds, int day0);

// A material of the legend: colour number (or pattern number) and
// conductivity, sorted by conductivity and then number, without repeats.
struct LegendMaterial {
    int number = 0;
    float lambda = 0.0f;
    bool operator==(const LegendMaterial&) const = default;
};
std::vector<LegendMaterial> CollectLegendMaterials(const ModelStore& model, bool patterns);

} // namespace gelmar
