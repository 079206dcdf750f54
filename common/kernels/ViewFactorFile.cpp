// Writer and readers of the view-factor file.
#include "common/kernels/ViewFactorFile.h"

#include "common/core/KeywordLineReader.h"
#include "common/core/NumberText.h"
#include "common/kernels/ResultFiles.h"
#include "common/kernels/ViewFactorZone.h"

#include <climits>

namespace kernels {

namespace {

constexpr std::string_view kFileKeys = "nzon=zone=nfac=face=box =vwfc=";
enum FileKey { kNzon, kZone, kNfac, kFace, kBox, kVwfc };
constexpr std::string_view kSummaryKeys = "nfac=face=vwfc=";
enum SummaryKey { kSumNfac, kSumFace, kSumVwfc };

// The fields of a face line after its number.
struct FaceFields {
    int zoneColour = 0, ownerColour = 0, orientation = 0;
    double area = 0, unseen = 0;
};

bool ScanFaceFields(const char*& p, const ViewFactorFileFormat& format, FaceFields& f)
{
    return common::ScanInt(p, f.zoneColour) && f.zoneColour >= 0 && f.zoneColour <= 255 &&
           common::ScanInt(p, f.ownerColour) && f.ownerColour >= 0 && f.ownerColour <= 255 &&
           (!format.orientation ||
            (common::ScanInt(p, f.orientation) && f.orientation >= 0 && f.orientation <= 6)) &&
           common::ScanDouble(p, f.area) && common::ScanDouble(p, f.unseen);
}

class FileReader {
  public:
    FileReader(const ViewFactorFileFormat& format, ViewFactorFileData& data) : m_format(format), m_data(data) {}
    bool Line(int key, const char* p);
    bool Finish();

