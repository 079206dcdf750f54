// The temperature profile graph (see TemperatureProfile.h).
#include "gelmar/graphics/core/TemperatureProfile.h"

#include "common/kernels/picture/LegendLayout.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/store/EngineServices.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace gelmar {

namespace {

constexpr COLORREF kBoundaryGrey = RGB(192, 192, 192);
constexpr COLORREF kCurveBlue = RGB(0, 0, 255);

int Index(const GridPoint& p, int axis)
{
    return axis == 0 ? p.i : (axis == 1 ? p.j : p.k);
}

GridPoint Along(const GridPoint& from, int axis, int index)
{
    GridPoint p = from;
    (axis == 0 ? p.i : (axis == 1 ? p.j : p.k)) = index;
    return p;
}

bool Conducting(const ModelStore& model, int colour)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const int type = model.colours[static_cast<std::size_t>(colour)].type;
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

// The up to four cells around the line at cell index `cell` along its axis.
void CellsAround(const ProfileLine& line, int axis, int cell, int out[4][3])
{
    const int u = axis == 0 ? 1 : 0, v = axis == 2 ? 1 : 2;
    const int p[3] = {line.a.i, line.a.j, line.a.k};
    static constexpr int kAround[4][2] = {{-1, -1}, {0, -1}, {0, 0}, {-1, 0}};
    for (int n = 0; n < 4; ++n) {
        out[n][axis] = cell;
        out[n][u] = p[u] + kAround[n][0];
        out[n][v] = p[v] + kAround[n][1];
    }
}

// The title's numbering: grid indices, or in a cylindrical model the odd
// numbering with L counted from the top.
void TitleIndices(const ModelStore& model, const GridPoint& p, int out[3])
{
    out[0] = p.i, out[1] = p.j, out[2] = p.k;
    if (model.rcl) {
        out[0] = 2 * p.i + 1;
        out[1] = 2 * p.j + 1;
        out[2] = 2 * (model.axes[2].n - p.k) + 1;
    }
}

// The title text with its "%d" fields replaced in order by the numbers; any
// other "%" stays as it is, so a translated text cannot misuse the numbers.
std::string FillIntegers(const std::string& format, const int (&numbers)[6])
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t k = 0; k < format.size(); ++k) {
        if (format[k] == '%' && k + 1 < format.size() && format[k + 1] == 'd' && next < 6) {
            out += std::to_string(numbers[next++]);
            ++k;
        } else {
            out += format[k];
        }
    }
    return out;
}

} // namespace

int ProfileLine::Axis() const
{
    return a.i != b.i ? 0 : (a.j != b.j ? 1 : (a.k != b.k ? 2 : 0));
}

CPoint ProfileScales::ProfilePointToScreen(double position, double temperature) const
{
    return {kernels::TruncToPixel(position * positionScale + positionOffset),
            kernels::TruncToPixel(temperature * temperatureScale + temperatureOffset)};
}

int PrepareProfileLine(ProfileLine& line, const ModelStore& model)
{
    auto zero = [](const GridPoint& p) { return p.i == 0 && p.j == 0 && p.k == 0; };
    if (zero(line.a) && zero(line.b))
        line.b.i = model.axes[0].n;
    for (GridPoint* p : {&line.a, &line.b}) {
        p->i = std::clamp(p->i, 0, static_cast<int>(model.axes[0].n));
        p->j = std::clamp(p->j, 0, static_cast<int>(model.axes[1].n));
        p->k = std::clamp(p->k, 0, static_cast<int>(model.axes[2].n));
    }
    return line.a.k != line.b.k ? 2 : (line.a.j != line.b.j ? 1 : 0);
}

