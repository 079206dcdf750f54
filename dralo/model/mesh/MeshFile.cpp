// Writing and reading "tmp.tri", and the triangle neighbours.
#include "dralo/model/mesh/MeshFile.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/kernels/ResultFiles.h"
#include "dralo/model/files/ModelFiles.h"
#include "dralo/model/mesh/MeshPoints.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"

#include <charconv>

namespace dralo {

namespace {

void Begin(std::string& line, char letter)
{
    line.clear();
    line.push_back(letter);
}

void Put(std::string& line, long long v)
{
    char buf[24];
    line.push_back(' ');
    line.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

bool IsSolidType(int type)
{
    return type == MATERIAL || type == EQUIMAT;
}

bool IsBoundaryType(int type)
{
    return type >= BC_SIMPL && type <= BC_FRE_S;
}

// The free cavity colour of an outer edge of a cavity (towards the outside
// or towards an adiabatic boundary colour), or -1.
int OuterCavityColour(const BitmapModel& m, int a, int b)
{
    auto freeType = [&](int c) {
        const int t = m.colours[static_cast<std::size_t>(c)].type;
        return t == BC_FREE || t == BC_FRE_S;
    };
    auto outer = [&](int c) { return c < 0 || m.colours[static_cast<std::size_t>(c)].adiabatic != 0; };
    if (a >= 0 && freeType(a) && outer(b))
        return a;
    if (b >= 0 && freeType(b) && outer(a))
        return b;
    return -1;
}

// Visits the edges of contour k as (start, end) points, turned round when
// the given colour is its low one, so that the colour lies on their left.
template <class Visit> void EdgesWithColourOnLeft(const ContourSet& c, std::size_t k, int colour, Visit&& visit)
{
    std::vector<std::int32_t> order;
    ForEachContourEdge(c, k, [&](std::int32_t e) { order.push_back(e); });
    const bool turn = c.edges[static_cast<std::size_t>(c.heads[k])].low == colour;
    if (!turn) {
        for (std::int32_t e : order)
            visit(c.edges[static_cast<std::size_t>(e)].start, c.edges[static_cast<std::size_t>(e)].end);
    } else {
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            visit(c.edges[static_cast<std::size_t>(*it)].end, c.edges[static_cast<std::size_t>(*it)].start);
    }
}

[[noreturn]] void Bad(const std::string& path, const common::KeywordLineReader& reader)
{
    throw EngineError::Syntax(path, reader.LineCounter());
}

// Scans n integers of the line; false when one is missing.
bool ScanInts(const char* p, int* values, int n)
{
    for (int i = 0; i < n; ++i)
        if (!common::ScanInt(p, values[i]))
            return false;
    return true;
}

} // namespace

bool BorderEdgeColours(const BitmapModel& m, int a, int b, int& material, int& boundary)
{
    if (a < 0 || b < 0)
        return false;
    const int ta = m.colours[static_cast<std::size_t>(a)].type, tb = m.colours[static_cast<std::size_t>(b)].type;
    if (IsSolidType(ta) != IsSolidType(tb)) {
        material = IsSolidType(ta) ? a : b;
        boundary = IsSolidType(ta) ? b : a;
        return true;
    }
    if (ta == TRANSMAT && IsBoundaryType(tb)) {
        material = a;
        boundary = b;
        return true;
    }
    if (tb == TRANSMAT && IsBoundaryType(ta)) {
        material = b;
        boundary = a;
        return true;
    }
    return false;
}

void WriteMeshFile(const BitmapModel& m, const ContourSet& c, const std::vector<MeshTriangle>& triangles,
                   const std::string& workFolder)
{
    const std::string path = TempFilePath(workFolder, kMeshFileName);
    kernels::ResultFileWriter w;
    if (!w.Open(path))
        throw EngineError::FileOpen(path);
    long long borders = 0;
    for (std::size_t k = 0; k < c.heads.size(); ++k) {
        const ContourEdge& h = c.edges[static_cast<std::size_t>(c.heads[k])];
        int material = 0, boundary = 0;
        if (BorderEdgeColours(m, h.low, h.high, material, boundary))
            ForEachContourEdge(c, k, [&](std::int32_t) { ++borders; });
    }
    std::string line;
    Begin(line, 'S');
    Put(line, 16LL * m.width);
    Put(line, 16LL * m.height);
    Put(line, 16);
    w.Line(line);
    Begin(line, 'D');
    Put(line, static_cast<long long>(c.vertices.size()));
    Put(line, static_cast<long long>(triangles.size()));
    Put(line, borders);
    Put(line, m.radiationZoneCount);
    w.Line(line);
    for (std::size_t v = 0; v < c.vertices.size(); ++v) {
        Begin(line, 'P');
        Put(line, static_cast<long long>(v) + 1);
        Put(line, c.vertices[v].x);
        Put(line, c.vertices[v].y);
        w.Line(line);
    }
    for (const MeshTriangle& t : triangles) {
        Begin(line, 'T');
        Put(line, t.colour);
        for (int k = 0; k < 3; ++k)
            Put(line, (t.onContour >> k & 1) ? -(t.v[k] + 1LL) : t.v[k] + 1LL);
        w.Line(line);
    }
    for (std::size_t k = 0; k < c.heads.size(); ++k) {
        const ContourEdge& h = c.edges[static_cast<std::size_t>(c.heads[k])];
        int material = 0, boundary = 0;
        if (!BorderEdgeColours(m, h.low, h.high, material, boundary))
            continue;
        const int zone = m.colours[static_cast<std::size_t>(boundary)].radiationZone;
        EdgesWithColourOnLeft(c, k, boundary, [&](std::int32_t s, std::int32_t e) {
            Begin(line, 'B');
            Put(line, material);
            Put(line, boundary);
            Put(line, zone + 1);
            Put(line, s + 1LL);
            Put(line, e + 1LL);
            w.Line(line);
        });
    }
    for (std::size_t k = 0; k < c.heads.size(); ++k) {
        const ContourEdge& h = c.edges[static_cast<std::size_t>(c.heads[k])];
        const int cavity = OuterCavityColour(m, h.low, h.high);
        if (cavity < 0)
            continue;
        EdgesWithColourOnLeft(c, k, cavity, [&](std::int32_t s, std::int32_t e) {
            Begin(line, 'A');
            Put(line, cavity);
            Put(line, s + 1LL);
            Put(line, e + 1LL);
            w.Line(line);
        });
    }
    if (!w.Close())
        throw EngineError::FileOpen(path);
}

void ReadMeshFile(BitmapModel& m, const std::string& workFolder, Mesh& mesh)
{
    mesh = Mesh();
    const std::string temporary = TempFilePath(workFolder, kMeshFileName);
    std::string path = temporary;
    common::KeywordLineReader reader;
    if (!reader.Open(path)) {
        path = ReplaceExtension(m.dataFilePath, ".tri");
        if (m.dataFilePath.empty() || !reader.Open(path))
            throw EngineError::FileOpen(temporary);
    }
    bool counted = false;
    int points = 0, triangles = 0, borders = 0, zones = 0;
    for (;;) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine("DPTB", 1, key);
        if (status == common::LineStatus::End)
            break;
        if (status == common::LineStatus::TooLong)
            Bad(path, reader);
        if (key < 0)
            continue;
        int v[5] = {};
        if (key == 0) {
            // Zones are colour groups: never more than the colours.
            if (counted || !ScanInts(reader.Value(), v, 4) || v[0] <= 0 || v[1] <= 0 || v[2] <= 0 || v[3] < 0 ||
                v[3] > kColourCount)
                Bad(path, reader);
            counted = true;
            points = v[0];
            triangles = v[1];
            borders = v[2];
            zones = v[3];
            mesh.zoneEdges.assign(static_cast<std::size_t>(zones), 0);
            continue;
        }
        if (!counted)
            Bad(path, reader);
        if (key == 1) {
            if (!ScanInts(reader.Value(), v, 3) || v[0] != static_cast<long long>(mesh.points.size()) + 1 ||
                v[0] > points || v[1] < 0 || v[2] < 0)
                Bad(path, reader);
            mesh.points.push_back({v[1], v[2]});
        } else if (key == 2) {
            if (!ScanInts(reader.Value(), v, 4) || static_cast<long long>(mesh.triangles.size()) >= triangles ||
                v[0] < 0 || v[0] > 255)
                Bad(path, reader);
            MeshTriangle t;
            t.colour = static_cast<std::uint8_t>(v[0]);
            for (int k = 0; k < 3; ++k) {
                const long long index = v[k + 1] < 0 ? -static_cast<long long>(v[k + 1]) : v[k + 1];
                if (index < 1 || index > points)
                    Bad(path, reader);
                t.v[k] = static_cast<std::int32_t>(index - 1);
                if (v[k + 1] < 0)
                    t.onContour |= static_cast<std::uint8_t>(1 << k);
            }
            mesh.triangles.push_back(t);
        } else {
            if (!ScanInts(reader.Value(), v, 5) || static_cast<long long>(mesh.borders.size()) >= borders ||
                v[0] < 0 || v[0] > 255 || v[1] < 0 || v[1] > 255 || v[2] < 0 || v[2] > zones || v[3] < 1 ||
                v[3] > points || v[4] < 1 || v[4] > points)
                Bad(path, reader);
            BorderEdge b;
            b.material = static_cast<std::uint8_t>(v[0]);
            b.boundary = static_cast<std::uint8_t>(v[1]);
            b.zone = v[2] - 1;
            b.start = v[3] - 1;
            b.end = v[4] - 1;
            m.colours[b.boundary].radiationZone = b.zone;
            if (b.zone >= 0)
                ++mesh.zoneEdges[static_cast<std::size_t>(b.zone)];
            mesh.borders.push_back(b);
        }
    }
    if (!counted || static_cast<long long>(mesh.points.size()) != points ||
        static_cast<long long>(mesh.triangles.size()) != triangles ||
        static_cast<long long>(mesh.borders.size()) != borders)
        Bad(path, reader);
    for (ColourRecord& r : m.colours) {
        r.firstTriangle = 0;
        r.triangleCount = 0;
    }
    for (std::size_t t = mesh.triangles.size(); t-- > 0;) {
        ColourRecord& r = m.colours[mesh.triangles[t].colour];
        r.firstTriangle = static_cast<std::uint32_t>(t);
        ++r.triangleCount;
    }
}

void BuildMeshNeighbours(Mesh& mesh, EngineHost& host)
{
    const std::size_t n = mesh.triangles.size();
    std::vector<std::int32_t>& start = mesh.pointTriangleStart;
    std::vector<std::int32_t>& list = mesh.pointTriangles;
    start.assign(mesh.points.size() + 1, 0);
    for (const MeshTriangle& t : mesh.triangles)
        for (std::int32_t v : t.v)
            ++start[static_cast<std::size_t>(v) + 1];
    for (std::size_t p = 0; p < mesh.points.size(); ++p)
        start[p + 1] += start[p];
    list.assign(static_cast<std::size_t>(start.back()), 0);
    {
        std::vector<std::int32_t> fill(start.begin(), start.end() - 1);
        for (std::size_t t = 0; t < n; ++t)
            for (std::int32_t v : mesh.triangles[t].v)
                list[static_cast<std::size_t>(fill[static_cast<std::size_t>(v)]++)] = static_cast<std::int32_t>(t);
    }
    mesh.neighbours.assign(n, {-1, -1, -1});
    EscPoll poll(host, 500);
    for (std::size_t t = 0; t < n; ++t) {
        poll.Step();
        const MeshTriangle& a = mesh.triangles[t];
        for (int k = 0; k < 3; ++k) {
            if (mesh.neighbours[t][static_cast<std::size_t>(k)] != -1)
                continue;
            const std::int32_t p = a.v[k], q = a.v[(k + 1) % 3];
            // The first other triangle at q with the side q→p.
            for (std::int32_t i = start[static_cast<std::size_t>(q)]; i < start[static_cast<std::size_t>(q) + 1]; ++i) {
                const std::int32_t u = list[static_cast<std::size_t>(i)];
                if (static_cast<std::size_t>(u) == t)
                    continue;
                const MeshTriangle& b = mesh.triangles[static_cast<std::size_t>(u)];
                int side = -1;
                for (int j = 0; j < 3; ++j)
                    if (b.v[j] == q && b.v[(j + 1) % 3] == p)
                        side = j;
                if (side < 0 || mesh.neighbours[static_cast<std::size_t>(u)][static_cast<std::size_t>(side)] != -1)
                    continue;
                mesh.neighbours[t][static_cast<std::size_t>(k)] = u;
                mesh.neighbours[static_cast<std::size_t>(u)][static_cast<std::size_t>(side)] = static_cast<std::int32_t>(t);
                break;
            }
        }
    }
}

} // namespace dralo
