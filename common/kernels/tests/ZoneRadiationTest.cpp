// Radiation terms of a zone checked against analytic grey-body exchange: two
// large parallel plates, two plates that see each other only through a
// re-radiating enclosure, a plate under the sky; a uniform field carries no
// flow; a transient step with unchanged boundaries keeps the steady state.
#include "common/kernels/ZoneRadiation.h"

#include <Eigen/Dense>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace kernels {
namespace {

class DenseSink : public EquationSink {
  public:
    explicit DenseSink(int rows) : A(Eigen::MatrixXd::Zero(rows, rows)), b(Eigen::VectorXd::Zero(rows)) {}
    void AddDiagonal(int row, double v) override { A(row, row) += v; }
    void SetDiagonal(int row, double v) override { A(row, row) = v; }
    void AddLower(int row, int col, double v) override
    {
        ASSERT_GT(row, col);
        A(row, col) += v;
        A(col, row) += v;
    }
    void SetLower(int row, int col, double v) override
    {
        ASSERT_GT(row, col);
        A(row, col) = v;
        A(col, row) = v;
    }
    void AddRhs(int row, double v) override { b(row) += v; }
    Eigen::MatrixXd A;
    Eigen::VectorXd b;
};

double Kelvin4(double t)
{
    return std::pow(t + kKelvinOffset, 4);
}

// Node values: calculation nodes from x (current) and xPrevious, boundary
// nodes from a table.
struct Field {
    Eigen::VectorXd x, xPrevious;
    std::map<int, double> fixed;
    NodeValue Value() const
    {
        return [this](int n, int level) {
            if (n <= -2)
                return fixed.at(n);
            return level == 0 ? x(n) : xPrevious(n);
        };
    }
};

ZoneRadiationInput MakeZone(std::span<const RadiosityFace> faces, std::span<const RadiosityNode> nodes,
                            std::span<const double> factors, RemainderSink remainder = RemainderSink::None,
                            int extraRow = -1)
{
    ZoneRadiationInput zone;
    zone.faces = faces;
    zone.nodes = nodes;
    zone.factors = factors;
    zone.remainder = remainder;
    zone.extraRow = extraRow;
    return zone;
}

// Solves the zone's equations, non-linear ones by repeating the assembly
// with the latest temperatures until they no longer change.
Eigen::VectorXd SolveZone(const ZoneRadiationInput& zone, Field& field, int rows)
{
    field.x = Eigen::VectorXd::Constant(rows, 40.0);
    for (int pass = 0; pass < 200; ++pass) {
        DenseSink sink(rows);
        AssembleZoneRadiation(zone, field.Value(), sink);
        const Eigen::VectorXd next = sink.A.ldlt().solve(sink.b);
        const double change = (next - field.x).cwiseAbs().maxCoeff();
        field.x = next;
        if (change < 1e-12)
            break;
    }
    return field.x;
}

// Net flow from a face with all four corners at one boundary node into its
// radiosity row: through the surface conductance 4g.
double FaceFlow(const RadiosityFace& f, const Field& field, const RadiationLaw& law)
{
    const double tf = field.fixed.at(f.corners[0]);
    const double tr = field.x(f.row);
    return 4 * RadiosityCoupling(f.emissivity[0], f.area, RadiationTemperatureFactor(tr, tf, law)) *
           (tf - tr);
}

RadiosityFace Plate(int row, int node, double area, double emissivity)
{
    RadiosityFace f;
    f.row = row;
    f.corners = {node, node, node, node};
    f.area = area;
    f.emissivity[0] = f.emissivity[1] = emissivity;
    return f;
}

TEST(ZoneRadiation, ParallelPlatesExchangeAsGreyBodies)
{
    const double area = 12.0, e1 = 0.8, e2 = 0.5, t1 = 100.0, t2 = 20.0;
    const std::vector<RadiosityFace> faces = {Plate(0, -2, area, e1), Plate(1, -3, area, e2)};
    const std::vector<RadiosityNode> nodes = {{0, area, 0.0}, {1, area, 0.0}};
    const std::vector<double> factors = {1.0};
    Field field;
    field.fixed = {{-2, t1}, {-3, t2}};
    ZoneRadiationInput zone = MakeZone(faces, nodes, factors);

    for (const bool linear : {false, true}) {
        SCOPED_TRACE(linear ? "linear" : "non-linear");
        zone.law = {linear, 5.1};
        SolveZone(zone, field, 2);
        const double resistance = 1 / e1 + 1 / e2 - 1;
        const double expected = linear ? 5.1 * area * (t1 - t2) / resistance
                                       : kStefanBoltzmann * area * (Kelvin4(t1) - Kelvin4(t2)) / resistance;
        const double q1 = FaceFlow(faces[0], field, zone.law);
        EXPECT_NEAR(q1, expected, 1e-9 * expected);
        EXPECT_NEAR(FaceFlow(faces[1], field, zone.law), -q1, 1e-9 * expected);
        // The heat-flow density of the flux file: the same flow, into the face.
        EXPECT_NEAR(FaceHeatFlowDensity(e1, field.x(0), t1, zone.law, 0, 0, 0) * area, -q1, 1e-9 * expected);
    }
}

TEST(ZoneRadiation, RemainderThroughReRadiatingNodeAndToSky)
{
    const double a1 = 2.0, a2 = 3.0, e1 = 0.9, e2 = 0.6, t1 = 80.0, t2 = -5.0;
    const RadiationLaw law{false, 5.1};
    {
        // The plates see nothing of each other; their remainders go to an
        // adiabatic extra node (row 2).
        const std::vector<RadiosityFace> faces = {Plate(0, -2, a1, e1), Plate(1, -3, a2, e2)};
        const std::vector<RadiosityNode> nodes = {{0, a1, 1.0}, {1, a2, 1.0}};
        const std::vector<double> factors = {0.0};
        Field field;
        field.fixed = {{-2, t1}, {-3, t2}};
        ZoneRadiationInput zone = MakeZone(faces, nodes, factors, RemainderSink::ExtraNode, 2);
        zone.law = law;
        SolveZone(zone, field, 3);
        const double resistance = (1 - e1) / (e1 * a1) + 1 / a1 + 1 / a2 + (1 - e2) / (e2 * a2);
        const double expected = kStefanBoltzmann * (Kelvin4(t1) - Kelvin4(t2)) / resistance;
        EXPECT_NEAR(FaceFlow(faces[0], field, law), expected, 1e-9 * expected);
        EXPECT_NEAR(FaceFlow(faces[1], field, law), -expected, 1e-9 * expected);
    }
    {
        // One plate under the sky: e*sigma*A*(T^4 - Tsky^4).
        const std::vector<RadiosityFace> faces = {Plate(0, -2, a1, e1)};
        const std::vector<RadiosityNode> nodes = {{0, a1, 1.0, {t2, t2}}};
        Field field;
        field.fixed = {{-2, t1}};
        ZoneRadiationInput zone = MakeZone(faces, nodes, {}, RemainderSink::Sky);
        zone.law = law;
        SolveZone(zone, field, 1);
        const double expected = e1 * kStefanBoltzmann * a1 * (Kelvin4(t1) - Kelvin4(t2));
        EXPECT_NEAR(FaceFlow(faces[0], field, law), expected, 1e-9 * expected);
    }
}

// A zone of two faces whose corners are calculation nodes (0..6) and
// boundary nodes, with radiosity rows 7 and 8, a remainder to the extra
// node 9 and an air node 10 coupled by convection.
struct MixedZone {
    std::vector<RadiosityFace> faces;
    std::vector<RadiosityNode> nodes = {{7, 1.0, 0.25}, {8, 2.0, 0.5}};
    std::vector<double> factors = {0.375};
    MixedZone()
    {
        RadiosityFace a;
        a.row = 7;
        a.corners = {0, 1, 2, 3};
        a.area = 1.0;
        a.emissivity[0] = a.emissivity[1] = 0.9;
        RadiosityFace b;
        b.row = 8;
        b.corners = {4, -2, 5, 6};
        b.area = 2.0;
        b.emissivity[0] = b.emissivity[1] = 0.7;
        faces = {a, b};
    }
    ZoneRadiationInput Input(bool linear, bool transient) const
    {
        ZoneRadiationInput zone = MakeZone(faces, nodes, factors, RemainderSink::ExtraNode, 9);
        zone.transient = transient;
        zone.law = {linear, 5.1};
        return zone;
    }
};

TEST(ZoneRadiation, UniformTemperatureCarriesNoFlow)
{
    const MixedZone mixed;
    const double t = 17.5;
    Field field;
    field.x = field.xPrevious = Eigen::VectorXd::Constant(11, t);
    field.fixed = {{-2, t}};
    for (const bool linear : {false, true}) {
        DenseSink sink(11);
        AssembleZoneRadiation(mixed.Input(linear, false), field.Value(), sink);
        // Convection of both faces to the air node, whose diagonal is their h*A.
        for (const RadiosityFace& f : mixed.faces) {
            const double coefficient[2] = {-0.25 * 3.0 * f.area, -0.25 * 3.0 * f.area};
            AddFaceConvection(sink, 10, f.corners, coefficient, false, field.Value());
            sink.AddDiagonal(10, 3.0 * f.area);
            for (int n : f.corners) // the corners' own side of the convection
                if (n >= 0)
                    sink.AddDiagonal(n, 3.0 * f.area / 4);
        }
        const Eigen::VectorXd residual = sink.A * field.x - sink.b;
        EXPECT_LT(residual.cwiseAbs().maxCoeff(), 1e-9) << residual.transpose();
        EXPECT_GT(sink.A(7, 7), 0.0);
        EXPECT_EQ(sink.A(9, 7), sink.A(7, 9));
        // The solved system of a fixed boundary temperature is that temperature.
        DenseSink fresh(10);
        AssembleZoneRadiation(mixed.Input(linear, false), field.Value(), fresh);
        for (int n = 0; n <= 6; ++n)
            fresh.AddDiagonal(n, 1e-3); // a weak tie of each node to 0 C
        const Eigen::VectorXd x = fresh.A.ldlt().solve(fresh.b);
        EXPECT_TRUE(x.allFinite());
    }
}

TEST(ZoneRadiation, TransientStepKeepsASteadyState)
{
    // Two plates and a sky remainder: a step whose boundaries did not move
    // solves to the steady temperatures again (b = -b' + f + f').
    const std::vector<RadiosityFace> faces = {Plate(0, -2, 1.5, 0.8), Plate(1, -3, 2.5, 0.4)};
    const std::vector<RadiosityNode> nodes = {{0, 1.5, 0.3, {-20, -20}}, {1, 2.5, 0.1, {-15, -15}}};
    const std::vector<double> factors = {0.42};
    Field field;
    field.fixed = {{-2, 60.0}, {-3, 5.0}};
    ZoneRadiationInput zone = MakeZone(faces, nodes, factors, RemainderSink::Sky);
    zone.law = {false, 5.1};
    const Eigen::VectorXd steady = SolveZone(zone, field, 2);
    DenseSink previous(2);
    AssembleZoneRadiation(zone, field.Value(), previous);

    field.xPrevious = steady;
    zone.transient = true;
    DenseSink step(2);
    step.b = -previous.b;
    AssembleZoneRadiation(zone, field.Value(), step);
    const Eigen::VectorXd x = step.A.ldlt().solve(step.b);
    EXPECT_NEAR((x - steady).cwiseAbs().maxCoeff(), 0.0, 1e-9);
}

TEST(ZoneRadiation, CoefficientsAndCaps)
{
    EXPECT_EQ(RadiationTemperatureFactor(10, 90, {true, 5.1}), 5.1);
    const double a = 10 + kKelvinOffset, b = 90 + kKelvinOffset;
    EXPECT_DOUBLE_EQ(RadiationTemperatureFactor(10, 90, {false, 5.1}) * (a - b),
                     kStefanBoltzmann * (std::pow(a, 4) - std::pow(b, 4)));
    EXPECT_EQ(FaceEmissivity(0.9, true), 0.0); // same colour on both sides: no radiation
    EXPECT_EQ(FaceEmissivity(1.0, false), kMaxEmissivity);
    EXPECT_TRUE(std::isfinite(RadiosityCoupling(1.0, 1.0, 5.1)));
    EXPECT_EQ(RadiosityCoupling(0.0, 1.0, 5.1), 0.0);
    Field field;
    field.fixed = {{-2, 8.0}};
    field.x = Eigen::VectorXd::Constant(3, 4.0);
    EXPECT_EQ(FaceMeanTemperature({0, 1, -2, -1}, field.Value(), 0), 0.25 * (4 + 4 + 8));
}

} // namespace
} // namespace kernels
