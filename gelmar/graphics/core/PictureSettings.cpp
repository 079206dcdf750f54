// Picture settings and the exchange of ranges for flux passes (see
// PictureSettings.h).
#include "gelmar/graphics/core/PictureSettings.h"

#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"

#include <utility>

namespace gelmar {

namespace {

kernels::LinePen Pen(const LineStyle& style)
{
    return {static_cast<COLORREF>(style.colour), style.width};
}

} // namespace

PictureSettings PictureSettingsFromModel(const ModelStore& m, const DisplaySettings& display,
                                         const CurrentOutputSettings& output)
{
    PictureSettings s;
    s.temperature = {m.tmin, m.tmax, m.tin1, m.tin2, Pen(display.isotherm1), Pen(display.isotherm2)};
    s.flux = {m.qmin, m.qmax, m.qin1, m.qin2, Pen(display.isoflux1), Pen(display.isoflux2)};
    s.singleValue = m.tsin;
    s.singlePen = Pen(display.singleIsotherm);
    s.objectPen = Pen(display.object);
    s.gridPen = Pen(display.grid);
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
