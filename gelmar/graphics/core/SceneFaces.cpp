// The 3D view's surfaces as triangles (see SceneFaces.h).
#include "gelmar/graphics/core/SceneFaces.h"

#include "gelmar/model/store/ViewState.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace gelmar {

namespace {

bool IsShownColour(const ModelStore& model, int colour)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const ColourRecord& c = model.colours[static_cast<std::size_t>(colour)];
    return c.inUse && c.clipShow;
}

void ToBytes(COLORREF c, std::uint8_t alpha, std::uint8_t rgba[4])
{
    rgba[0] = static_cast<std::uint8_t>(GetRValue(c));
    rgba[1] = static_cast<std::uint8_t>(GetGValue(c));
    rgba[2] = static_cast<std::uint8_t>(GetBValue(c));
    rgba[3] = alpha;
}

// Which of a rectangle's grid corners (0 lower, 1 upper on u and on v) come
// in the clockwise order of RectCorners.
void CornerOrder(bool positive, int du[4], int dv[4])
{
    static constexpr int kPositiveU[4] = {0, 0, 1, 1}, kPositiveV[4] = {0, 1, 1, 0};
    static constexpr int kNegativeU[4] = {0, 1, 1, 0}, kNegativeV[4] = {0, 0, 1, 1};
    for (int n = 0; n < 4; ++n) {
        du[n] = positive ? kPositiveU[n] : kNegativeU[n];
        dv[n] = positive ? kPositiveV[n] : kNegativeV[n];
    }
}

} // namespace

bool IsShownMaterial(const ModelStore& model, int colour)
{
    if (!IsShownColour(model, colour))
        return false;
    const int type = model.colours[static_cast<std::size_t>(colour)].type;
    return type == MATERIAL || type == EQUIMAT || type == TRANSMAT;
}

std::int32_t FaceCount(const FaceList& faces)
{
    return std::min<std::int32_t>(faces.count, static_cast<std::int32_t>(faces.faces.size()));
}

FaceSides SidesOf(const ModelStore& model, const FaceRecord& face)
{
    FaceSides s;
    if (face.block < 0 || face.block >= model.blocks.count)
        return s;
    s.ownerColour = model.blocks[static_cast<std::size_t>(face.block)].colour;
    if ((face.flags & 0x08) && face.neighbour >= 0 && face.neighbour < model.blocks.count)
        s.otherColour = model.blocks[static_cast<std::size_t>(face.neighbour)].colour;
    const bool owner = IsShownMaterial(model, s.ownerColour);
    const bool other = IsShownMaterial(model, s.otherColour);
    s.owner = owner && !other;
    s.other = other && !owner;
    return s;
}

FaceFrame FaceFrameOf(const ModelStore& model, const FaceRecord& face, bool ownerSide)
{
    FaceFrame f;
    const int orientation = FaceOrientation(face);
    f.axis = orientation / 2;
    f.u = (f.axis + 1) % 3;
    f.v = (f.axis + 2) % 3;
    f.plane = GridLineCoordinate(model, f.axis, face.bounds[2 * f.axis]);
    // The owner's outward normal points along +axis for a max face.
    f.positive = (orientation % 2 == 1) == ownerSide;
    f.normal[f.axis] = f.positive ? 1.0f : -1.0f;
    return f;
}

void RectCorners(const FaceFrame& frame, float u1, float u2, float v1, float v2, float out[4][3])
{
    int du[4], dv[4];
    CornerOrder(frame.positive, du, dv);
    for (int n = 0; n < 4; ++n) {
        out[n][frame.axis] = frame.plane;
        out[n][frame.u] = du[n] ? u2 : u1;
        out[n][frame.v] = dv[n] ? v2 : v1;
    }
}

COLORREF HighlightColour(COLORREF c)
{
    auto lighten = [](int x) { return x + (255 - x) * 5 / 8; };
    return RGB(lighten(GetRValue(c)), lighten(GetGValue(c)), lighten(GetBValue(c)));
}

