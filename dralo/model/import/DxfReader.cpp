// Reading a DXF drawing: group pairs (a code line and a value line), the
// header's extents, the layer files, and the entities reduced to straight
// segments.
#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "dralo/model/import/DxfDrawing.h"
#include "dralo/model/store/Errors.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>

namespace dralo {

bool DxfExtents::Usable() const
{
    return std::isfinite(xmin) && std::isfinite(ymin) && std::isfinite(xmax) && std::isfinite(ymax) &&
           xmax > xmin && ymax > ymin;
}

namespace {

constexpr double kPi = std::numbers::pi;
// Most chords of one arc: more than any arc inside a bitmap of 32767 pixels
// a side can use at one chord per pixel.
constexpr double kMaxChordsPerArc = 262144;

// One group: its code and value (text, real or integer by the code).
struct Group {
    int code = -1;
    std::string text;
    double real = 0;
    bool finite = true; // the real parsed and is finite
    int integer = 0;
};

class GroupReader {
  public:
    bool Open(const std::string& path) { return m_reader.Open(path); }
    // The next group; false at the end of the file.
    bool Next(Group& g)
    {
        for (;;) {
            int key = -1;
            common::LineStatus st = m_reader.ReadKeywordLine({}, 0, key);
            if (st == common::LineStatus::End)
                return false;
            if (st == common::LineStatus::TooLong)
                continue;
            const char* p = m_reader.Value();
            int code = 0;
            if (!common::ScanInt(p, code) || *common::detail::SkipBlanks(p) != '\0')
                continue; // not a group code
            st = m_reader.ReadKeywordLine({}, 0, key);
            if (st == common::LineStatus::End)
                return false;
            g.code = code;
            g.text.clear();
            g.real = 0;
            g.finite = true;
            g.integer = 0;
            if (st == common::LineStatus::TooLong) {
                g.finite = false;
                return true;
            }
            const char* v = m_reader.Value();
            if (code >= 0 && code <= 9) {
                g.text.assign(m_reader.ValueView());
            } else if (code >= 10 && code <= 59) {
                g.finite = common::ScanDouble(v, g.real);
            } else if (code >= 60 && code <= 99) {
                g.finite = common::ScanInt(v, g.integer);
            }
            return true;
        }
    }

  private:
    common::KeywordLineReader m_reader;
};

// Trims the blanks a text value may carry around a name.
std::string_view Trimmed(const std::string& s)
{
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t'))
        ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t'))
        --b;
    return std::string_view(s).substr(a, b - a);
}

bool Is(const Group& g, int code, std::string_view text)
{
    return g.code == code && Trimmed(g.text) == text;
}

// The groups of one entity, up to the next code 0.
struct Entity {
    std::string kind;
    std::vector<Group> groups;
    bool finite = true;

    const Group* Find(int code) const
    {
        for (const Group& g : groups)
            if (g.code == code)
                return &g;
        return nullptr;
    }
    double Real(int code, double fallback = 0) const
    {
        const Group* g = Find(code);
        return g ? g->real : fallback;
    }
};

// Turns entities into segments for the drawing or the block being defined.
class SegmentBuilder {
  public:
    SegmentBuilder(DxfDrawing& d, double s, const DxfLimits& limits) : m_drawing(d), m_s(s), m_limits(limits) {}

    void Entity(const Entity& e);
    void EndSection() { m_block = nullptr; }

  private:
    struct Block {
        std::string name;
        std::vector<DxfSegment> segments;
    };
    struct Vertex {
        double x, y, bulge;
    };

