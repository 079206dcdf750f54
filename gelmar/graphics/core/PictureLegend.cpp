// The legend pane (see PictureLegend.h).
#include "gelmar/graphics/core/PictureLegend.h"

#include "common/core/PatternFile.h"
#include "common/kernels/picture/LegendLayout.h"
#include "common/kernels/picture/ScanFiller.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ValueText.h"

#include <algorithm>
#include <cmath>

namespace gelmar {

namespace {

constexpr unsigned kLine = kernels::kTextSingleLine | kernels::kTextVCenter | kernels::kTextNoClip;
constexpr unsigned kLines = kernels::kTextNoClip | kernels::kTextExternalLeading;

struct Legend {
    PictureContext& context;
    const CRect& pane;
    int section;
    bool timeShown;
    kernels::LegendLayout layout;

    void Layout(int rows, int minRows)
    {
        const FillMode kind = context.Settings().fill;
        const bool valueKind = kind == FillMode::Temperatures || kind == FillMode::Isofluxes ||
                               kind == FillMode::AbsorbedSolarFluxes;
        int last = rows + (section ? 3 : 2);
        if (valueKind || timeShown)
            ++last;
        // Both labels in a section picture: the time goes one row up.
        if (section && timeShown)
            ++last;
        layout = kernels::ComputeLegendLayout(pane, rows, minRows, last);
    }
    void Text(std::string text, double c1, double r1, double c2, double r2, unsigned format = kLine)
    {
        context.Canvas().AddText(std::move(text), layout.Rect(c1, r1, c2, r2), format);
    }
    void Swatch(int row, const kernels::FillBrush& brush, bool tint)
    {
        kernels::PictureCanvas& canvas = context.Canvas();
        canvas.FillRectangleNoOutline(layout.LegendPoint(5, row + 1), layout.LegendPoint(12, row), brush);
        if (tint)
            canvas.FillRectangleNoOutline(layout.LegendPoint(9, row + 1), layout.LegendPoint(12, row),
                                          kernels::FillBrush::Solid(kernels::ShadowTint(brush.colour)));
    }
    void DrawSectionLabel(int row)
    {
        if (section)
            Text(SectionLabel(context.Source().model, section), 5, row + 1, 30, row - 1);
    }
    void DrawTimeLabel(int row)
    {
        if (section)
            ++row;
        Text(FormatTimeDHMS(context.Source().run.calcTime), 5, row, 30, row - 2);
    }
};

void MaterialLegend(Legend& l, bool patterns)
{
    const PictureSource& src = l.context.Source();
    const std::vector<LegendMaterial> entries = CollectLegendMaterials(src.model, patterns);
    if (entries.empty())
        return;
    const int count = static_cast<int>(entries.size());
    l.Layout(count, 20);
    const bool tint = l.context.Settings().shadow && !patterns;
    for (int r = 0; r < count; ++r) {
        kernels::FillBrush brush;
        if (patterns) {
            const common::CPattern fallback;
            const common::CPattern& p =
                src.patterns ? src.patterns->Get(entries[static_cast<std::size_t>(r)].number) : fallback;
            brush = kernels::FillBrush::Pattern(p.rows, p.secondColour, p.firstColour);
        } else {
            brush = kernels::FillBrush::Solid(
                src.model.colours[static_cast<std::size_t>(entries[static_cast<std::size_t>(r)].number)]
                    .displayColour);
        }
        l.Swatch(r, brush, tint);
        l.Text(kernels::FormatFixed(entries[static_cast<std::size_t>(r)].lambda, 3), 13, r + 1, 30, r);
    }
    l.Text("[W/mK]", 13, count + 1, 30, count);
    l.DrawSectionLabel(count + 2);
    if (l.timeShown)
        l.DrawTimeLabel(count + 3);
}

void BoundaryLegend(Legend& l)
{
    const ModelStore& model = l.context.Source().model;
    std::vector<int> colours;
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = model.colours[static_cast<std::size_t>(c)];
        if (r.inUse && r.type != MATERIAL && r.type != EQUIMAT && r.type != TRANSMAT)
            colours.push_back(c);
    }
    if (colours.empty())
        return;
    const int count = static_cast<int>(colours.size());
    l.Layout(count, 10);
    const bool radiating = HasRadiatingColours(model);
    const bool tint = l.context.Settings().shadow;
    for (int r = 0; r < count; ++r) {
        const ColourRecord& c = model.colours[static_cast<std::size_t>(colours[static_cast<std::size_t>(r)])];
        l.Swatch(r, kernels::FillBrush::Solid(c.displayColour), tint);
        if (radiating)
            l.Text(std::to_string(colours[static_cast<std::size_t>(r)]), 13, r + 1, 30, r);
        else
            l.Text(kernels::FormatFixed(c.temperature, 1) + "\n" + kernels::FormatFixed(c.hGlobal, 2) + "\n" +
                       FormatG(c.flux),
                   13, r + 1, 30, r, kLines);
    }
    if (radiating)
        l.Text(l.context.Source().texts.colourTitle, 13, count + 1, 30, count);
    else
        l.Text("[°C]\n[W/m²K]\n[W/m²]", 13, count + 1, 30, count, kLines);
    l.DrawSectionLabel(count + 2);
    if (l.timeShown)
        l.DrawTimeLabel(count + 3);
}

void ValueScaleLegend(Legend& l)
{
    PictureContext& context = l.context;
    const RangeSet& r = context.Settings().temperature;
    const kernels::ValueScale scale = kernels::ComputeValueScale(r.lower, r.upper, r.inc);
    const int n = scale.n;
    l.Layout(n, 20);
    const int decimals = kernels::FormatScaleNumber(scale.bottom, r.inc, n);
    const bool usable = kernels::ValueRange{r.lower, r.upper, r.inc}.Usable();
    const bool tint = context.Settings().shadow;
    for (int b = 0; b < n; ++b) {
        if ((b & 255) == 255)
            kernels::PollEsc(context.Esc());
        const double level = scale.bottom + b * static_cast<double>(r.inc);
        const double fraction = usable ? (level - r.lower) / (static_cast<double>(r.upper) - r.lower) : -1.0;
        l.Swatch(b,
                 kernels::FillBrush::Solid(
                     ValueToColour(context.Source().colourScale, static_cast<float>(fraction))),
                 tint);
    }
    for (int b = 0; b <= n; ++b) {
        if ((b & 255) == 255)
            kernels::PollEsc(context.Esc());
        l.Text(kernels::FormatFixed(scale.bottom + b * static_cast<double>(r.inc), decimals), 13, b + 1, 30,
               b - 1);
    }
    l.Text(context.Isoflux() ? "[W/m²]" : "[°C]", 13, n + 2, 30, n);
    l.DrawSectionLabel(n + 2);
    if (l.timeShown)
        l.DrawTimeLabel(n + 3);
}

void SunLegend(Legend& l)
{
    const PictureSource& src = l.context.Source();
    l.Layout(7, 20);
    l.DrawTimeLabel(9);
    l.Text(PictureDate(src.run.calcTime, src.model.day0), 5, 8, 30, 6);
    if (src.sun.altitude > 0) {
        int azimuth = static_cast<int>(src.sun.azimuth);
        while (azimuth > 180)
            azimuth -= 360;
        l.Text("Sun azimuth = " + std::to_string(azimuth) + "°", 5, 6, 30, 4);
        l.Text("Sun altitude = " + std::to_string(static_cast<int>(src.sun.altitude)) + "°", 5, 5, 30, 3);
    }
}

} // namespace