namespace {

// One side of a block face, cut into the pieces before, inside and after
// the highlighted span.
void EmitFaceSide(const ModelStore& model, const FaceRecord& face, const FaceFrame& frame, COLORREF colour,
                  std::uint8_t alpha, const FaceHighlight& highlight, TriangleMesh& out)
{
    const int lo[3] = {face.bounds[0], face.bounds[2], face.bounds[4]};
    const int hi[3] = {face.bounds[1], face.bounds[3], face.bounds[5]};
    auto emit = [&](int u1, int u2, int v1, int v2, COLORREF c) {
        float corners[4][3];
        RectCorners(frame, GridLineCoordinate(model, frame.u, u1), GridLineCoordinate(model, frame.u, u2),
                    GridLineCoordinate(model, frame.v, v1), GridLineCoordinate(model, frame.v, v2), corners);
        std::uint8_t rgba[4];
        ToBytes(c, alpha, rgba);
        out.AddQuad(corners[0], corners[1], corners[2], corners[3], frame.normal, rgba);
    };
    const int u1 = lo[frame.u], u2 = hi[frame.u], v1 = lo[frame.v], v2 = hi[frame.v];
    if (!highlight.on) {
        emit(u1, u2, v1, v2, colour);
        return;
    }
    const COLORREF light = HighlightColour(colour);
    if (highlight.axis == frame.axis) {
        const int p = lo[frame.axis];
        emit(u1, u2, v1, v2, p >= highlight.lo && p <= highlight.hi ? light : colour);
        return;
    }
    // Cut along the span's axis, which is u or v of this face.
    const bool alongU = highlight.axis == frame.u;
    const int a1 = alongU ? u1 : v1, a2 = alongU ? u2 : v2;
    const int in1 = std::max(a1, highlight.lo), in2 = std::min(a2, highlight.hi);
    auto piece = [&](int b1, int b2, COLORREF c) {
        if (b2 <= b1)
            return;
        if (alongU)
            emit(b1, b2, v1, v2, c);
        else
            emit(u1, u2, b1, b2, c);
    };
    if (in2 <= in1) {
        piece(a1, a2, colour);
        return;
    }
    piece(a1, in1, colour);
    piece(in1, in2, light);
    piece(in2, a2, colour);
}

} // namespace

void EmitBlockFaces(const ModelStore& model, ViewKind viewKind, const FaceHighlight& highlight,
                    std::uint8_t alpha, std::span<const std::int32_t> order, const FaceList& list,
                    TriangleMesh& out)
{
    const std::int32_t count = FaceCount(list);
    const std::size_t n = order.empty() ? static_cast<std::size_t>(std::max(count, 0)) : order.size();
    out.Reserve(out.VertexCount() + 6 * n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::int32_t index = order.empty() ? static_cast<std::int32_t>(k) : order[k];
        if (index < 0 || index >= count)
            continue;
        const FaceRecord& face = list.faces[static_cast<std::size_t>(index)];
        const FaceSides sides = SidesOf(model, face);
        for (int pass = 0; pass < 2; ++pass) {
            const bool ownerSide = pass == 0;
            if (!(ownerSide ? sides.owner : sides.other))
                continue;
            const int side = ownerSide ? sides.ownerColour : sides.otherColour;
            COLORREF colour;
            if (viewKind == ViewKind::BoundaryConditions) {
                const int across = ownerSide ? sides.otherColour : sides.ownerColour;
                colour = IsShownColour(model, across)
                             ? model.colours[static_cast<std::size_t>(across)].displayColour
                             : kUncoveredFaceColour;
            } else {
                colour = model.colours[static_cast<std::size_t>(side)].displayColour;
            }
            EmitFaceSide(model, face, FaceFrameOf(model, face, ownerSide), colour, alpha, highlight, out);
        }
    }
}

void EmitColourFaces(const ModelStore& model, const FaceList& list, TriangleMesh& out)
{
    const std::int32_t count = FaceCount(list);
    // The faces of each colour, in list order, so that colours are drawn in
    // their number's order.
    std::vector<std::vector<std::int32_t>> byColour(kColourCount);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::int32_t block = list.faces[static_cast<std::size_t>(i)].block;
        if (block >= 0 && block < model.blocks.count)
            byColour[model.blocks[static_cast<std::size_t>(block)].colour].push_back(i);
    }
    const FaceHighlight none;
    for (int c = 0; c < kColourCount; ++c) {
        const ColourRecord& colour = model.colours[static_cast<std::size_t>(c)];
        if (!colour.inUse || !(colour.type == MATERIAL || colour.type == EQUIMAT || colour.type == TRANSMAT))
            continue;
        for (std::int32_t i : byColour[static_cast<std::size_t>(c)]) {
            const FaceRecord& face = list.faces[static_cast<std::size_t>(i)];
            EmitFaceSide(model, face, FaceFrameOf(model, face, true), colour.displayColour, 255, none, out);
        }
    }
}

