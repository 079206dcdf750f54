// Writer and readers of the view-factor file, and the radiation set-up of a
// run. Every value of a read line is checked before it is stored: face
// numbers must follow each other, "vwfc=" pairs must lie in one zone with
// j < i, so a damaged file is a syntax error at its line and never a write
// outside the tables.
#include "gelmar/model/radiation/ViewFactorFile.h"

#include "common/core/ErrorCode.h"
#include "common/kernels/ViewFactorFile.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace gelmar {

ViewFactorSummary g_viewFactorSummary;

namespace {

constexpr const char* kWrittenFile = "tmp.vwf";
// Gelmar's face lines carry the face's orientation.
constexpr kernels::ViewFactorFileFormat kFormat{true};

// Allocation failures of the readers end as "Not enough memory".
template <typename F> void WithMemoryCheck(F&& f)
{
    try {
        f();
    } catch (const std::bad_alloc&) {
        common::RaiseError(kErrorMemory);
    }
}

kernels::ViewFactorFileFace FileFace(const RadiatingFace& f)
{
    kernels::ViewFactorFileFace out;
    out.zoneColour = f.zoneColour;
    out.ownerColour = f.ownerColour;
    out.geometry = f.geometry;
    out.area = f.area;
    out.unseen = f.unseen;
    return out;
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
    g_model.sharedPath = path;
    return path;
}

void WriteViewFactorFile()
{
    const RadiationSet& r = g_radiation;
    std::vector<std::vector<kernels::ViewFactorFileFace>> faces(r.zones.size());
    std::vector<kernels::ViewFactorZoneOut> zones(r.zones.size());
    WithMemoryCheck([&] {
        for (std::size_t z = 0; z < r.zones.size(); ++z) {
            for (const RadiatingFace& f : r.zones[z].faces)
                faces[z].push_back(FileFace(f));
            zones[z] = {faces[z], r.zones[z].matrix};
        }
    });
    g_model.sharedPath = kWrittenFile;
    if (!kernels::WriteViewFactorFile(kWrittenFile, zones, kFormat))
        common::RaiseError(kErrorFileOpen);
}

void ReadViewFactorFile()
{
    RadiationSet& r = g_radiation;
    r.fileZones.clear();
    r.fileFaces.clear();
    const std::string path = SelectViewFactorFile();
    kernels::ViewFactorFileData data;
    kernels::ViewFactorReadResult result;
    WithMemoryCheck([&] {
        result = kernels::ReadViewFactorFile(path, kFormat, data);
        for (kernels::ViewFactorFileZone& zone : data.zones) {
            RadiationZone z;
            z.firstFace = zone.firstFace;
            z.faceCount = zone.faceCount;
            z.matrix = std::move(zone.matrix);
            r.fileZones.push_back(std::move(z));
        }
        for (const kernels::ViewFactorFileFace& face : data.faces) {
            RadiatingFace f;
            f.zoneColour = static_cast<std::uint8_t>(face.zoneColour);
            f.ownerColour = static_cast<std::uint8_t>(face.ownerColour);
            f.geometry = face.geometry;
            f.area = face.area;
            f.unseen = face.unseen;
            f.zone = face.zone;
            f.localIndex = face.localIndex;
            r.fileFaces.push_back(f);
        }
    });
    if (result.status == kernels::ViewFactorReadStatus::NotOpened)
        common::RaiseError(kErrorFileOpen);
    if (result.status == kernels::ViewFactorReadStatus::Syntax)
        RaiseSyntaxError(result.line);
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
            zone.matrix, static_cast<std::size_t>(zone.faceCount), [] { CheckEscAbort(); });
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
    const bool radiating = HasRadiatingColours();
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
    const std::string path = SelectViewFactorFile();
    kernels::ViewFactorSummaryTable table;
    kernels::ViewFactorReadResult result;
    WithMemoryCheck([&] { result = kernels::ReadViewFactorSummary(path, kFormat, table); });
    s.exchange = std::move(table.exchange);
    s.area = table.area;
    if (result.status == kernels::ViewFactorReadStatus::Syntax)
        RaiseSyntaxError(result.line);
}

void FreeViewFactorSummary()
{
    g_viewFactorSummary = ViewFactorSummary{};
}

} // namespace gelmar
