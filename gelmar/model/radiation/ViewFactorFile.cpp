// Writer and readers of the view-factor file, and the radiation set-up of a
// run. Every value of a read line is checked before it is stored: face
// numbers must follow each other, "vwfc=" pairs must lie in one zone with
// j < i, so a damaged file is a syntax error at its line and never a write
// outside the tables.
#include "gelmar/model/radiation/ViewFactorFile.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/core/TextFileWriter.h"
#include "common/kernels/ViewFactorZone.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <climits>
#include <filesystem>
#include <new>
#include <system_error>

namespace gelmar {

ViewFactorSummary g_viewFactorSummary;

namespace {

constexpr const char* kWrittenFile = "tmp.vwf";
constexpr std::string_view kFileKeys = "nzon=zone=nfac=face=box =vwfc=";
enum FileKey { kNzon, kZone, kNfac, kFace, kBox, kVwfc };
constexpr std::string_view kSummaryKeys = "nfac=face=vwfc=";
enum SummaryKey { kSumNfac, kSumFace, kSumVwfc };

void PutInt(common::TextFileWriter& out, long long v)
{
    out.Put(std::to_string(v));
}

// The fields of a face line after its number.
struct FaceFields {
    int zoneColour = 0, ownerColour = 0, orientation = 0;
    double area = 0, unseen = 0;
};

bool ScanFaceFields(const char*& p, FaceFields& f)
{
    return common::ScanInt(p, f.zoneColour) && f.zoneColour >= 0 && f.zoneColour <= 255 &&
           common::ScanInt(p, f.ownerColour) && f.ownerColour >= 0 && f.ownerColour <= 255 &&
           common::ScanInt(p, f.orientation) && f.orientation >= 0 && f.orientation <= 6 &&
           common::ScanDouble(p, f.area) && common::ScanDouble(p, f.unseen);
}

// Allocation failures of the readers end as "Not enough memory".
template <typename F> void WithMemoryCheck(F&& f)
{
    try {
        f();
    } catch (const std::bad_alloc&) {
        throw EngineError::Memory();
    }
}

class FileReader {
  public:
    void Read();

  private:
    bool Line(int key, const char* p);
    bool Finish();