    int LayerOf(const dralo::Entity& e)
    {
        const Group* g = e.Find(8);
        return g ? FindOrAddLayer(m_drawing.layers, g->text) : -1;
    }
    void Add(double x1, double y1, double x2, double y2, int layer);
    void Line(const dralo::Entity& e, int layer);
    void Polyline(const std::vector<Vertex>& v, bool closed, bool joinLast, int layer);
    void LwPolyline(const dralo::Entity& e, int layer);
    void Circle(const dralo::Entity& e, int layer);
    void Arc(const dralo::Entity& e, int layer);
    void Ellipse(const dralo::Entity& e, int layer);
    void Insert(const dralo::Entity& e, int layer);
    void BulgeArc(double x1, double y1, double x2, double y2, double b, int layer);
    void FlushPolyline();
    // Chords of an arc of radius r sweeping `angle`: the chord rule of the
    // scale, at most one chord per pixel of arc.
    double Chords(double r, double angle) const;

    DxfDrawing& m_drawing;
    double m_s;
    const DxfLimits& m_limits;
    std::map<std::string, Block> m_blocks;
    Block* m_block = nullptr;
    // The POLYLINE whose VERTEX records are being read.
    bool m_inPolyline = false;
    bool m_polylineClosed = false;
    bool m_polylineFinite = true;
    int m_polylineLayer = -1;
    std::vector<Vertex> m_vertices;
};

double SegmentBuilder::Chords(double r, double angle) const
{
    if (!(angle > 0))
        return 1;
    double n;
    if (m_s <= 0) {
        n = std::ceil(angle / (2 * kPi / 64));
    } else {
        const double alpha = std::acos(std::clamp(1.0 - m_s / (2 * r), -1.0, 1.0));
        n = alpha > 0 ? std::ceil(angle / (2 * alpha)) : kMaxChordsPerArc;
        n = std::min(n, std::ceil(std::abs(r) * angle / m_s));
    }
    return std::clamp(n, 1.0, kMaxChordsPerArc);
}

void SegmentBuilder::Add(double x1, double y1, double x2, double y2, int layer)
{
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    const DxfSegment seg{x1, y1, x2, y2, layer};
    std::vector<DxfSegment>& to = m_block ? m_block->segments : m_drawing.segments;
    if (!m_block) {
        if (layer < 0)
            return;
        if (m_s <= 0) { // only the bounds of the drawing
            DxfExtents& b = m_drawing.bounds;
            if (!m_drawing.haveBounds)
                b = {x1, y1, x1, y1};
            m_drawing.haveBounds = true;
            b.xmin = std::min({b.xmin, x1, x2});
            b.xmax = std::max({b.xmax, x1, x2});
            b.ymin = std::min({b.ymin, y1, y2});
            b.ymax = std::max({b.ymax, y1, y2});
            return;
        }
    }
    if (to.size() >= m_limits.maxSegments)
        throw DxfTooLarge{};
    to.push_back(seg);
}

void SegmentBuilder::Line(const dralo::Entity& e, int layer)
{
    Add(e.Real(10), e.Real(20), e.Real(11), e.Real(21), layer);
}

void SegmentBuilder::BulgeArc(double x1, double y1, double x2, double y2, double b, int layer)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double c = std::sqrt(dx * dx + dy * dy);
    if (c == 0)
        return;
    if (b == 0) {
        Add(x1, y1, x2, y2, layer);
        return;
    }
    const double h = b * c / 2;
    const double t = c * c / (8 * h) - h / 2;
    const double r = std::abs(h + t);
    if (!(r >= m_s) || !std::isfinite(r)) {
        Add(x1, y1, x2, y2, layer);
        return;
    }
    const double cx = (x1 + x2) / 2 + t * (-dy) / c, cy = (y1 + y2) / 2 + t * dx / c;
    double theta = 2 * std::acos(std::clamp(t / r, -1.0, 1.0));
    const double small = std::min(theta, 2 * kPi - theta);
    theta = std::abs(b) <= 1 ? small : 2 * kPi - small;
    if (m_s > 0) {
        const double alpha = std::acos(std::clamp(1.0 - m_s / (2 * r), -1.0, 1.0));
        if (2 * alpha >= theta) {
            Add(x1, y1, x2, y2, layer);
            return;
        }
    }
    const double n = Chords(r, theta);
    double a0 = std::acos(std::clamp((x1 - cx) / r, -1.0, 1.0));
    if (y1 < cy)
        a0 = -a0;
    const double step = (b > 0 ? 1 : -1) * theta / n;
    double px = x1, py = y1;
    for (double i = 1; i < n; ++i) {
        const double a = a0 + i * step;
        const double qx = cx + r * std::cos(a), qy = cy + r * std::sin(a);
        Add(px, py, qx, qy, layer);
        px = qx;
        py = qy;
    }
    Add(px, py, x2, y2, layer);
}

void SegmentBuilder::Polyline(const std::vector<Vertex>& v, bool closed, bool joinLast, int layer)
{
    if (v.size() < 2)
        return;
    for (std::size_t i = 0; i + 2 < v.size(); ++i)
        BulgeArc(v[i].x, v[i].y, v[i + 1].x, v[i + 1].y, v[i].bulge, layer);
    if (!joinLast)
        return;
    const std::size_t last = v.size() - 1;
    BulgeArc(v[last - 1].x, v[last - 1].y, v[last].x, v[last].y, v[last - 1].bulge, layer);
    if (closed)
        BulgeArc(v[last].x, v[last].y, v[0].x, v[0].y, v[last].bulge, layer);
}

void SegmentBuilder::LwPolyline(const dralo::Entity& e, int layer)
{
    std::vector<Vertex> v;
    int count = 0, flags = 0;
    for (const Group& g : e.groups) {
        if (g.code == 90)
            count = g.integer;
        else if (g.code == 70)
            flags = g.integer;
        else if (g.code == 10)
            v.push_back({g.real, 0, 0});
        else if (g.code == 20 && !v.empty())
            v.back().y = g.real;
        else if (g.code == 42 && !v.empty())
            v.back().bulge = g.real;
    }
    const bool joinLast = count > 1 && static_cast<std::size_t>(count) == v.size();
    Polyline(v, (flags & 1) != 0, joinLast, layer);
}

void SegmentBuilder::Circle(const dralo::Entity& e, int layer)
{
    const double cx = e.Real(10), cy = e.Real(20), r = e.Real(40);
    BulgeArc(cx - r, cy, cx + r, cy, 1, layer);
    BulgeArc(cx + r, cy, cx - r, cy, 1, layer);
}

void SegmentBuilder::Arc(const dralo::Entity& e, int layer)
{
    const double cx = e.Real(10), cy = e.Real(20), r = e.Real(40);
    const double start = e.Real(50) * kPi / 180, end = e.Real(51) * kPi / 180;
    double sweep = end - start;
    if (sweep < 0)
        sweep += 2 * kPi;
    const double n = Chords(r, sweep);
    double px = cx + r * std::cos(start), py = cy + r * std::sin(start);
    for (double i = 1; i <= n; ++i) {
        const double a = start + i * sweep / n;
        const double qx = cx + r * std::cos(a), qy = cy + r * std::sin(a);
        Add(px, py, qx, qy, layer);
        px = qx;
        py = qy;
    }
}

void SegmentBuilder::Ellipse(const dralo::Entity& e, int layer)
{
    const double cx = e.Real(10), cy = e.Real(20), mx = e.Real(11), my = e.Real(21);
    const double ratio = e.Real(40), start = e.Real(41), end = e.Real(42);
    double sweep = end - start;
    if (sweep < 0)
        sweep += 2 * kPi;
    double r = std::sqrt(mx * mx + my * my);
    if (ratio > 1)
        r *= ratio;
    const double n = Chords(r, sweep);
    auto point = [&](double t, double& x, double& y) {
        x = cx + mx * std::cos(t) + ratio * -my * std::sin(t);
        y = cy + my * std::cos(t) + ratio * mx * std::sin(t);
    };
    double px, py;
    point(start, px, py);
    for (double i = 1; i <= n; ++i) {
        double qx, qy;
        point(start + i * sweep / n, qx, qy);
        Add(px, py, qx, qy, layer);
        px = qx;
        py = qy;
    }
}

void SegmentBuilder::Insert(const dralo::Entity& e, int layer)
{
    const Group* name = e.Find(2);
    if (!name)
        return;
    const auto found = m_blocks.find(std::string(Trimmed(name->text)));
    // A block inserted into itself while it is being defined adds nothing.
    if (found == m_blocks.end() || &found->second == m_block)
        return;
    const double px = e.Real(10), py = e.Real(20), sx = e.Real(41, 1), sy = e.Real(42, 1);
    const double a = e.Real(50) * kPi / 180;
    const double ca = std::cos(a), sa = std::sin(a);
    // A copy: the block may be the one receiving the segments.
    const std::vector<DxfSegment> segments = found->second.segments;
    for (const DxfSegment& s : segments) {
        const int l = layer >= 0 ? layer : s.layer;
        Add(px + sx * ca * s.x1 - sy * sa * s.y1, py + sx * sa * s.x1 + sy * ca * s.y1,
            px + sx * ca * s.x2 - sy * sa * s.y2, py + sx * sa * s.x2 + sy * ca * s.y2, l);
    }
}

void SegmentBuilder::FlushPolyline()
{
    if (!m_inPolyline)
        return;
    m_inPolyline = false;
    if (m_polylineFinite)
        Polyline(m_vertices, m_polylineClosed, m_vertices.size() >= 2, m_polylineLayer);
    m_vertices.clear();
}

void SegmentBuilder::Entity(const dralo::Entity& e)
{
    if (e.kind == "VERTEX" && m_inPolyline) {
        if (!e.finite)
            m_polylineFinite = false;
        else
            m_vertices.push_back({e.Real(10), e.Real(20), e.Real(42)});
        return;
    }
    FlushPolyline();
    if (e.kind == "BLOCK") {
        const Group* name = e.Find(2);
        Block& b = m_blocks[name ? std::string(Trimmed(name->text)) : std::string()];
        b.name = name ? std::string(Trimmed(name->text)) : std::string();
        b.segments.clear();
        m_block = &b;
        return;
    }
    if (e.kind == "ENDBLK") {
        m_block = nullptr;
        return;
    }
    const bool drawn = e.kind == "LINE" || e.kind == "LWPOLYLINE" || e.kind == "POLYLINE" || e.kind == "CIRCLE" ||
                       e.kind == "ARC" || e.kind == "ELLIPSE" || e.kind == "INSERT";
    if (!drawn)
        return;
    const int layer = LayerOf(e);
    if (e.kind == "POLYLINE") {
        m_inPolyline = true;
        m_polylineFinite = e.finite;
        const Group* flags = e.Find(70);
        m_polylineClosed = flags && (flags->integer & 1);
        m_polylineLayer = layer;
        return;
    }
    if (!e.finite)
        return; // entities with values that are not finite are dropped
    if (e.kind == "LINE")
        Line(e, layer);
    else if (e.kind == "LWPOLYLINE")
        LwPolyline(e, layer);
    else if (e.kind == "CIRCLE")
        Circle(e, layer);
    else if (e.kind == "ARC")
        Arc(e, layer);
    else if (e.kind == "ELLIPSE")
        Ellipse(e, layer);
    else
        Insert(e, layer);
}

} // namespace

