// The readers of the result files for the outputs: each line is checked
// against the counts of the mesh file before anything is stored, so a file
// of another model, a truncated one or garbage ends with a message and never
// with values beyond the arrays.
#include "dralo/model/results/MeshResults.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "dralo/model/store/TempFiles.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace dralo {

namespace {

// A broken rule in the file being read.
struct BadLine {};

bool ScanInts(const char* p, int* v, int n)
{
    for (int k = 0; k < n; ++k) {
        if (!common::ScanInt(p, v[k])) {
            return false;
        }
    }
    return true;
}

bool ScanFloats(const char* p, float* v, int n)
{
    for (int k = 0; k < n; ++k) {
        if (!common::ScanFloat(p, v[k])) {
            return false;
        }
    }
    return true;
}

void Require(bool ok)
{
    if (!ok) {
        throw BadLine();
    }
}

// A value the float arrays can hold.
float ToFloat(double v)
{
    Require(std::abs(v) <= FLT_MAX);
    return static_cast<float>(v);
}

// The result file's reader: the working folder's tmp file when it exists,
// else the data file's name with the extension. False when neither exists;
// EngineError FileOpen when the file cannot be opened.
bool OpenResultFile(const BitmapModel& m, const std::string& workFolder, const char* tmpName, const char* extension,
                    common::KeywordLineReader& reader, std::string& path)
{
    path = common::SelectResultFile(workFolder, m.dataFilePath, tmpName, extension);
    if (!FileExists(path)) {
        return false;
    }
    if (!reader.Open(path)) {
        throw EngineError::FileOpen(path);
    }
    return true;
}

// Next keyed line; false at the end. A line without a key is passed over.
bool NextLine(common::KeywordLineReader& reader, const char* keys, int& key)
{
    for (;;) {
        const common::LineStatus status = reader.ReadKeywordLine(keys, 1, key);
        if (status == common::LineStatus::End) {
            return false;
        }
        Require(status != common::LineStatus::TooLong);
        if (key >= 0) {
            return true;
        }
    }
}

bool IsFreeCavity(const BitmapModel& m, int colour)
{
    const int type = m.colours[static_cast<std::size_t>(colour)].type;
    return type == BC_FREE || type == BC_FRE_S;
}

// The first pass counts the radiation edges, the second stores them; the
// second must meet no more than the first counted.
void AddRadiationEdge(MeshResults& r, bool store, std::size_t& count, int start, int end, int colour)
{
    if (store) {
        Require(count < r.radiationEdges.size());
        r.radiationEdges[count] = {start, end, static_cast<std::uint8_t>(colour)};
    }
    ++count;
}

void ReadMeshPass(const BitmapModel& m, common::KeywordLineReader& reader, MeshResults& r, bool edgesOnly)
{
    bool counted = false;
    int points = 0, triangles = 0, borders = 0, zones = 0;
    std::size_t pointsRead = 0, trianglesRead = 0;
    int bordersRead = 0;
    std::size_t radiation = 0;
    int key = -1;
    while (NextLine(reader, "DPTBA", key)) {
        int v[5] = {};
        if (key == 0) {
            Require(!counted && ScanInts(reader.Value(), v, 4) && v[0] > 0 && v[1] > 0 && v[2] > 0 && v[3] >= 0);
            counted = true;
            points = v[0];
            triangles = v[1];
            borders = v[2];
            zones = v[3];
            r.zones = zones;
            continue;
        }
        Require(counted);
        if (key == 1) {
            Require(ScanInts(reader.Value(), v, 3) && v[0] == static_cast<int>(pointsRead) + 1 && v[0] <= points &&
                    v[1] >= 0 && v[2] >= 0);
            if (!edgesOnly) {
                r.points.push_back({v[1], v[2], 0.0f, 0.0f});
            }
            ++pointsRead;
        } else if (key == 2) {
            Require(ScanInts(reader.Value(), v, 4) && v[0] >= 0 && v[0] <= 255 &&
                    trianglesRead < static_cast<std::size_t>(triangles));
            ResultTriangle t;
            t.colour = static_cast<std::uint8_t>(v[0]);
            for (int k = 0; k < 3; ++k) {
                const long long index = v[k + 1] < 0 ? -static_cast<long long>(v[k + 1]) : v[k + 1];
                Require(index >= 1 && index <= points);
                t.v[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(index - 1);
                if (v[k + 1] < 0) {
                    t.contour |= static_cast<std::uint8_t>(1 << k);
                }
            }
            if (!edgesOnly) {
                r.triangles.push_back(t);
            }
            ++trianglesRead;
        } else if (key == 3) {
            Require(ScanInts(reader.Value(), v, 5) && v[0] >= 0 && v[0] <= 255 && v[1] >= 0 && v[1] <= 255 &&
                    v[2] >= 0 && v[2] <= zones && v[3] >= 1 && v[3] <= points && v[4] >= 1 && v[4] <= points &&
                    bordersRead < borders);
            ++bordersRead;
            if (IsFreeCavity(m, v[1])) {
                AddRadiationEdge(r, edgesOnly, radiation, v[3] - 1, v[4] - 1, v[1]);
            }
        } else {
            Require(zones > 0 && ScanInts(reader.Value(), v, 3) && v[0] >= 0 && v[0] <= 255 && v[1] >= 1 &&
                    v[1] <= points && v[2] >= 1 && v[2] <= points);
            AddRadiationEdge(r, edgesOnly, radiation, v[1] - 1, v[2] - 1, v[0]);
        }
    }
    Require(counted && pointsRead == static_cast<std::size_t>(points) &&
            trianglesRead == static_cast<std::size_t>(triangles) && bordersRead == borders);
    if (!edgesOnly) {
        r.borderEdges = borders;
        r.radiationEdges.assign(radiation, RadiationEdge());
    }
}

void ReadMesh(const BitmapModel& m, const std::string& workFolder, MeshResults& r)
{
    common::KeywordLineReader reader;
    std::string path;
    if (!OpenResultFile(m, workFolder, kMeshFileName, "tri", reader, path)) {
        throw EngineError::ResultFile();
    }
    try {
        ReadMeshPass(m, reader, r, false);
        if (!r.radiationEdges.empty()) {
            reader.Close();
            if (!reader.Open(path)) {
                throw EngineError::FileOpen(path);
            }
            ReadMeshPass(m, reader, r, true);
            std::stable_sort(r.radiationEdges.begin(), r.radiationEdges.end(),
                             [](const RadiationEdge& a, const RadiationEdge& b) { return a.start < b.start; });
        }
    } catch (const BadLine&) {
        throw EngineError::Syntax(path, reader.LineCounter());
    }
}

void ReadSolution(BitmapModel& m, const std::string& workFolder, MeshResults& r)
{
    common::KeywordLineReader reader;
    std::string path;
    r.largestChange = 0.0f;
    r.objectDivergence = 200.0f;
    r.nodeDivergence = 200.0f;
    if (!OpenResultFile(m, workFolder, kSolutionFileName, "sol", reader, path)) {
        throw EngineError::ResultFile();
    }
    try {
        std::size_t temperatures = 0;
        int key = -1;
        while (NextLine(reader, "DRNCIF", key)) {
            const char* p = reader.Value();
            int v[3] = {};
            if (key == 0) {
                Require(ScanInts(p, v, 3) && v[0] == static_cast<int>(r.points.size()) &&
                        v[1] == static_cast<int>(r.triangles.size()) && v[2] == r.borderEdges);
            } else if (key == 1) {
                float f[3] = {};
                Require(common::ScanInt(p, v[0]) && ScanFloats(p, f, 3) && v[0] > 0 && f[0] >= 0 && f[1] >= 0 &&
                        f[1] <= 200 && f[2] >= 0 && f[2] <= 200);
                r.equations = v[0];
                r.largestChange = f[0];
                r.objectDivergence = f[1];
                r.nodeDivergence = f[2];
            } else if (key == 2) {
                double t = 0;
                Require(common::ScanDouble(p, t));
                // Beyond the mesh points come the radiation nodes.
                if (temperatures < r.points.size()) {
                    r.points[temperatures].temperature = ToFloat(t);
                }
                ++temperatures;
            } else if (key == 3) {
                double t = 0;
                Require(common::ScanInt(p, v[0]) && v[0] >= 0 && v[0] <= 255 && common::ScanDouble(p, t));
                m.colours[static_cast<std::size_t>(v[0])].tair = ToFloat(t);
            } else if (key == 4) {
                double lo = 0, hi = 0;
                Require(common::ScanInt(p, v[0]) && v[0] >= 0 && v[0] <= 255 && common::ScanDouble(p, lo) &&
                        common::ScanDouble(p, hi));
                ColourRecord& c = m.colours[static_cast<std::size_t>(v[0])];
                c.lowestTemperature = ToFloat(lo);
                c.highestTemperature = ToFloat(hi);
            }
        }
        Require(temperatures >= r.points.size());
    } catch (const BadLine&) {
        throw EngineError::Syntax(path, reader.LineCounter());
    }
}

void ReadFlows(BitmapModel& m, const std::string& workFolder, MeshResults& r)
{
    common::KeywordLineReader reader;
    std::string path;
    if (!OpenResultFile(m, workFolder, kFlowFileName, "flw", reader, path)) {
        return;
    }
    try {
        std::size_t read = 0;
        int key = -1;
        while (NextLine(reader, "DTB", key)) {
            const char* p = reader.Value();
            int v[3] = {};
            float f[3] = {};
            if (key == 0) {
                Require(ScanInts(p, v, 3) && v[0] == static_cast<int>(r.points.size()) &&
                        v[1] == static_cast<int>(r.triangles.size()) && v[2] == r.borderEdges);
            } else if (key == 1) {
                Require(ScanFloats(p, f, 3) && read < r.triangles.size());
                std::copy(f, f + 3, r.triangles[read].flow.begin());
                ++read;
            } else {
                Require(common::ScanInt(p, v[0]) && v[0] >= 0 && v[0] <= 255 && ScanFloats(p, f, 2) && f[0] >= 0 &&
                        f[1] >= 0);
                ColourRecord& c = m.colours[static_cast<std::size_t>(v[0])];
                c.heatFlowIn = f[0];
                c.heatFlowOut = f[1];
            }
        }
        Require(read == r.triangles.size());
    } catch (const BadLine&) {
        throw EngineError::Syntax(path, reader.LineCounter());
    }
}

void ReadFluxes(const BitmapModel& m, const std::string& workFolder, MeshResults& r)
{
    for (ResultPoint& p : r.points) {
        p.flux = 0.0f;
    }
    common::KeywordLineReader reader;
    std::string path;
    if (!OpenResultFile(m, workFolder, kFluxFileName, "flx", reader, path)) {
        return;
    }
    try {
        std::size_t read = 0;
        int key = -1;
        while (NextLine(reader, "DN", key)) {
            const char* p = reader.Value();
            if (key == 0) {
                int n = 0;
                Require(common::ScanInt(p, n) && n == static_cast<int>(r.points.size()));
            } else {
                float f = 0;
                Require(common::ScanFloat(p, f));
                if (read < r.points.size()) {
                    r.points[read].flux = f;
                }
                ++read;
            }
        }
        Require(read >= r.points.size());
    } catch (const BadLine&) {
        throw EngineError::Syntax(path, reader.LineCounter());
    }
}

} // namespace

void ReadResults(BitmapModel& m, const std::string& workFolder, MeshResults& r)
{
    FreeFillBuffers(r);
    try {
        ReadMesh(m, workFolder, r);
        ReadSolution(m, workFolder, r);
        ReadFlows(m, workFolder, r);
        ReadFluxes(m, workFolder, r);
    } catch (const std::bad_alloc&) {
        FreeFillBuffers(r);
        throw EngineError::Memory();
    }
}

void FreeFillBuffers(MeshResults& r)
{
    r = MeshResults();
}

} // namespace dralo
