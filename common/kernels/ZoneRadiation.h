// Long-wave radiation and convection terms of a radiation zone in the node
// equations, over explicit data: each face with a radiosity row is coupled
// to its four corner nodes through its surface resistance (1-e)/(e*A), the
// radiosity rows of two faces through their space resistance 1/(A_i*F_ij),
// a face's unseen remainder to the sky or to the zone's re-radiating extra
// node, and the faces' corners to the zone's air node by convection. The
// radiation coefficient is h_r = sigma*(T1^2 + T2^2)*(T1 + T2) (kelvin), so
// that h_r*(T1 - T2) is the exact black-body exchange sigma*(T1^4 - T2^4);
// with linear radiation it is the fixed h_r of the model. The engine hands
// the terms to its own matrix through an EquationSink.
#pragma once
#include <array>
#include <functional>
#include <span>

namespace kernels {

constexpr double kStefanBoltzmann = 5.67e-8;
constexpr double kKelvinOffset = 273.16;
// Emissivities are capped below 1 so that (1 - e) never vanishes.
constexpr double kMaxEmissivity = 0.9999;

struct RadiationLaw {
    bool linear = true;   // fixed h_r: linear radiation, or no solution yet
    double hrBlack = 5.1; // the fixed h_r, W/(m2 K)
};

// h_r between two temperatures in degrees Celsius.
double RadiationTemperatureFactor(double t1, double t2, const RadiationLaw& law);

// The emissivity a face radiates with: 0 when the cells on both sides have
// the same colour, else the colour's, capped at kMaxEmissivity.
double FaceEmissivity(double epsi, bool sameColourBothSides);

// g = e*A/4/(1-e)*h_r: the coupling of each of the face's corners to its
// radiosity row (four corners together: the surface conductance).
double RadiosityCoupling(double emissivity, double area, double hr);

// The temperature of node n at level 0 (current) or 1 (previous); boundary
// nodes (n <= -2) give their fixed value. Never called with -1.
using NodeValue = std::function<double(int node, int level)>;

// Mean of the four corners' values (a corner without a node counts 0).
double FaceMeanTemperature(const std::array<int, 4>& corners, const NodeValue& value, int level);

// Receives the terms. Lower entries have row > col; "Set" replaces the
// value, "Add" adds to it.
class EquationSink {
  public:
    virtual ~EquationSink() = default;
    virtual void AddDiagonal(int row, double v) = 0;
    virtual void SetDiagonal(int row, double v) = 0;
    virtual void AddLower(int row, int col, double v) = 0;
    virtual void SetLower(int row, int col, double v) = 0;
    virtual void AddRhs(int row, double v) = 0;
};

// A face of the model with the radiosity row of its file face.
struct RadiosityFace {
    int row = -1;                  // radiosity row; -1: the face has none
    std::array<int, 4> corners{};  // node numbers, in order around the face
    double area = 0;               // m2
    double emissivity[2] = {0, 0}; // FaceEmissivity, current and previous level
};

// A radiosity node: a face of the view-factor file's zone.
struct RadiosityNode {
    int row = -1;                      // its equation row
    double area = 0;                   // m2
    double unseen = 0;                 // remainder: 1 - the sum of its view factors
    double skyTemperature[2] = {0, 0}; // radiant temperature of its cavity colour, current and previous (Sky)
};

enum class RemainderSink { None, Sky, ExtraNode };

struct ZoneRadiationInput {
    std::span<const RadiosityFace> faces;
    std::span<const RadiosityNode> nodes;
    std::span<const double> factors; // packed F_ij of the nodes, j < i at i(i-1)/2 + j
    RemainderSink remainder = RemainderSink::None;
    int extraRow = -1;      // the extra node's row (ExtraNode)
    bool transient = false; // a time step after the steady start: previous-level terms too
    RadiationLaw law;
};

// All radiation terms of a zone: per face with a row, the corner couplings
// (each corner sees half its own and a quarter of each edge neighbour's
// temperature, like the surface conditions); per pair of nodes with a
// non-zero factor, h_r*F_ij*A_i between their rows; per node with a
// remainder, h_r*u*A to the sky (diagonal and right-hand side, both levels)
// or to the extra node (whose row is set to the negative couplings and their
// sum, 1 when there is none).
void AssembleZoneRadiation(const ZoneRadiationInput& zone, const NodeValue& value, EquationSink& sink);

// Convection of one face to its air node: coefficient = -h*A/4 per corner
// (current and previous level). Calculation-node corners get it as the lower
// value (air, corner), boundary corners move it to the air row's right-hand
// side.
void AddFaceConvection(EquationSink& sink, int airRow, const std::array<int, 4>& corners,
                       const double coefficient[2], bool transient, const NodeValue& value);

// The heat-flow density from the cavity into a face (W/m2): radiation
// through its surface resistance, convection and the imposed flux:
// e*h_r/(1-e)*(T_r - T_f) + h_c*(T_air - T_f) + q_s.
double FaceHeatFlowDensity(double emissivity, double radiosityTemperature, double faceTemperature,
                           const RadiationLaw& law, double hConvective, double airTemperature, double flux);

} // namespace kernels