bool DrawTemperatureProfile(PictureContext& context, const ProfileLine& line)
{
    const PictureSource& src = context.Source();
    const ModelStore& model = src.model;
    const PictureSettings& settings = context.Settings();
    kernels::PictureCanvas& canvas = context.Canvas();
    const double w = context.Width(), h = context.Height();
    const kernels::LineStyle black{kernels::kBlack, 1, false};

    kernels::PollEsc(context.Esc());
    if (line.Empty())
        return false;

    kernels::PollEsc(context.Esc());
    const int axis = line.Axis();
    const int ia = Index(line.a, axis), ib = Index(line.b, axis);
    const double pa = GridLineCoordinate(model, axis, ia), pb = GridLineCoordinate(model, axis, ib);
    ProfileScales s;
    s.positionScale = w / ((pb - pa) * 1.25);
    s.positionOffset = 0.12 * w - pa * s.positionScale;

    kernels::PollEsc(context.Esc());
    const RangeSet& range = settings.temperature;
    const double tmin = range.lower, tmax = range.upper;
    // Without a temperature span there is no scale: frame and title only, the
    // frame where the range would stand.
    const bool scaled = tmax > tmin;
    if (scaled) {
        s.temperatureScale = h / ((tmin - tmax) * 1.25);
        s.temperatureOffset = 0.08 * h - tmax * s.temperatureScale;
    } else {
        s.temperatureScale = -0.8 * h;
        s.temperatureOffset = 0.88 * h - tmin * s.temperatureScale;
    }
    const double top = scaled ? tmax : tmin + 1.0;

    kernels::PollEsc(context.Esc());
    const CPoint axisA = s.ProfilePointToScreen(pa, tmin), axisB = s.ProfilePointToScreen(pb, tmin);
    canvas.DrawLine(s.ProfilePointToScreen(pb, tmin), s.ProfilePointToScreen(pb, top), black);
    canvas.DrawLine(axisA, s.ProfilePointToScreen(pa, top), black);
    if (scaled) {
        auto multiples = [&](double inc, auto&& visit) {
            if (!(inc > 0.0) || !std::isfinite(inc))
                return;
            const double first = std::ceil(tmin / inc) * inc;
            for (long long n = 0;; ++n) {
                if ((n & 255) == 255)
                    kernels::PollEsc(context.Esc());
                const double t = first + static_cast<double>(n) * inc;
                if (t > tmax || (n > 0 && t <= first + (n - 1) * inc))
                    break;
                visit(t);
            }
        };
        multiples(range.inc, [&](double t) {
            const CPoint p = s.ProfilePointToScreen(pa, t);
            canvas.DrawLine({p.x - 6, p.y}, p, black);
        });
        const kernels::LineStyle grid{settings.gridPen.colour, std::max(1, settings.gridPen.width), false};
        multiples(range.inc2, [&](double t) {
            const CPoint p = s.ProfilePointToScreen(pa, t);
            canvas.DrawLine({p.x - 12, p.y}, p, black);
            canvas.AddText(kernels::FormatFixed(t, settings.temperatureDecimals),
                           {p.x - 55, p.y - 10, p.x - 5, p.y + 10},
                           kernels::kTextRight | kernels::kTextVCenter | kernels::kTextSingleLine |
                               kernels::kTextNoClip);
            if (settings.gridPen.width > 0)
                canvas.DrawLine(p, s.ProfilePointToScreen(pb, t), grid);
        });
    }

    kernels::PollEsc(context.Esc());
    canvas.DrawLine(s.ProfilePointToScreen(pa, top), s.ProfilePointToScreen(pb, top), black);
    canvas.DrawLine(axisA, axisB, black);
    int from[3], to[3];
    TitleIndices(model, line.a, from);
    TitleIndices(model, line.b, to);
    const int numbers[6] = {from[0], from[1], from[2], to[0], to[1], to[2]};
    const std::string title = FillIntegers(src.texts.profileTitle, numbers);
    const CRect titleRect(static_cast<int>(0.12 * w), 0, static_cast<int>(0.92 * w),
                          static_cast<int>(0.06 * h));
    canvas.AddText(title, titleRect, kernels::kTextLeft | kernels::kTextVCenter | kernels::kTextSingleLine);
    canvas.AddText(FormatTimeDHMS(src.run.calcTime), titleRect,
                   kernels::kTextRight | kernels::kTextVCenter | kernels::kTextSingleLine);
    const int step = ib >= ia ? 1 : -1;
    for (int n = ia;; n += step) {
        const CPoint p = s.ProfilePointToScreen(GridLineCoordinate(model, axis, n), tmin);
        canvas.DrawLine(p, {p.x, p.y + 4}, black);
        if (n == ib)
            break;
    }
    if (!scaled)
        return true;

    // The curve, inside the graph area only.
    const CPoint corner1 = s.ProfilePointToScreen(pa, tmax), corner2 = s.ProfilePointToScreen(pb, tmin);
    const CPoint origin = canvas.Origin();
    const kernels::ClipState saved = canvas.SaveClip();
    struct Restore {
        kernels::PictureCanvas& canvas;
        kernels::ClipState state;
        ~Restore() { canvas.RestoreClip(state); }
    } restore{canvas, saved};
    const CRect area(std::min(corner1.x, corner2.x) + origin.x, std::min(corner1.y, corner2.y) + origin.y,
                     std::max(corner1.x, corner2.x) + origin.x + 1,
                     std::max(corner1.y, corner2.y) + origin.y + 1);
    canvas.IntersectClip(area);
    bool havePrevious = false;
    double previousT = 0.0, previousP = 0.0;
    for (int n = ia;; n += step) {
        kernels::PollEsc(context.Esc());
        const GridPoint g = Along(line.a, axis, n);
        const double position = GridLineCoordinate(model, axis, n);
        if (n != ia) {
            // Cells on the two sides of grid point n along the axis.
            int before[4][3], after[4][3];
            CellsAround(line, axis, n - 1, before);
            CellsAround(line, axis, n, after);
            bool boundary = false;
            for (int c = 0; c < 4 && !boundary; ++c)
                boundary = GetCellColour(model, src.work, before[c][0], before[c][1], before[c][2]) !=
                           GetCellColour(model, src.work, after[c][0], after[c][1], after[c][2]);
            if (boundary)
                canvas.DrawLine(s.ProfilePointToScreen(position, tmin),
                                s.ProfilePointToScreen(position, tmax), {kBoundaryGrey, 1, false});
        }
        const std::int32_t node = GetNodeIndex(model, src.work, g.i, g.j, g.k);
        const bool hasValue = node != -1;
        const double t = hasValue ? GetNodeValue(model, src.work, node, 0) : 0.0;
        if (hasValue && havePrevious) {
            int stretch[4][3];
            CellsAround(line, axis, std::min(n, n - step), stretch);
            bool conducting = false;
            for (int c = 0; c < 4 && !conducting; ++c)
                conducting = Conducting(
                    model, GetCellColour(model, src.work, stretch[c][0], stretch[c][1], stretch[c][2]));
            if (conducting)
                canvas.DrawLine(s.ProfilePointToScreen(previousP, previousT),
                                s.ProfilePointToScreen(position, t), {kCurveBlue, 1, false});
        }
        havePrevious = hasValue;
        previousT = t;
        previousP = position;
        if (n == ib)
            break;
    }
    return true;
}

} // namespace gelmar