std::vector<LegendMaterial> CollectLegendMaterials(const ModelStore& model, bool patterns)
{
    std::vector<LegendMaterial> entries;
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& r = model.colours[static_cast<std::size_t>(c)];
        if (r.inUse && (r.type == MATERIAL || r.type == EQUIMAT || r.type == TRANSMAT))
            entries.push_back({patterns ? r.pattern : c, r.lambda});
    }
    std::sort(entries.begin(), entries.end(), [](const LegendMaterial& a, const LegendMaterial& b) {
        return a.lambda != b.lambda ? a.lambda < b.lambda : a.number < b.number;
    });
    entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
    return entries;
}

std::string SectionLabel(const ModelStore& model, int section)
{
    static constexpr char kLetter[13] = {' ', 'X', 'X', 'Y', 'Y', 'Z', 'Z', 'R', 'R', 'C', 'C', 'L', 'L'};
    if (section < 1 || section > 12)
        return {};
    int number = 0;
    switch (section) {
    case 1:
    case 7:
        number = model.clipLo[0];
        break;
    case 2:
    case 8:
        number = model.clipHi[0];
        break;
    case 3:
    case 9:
        number = model.clipLo[1];
        break;
    case 4:
    case 10:
        number = model.clipHi[1];
        break;
    case 5:
        number = model.clipLo[2];
        break;
    case 6:
        number = model.clipHi[2];
        break;
    case 11:
        number = model.axes[2].n - model.clipHi[2];
        break;
    default: // 12
        number = model.axes[2].n - model.clipLo[2];
        break;
    }
    if (section >= 7)
        number = 2 * number + 1;
    return std::string(1, kLetter[section]) + " = " + std::to_string(number);
}

std::string PictureDate(long long seconds, int day0)
{
    static constexpr int kStart[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    static constexpr const char* kMonth[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    long long d = seconds / 86400 + day0;
    d = ((d - 1) % 365 + 365) % 365 + 1;
    int m = 0;
    while (m < 11 && kStart[m + 1] < d)
        ++m;
    return std::to_string(d - kStart[m]) + " " + kMonth[m];
}

void DrawLegend(PictureContext& context, const CRect& pane, int section)
{
    const PictureSettings& s = context.Settings();
    const bool timeShown = s.isothermalLines || s.isofluxLines || s.shadow;
    Legend l{context, pane, section, timeShown, {}};
    if (s.sunPosition) {
        SunLegend(l);
        return;
    }
    switch (s.fill) {
    case FillMode::Materials:
        MaterialLegend(l, false);
        break;
    case FillMode::Patterns:
        MaterialLegend(l, true);
        break;
    case FillMode::BCs:
        BoundaryLegend(l);
        break;
    case FillMode::Temperatures:
        ValueScaleLegend(l);
        break;
    case FillMode::Isofluxes:
    case FillMode::AbsorbedSolarFluxes: {
        ContextFlux pass(context);
        ValueScaleLegend(l);
        break;
    }
    case FillMode::Off:
        if (timeShown) {
            l.Layout(10, 10);
            l.DrawSectionLabel(12);
            l.DrawTimeLabel(13);
        }
        break;
    }
}

} // namespace gelmar