    RadiationSet& m_r = g_radiation;
    int m_zones = -1;      // from "nzon="
    int m_zonesRead = 0;   // "zone=" lines so far
    long long m_total = 0; // faces of the zones read so far
    int m_faces = -1;      // from "nfac="
    int m_facesDone = 0;   // faces with their box line
    bool m_boxPending = false;
    std::size_t m_current = 0; // zone of the next face
    bool m_matrices = false;
};

void FileReader::Read()
{
    m_r.fileZones.clear();
    m_r.fileFaces.clear();
    const std::string path = SelectViewFactorFile();
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        throw EngineError::FileOpen(path);
    bool good = true;
    for (;;) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine(kFileKeys, 5, key);
        if (status == common::LineStatus::End)
            break;
        if (status == common::LineStatus::TooLong) {
            good = false;
            break;
        }
        if (key < 0)
            continue;
        WithMemoryCheck([&] { good = Line(key, reader.Value()); });
        if (!good)
            break;
    }
    if (good)
        WithMemoryCheck([&] { good = Finish(); });
    const int line = reader.LineCounter();
    reader.Close();
    if (!good) {
        m_r.fileZones.clear();
        m_r.fileFaces.clear();
        throw EngineError::Syntax(path, line);
    }
}

bool FileReader::Line(int key, const char* p)
{
    switch (key) {
    case kNzon: {
        // A zone holds at least one of the 256 colours.
        int n = 0;
        if (m_zones >= 0 || !common::ScanInt(p, n) || n < 1 || n > 256)
            return false;
        m_zones = n;
        m_r.fileZones.assign(static_cast<std::size_t>(n), RadiationZone{});
        return true;
    }
    case kZone: {
        int z = 0, count = 0;
        if (m_zones < 0 || m_faces >= 0 || !common::ScanInt(p, z) || z != m_zonesRead + 1 || z > m_zones ||
            !common::ScanInt(p, count) || count < 0 || m_total + count > INT_MAX)
            return false;
        RadiationZone& zone = m_r.fileZones[static_cast<std::size_t>(z - 1)];
        zone.firstFace = static_cast<int>(m_total);
        zone.faceCount = count;
        m_total += count;
        ++m_zonesRead;
        return true;
    }
    case kNfac: {
        int n = 0;
        if (m_zonesRead != m_zones || m_faces >= 0 || !common::ScanInt(p, n) || n != m_total)
            return false;
        m_faces = n;
        return true;
    }
    case kFace: {
        int n = 0;
        FaceFields fields;
        if (m_faces < 0 || m_boxPending || !common::ScanInt(p, n) || n != m_facesDone + 1 || n > m_faces ||
            !ScanFaceFields(p, fields))
            return false;
        while (m_facesDone >= m_r.fileZones[m_current].firstFace + m_r.fileZones[m_current].faceCount)
            ++m_current;
        RadiatingFace f;
        f.zoneColour = static_cast<std::uint8_t>(fields.zoneColour);
        f.ownerColour = static_cast<std::uint8_t>(fields.ownerColour);
        f.geometry.orientation = fields.orientation;
        f.area = fields.area;
        f.unseen = fields.unseen;
        f.zone = static_cast<int>(m_current);
        f.localIndex = m_facesDone - m_r.fileZones[m_current].firstFace;
        m_r.fileFaces.push_back(f);
        m_boxPending = true;
        return true;
    }
    case kBox: {
        float v[6];
        for (float& x : v)
            if (!common::ScanFloat(p, x))
                return false;
        if (!m_boxPending)
            return false;
        RadiatingFace& f = m_r.fileFaces.back();
        for (std::size_t a = 0; a < 3; ++a) {
            f.geometry.lo[a] = v[2 * a];
            f.geometry.hi[a] = v[2 * a + 1];
        }
        m_boxPending = false;
        if (++m_facesDone == m_faces)
            Finish();
        return true;
    }
    case kVwfc: {
        int i = 0, j = 0;
        double factor = 0;
        if (!m_matrices || !common::ScanInt(p, i) || !common::ScanInt(p, j) ||
            !common::ScanDouble(p, factor) || j < 1 || j >= i || i > m_faces)
            return false;
        const RadiatingFace& fi = m_r.fileFaces[static_cast<std::size_t>(i - 1)];
        const RadiatingFace& fj = m_r.fileFaces[static_cast<std::size_t>(j - 1)];
        if (fi.zone != fj.zone)
            return false;
        RadiationZone& zone = m_r.fileZones[static_cast<std::size_t>(fi.zone)];
        zone.matrix[kernels::PackedIndex(static_cast<std::size_t>(fi.localIndex),
                                         static_cast<std::size_t>(fj.localIndex))] = factor;
        return true;
    }
    default:
        return true;
    }
}

// Once every face is read: the zones' matrices. False when the file ended
// before its faces did.
bool FileReader::Finish()
{
    if (m_matrices)
        return true;
    if (m_faces < 0 || m_facesDone != m_faces || m_boxPending)
        return false;
    for (RadiationZone& zone : m_r.fileZones)
        zone.matrix.assign(kernels::PackedSize(static_cast<std::size_t>(zone.faceCount)), 0.0);
    m_matrices = true;
    return true;
}

} // namespace

std::string SelectViewFactorFile()
{
    std::error_code ec;
    std::string path = kWrittenFile;
    if (!std::filesystem::exists(path, ec)) {
        path = g_model.dataFilePath;
        path.replace(path.size() < 3 ? 0 : path.size() - 3, 3, "vwf");
    }
    return path;
}

