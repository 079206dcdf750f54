// The display settings of Gelmar's pictures, as the graphic output window
// keeps them between pictures: fill mode, overlays, the temperature and
// heat-flux ranges with their line pens, the single value, the object and
// grid pens, decimals and the legend font size. Isoflux drawing exchanges
// the two ranges for the length of a flux pass, so that the temperature
// routines draw fluxes unchanged; a scoped guard swaps them back on every
// way out, an aborted picture included.
#pragma once
#include "common/kernels/picture/LinePlotter.h"

namespace gelmar {

struct ModelStore;
struct CurrentOutputSettings;
struct DisplaySettings;

enum class FillMode : int {
    Materials = 0,
    Patterns = 1,
    BCs = 2,
    Temperatures = 3,
    Isofluxes = 4,
    AbsorbedSolarFluxes = 5,
    Off = 6,
};

// One range: lower and upper limit, first and second increment (the second
// a multiple of the first), and the pens of the two kinds of level.
struct RangeSet {
    float lower = 0.0f, upper = 20.0f;
    float inc = 1.0f, inc2 = 5.0f;
    kernels::LinePen firstPen, secondPen;
};

struct PictureSettings {
    FillMode fill = FillMode::Materials;
    bool objectLines = true;
    bool gridLines = false;
    bool isothermalLines = false;
    bool isofluxLines = false;
    bool legend = true;
    bool sunPosition = false;
    bool shadow = false;
    bool profile = false;

    RangeSet temperature;
    RangeSet flux{0.0f, 50.0f, 1.0f, 5.0f, {}, {}};
    float singleValue = 0.0f;
    kernels::LinePen singlePen{0x0000FF, 0};
    kernels::LinePen objectPen{0x000000, 1};
    kernels::LinePen gridPen{0xC0C0C0, 1};
    int temperatureDecimals = 2;
    int fluxDecimals = 2;
    int fontSize = 8;

    // Set while the ranges are exchanged for a flux pass.
    bool isoflux = false;
};

// The settings the model and the display settings give: the temperature and
// heat-flux ranges and the single value of the model, the pens of the display
// settings, the decimals of the output settings.
PictureSettings PictureSettingsFromModel(const ModelStore& model, const DisplaySettings& display,
                                         const CurrentOutputSettings& output);

// Exchanges the temperature and the heat-flux range with their pens; the
// current line pen, when given, becomes the second-increments pen that was
// current before.
void SwapTemperatureAndFluxRanges(PictureSettings& settings, kernels::LinePen* currentLine = nullptr);
// Starts a flux pass: ranges exchanged, isoflux set (once; a second Begin
// does nothing).
void BeginIsofluxDrawing(PictureSettings& settings, kernels::LinePen* currentLine = nullptr);
// Ends a flux pass left open: ranges back, isoflux cleared; nothing when no
// pass is open, so that a window closing after an abort may always call it.
void EndIsofluxDrawing(PictureSettings& settings, kernels::LinePen* currentLine = nullptr);

// A flux pass for one scope.
class IsofluxDrawing {
  public:
    explicit IsofluxDrawing(PictureSettings& settings, kernels::LinePen* currentLine = nullptr);
    ~IsofluxDrawing();
    IsofluxDrawing(const IsofluxDrawing&) = delete;
    IsofluxDrawing& operator=(const IsofluxDrawing&) = delete;

  private:
    PictureSettings& m_settings;
    kernels::LinePen* m_line;
    bool m_began;
};

} // namespace gelmar
