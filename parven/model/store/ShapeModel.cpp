// The model's arrays, block corners, grid coordinates, bounds, areas and reset.
#include "parven/model/store/ShapeModel.h"

#include "common/kernels/AxisLines.h"
#include "parven/model/store/SettingKeys.h"

#include <cmath>
#include <limits>
#include <new>
#include <span>

namespace parven {

namespace {

template <typename T> bool GrowArray(RecordArray<T, std::uint32_t>& a, std::size_t n)
{
    if (n > std::numeric_limits<std::uint32_t>::max())
        return false;
    return a.Grow(n);
}

void SetPoint(float p[3], float x, float y, float z)
{
    p[0] = x;
    p[1] = y;
    p[2] = z;
}

// P(to) = P(a) + P(b) - P(base), in double so that a box's corners come out
// exactly as entered.
void SumPoints(float (&p)[8][3], int to, int a, int b, int base)
{
    for (int k = 0; k < 3; ++k)
        p[to][k] = static_cast<float>(static_cast<double>(p[a][k]) + p[b][k] - p[base][k]);
}

void Widen(ModelBounds& b, const float p[3])
{
    for (int k = 0; k < 3; ++k) {
        b.min[k] = std::fmin(b.min[k], p[k]);
        b.max[k] = std::fmax(b.max[k], p[k]);
    }
}

} // namespace

ColourRecord DefaultColour(int n)
{
    ColourRecord c;
    c.number = static_cast<std::uint8_t>(n);
    return c;
}

ColourTable DefaultColourTable()
{
    ColourTable t;
    for (int n = 0; n < kColourCount; ++n)
        t[static_cast<std::size_t>(n)] = DefaultColour(n);
    return t;
}

void SetDisplayColour(ColourRecord& c, int red, int green, int blue)
{
    c.red = static_cast<std::uint8_t>(red);
    c.green = static_cast<std::uint8_t>(green);
    c.blue = static_cast<std::uint8_t>(blue);
    c.packed = RGB(red, green, blue);
}

std::string_view StlName(const ShapeModelBase& m, const BlockRecord& b)
{
    return b.stlName < m.stlNames.size() ? std::string_view(m.stlNames[b.stlName]) : std::string_view();
}

void SetStlName(ShapeModelBase& m, BlockRecord& b, std::string_view name)
{
    if (name.empty()) {
        b.stlName = 0;
        return;
    }
    if (m.stlNames.back() != name)
        m.stlNames.emplace_back(name);
    b.stlName = static_cast<std::uint32_t>(m.stlNames.size() - 1);
}

bool GrowBlockArray(ShapeModel& m, std::size_t n)
{
    return GrowArray(m.blocks, n);
}

void FreeBlockArray(ShapeModel& m)
{
    m.blocks.Free();
    m.blockBase = 0;
}

void InitBlock(ShapeModel& m, std::size_t i)
{
    BlockRecord& b = m.blocks[i];
    b = BlockRecord{};
    b.colour = m.currentColour;
    m.colours[m.currentColour].inUse = 1;
}

bool GrowBorderBcArray(ShapeModel& m, std::size_t n)
{
    return GrowArray(m.borderBcs, n);
}

void FreeBorderBcArray(ShapeModel& m)
{
    m.borderBcs.Free();
}

void InitBorderBc(ShapeModel& m, std::size_t i)
{
    m.borderBcs[i] = BorderFaceBcRecord{};
}

bool GrowMaterialBcArray(ShapeModel& m, std::size_t n)
{
    return GrowArray(m.materialBcs, n);
}

void FreeMaterialBcArray(ShapeModel& m)
{
    m.materialBcs.Free();
}

void InitMaterialBc(ShapeModel& m, std::size_t i)
{
    m.materialBcs[i] = MaterialBcRecord{};
}

bool SetGridCapacity(ShapeModel& m, std::size_t n)
{
    if (n > std::numeric_limits<std::uint16_t>::max())
        return false;
    try {
        for (GridAxis& a : m.axes) {
            a.widths.resize(n);
            a.coords.resize(n);
            a.flags.resize(n);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    m.gridCapacity = static_cast<std::uint16_t>(n);
    return true;
}

void FreeGridArrays(ShapeModel& m)
{
    for (GridAxis& a : m.axes)
        a = GridAxis{};
    m.gridCapacity = 0;
}

void DeriveBlockCorners(BlockRecord& b, bool keep)
{
    if (b.kind != SOLID)
        return;
    auto& p = b.points;
    const int first = keep ? b.form : b.form + 1;
    if (first == 0)
        SetPoint(p[7], p[0][0], p[0][1], p[0][2]);
    if (first <= 1) {
        // From the opposite corners P1 and P8, with edges that make the
        // triple product (P2 - P1) . ((P3 - P1) x (P4 - P1)) non-negative.
        const float x1 = p[0][0], y1 = p[0][1], z1 = p[0][2];
        const float x8 = p[7][0], y8 = p[7][1], z8 = p[7][2];
        const int ascending = (x1 <= x8) + (y1 <= y8) + (z1 <= z8);
        const bool even = ascending % 2 == 0;
        SetPoint(p[1], even ? x1 : x8, even ? y8 : y1, z1);
        SetPoint(p[2], even ? x8 : x1, even ? y1 : y8, z1);
        SetPoint(p[3], x1, y1, z8);
    }
    if (first <= 2) {
        SumPoints(p, 4, 1, 2, 0);
        SumPoints(p, 5, 1, 3, 0);
        SumPoints(p, 6, 2, 3, 0);
        SumPoints(p, 7, 4, 3, 0);
    }
}

std::span<const int> DefiningPoints(const BlockRecord& b)
{
    static constexpr int kPoints[] = {0, 1, 2, 3, 4, 5, 6, 7}, kBox[] = {0, 7};
    if (b.form == BOX)
        return kBox;
    return std::span<const int>(kPoints).first(b.form == PARALLELEPIPED ? 4 : 8);
}

void ClearBlockEditFlags(BlockRecord& b)
{
    if (b.filled) {
        b.filled = 0;
        b.edited = 0;
    }
}

void ComputeAxisCoordinates(GridAxis& a)
{
    double sum = 0;
    for (std::size_t i = 0; i < a.n; ++i) {
        sum += a.widths[i];
        a.coords[i] = static_cast<float>(sum);
    }
}

void ComputeGridCoordinates(ShapeModel& m)
{
    for (std::size_t k = 0; k < 3; ++k) {
        GridAxis& a = m.axes[k];
        ComputeAxisCoordinates(a);
        m.clipLo[k] = 0;
        m.clipHi[k] = a.n;
    }
}

void ComputeModelBounds(ShapeModel& m)
{
    ModelBounds& b = m.bounds;
    for (int k = 0; k < 3; ++k) {
        b.min[k] = 1.0e38f;
        b.max[k] = -1.0e38f;
    }
    for (std::size_t i = 0; i < m.blocks.count; ++i) {
        const BlockRecord& r = m.blocks[i];
        if (r.kind == SOLID) {
            for (int c : DefiningPoints(r))
                Widen(b, r.points[c]);
            Widen(b, r.points[7]); // a parallelepiped's far corner
        } else if (r.kind == STL) {
            for (std::size_t t = r.firstTriangle; t < std::size_t{r.firstTriangle} + r.triangleCount; ++t)
                for (std::uint32_t v : m.stl.triangles[t].v) {
                    const StlVertex& s = m.stl.vertices[v];
                    const float p[3] = {s.x, s.y, s.z};
                    Widen(b, p);
                }
        }
    }
    if (b.min[0] > 1.0e37f) {
        for (int k = 0; k < 3; ++k) {
            b.min[k] = 0;
            b.max[k] = m.settings.axis;
        }
    }
    double d2 = 0;
    for (int k = 0; k < 3; ++k) {
        b.centre[k] = static_cast<float>((static_cast<double>(b.min[k]) + b.max[k]) / 2);
        const double d = static_cast<double>(b.max[k]) - b.centre[k];
        d2 += d * d;
    }
    b.halfDiagonal = static_cast<float>(std::sqrt(d2));
}

void ComputeAreas(ShapeModel& m)
{
    const double scal = m.settings.scal;
    for (AreaRecord& a : m.areas) {
        double u[3], v[3];
        for (int k = 0; k < 3; ++k) {
            u[k] = static_cast<double>(a.points[1][k]) - a.points[0][k];
            v[k] = static_cast<double>(a.points[2][k]) - a.points[0][k];
        }
        const double c[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        a.area = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]) * scal * scal;
    }
}

double SnapToLengthQuantum(const ModelSettings& s, double x)
{
    return kernels::SnapToLengthQuantum(x, s.reso);
}

void SetDefaultCoordinateSettings(ModelSettings& s)
{
    s.scal = 0.01f;
    s.reso = 0.01f;
    s.step = 1.0f;
    s.axis = 100.0f;
}

void ResetModel(ShapeModel& m, const ProgramParameters& defaults, const ColourTable& startColours)
{
    m.title.clear();
    ResetSettings(m.settings, defaults); // the default coordinate settings among them
    m.lines = {defaults.lcob, defaults.lcgr, defaults.lct1, defaults.lct2, defaults.lcts, defaults.lcq1,
               defaults.lcq2, defaults.lwob, defaults.lwgr, defaults.lwt1, defaults.lwt2, defaults.lwts,
               defaults.lwq1, defaults.lwq2};
    m.colours = startColours;
    for (ColourRecord& c : m.colours) {
        c.inUse = 0;
        c.protect = 0;
        c.shown = 1;
    }
    // Fresh arrays: a large model before gives its memory back.
    FreeBlockArray(m);
    FreeBorderBcArray(m);
    FreeMaterialBcArray(m);
    FreeGridArrays(m);
    if (!(GrowBlockArray(m, 200) && GrowBorderBcArray(m, 100) && GrowMaterialBcArray(m, 20) &&
          SetGridCapacity(m, 200)))
        throw std::bad_alloc();
    m.stl = StlMesh{};
    m.stlNames.assign(1, std::string());
    m.areas = {};
    m.uValues = {};
    for (int k = 0; k < 3; ++k) {
        m.clipLo[k] = 0;
        m.clipHi[k] = 1;
        m.origin[k] = 0;
    }
    m.session.mesh.tras = defaults.tras;
    m.session.mesh.diss = defaults.diss;
    m.session.mesh.rats = defaults.rats;
}

} // namespace parven
