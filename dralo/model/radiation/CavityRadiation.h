// Long-wave radiation in the section's cavities as extra equations behind
// the mesh points. Each radiation zone's border edges become surface
// segments with a radiosity node each; the view factors between them (two-
// dimensional crossed strings with obstruction rays) couple those nodes,
// a segment's emission couples its node to the segment's two mesh points,
// the part of the surroundings a segment does not see goes to an
// environment node (or, towards a sky, to the sky's temperature), and the
// convection of a free cavity goes through its air node.
//
// Coefficients are kept per unit of the radiation coefficient h: linear
// radiation multiplies them by `hrbl`, non-linear radiation by
// sigma (T1 + T2)(T1² + T2²) of the temperatures they join, so that neither
// ever divides by `hrbl` nor scales a coefficient twice.
#pragma once
#include "dralo/model/mesh/MeshFile.h"
#include "dralo/model/store/BitmapModel.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace kernels {
class SymmetricMatrix;
}

namespace dralo {

class EngineHost;

struct RadiationSegment {
    std::int32_t start = 0, end = 0; // mesh points
    std::uint8_t material = 0, boundary = 0;
    double length = 0;        // 1/16 pixel
    float emissivity = 0;
    // Per unit of h (W/(m².K)): node diagonal, half emission term,
    // environment coupling; the environment's right-hand side per unit of h
    // (a sky's temperature times the unseen share).
    double diagonal = 0, halfEmission = 0, environment = 0, environmentRhs = 0;
    double airCoupling = 0;   // W/(m.K): to the zone's air node, per segment end
    std::int32_t couplings = 0; // non-zero view-factor couplings
};

struct RadiationZone {
    int type = 0;
    double convectiveInput = 0; // W/m
    double airTotal = 0;        // W/(m.K)
    std::int32_t firstEquation = 0;
    std::vector<RadiationSegment> segments;
    // Packed lower triangle of -A_i F_ij per unit of h (m).
    std::vector<double> couplings;

    // Equation numbers.
    std::int32_t SegmentNode(std::size_t k) const { return firstEquation + static_cast<std::int32_t>(k); }
    std::int32_t AirNode() const;
    std::int32_t EnvironmentNode() const;
    bool HasSegmentNodes() const { return type != BC_FRE_S; }
    bool HasAirNode() const { return type == BC_FREE || type == BC_FRE_S; }
    bool HasEnvironmentNode() const { return type == BC_FREE || type == TRANSMAT; }
    std::int32_t NodeCount() const;
};

// The present coefficients of a zone's radiation (the per-unit values times
// h), recomputed each cycle.
struct ZoneCoefficients {
    std::vector<double> couplings;
    std::vector<double> diagonal, halfEmission, environment, environmentRhs;
    double environmentTotal = 0;
};

struct CavityRadiation {
    std::vector<RadiationZone> zones;
    std::vector<ZoneCoefficients> present;
};

// The zones of the mesh's border edges with their segments, view factors,
// environment and air couplings; adds their nodes to `equations`. Threads:
// 0 for every core. Polls Esc, shows the number of view factors computed
// every 10000 pairs and at the end; writes "view.tmp" of the working
// folder with the linear coefficients when radiation is not linear.
void ComputeViewFactors(const BitmapModel& m, const Mesh& mesh, CavityRadiation& r, std::int64_t& equations,
                        const std::string& workFolder, EngineHost& host, unsigned threads = 0);

// The present coefficients: linear (× `hrbl`), or from the temperatures
// (°C per equation) when radiation is not linear.
void UpdateViewFactors(const BitmapModel& m, const Mesh& mesh, CavityRadiation& r,
                       const std::vector<double>& temperature);

// Every pair of equations the radiation couples, for the matrix structure.
void LinkRadiationNodes(const CavityRadiation& r, const std::function<void(std::int32_t, std::int32_t)>& link);

// The radiation terms of the assembly into the matrix and right-hand side;
// fixed nodes move their terms to the right-hand side.
void AssembleRadiation(const CavityRadiation& r, const std::vector<std::uint8_t>& nodeKind,
                       const std::vector<float>& fixedTemperature, kernels::SymmetricMatrix& a, std::vector<double>& b);

// h of radiation between surfaces at t1 and t2 (°C) per unit emissivity.
double BlackRadiationCoefficient(double t1, double t2);

} // namespace dralo
