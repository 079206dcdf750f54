// Writer and readers of the view-factor file, and the radiation set-up of a
// run. Every value of a read line is checked before it is stored: face
// numbers must follow each other, "vwfc=" pairs must lie in one zone with
// j < i, so a damaged file is a syntax error at its line and never a write
// outside the tables.
#include "gelmar/model/radiation/ViewFactorFile.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/EngineHost.h"

#include "common/kernels/ViewFactorFile.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

#include <filesystem>
#include <new>
#include <system_error>

namespace gelmar {


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
        throw EngineError::Memory();
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

std::string SelectViewFactorFile(ModelStore& model)
{
    std::error_code ec;
    std::string path = kWrittenFile;
    if (!std::filesystem::exists(path, ec)) {
        path = model.dataFilePath;
        path.replace(path.size() < 3 ? 0 : path.size() - 3, 3, "vwf");
    }
    return path;
}

void WriteViewFactorFile(RunState& run)
{
    const RadiationSet& r = run.radiation;
    std::vector<std::vector<kernels::ViewFactorFileFace>> faces(r.zones.size());
    std::vector<kernels::ViewFactorZoneOut> zones(r.zones.size());
    WithMemoryCheck([&] {
        for (std::size_t z = 0; z < r.zones.size(); ++z) {
            for (const RadiatingFace& f : r.zones[z].faces)
                faces[z].push_back(FileFace(f));
            zones[z] = {faces[z], r.zones[z].matrix};
        }
    });
    if (!kernels::WriteViewFactorFile(kWrittenFile, zones, kFormat))
        throw EngineError::FileOpen(kWrittenFile);
}

void ReadViewFactorFile(ModelStore& model, RunState& run)
{
    RadiationSet& r = run.radiation;
    r.fileZones.clear();
    r.fileFaces.clear();
    const std::string path = SelectViewFactorFile(model);
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
        throw EngineError::FileOpen(path);
    if (result.status == kernels::ViewFactorReadStatus::Syntax)
        throw EngineError::Syntax(path, result.line);
}

void MatchFileFaces(RunState& run)
{
    RadiationSet& r = run.radiation;
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

const RadiationZone* MatchedFileZone(RunState& run, std::size_t zone)
{
    const RadiationSet& r = run.radiation;
    if (zone >= r.zones.size() || r.zones[zone].faces.empty())
        return nullptr;
    const int link = r.zones[zone].faces.front().fileFace;
    if (link < 0 || static_cast<std::size_t>(link) >= r.fileFaces.size())
        return nullptr;
    return &r.fileZones[static_cast<std::size_t>(r.fileFaces[static_cast<std::size_t>(link)].zone)];
}

void ComputeZoneConvection(ModelStore& model, RunState& run)
{
    RadiationSet& r = run.radiation;
    for (std::size_t c = 0; c < r.zoneOfColour.size(); ++c)
        if (model.colours[c].inUse && model.colours[c].unlinked && r.zoneOfColour[c] >= 0)
            r.convectionSum[c] = 0;
    for (RadiationZone& zone : r.zones) {
        if (zone.type != BC_FREE && zone.type != BC_FRE_S)
            continue;
        zone.commonConvection = 0;
        for (RadiatingFace& f : zone.faces) {
            const ColourRecord& colour = model.colours[f.zoneColour];
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

void CountFacePartners(RunState& run, EngineHost& host)
{
    RadiationSet& r = run.radiation;
    for (const RadiationZone& zone : r.fileZones) {
        const std::vector<int> partners = kernels::CountFacePartners(
            zone.matrix, static_cast<std::size_t>(zone.faceCount), [&host] { CheckEscAbort(host); });
        for (std::size_t i = 0; i < partners.size(); ++i)
            r.fileFaces[static_cast<std::size_t>(zone.firstFace) + i].partners = partners[i];
    }
}

void LoadViewFactors(ModelStore& model, RunState& run, EngineHost& host, const kernels::CellGrid& cells, const std::function<int(int, int, int)>& nodeOf)
{
    if (CollectRadiatingFaces(model, run, host, cells, false) == 0)
        return;
    if (nodeOf)
        AssignCornerNodes(run, nodeOf);
    RadiationSet& r = run.radiation;
    const bool radiating = HasRadiatingColours(model);
    if (radiating) {
        ReadViewFactorFile(model, run);
        MatchFileFaces(run);
    }
    for (std::size_t z = 0; z < r.zones.size(); ++z) {
        const RadiationZone& zone = r.zones[z];
        r.extraRows += zone.airNodes;
        if (zone.type == BC_FRE_S)
            continue;
        if (const RadiationZone* file = MatchedFileZone(run, z))
            r.extraRows += file->faceCount;
        if (zone.type == BC_FREE || zone.type == TRANSMAT)
            ++r.extraRows;
    }
    ComputeZoneConvection(model, run);
    if (radiating)
        CountFacePartners(run, host);
}

ViewFactorSummary ReadViewFactorSummary(ModelStore& model)
{
    ViewFactorSummary s;
    const std::string path = SelectViewFactorFile(model);
    kernels::ViewFactorSummaryTable table;
    kernels::ViewFactorReadResult result;
    WithMemoryCheck([&] { result = kernels::ReadViewFactorSummary(path, kFormat, table); });
    s.exchange = std::move(table.exchange);
    s.area = table.area;
    if (result.status == kernels::ViewFactorReadStatus::Syntax)
        throw EngineError::Syntax(path, result.line);
    return s;
}

} // namespace gelmar
