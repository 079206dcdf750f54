// Surface and cavity coefficients after the CEN conventions, over a cell
// grid: the fixed surface coefficients of the three surface rules, the size
// of an air cavity drawn as the cells of one colour (thickness d along the
// heat flow, width b across it), the number of its sides closed by adiabatic
// boundaries, and the convective coefficient or the equivalent conductivity
// of the cavity from a temperature difference and a mean temperature. Each
// block-grid engine applies them to its own colour table.
#pragma once
#include "common/kernels/RadiationZones.h"

#include <array>
#include <functional>
#include <span>
#include <string_view>

namespace kernels {

// h of the surface rules 1 "HI_NORML", 2 "HI_REDUC" and 3 "HE" (W/(m2 K));
// 0 for any other rule.
double SurfaceRuleCoefficient(int rule);

// The widths of the cells of each axis (grid units).
using CellWidths = std::array<std::span<const float>, 3>;

// The cells of one colour: their index box (inclusive) and their volume in
// cubic grid units; hi[0] < 0 when the colour has no cell.
struct ColourCellBox {
    int lo[3] = {0, 0, 0};
    int hi[3] = {-1, -1, -1};
    double volume = 0;
    bool Empty() const { return hi[0] < 0; }
};
ColourCellBox FindColourCells(const CellGrid& grid, const CellWidths& widths, int colour);

// Axis (0 x, 1 y, 2 z) of the heat flow and of the width of a cavity rule
// CEN_Pq_S numbered 1..12 (P the heat-flow axis, q the width axis).
int CavityHeatAxis(int rule);
int CavityWidthAxis(int rule);

struct CavitySize {
    double d = 0; // thickness along the heat flow, m
    double b = 0; // width, m
};
// The cavity's d and b for a rule 1..12: the extents of its box scaled by
// sqrt(V / box volume), times the grid unit; 0, 0 for another rule or an
// empty colour.
CavitySize MeasureColourCavity(const CellGrid& grid, const CellWidths& widths, double gridUnit, int colour,
                               int rule);

// The sides of the colour's box across the rule's width axis whose cells of
// the colour all border, beyond that side, a cell that is void, outside the
// grid or of a colour for which adiabatic(colour) is true (0, 1 or 2).
int CountAdiabaticCavitySides(const CellGrid& grid, int colour, int rule,
                              const std::function<bool(int colour)>& adiabatic);

// Emissivities written into a cavity colour's name as "e1=<v> e2=<v>", each
// limited to 0.001..1; false (and 0.9, 0.9) when the name holds no such text.
bool CavityEmissivities(std::string_view name, double& e1, double& e2);

struct CavityTemperatures {
    double deltaT = 0; // K
    double mean = 10;  // °C
};
// From the colour's lowest and highest result temperature: for a rule on a
// known air temperature (CEN_CON) the larger distance of the two from it,
// else their difference and their mean.
CavityTemperatures CavityTemperatureDifference(bool conRule, double airTemperature, double lowest,
                                               double highest);

struct CavityInput {
    bool equivalentMaterial = false; // an EQUIMAT colour: the result is its conductivity
    bool conRule = false;            // CEN_CON: h from the temperature difference alone
    int rule = 0;                    // 1..12 unless conRule
    double con1 = 0.025, con2 = 0.73, con3 = 1.0 / 3.0;
    std::string_view name;    // may hold the emissivities
    CavityTemperatures temperatures;
    double deltaTFloor = 0;   // differences below this count as this (0: none)
    CavitySize size;          // MeasureColourCavity (not used by CEN_CON)
    int adiabaticSides = 0;   // CountAdiabaticCavitySides (EQUIMAT only)
};

struct CavityCoefficient {
    double ha = 0;    // convective coefficient of one surface, W/(m2 K)
    double value = 0; // EQUIMAT: lambda_eq, W/(m K); otherwise the cavity's h = 2 ha
};
CavityCoefficient ComputeCavityCoefficient(const CavityInput& in);

// The programs' colour records share the names of the fields the rules use:
// rule, name, con1..con3, hGlobal, hConvective and lambda.

// A surface rule 1..3 sets hGlobal; true when it moved by more than 0.001.
// Other rules change nothing.
template <class Colour> bool ApplySurfaceRuleCoefficient(Colour& c)
{
    if (c.rule < 1 || c.rule > 3)
        return false;
    const float h = static_cast<float>(SurfaceRuleCoefficient(c.rule));
    const bool changed = h - c.hGlobal > 0.001f || c.hGlobal - h > 0.001f;
    c.hGlobal = h;
    return changed;
}

// The rule's input from a colour (its size, sides and temperatures are the
// caller's).
template <class Colour> CavityInput CavityInputOf(const Colour& c, bool equivalentMaterial, bool conRule)
{
    CavityInput in;
    in.equivalentMaterial = equivalentMaterial;
    in.conRule = conRule;
    in.rule = c.rule;
    in.con1 = c.con1;
    in.con2 = c.con2;
    in.con3 = c.con3;
    in.name = c.name;
    return in;
}

// Stores a result: an EQUIMAT colour's lambda when it moved by more than
// 0.0001, another colour's hConvective when it moved by more than 0.001.
// True when it changed.
template <class Colour> bool StoreCavityCoefficient(Colour& c, bool equivalentMaterial, const CavityCoefficient& r)
{
    float& value = equivalentMaterial ? c.lambda : c.hConvective;
    const double step = equivalentMaterial ? 0.0001 : 0.001;
    if (!(r.value - value > step || value - r.value > step))
        return false;
    value = static_cast<float>(r.value);
    return true;
}

} // namespace kernels