void WriteViewFactorFile()
{
    const RadiationSet& r = g_radiation;
    common::TextFileWriter out;
    long long total = 0;
    out.Put("nzon=");
    PutInt(out, static_cast<long long>(r.zones.size()));
    out.EndLine();
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        out.Put("zone=");
        PutInt(out, static_cast<long long>(z + 1));
        out.Put(" ");
        PutInt(out, static_cast<long long>(r.zones[z].faces.size()));
        out.EndLine();
        total += static_cast<long long>(r.zones[z].faces.size());
    }
    out.Put("nfac=");
    PutInt(out, total);
    out.EndLine();
    long long number = 0;
    for (const RadiationZone& zone : r.zones) {
        for (const RadiatingFace& f : zone.faces) {
            out.Put("face=");
            PutInt(out, ++number);
            for (int v : {int(f.zoneColour), int(f.ownerColour), f.geometry.orientation}) {
                out.Put(" ");
                PutInt(out, v);
            }
            out.Put(" ");
            out.Put(common::FormatDouble(f.area));
            out.Put(" ");
            out.Put(common::FormatDouble(f.unseen));
            out.EndLine();
            out.Put("box =");
            for (std::size_t a = 0; a < 3; ++a) {
                if (a > 0)
                    out.Put(" ");
                out.Put(common::FormatFloat(f.geometry.lo[a]));
                out.Put(" ");
                out.Put(common::FormatFloat(f.geometry.hi[a]));
            }
            out.EndLine();
        }
    }
    long long offset = 0;
    for (const RadiationZone& zone : r.zones) {
        const std::size_t n = zone.faces.size();
        for (std::size_t i = 1; i < n && zone.matrix.size() >= kernels::PackedSize(n); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                const double v = zone.matrix[kernels::PackedIndex(i, j)];
                if (v == 0.0)
                    continue;
                out.Put("vwfc=");
                PutInt(out, offset + static_cast<long long>(i) + 1);
                out.Put(" ");
                PutInt(out, offset + static_cast<long long>(j) + 1);
                out.Put(" ");
                out.Put(common::FormatDouble(v));
                out.EndLine();
            }
        }
        offset += static_cast<long long>(n);
    }
    if (!out.Save(kWrittenFile))
        throw EngineError::FileOpen(kWrittenFile);
}

void ReadViewFactorFile()
{
    FileReader().Read();
}

void MatchFileFaces()
{
    RadiationSet& r = g_radiation;
    for (RadiatingFace& f : r.fileFaces) {
        f.fileFace = -1;
        f.matchedCount = 0;
    }
    const std::vector<kernels::ViewFactorFace> fileGeometry = FaceGeometry(r.fileFaces);
    for (RadiationZone& zone : r.zones) {
        if (zone.type == BC_FRE_S)
            continue;
        std::vector<int> matched;
        const std::vector<int> links =
            kernels::MatchFileFaces(FaceGeometry(zone.faces), fileGeometry, &matched);
        for (std::size_t f = 0; f < zone.faces.size(); ++f)
            zone.faces[f].fileFace = links[f];
        for (std::size_t f = 0; f < matched.size(); ++f)
            r.fileFaces[f].matchedCount += matched[f];
    }
}

const RadiationZone* MatchedFileZone(std::size_t zone)
{
    const RadiationSet& r = g_radiation;
    if (zone >= r.zones.size() || r.zones[zone].faces.empty())
        return nullptr;
    const int link = r.zones[zone].faces.front().fileFace;
    if (link < 0 || static_cast<std::size_t>(link) >= r.fileFaces.size())
        return nullptr;
    return &r.fileZones[static_cast<std::size_t>(r.fileFaces[static_cast<std::size_t>(link)].zone)];
}

void ComputeZoneConvection()
{
    RadiationSet& r = g_radiation;
    for (std::size_t c = 0; c < r.zoneOfColour.size(); ++c)
        if (g_model.colours[c].inUse && g_model.colours[c].unlinked && r.zoneOfColour[c] >= 0)
            r.convectionSum[c] = 0;
    for (RadiationZone& zone : r.zones) {
        if (zone.type != BC_FREE && zone.type != BC_FRE_S)
            continue;
        zone.commonConvection = 0;
        for (RadiatingFace& f : zone.faces) {
            const ColourRecord& colour = g_model.colours[f.zoneColour];
            const double h = zone.type == BC_FRE_S ? colour.hGlobal : colour.hConvective;
            const double hA = h * f.area;
            // Set also when h*A is 0: a coefficient that fell to 0 couples nothing.
            f.convection = -0.25 * hA;
            if (hA == 0.0)
                continue;
            if (colour.unlinked)
                r.convectionSum[f.zoneColour] += hA;
            else
                zone.commonConvection += hA;
        }
    }
}