int FindOrAddLayer(std::vector<DxfLayer>& layers, std::string_view name)
{
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (layers[i].name == name)
            return static_cast<int>(i);
    if (layers.size() == layers.capacity())
        layers.reserve(layers.size() + 200);
    DxfLayer layer;
    layer.name.assign(name.substr(0, 255));
    if (name.size() > 2) {
        if (name.size() > 5 && name[3] == '_' && name[5] == '_' && name[4] >= '0' && name[4] <= '3')
            layer.disp = name[4] - '0';
        const std::string head(name.substr(0, 3));
        const char* p = head.c_str();
        int colour = 0;
        if (common::ScanInt(p, colour) && colour >= 0 && colour <= 255)
            layer.colr = colour;
    }
    layers.push_back(std::move(layer));
    return static_cast<int>(layers.size() - 1);
}

void ReadLayerFile(const std::string& path, std::vector<DxfLayer>& layers)
{
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        throw EngineError::FileOpen(path);
    int current = -1, key = -1;
    for (;;) {
        const common::LineStatus st = reader.ReadKeywordLine("name=disp=colr=", 5, key);
        if (st == common::LineStatus::End)
            break;
        if (st == common::LineStatus::TooLong || key < 0)
            continue;
        if (key == 0) {
            current = FindOrAddLayer(layers, reader.ValueView());
            continue;
        }
        const char* p = reader.Value();
        int v = 0;
        if (current < 0 || !common::ScanInt(p, v))
            continue;
        if (key == 1 && v >= kDxfLines && v <= kDxfHidden)
            layers[static_cast<std::size_t>(current)].disp = v;
        else if (key == 2 && v >= 0 && v <= 255)
            layers[static_cast<std::size_t>(current)].colr = v;
    }
}

