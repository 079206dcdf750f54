// The STL reader in its two forms, the block's file and the writer of moved
// STL blocks.
#include "parven/model/stl/StlFiles.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/core/TempFiles.h"
#include "common/core/TextFileWriter.h"
#include "parven/model/stl/StlMesh.h"
#include "parven/model/store/Errors.h"
#include "platform/core/Folders.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#include <vector>

namespace parven {

namespace {

constexpr std::size_t kHeader = 80;
constexpr std::size_t kFacet = 50;

// Three vertices a triangle, joined across the file's facets.
class TriangleGroups {
  public:
    explicit TriangleGroups(StlMesh& mesh) : m_mesh(mesh), m_from(mesh.vertices.size()) {}
    void Add(float x, float y, float z)
    {
        m_v[m_n++] = AddStlVertex(m_mesh, x, y, z, m_from);
        if (m_n == 3) {
            AddStlTriangle(m_mesh, m_v[0], m_v[2], m_v[1]);
            m_n = 0;
        }
    }

  private:
    StlMesh& m_mesh;
    std::size_t m_from;
    std::uint32_t m_v[3] = {};
    int m_n = 0;
};

// The ASCII pass: true when it read at least one vertex and no bad one.
bool ReadAsciiStl(StlMesh& mesh, const std::string& path)
{
    common::KeywordLineReader reader(common::LeadingSpaces::Skip);
    if (!reader.Open(path))
        return false;
    TriangleGroups groups(mesh);
    bool any = false;
    int key = -1;
    for (common::LineStatus st; (st = reader.ReadKeywordLine("vertex", 6, key)) != common::LineStatus::End;) {
        // Over-long lines are solid names and the like, never vertices.
        if (st != common::LineStatus::Line || key != 0)
            continue;
        const char* p = reader.Value();
        float c[3];
        if (!(common::ScanFloat(p, c[0]) && common::ScanFloat(p, c[1]) && common::ScanFloat(p, c[2])))
            return false;
        groups.Add(c[0], c[1], c[2]);
        any = true;
    }
    return any;
}

std::uint32_t U32At(const unsigned char* p)
{
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

float FloatAt(const unsigned char* p)
{
    return std::bit_cast<float>(U32At(p));
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool ReadBinaryStl(StlMesh& mesh, const std::string& path)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return false;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    unsigned char head[kHeader + 4];
    if (!f || std::fread(head, 1, sizeof head, f.get()) != sizeof head)
        return false;
    const auto count = static_cast<std::int32_t>(U32At(head + kHeader));
    // The count is checked against what the file holds before anything is
    // allocated for it.
    if (count < 0 || static_cast<std::uintmax_t>(count) > (size - sizeof head) / kFacet)
        return false;
    std::vector<unsigned char> facets(static_cast<std::size_t>(count) * kFacet);
    if (std::fread(facets.data(), 1, facets.size(), f.get()) != facets.size())
        return false;
    TriangleGroups groups(mesh);
    for (std::size_t t = 0; t < static_cast<std::size_t>(count); ++t) {
        const unsigned char* p = facets.data() + t * kFacet + 12; // after the normal
        for (int k = 0; k < 9; k += 3) {
            const float x = FloatAt(p + 4 * k), y = FloatAt(p + 4 * k + 4), z = FloatAt(p + 4 * k + 8);
            if (!(std::isfinite(x) && std::isfinite(y) && std::isfinite(z)))
                return false;
            groups.Add(x, y, z);
        }
    }
    return true;
}

void PutFloat(std::string& out, float v)
{
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<char>((bits >> (8 * k)) & 0xFF));
}

// "NAME" without a trailing "-<digits>" of an earlier rewrite.
std::string StemOf(std::string_view name)
{
    std::size_t end = name.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(name[end - 1])))
        --end;
    if (end < name.size() && end > 1 && name[end - 1] == '-')
        return std::string(name.substr(0, end - 1));
    return std::string(name);
}

// The first "STEM-k" with no file of that name beside the data file.
std::string FreeStlName(const std::string& dataFilePath, const std::string& stem)
{
    for (int k = 1;; ++k) {
        std::string name = stem + "-" + std::to_string(k);
        if (name.size() > kMaxStlName)
            name = stem.substr(0, kMaxStlName - (name.size() - stem.size())) + "-" + std::to_string(k);
        if (!common::FileExists(StlFilePath(dataFilePath, name)))
            return name;
    }
}

} // namespace