  private:
    const ViewFactorFileFormat& m_format;
    ViewFactorFileData& m_data;
    int m_zones = -1;      // from "nzon="
    int m_zonesRead = 0;   // "zone=" lines so far
    long long m_total = 0; // faces of the zones read so far
    int m_faces = -1;      // from "nfac="
    int m_facesDone = 0;   // faces with their box line
    bool m_boxPending = false;
    std::size_t m_current = 0; // zone of the next face
    bool m_matrices = false;
};

bool FileReader::Line(int key, const char* p)
{
    switch (key) {
    case kNzon: {
        // A zone holds at least one of the 256 colours.
        int n = 0;
        if (m_zones >= 0 || !common::ScanInt(p, n) || n < 1 || n > 256)
            return false;
        m_zones = n;
        m_data.zones.assign(static_cast<std::size_t>(n), ViewFactorFileZone{});
        return true;
    }
    case kZone: {
        int z = 0, count = 0;
        if (m_zones < 0 || m_faces >= 0 || !common::ScanInt(p, z) || z != m_zonesRead + 1 || z > m_zones ||
            !common::ScanInt(p, count) || count < 0 || m_total + count > INT_MAX)
            return false;
        ViewFactorFileZone& zone = m_data.zones[static_cast<std::size_t>(z - 1)];
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
            !ScanFaceFields(p, m_format, fields))
            return false;
        while (m_facesDone >= m_data.zones[m_current].firstFace + m_data.zones[m_current].faceCount)
            ++m_current;
        ViewFactorFileFace f;
        f.zoneColour = fields.zoneColour;
        f.ownerColour = fields.ownerColour;
        f.geometry.orientation = fields.orientation;
        f.area = fields.area;
        f.unseen = fields.unseen;
        f.zone = static_cast<int>(m_current);
        f.localIndex = m_facesDone - m_data.zones[m_current].firstFace;
        m_data.faces.push_back(f);
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
        ViewFactorFileFace& f = m_data.faces.back();
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
        if (!m_matrices || !common::ScanInt(p, i) || !common::ScanInt(p, j) || !common::ScanDouble(p, factor) ||
            j < 1 || j >= i || i > m_faces)
            return false;
        const ViewFactorFileFace& fi = m_data.faces[static_cast<std::size_t>(i - 1)];
        const ViewFactorFileFace& fj = m_data.faces[static_cast<std::size_t>(j - 1)];
        if (fi.zone != fj.zone)
            return false;
        ViewFactorFileZone& zone = m_data.zones[static_cast<std::size_t>(fi.zone)];
        zone.matrix[PackedIndex(static_cast<std::size_t>(fi.localIndex), static_cast<std::size_t>(fj.localIndex))] =
            factor;
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
    for (ViewFactorFileZone& zone : m_data.zones)
        zone.matrix.assign(PackedSize(static_cast<std::size_t>(zone.faceCount)), 0.0);
    m_matrices = true;
    return true;
}

std::string Int(long long v)
{
    return std::to_string(v);
}

} // namespace

bool WriteViewFactorFile(const std::string& path, std::span<const ViewFactorZoneOut> zones,
                         const ViewFactorFileFormat& format)
{
    ResultFileWriter out;
    if (!out.Open(path))
        return false;
    long long total = 0;
    out.Line("nzon=" + Int(static_cast<long long>(zones.size())));
    for (std::size_t z = 0; z < zones.size(); ++z) {
        out.Line("zone=" + Int(static_cast<long long>(z + 1)) + " " + Int(static_cast<long long>(zones[z].faces.size())));
        total += static_cast<long long>(zones[z].faces.size());
    }
    out.Line("nfac=" + Int(total));
    long long number = 0;
    for (const ViewFactorZoneOut& zone : zones) {
        for (const ViewFactorFileFace& f : zone.faces) {
            std::string line = "face=" + Int(++number) + " " + Int(f.zoneColour) + " " + Int(f.ownerColour);
            if (format.orientation) {
                line += ' ';
                line += Int(f.geometry.orientation);
            }
            out.Line(line + " " + common::FormatDouble(f.area) + " " + common::FormatDouble(f.unseen));
            std::string box = "box =";
            for (std::size_t a = 0; a < 3; ++a) {
                if (a > 0)
                    box += " ";
                box += common::FormatFloat(f.geometry.lo[a]) + " " + common::FormatFloat(f.geometry.hi[a]);
            }
            out.Line(box);
        }
    }
    long long offset = 0;
    for (const ViewFactorZoneOut& zone : zones) {
        const std::size_t n = zone.faces.size();
        for (std::size_t i = 1; i < n && zone.matrix.size() >= PackedSize(n); ++i)
            for (std::size_t j = 0; j < i; ++j) {
                const double v = zone.matrix[PackedIndex(i, j)];
                if (v != 0.0)
                    out.Line("vwfc=" + Int(offset + static_cast<long long>(i) + 1) + " " +
                             Int(offset + static_cast<long long>(j) + 1) + " " + common::FormatDouble(v));
            }
        offset += static_cast<long long>(n);
    }
    return out.Close();
}

ViewFactorReadResult ReadViewFactorFile(const std::string& path, const ViewFactorFileFormat& format,
                                        ViewFactorFileData& data)
{
    data = ViewFactorFileData{};
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        return {ViewFactorReadStatus::NotOpened, 0};
    FileReader file(format, data);
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
        if (key >= 0 && !file.Line(key, reader.Value())) {
            good = false;
            break;
        }
    }
    if (good)
        good = file.Finish();
    if (good)
        return {};
    data = ViewFactorFileData{};
    return {ViewFactorReadStatus::Syntax, reader.LineCounter()};
}

ViewFactorReadResult ReadViewFactorSummary(const std::string& path, const ViewFactorFileFormat& format,
                                           ViewFactorSummaryTable& table)
{
    table.exchange.assign(256 * 256, 0.0);
    table.area.fill(0.0);
    common::KeywordLineReader reader;
    if (!reader.Open(path))
        return {ViewFactorReadStatus::NotOpened, 0};
    struct Face {
        int owner;
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
            good = count >= 0 && common::ScanInt(p, n) && n == static_cast<int>(faces.size()) + 1 && n <= count &&
                   ScanFaceFields(p, format, f);
            if (good) {
                faces.push_back({f.ownerColour, f.area});
                table.area[static_cast<std::size_t>(f.ownerColour)] += f.area;
            }
        } else if (key == kSumVwfc) {
            int i = 0, j = 0;
            double factor = 0;
            good = common::ScanInt(p, i) && common::ScanInt(p, j) && common::ScanDouble(p, factor) && j >= 1 &&
                   j < i && i <= static_cast<int>(faces.size());
            if (good) {
                const Face& a = faces[static_cast<std::size_t>(i - 1)];
                const Face& b = faces[static_cast<std::size_t>(j - 1)];
                const double exchange = a.area * factor;
                table.exchange[std::size_t(a.owner) * 256 + std::size_t(b.owner)] += exchange;
                if (a.owner != b.owner)
                    table.exchange[std::size_t(b.owner) * 256 + std::size_t(a.owner)] += exchange;
            }
        }
        if (!good)
            break;
    }
    if (good)
        return {};
    table = ViewFactorSummaryTable{};
    return {ViewFactorReadStatus::Syntax, reader.LineCounter()};
}

} // namespace kernels