void CountFacePartners()
{
    RadiationSet& r = g_radiation;
    for (const RadiationZone& zone : r.fileZones) {
        const std::vector<int> partners = kernels::CountFacePartners(
            zone.matrix, static_cast<std::size_t>(zone.faceCount), [] { CheckEscAbort(Host()); });
        for (std::size_t i = 0; i < partners.size(); ++i)
            r.fileFaces[static_cast<std::size_t>(zone.firstFace) + i].partners = partners[i];
    }
}

void LoadViewFactors(const kernels::CellGrid& cells, const std::function<int(int, int, int)>& nodeOf)
{
    if (CollectRadiatingFaces(cells, false) == 0)
        return;
    if (nodeOf)
        AssignCornerNodes(nodeOf);
    RadiationSet& r = g_radiation;
    const bool radiating = HasRadiatingColours(g_model);
    if (radiating) {
        ReadViewFactorFile();
        MatchFileFaces();
    }
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        const RadiationZone& zone = r.zones[z];
        r.extraRows += zone.airNodes;
        if (zone.type == BC_FRE_S)
            continue;
        if (const RadiationZone* file = MatchedFileZone(z))
            r.extraRows += file->faceCount;
        if (zone.type == BC_FREE || zone.type == TRANSMAT)
            ++r.extraRows;
    }
    ComputeZoneConvection();
    if (radiating)
        CountFacePartners();
}

void ReadViewFactorSummary()
{
    ViewFactorSummary& s = g_viewFactorSummary;
    WithMemoryCheck([&] { s.exchange.assign(256 * 256, 0.0); });
    s.area.fill(0.0);
    const std::string path = SelectViewFactorFile();
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        return;
    struct Face {
        std::uint8_t owner;
        double area;
    };
    std::vector<Face> faces;
    int count = -1;
    bool good = true;
    for (;;) {
        int key = -1;
        const common::LineStatus status = reader.ReadKeywordLine(kSummaryKeys, 5, key);
        if (status == common::LineStatus::End)
            break;
        const char* p = reader.Value();
        if (status == common::LineStatus::TooLong) {
            good = false;
        } else if (key == kSumNfac) {
            good = count < 0 && common::ScanInt(p, count) && count >= 0;
        } else if (key == kSumFace) {
            int n = 0;
            FaceFields f;
            good = count >= 0 && common::ScanInt(p, n) && n == static_cast<int>(faces.size()) + 1 &&
                   n <= count && ScanFaceFields(p, f);
            if (good) {
                WithMemoryCheck([&] { faces.push_back({static_cast<std::uint8_t>(f.ownerColour), f.area}); });
                s.area[static_cast<std::size_t>(f.ownerColour)] += f.area;
            }
        } else if (key == kSumVwfc) {
            int i = 0, j = 0;
            double factor = 0;
            good = common::ScanInt(p, i) && common::ScanInt(p, j) && common::ScanDouble(p, factor) &&
                   j >= 1 && j < i && i <= static_cast<int>(faces.size());
            if (good) {
                const Face& a = faces[static_cast<std::size_t>(i - 1)];
                const Face& b = faces[static_cast<std::size_t>(j - 1)];
                const double exchange = a.area * factor;
                s.exchange[std::size_t{a.owner} * 256 + b.owner] += exchange;
                if (a.owner != b.owner)
                    s.exchange[std::size_t{b.owner} * 256 + a.owner] += exchange;
            }
        }
        if (!good)
            break;
    }
    const int line = reader.LineCounter();
    reader.Close();
    if (!good) {
        FreeViewFactorSummary();
        throw EngineError::Syntax(path, line);
    }
}

void FreeViewFactorSummary()
{
    g_viewFactorSummary = ViewFactorSummary{};
}

} // namespace gelmar