bool ReadStlFile(StlMesh& mesh, const std::string& path)
{
    const std::size_t vertices = mesh.vertices.size(), triangles = mesh.triangles.size();
    bool ok = ReadAsciiStl(mesh, path);
    if (!ok) {
        mesh.vertices.resize(vertices);
        mesh.triangles.resize(triangles);
        ok = ReadBinaryStl(mesh, path);
    }
    if (!ok) {
        mesh.vertices.resize(vertices);
        mesh.triangles.resize(triangles);
        return false;
    }
    MergeDuplicateVertices(mesh, vertices, triangles);
    // A facet with two equal corners that the look-back of AddStlVertex did
    // not catch (the first corner already too far back) has become one with
    // two equal indices: it adds no triangle, as any such facet.
    const auto degenerate = [](const StlTriangle& t) {
        return t.v[0] == t.v[1] || t.v[1] == t.v[2] || t.v[0] == t.v[2];
    };
    mesh.triangles.erase(std::remove_if(mesh.triangles.begin() + static_cast<std::ptrdiff_t>(triangles),
                                        mesh.triangles.end(), degenerate),
                         mesh.triangles.end());
    return true;
}

std::string StlFilePath(const std::string& dataFilePath, std::string_view name)
{
    const std::string folder = platform::FolderOf(dataFilePath);
    const std::string base = (folder.empty() ? std::string() : folder + "/") + std::string(name);
    const std::string lower = base + ".stl", upper = base + ".STL";
    return !common::FileExists(lower) && common::FileExists(upper) ? upper : lower;
}

bool ReadBlockStl(ShapeModel& m, std::size_t i, const std::string& dataFilePath, EngineHost& host)
{
    BlockRecord& b = m.blocks[i];
    b.filled = 0;
    b.firstTriangle = static_cast<std::uint32_t>(m.stl.triangles.size());
    b.triangleCount = 0;
    if (StlName(m, b).empty())
        return true;
    const std::string path = StlFilePath(dataFilePath, StlName(m, b));
    if (!ReadStlFile(m.stl, path)) {
        b.firstTriangle = 0;
        host.Tell(FileOpenText(path));
        return false;
    }
    b.triangleCount = static_cast<std::uint32_t>(m.stl.triangles.size() - b.firstTriangle);
    return true;
}

bool WriteBinaryStl(const StlMesh& mesh, std::size_t first, std::size_t count, const std::string& path)
{
    // The header's first line is a vertex line without numbers: the
    // reader's ASCII pass ends there at once, so the file reads as binary
    // whatever text the bytes of its numbers may spell.
    std::string bytes = "vertex\nbinary STL written by Parven\n";
    bytes.resize(kHeader, ' ');
    bytes.reserve(kHeader + 4 + count * kFacet);
    const auto n = static_cast<std::uint32_t>(count);
    for (int k = 0; k < 4; ++k)
        bytes.push_back(static_cast<char>((n >> (8 * k)) & 0xFF));
    for (std::size_t t = first; t < first + count; ++t) {
        // The file's order: the stored second and third vertex exchanged.
        const std::uint32_t* v = mesh.triangles[t].v;
        const StlVertex& a = mesh.vertices[v[0]];
        const StlVertex& b = mesh.vertices[v[2]];
        const StlVertex& c = mesh.vertices[v[1]];
        const double u[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
        const double w[3] = {double(c.x) - a.x, double(c.y) - a.y, double(c.z) - a.z};
        double normal[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
        const double length = std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
        for (double& x : normal)
            PutFloat(bytes, length > 0 ? static_cast<float>(x / length) : 0.0f);
        for (const StlVertex* p : {&a, &b, &c}) {
            PutFloat(bytes, p->x);
            PutFloat(bytes, p->y);
            PutFloat(bytes, p->z);
        }
        bytes.append(2, '\0');
    }
    common::TextFileWriter out;
    out.Put(bytes);
    return out.Save(path);
}

void WriteChangedStlBlocks(ShapeModel& m, const std::string& dataFilePath)
{
    // Each file is read once, however many blocks name it; nullptr when it
    // cannot be read.
    std::map<std::string, std::unique_ptr<StlMesh>> files;
    for (std::size_t i = 0; i < m.blocks.count; ++i) {
        BlockRecord& b = m.blocks[i];
        if (b.kind != STL || b.triangleCount == 0)
            continue;
        const std::string path = StlFilePath(dataFilePath, StlName(m, b));
        auto [file, added] = files.try_emplace(path);
        if (added && !StlName(m, b).empty()) {
            auto mesh = std::make_unique<StlMesh>();
            if (ReadStlFile(*mesh, path))
                file->second = std::move(mesh);
        }
        const StlMesh* read = file->second.get();
        if (read && read->triangles.size() == b.triangleCount &&
            SameTriangles(m.stl, b.firstTriangle, *read, 0, b.triangleCount))
            continue;
        const std::string stem = StlName(m, b).empty() ? "block" + std::to_string(i + 1) : StemOf(StlName(m, b));
        const std::string name = FreeStlName(dataFilePath, stem);
        const std::string written = StlFilePath(dataFilePath, name);
        if (!WriteBinaryStl(m.stl, b.firstTriangle, b.triangleCount, written))
            throw EngineError::FileOpen(written);
        SetStlName(m, b, name);
    }
}

} // namespace parven
