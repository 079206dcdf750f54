// The DXF import: header, scale, layer files, entities, rasterising.
#include "dralo/model/import/DxfImport.h"

#include "dralo/model/files/BmpFiles.h"
#include "dralo/model/import/DxfDrawing.h"
#include "dralo/model/store/EngineHost.h"
#include "dralo/model/store/Errors.h"
#include "dralo/model/store/Statistics.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace dralo {

namespace {

// Segments a drawing may hold: as many as the largest bitmap allowed has
// pixels, at least 65536 and at most 16 Mi, so that nested block insertions
// cannot exhaust the memory.
std::size_t MaxSegments(std::int64_t maxPixels)
{
    return static_cast<std::size_t>(std::clamp<std::int64_t>(maxPixels, std::int64_t{1} << 16, std::int64_t{1} << 24));
}

std::string InFolder(const std::string& folder, const char* name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string LayerFileBeside(const std::string& dxfPath)
{
    const std::size_t slash = dxfPath.find_last_of('/');
    const std::size_t dot = dxfPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return dxfPath + ".lay";
    return dxfPath.substr(0, dot) + ".lay";
}

} // namespace

bool ImportDxfFile(BitmapModel& m, const std::string& dxfPath, DxfImportState& state, EngineHost& host,
                   std::int64_t maxPixels)
{
    DxfExtents extents;
    ReadDxfHeader(dxfPath, extents);
    const DxfLimits limits{maxPixels, MaxSegments(maxPixels)};
    DxfDrawing drawing;
    std::vector<std::uint8_t> pixels, lineMark;
    std::int32_t w = 0, h = 0;
    try {
        // Either layer file may be missing.
        common::ReadOptionalFile(
            [&] { ReadLayerFile(InFolder(state.programFolder, "DraloDxf.lay"), drawing.layers); });
        common::ReadOptionalFile([&] { ReadLayerFile(LayerFileBeside(dxfPath), drawing.layers); });
        if (!extents.Usable()) {
            // Extents missing, empty or reversed: those of the entities.
            DxfDrawing bounds;
            bounds.layers = drawing.layers;
            ReadDxfEntities(dxfPath, 0, bounds, limits);
            if (bounds.haveBounds)
                extents = bounds.bounds;
        }
        const double spread = (extents.xmax - extents.xmin + extents.ymax - extents.ymin) * 0.0005;
        const double s = std::pow(10.0, std::floor(std::log10(spread)));
        const double fw = std::trunc((extents.xmax - extents.xmin) / s + 0.001);
        const double fh = std::trunc((extents.ymax - extents.ymin) / s + 0.001);
        if (!extents.Usable() || !std::isfinite(s) || !(s > 0) || !(fw >= 1) || !(fh >= 1)) {
            host.MessageBox(kMsgBitmapTooSmall, MessageStyle::Ok);
            return false;
        }
        if (fw > kMaxBitmapSize || fh > kMaxBitmapSize || fw * fh > static_cast<double>(maxPixels)) {
            host.MessageBox(kMsgBitmapTooLarge, MessageStyle::Ok);
            return false;
        }
        w = static_cast<std::int32_t>(fw);
        h = static_cast<std::int32_t>(fh);
        ReadDxfEntities(dxfPath, s, drawing, limits);
        RasteriseSegments(drawing, extents, s, w, h, pixels, lineMark);
    } catch (const std::bad_alloc&) {
        host.MessageBox(kMsgNoMemory, MessageStyle::Ok);
        return false;
    } catch (const DxfTooLarge&) {
        host.MessageBox(kMsgNoMemory, MessageStyle::Ok);
        return false;
    }
    if (!state.paletteRead) {
        // The program folder may have no default bitmap.
        common::ReadOptionalFile([&] { ReadBmpPalette(m, InFolder(state.programFolder, "Dralo.bmp"), host); });
        state.paletteRead = true;
    }
    AdoptPixels(m, w, h, std::move(pixels));
    for (int c = 0; c < kColourCount; ++c)
        m.colours[static_cast<std::size_t>(c)].lineMark = lineMark[static_cast<std::size_t>(c)];
    ComputeColourStatistics(m);
    return true;
}

} // namespace dralo