void SortTransparentFaces(const ModelStore& model, const float eye[3], const float focus[3],
                          const FaceList& list, std::vector<std::int32_t>& order)
{
    const std::int32_t count = FaceCount(list);
    double d[3];
    for (int k = 0; k < 3; ++k) {
        d[k] = static_cast<double>(focus[k]) - eye[k];
        if (std::fabs(d[k]) < 1e-6)
            d[k] = 0.0;
    }
    std::vector<float> keys(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const FaceRecord& face = list.faces[i];
        const int a = FaceOrientation(face) / 2;
        const double c = GridLineCoordinate(model, a, face.bounds[2 * a]);
        keys[i] = d[a] != 0.0 ? static_cast<float>((c - eye[a]) / d[a]) : 1e20f;
    }
    order.resize(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
        return keys[static_cast<std::size_t>(a)] > keys[static_cast<std::size_t>(b)];
    });
}

void EmitTriangleBands(const kernels::BandVertex corners[3], const float normal[3],
                       const kernels::ValueRange& range, const common::ColourScale& scale, TriangleMesh& out)
{
    const double vmin = std::min({corners[0].value, corners[1].value, corners[2].value});
    const double vmax = std::max({corners[0].value, corners[1].value, corners[2].value});
    std::vector<kernels::BandVertex> outline;
    kernels::QuadBands(vmin, vmax, range, false, [&](double low, double high, double fraction, double eps) {
        std::uint8_t rgba[4];
        ToBytes(common::ValueToColour(scale, static_cast<float>(fraction)), 255, rgba);
        outline.clear();
        kernels::BandOutline(std::span<const kernels::BandVertex>(corners, 3), low, high, eps, outline);
        kernels::FanTriangles(
            outline, low, high, eps,
            [&](const kernels::BandVertex& a, const kernels::BandVertex& b, const kernels::BandVertex& c) {
                const float pa[3] = {static_cast<float>(a.x), static_cast<float>(a.y),
                                     static_cast<float>(a.z)};
                const float pb[3] = {static_cast<float>(b.x), static_cast<float>(b.y),
                                     static_cast<float>(b.z)};
                const float pc[3] = {static_cast<float>(c.x), static_cast<float>(c.y),
                                     static_cast<float>(c.z)};
                out.AddTriangle(pa, pb, pc, normal, rgba);
            });
    });
}

namespace {

// The adaptive subdivision of one side of one face.
class ResultFace {
  public:
    ResultFace(const ModelStore& model, const GridPointValue& value, const kernels::ValueRange& range,
               const common::ColourScale& scale, const FaceRecord& face, const FaceFrame& frame,
               TriangleMesh& out)
        : m_model(model), m_value(value), m_range(range), m_scale(scale), m_frame(frame), m_out(out),
          m_plane(face.bounds[2 * frame.axis]), m_tolerance(0.001 * range.inc)
    {
    }

    void Draw(int u1, int u2, int v1, int v2)
    {
        const double c[4] = {Value(u1, v1), Value(u2, v1), Value(u2, v2), Value(u1, v2)};
        if (u2 - u1 <= 1 && v2 - v1 <= 1)
            Quad(u1, u2, v1, v2, c);
        else if (Subdivide(u1, u2, v1, v2, c))
            Quad(u1, u2, v1, v2, c);
    }

  private:
    double Value(int u, int v) const
    {
        int p[3];
        p[m_frame.axis] = m_plane;
        p[m_frame.u] = u;
        p[m_frame.v] = v;
        return m_value(p[0], p[1], p[2]);
    }

    // All four corners wholly outside the range, or inside one band.
    bool Uniform(const double c[4]) const
    {
        if (!m_range.Usable())
            return true;
        const double lo = std::min({c[0], c[1], c[2], c[3]}), hi = std::max({c[0], c[1], c[2], c[3]});
        if (hi <= m_range.lower || lo >= m_range.upper)
            return true;
        const double b = std::floor(lo / m_range.inc) * m_range.inc;
        return hi - lo < m_range.inc && lo >= b + m_tolerance && hi <= b + m_range.inc - m_tolerance;
    }

