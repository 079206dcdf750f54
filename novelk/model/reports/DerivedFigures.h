// The derived figures of the building standards, computed once from the
// model's boundary colours, their heat flows of the last calculation and the
// area and flanking-element records, for the text reports, the report item
// list and the Results page alike:
// - the environments: ti and te, the highest and lowest environment
//   temperature of the boundary colours (BC_SIMPL and BC_FRE_S with an h by
//   `temp`, BC_SKY and BC_NOSKY by `tair`), and Q, half the difference of the
//   net heat flows into the colours at ti and at te;
// - the temperature factor f of the warm side (whose candidates also admit
//   BC_SIMPL and BC_FRE_S colours without h but with a flux), with its
//   lowest surface temperature, its h and the relative humidity at which the
//   surface condenses;
// - psi (a 2D model) or the surplus transmittance dL (3D), the equivalent U
//   and the U of an element, each subtracting the U·A of the flanking
//   elements that have both a U and an area.
// A figure whose environments do not satisfy te < ti, or whose areas are 0,
// is absent rather than a division by zero.
#pragma once
#include "novelk/model/store/ModelStore.h"

#include <array>

namespace novelk {

// Environment temperatures of the boundary colours, °C, and Q, W.
struct Environments {
    double ti = -1.0e9;
    double te = 1.0e9;
    double q = 0;
    bool Defined() const { return te < ti; }
};

struct TemperatureFactor {
    bool defined = false; // te < ti among its candidates
    double ti = 0, te = 0;
    int colour = -1;   // the warm-side colour
    double tsiMin = 0; // its lowest temperature, °C
    double h = 0;      // its hglo; -1 for BC_SKY and BC_NOSKY (computed by the surface module)
    double f = 0;
    double relativeHumidity = 0; // %: surface condensation above it
};

struct Transmittance {
    // te < ti and some area above 0: the figures below hold.
    bool defined = false;
    std::array<double, 3> area{}, u{};
    // Element i has a U and an area; only these enter ΣU·A.
    std::array<bool, 3> used{};
    bool anyUsed = false;
    double sumUA = 0; // W/K
    // The first axis with a single cell (a 2D model) and its length l in
    // metres; -1 for a 3D model.
    int flatAxis = -1;
    double length = 0;
    double psi = 0;    // W/(m.K), 2D
    double deltaL = 0; // W/K, 3D
    double ueq = 0;    // W/(m².K)
};

struct ElementU {
    bool defined = false; // te < ti and A1 > 0
    double u = 0;         // W/(m².K)
};

struct DerivedFigures {
    Environments env;
    TemperatureFactor factor;
    Transmittance transmittance;
    ElementU element;
};

// The figures from the model as it stands: its colours' results and its area
// and element records (their values computed beforehand, see
// RefreshAreasAndUValues).
DerivedFigures ComputeDerivedFigures(const ModelStore& m);
// ComputeAreas and ComputeElementUValues, as the reports do before they
// derive the figures.
void RefreshAreasAndUValues(ModelStore& m);

} // namespace novelk