void ReadDxfHeader(const std::string& path, DxfExtents& extents)
{
    extents = {std::nan(""), std::nan(""), std::nan(""), std::nan("")};
    GroupReader in;
    if (!in.Open(path))
        throw EngineError::FileOpen(path);
    Group g, previous;
    bool inHeader = false;
    double* x = nullptr;
    double* y = nullptr;
    while (in.Next(g)) {
        if (!inHeader) {
            inHeader = Is(g, 2, "HEADER") && Is(previous, 0, "SECTION");
            previous = g;
            continue;
        }
        if (g.code == 0)
            break; // ENDSEC
        if (g.code == 9) {
            const std::string_view name = Trimmed(g.text);
            x = name == "$EXTMIN" ? &extents.xmin : name == "$EXTMAX" ? &extents.xmax : nullptr;
            y = name == "$EXTMIN" ? &extents.ymin : name == "$EXTMAX" ? &extents.ymax : nullptr;
        } else if (x && g.code == 10) {
            *x = g.finite ? g.real : std::nan("");
        } else if (y && g.code == 20) {
            *y = g.finite ? g.real : std::nan("");
        }
    }
}

void ReadDxfEntities(const std::string& path, double s, DxfDrawing& drawing, const DxfLimits& limits)
{
    GroupReader in;
    if (!in.Open(path))
        throw EngineError::FileOpen(path);
    SegmentBuilder builder(drawing, s, limits);
    Group g, previous;
    bool inSection = false;
    Entity entity;
    bool haveEntity = false;
    while (in.Next(g)) {
        if (!inSection) {
            inSection = Is(previous, 0, "SECTION") && (Is(g, 2, "BLOCKS") || Is(g, 2, "ENTITIES"));
            previous = g;
            continue;
        }
        if (g.code != 0) {
            if (haveEntity) {
                if (!g.finite && ((g.code >= 10 && g.code <= 59) || (g.code >= 60 && g.code <= 99)))
                    entity.finite = false;
                entity.groups.push_back(g);
            }
            continue;
        }
        if (haveEntity)
            builder.Entity(entity);
        const std::string_view kind = Trimmed(g.text);
        if (kind == "ENDSEC") {
            builder.Entity(Entity{"ENDSEC", {}, true});
            builder.EndSection();
            inSection = false;
            haveEntity = false;
            previous = g;
            continue;
        }
        entity = Entity{std::string(kind), {}, true};
        haveEntity = true;
    }
    if (haveEntity)
        builder.Entity(entity);
    builder.Entity(Entity{"EOF", {}, true});
}

} // namespace dralo