    // c: the values at (u1, v1), (u2, v1), (u2, v2), (u1, v2). True when the
    // rectangle and all its parts are uniform (the caller draws it whole).
    bool Subdivide(int u1, int u2, int v1, int v2, const double c[4])
    {
        if (u2 - u1 <= 1 && v2 - v1 <= 1) {
            if (Uniform(c))
                return true;
            Quad(u1, u2, v1, v2, c);
            return false;
        }
        int a[4], b[4];
        double ca[4], cb[4];
        if (u2 - u1 >= v2 - v1) {
            const int m = (u1 + u2) / 2;
            const double lower = Value(m, v1), upper = Value(m, v2);
            const int ra[4] = {u1, m, v1, v2}, rb[4] = {m, u2, v1, v2};
            const double va[4] = {c[0], lower, upper, c[3]}, vb[4] = {lower, c[1], c[2], upper};
            std::copy(ra, ra + 4, a), std::copy(rb, rb + 4, b);
            std::copy(va, va + 4, ca), std::copy(vb, vb + 4, cb);
        } else {
            const int m = (v1 + v2) / 2;
            const double left = Value(u1, m), right = Value(u2, m);
            const int ra[4] = {u1, u2, v1, m}, rb[4] = {u1, u2, m, v2};
            const double va[4] = {c[0], c[1], right, left}, vb[4] = {left, right, c[2], c[3]};
            std::copy(ra, ra + 4, a), std::copy(rb, rb + 4, b);
            std::copy(va, va + 4, ca), std::copy(vb, vb + 4, cb);
        }
        const bool ua = Subdivide(a[0], a[1], a[2], a[3], ca);
        const bool ub = Subdivide(b[0], b[1], b[2], b[3], cb);
        if (ua && ub && Uniform(c))
            return true;
        if (ua)
            Quad(a[0], a[1], a[2], a[3], ca);
        if (ub)
            Quad(b[0], b[1], b[2], b[3], cb);
        return false;
    }

    // Two triangles split along the diagonal from the lowest to the highest
    // grid indices, each in its bands.
    void Quad(int u1, int u2, int v1, int v2, const double c[4])
    {
        float corners[4][3];
        RectCorners(m_frame, GridLineCoordinate(m_model, m_frame.u, u1),
                    GridLineCoordinate(m_model, m_frame.u, u2), GridLineCoordinate(m_model, m_frame.v, v1),
                    GridLineCoordinate(m_model, m_frame.v, v2), corners);
        int du[4], dv[4];
        CornerOrder(m_frame.positive, du, dv);
        kernels::BandVertex w[4];
        for (int n = 0; n < 4; ++n) {
            // c runs (0,0), (1,0), (1,1), (0,1) in (u, v).
            const int index = du[n] ? (dv[n] ? 2 : 1) : (dv[n] ? 3 : 0);
            w[n] = {corners[n][0], corners[n][1], corners[n][2], c[index]};
        }
        const kernels::BandVertex first[3] = {w[0], w[1], w[2]}, second[3] = {w[0], w[2], w[3]};
        EmitTriangleBands(first, m_frame.normal, m_range, m_scale, m_out);
        EmitTriangleBands(second, m_frame.normal, m_range, m_scale, m_out);
    }

    const ModelStore& m_model;
    const GridPointValue& m_value;
    const kernels::ValueRange& m_range;
    const common::ColourScale& m_scale;
    FaceFrame m_frame;
    TriangleMesh& m_out;
    int m_plane;
    double m_tolerance;
};

} // namespace

void EmitResultSurfaces(const ModelStore& model, const GridPointValue& value,
                        const kernels::ValueRange& range, const common::ColourScale& scale,
                        const FaceList& list, TriangleMesh& out)
{
    const std::int32_t count = FaceCount(list);
    for (std::int32_t i = 0; i < count; ++i) {
        const FaceRecord& face = list.faces[static_cast<std::size_t>(i)];
        const FaceSides sides = SidesOf(model, face);
        for (int pass = 0; pass < 2; ++pass) {
            const bool ownerSide = pass == 0;
            if (!(ownerSide ? sides.owner : sides.other))
                continue;
            const FaceFrame frame = FaceFrameOf(model, face, ownerSide);
            ResultFace(model, value, range, scale, face, frame, out)
                .Draw(face.bounds[2 * frame.u], face.bounds[2 * frame.u + 1], face.bounds[2 * frame.v],
                      face.bounds[2 * frame.v + 1]);
        }
    }
}

} // namespace gelmar
