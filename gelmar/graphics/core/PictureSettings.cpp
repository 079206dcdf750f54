// Picture settings and the exchange of ranges for flux passes (see
// PictureSettings.h).
#include "gelmar/graphics/core/PictureSettings.h"

#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ModelStore.h"

#include <utility>

namespace gelmar {

PictureSettings PictureSettingsFromModel(const ModelStore& m, const CurrentOutputSettings& output)
{
    PictureSettings s;
    s.temperature = {m.tmin,
                     m.tmax,
                     m.tin1,
                     m.tin2,
                     {static_cast<COLORREF>(m.lct1), m.lwt1},
                     {static_cast<COLORREF>(m.lct2), m.lwt2}};
    s.flux = {m.qmin,
              m.qmax,
              m.qin1,
              m.qin2,
              {static_cast<COLORREF>(m.lcq1), m.lwq1},
              {static_cast<COLORREF>(m.lcq2), m.lwq2}};
    s.singleValue = m.tsin;
    s.singlePen = {static_cast<COLORREF>(m.lcts), m.lwts};
    s.objectPen = {static_cast<COLORREF>(m.lcob), m.lwob};
    s.gridPen = {static_cast<COLORREF>(m.lcgr), m.lwgr};
    s.temperatureDecimals = output.dect;
    s.fluxDecimals = output.decq;
    return s;
}

void SwapTemperatureAndFluxRanges(PictureSettings& settings, kernels::LinePen* currentLine)
{
    if (currentLine)
        *currentLine = settings.temperature.secondPen;
    std::swap(settings.temperature, settings.flux);
}

void BeginIsofluxDrawing(PictureSettings& settings, kernels::LinePen* currentLine)
{
    if (settings.isoflux)
        return;
    SwapTemperatureAndFluxRanges(settings, currentLine);
    settings.isoflux = true;
}

void EndIsofluxDrawing(PictureSettings& settings, kernels::LinePen* currentLine)
{
    if (!settings.isoflux)
        return;
    SwapTemperatureAndFluxRanges(settings, currentLine);
    settings.isoflux = false;
}

IsofluxDrawing::IsofluxDrawing(PictureSettings& settings, kernels::LinePen* currentLine)
    : m_settings(settings), m_line(currentLine), m_began(!settings.isoflux)
{
    BeginIsofluxDrawing(m_settings, m_line);
}

IsofluxDrawing::~IsofluxDrawing()
{
    if (m_began)
        EndIsofluxDrawing(m_settings, m_line);
}

} // namespace gelmar
