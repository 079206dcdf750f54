// Whole-zone view factors: closed enclosures sum to one, the threads do not
// change the result, Esc stops the loop, the row operations, and the
// radiosity exchange of two large grey plates against its closed form.
#include "common/kernels/ViewFactorZone.h"

#include "common/kernels/tests/CavityFaces.h"

#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

#if __has_include(<Eigen/Dense>)
#include <Eigen/Dense>
#define HAVE_EIGEN 1
#endif

namespace kernels {
namespace {

using testing::AddTiledBox;
using testing::Box3;
using testing::FaceAreas;

ViewFactorSettings Fine()
{
    ViewFactorSettings settings;
    settings.vwfc = 1e-9f;
    return settings;
}

std::vector<double> ZoneFactors(const std::vector<ViewFactorFace>& faces, const ViewFactorSettings& settings,
                                unsigned threads)
{
    std::vector<double> matrix(PackedSize(faces.size()));
    PairLoopOptions options;
    options.threads = threads;
    ComputeZoneViewFactors(faces, settings, matrix, options);
    return matrix;
}

TEST(ZoneViewFactors, ClosedBoxRowsSumToOneAndAreReciprocal)
{
    std::vector<ViewFactorFace> faces;
    AddTiledBox(faces, Box3{{0, 0, 0}, {2, 3, 4.5f}}, {2, 3, 4}, true);
    ViewFactorSettings settings = Fine();
    settings.grun = 0.1;
    const auto areas = FaceAreas(faces, settings.grun);
    std::vector<double> matrix = ZoneFactors(faces, settings, 2);
    // A_i F_ij of the pair loop equals A_j F_ji computed the other way round.
    for (std::size_t i = 1; i < faces.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_NEAR(matrix[PackedIndex(i, j)], UnobstructedRectangleExchange(faces[j], faces[i]) * 0.01,
                        1e-12);
        }
    }
    NormaliseViewFactorRows(matrix, areas);
    std::vector<double> unseen(faces.size(), -1.0);
    SetUnseenFractions(matrix, areas, unseen);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_NEAR(ViewFactorRowSum(matrix, areas, i), 1.0, 1e-6) << i;
        EXPECT_EQ(unseen[i], 0.0);
    }
    DivideByFaceArea(matrix, areas);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        double sum = 0.0;
        for (std::size_t j = 0; j < faces.size(); ++j) {
            if (j < i) {
                sum += matrix[PackedIndex(i, j)];
            } else if (j > i) {
                sum += areas[j] * matrix[PackedIndex(j, i)] / areas[i]; // reciprocity
            }
        }
        EXPECT_NEAR(sum, 1.0, 1e-6) << i;
    }
}

TEST(ZoneViewFactors, ClosedThinModelRowsSumToOne)
{
    // One cell of width 0.5 along z: the walls of a 3 x 2 rectangle.
    std::vector<ViewFactorFace> all;
    AddTiledBox(all, Box3{{0, 0, 0}, {3, 2, 0.5f}}, {3, 4, 1}, true);
    std::vector<ViewFactorFace> faces;
    for (const ViewFactorFace& f : all) {
        if (f.orientation / 2 != 2) {
            faces.push_back(f);
        }
    }
    ViewFactorSettings settings = Fine();
    settings.thinAxis = 2;
    settings.thinWidth = 0.5;
    const auto areas = FaceAreas(faces);
    const std::vector<double> matrix = ZoneFactors(faces, settings, 1);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_NEAR(ViewFactorRowSum(matrix, areas, i), 1.0, 1e-6) << i;
    }
}

// A room with a box standing in it: obstruction matters.
std::vector<ViewFactorFace> FurnishedRoom()
{
    std::vector<ViewFactorFace> faces;
    AddTiledBox(faces, Box3{{0, 0, 0}, {6, 5, 3}}, {6, 5, 3}, true);
    AddTiledBox(faces, Box3{{2, 2, 0.5f}, {4, 3, 1.5f}}, {2, 1, 1}, false);
    return faces;
}

TEST(ZoneViewFactors, ResultDoesNotDependOnThreads)
{
    const auto faces = FurnishedRoom();
    ViewFactorSettings settings;
    settings.rays = 1000;
    const std::vector<double> one = ZoneFactors(faces, settings, 1);
    EXPECT_EQ(ZoneFactors(faces, settings, 3), one);
    EXPECT_EQ(ZoneFactors(faces, settings, 8), one);
    // The obstacle hides part of the room: rows sum to about one (the rays
    // are a sample), never far above.
    std::vector<double> matrix = one;
    const auto areas = FaceAreas(faces);
    for (std::size_t i = 0; i < faces.size(); ++i) {
        EXPECT_NEAR(ViewFactorRowSum(matrix, areas, i), 1.0, 0.15) << i;
    }
}

TEST(ZoneViewFactors, PollRunsOnCallerAndItsExceptionStopsTheLoop)
{
    std::vector<ViewFactorFace> faces;
    AddTiledBox(faces, Box3{{0, 0, 0}, {12, 10, 6}}, {12, 10, 6}, true); // 504 faces
    std::vector<double> matrix(PackedSize(faces.size()));
    std::size_t last = 0;
    int calls = 0;
    PairLoopOptions options;
    options.threads = 2;
    options.poll = [&](std::size_t done) {
        EXPECT_GE(done, last);
        last = done;
        if (++calls == 2) {
            throw std::runtime_error("Esc");
        }
    };
    EXPECT_THROW(ComputeZoneViewFactors(faces, ViewFactorSettings{}, matrix, options), std::runtime_error);
    EXPECT_EQ(calls, 2);
    EXPECT_LT(last, matrix.size());
}

TEST(ZoneViewFactors, WrongSizesAreRejected)
{
    const auto faces = FurnishedRoom();
    std::vector<double> matrix(PackedSize(faces.size()) - 1);
    EXPECT_THROW(ComputeZoneViewFactors(faces, ViewFactorSettings{}, matrix), std::invalid_argument);
    const std::vector<double> areas(faces.size(), 1.0);
    EXPECT_THROW(NormaliseViewFactorRows(matrix, areas), std::invalid_argument);
}

TEST(ZoneViewFactors, EmptyAndSingleFaceZones)
{
    std::vector<double> matrix;
    ComputeZoneViewFactors({}, ViewFactorSettings{}, matrix);
    const std::vector<ViewFactorFace> one = {{{0, 0, 0}, {1, 1, 0}, 5}};
    ComputeZoneViewFactors(one, ViewFactorSettings{}, matrix);
    const std::vector<double> areas = {1.0};
    std::vector<double> unseen(1);
    SetUnseenFractions(matrix, areas, unseen);
    EXPECT_EQ(unseen[0], 1.0);
}

TEST(RowOperations, NormaliseOnlyAboveToleranceAndUnseenFractions)
{
    // Two faces of areas 1 and 2 with one entry A0*F01 = x.
    struct Case {
        double x;
        double kept;    // the entry after normalising
        double unseen0; // unseen fraction of face 0
    };
    for (const Case& k : {Case{1.00005, 1.00005, 0.0}, Case{1.01, 1.0, 0.0}, Case{0.99995, 0.99995, 0.0},
                          Case{0.9, 0.9, 0.1}}) {
        std::vector<double> matrix = {k.x};
        const std::vector<double> areas = {1.0, 2.0};
        int polls = 0;
        NormaliseViewFactorRows(matrix, areas, [&] { ++polls; });
        EXPECT_NEAR(matrix[0], k.kept, 1e-12) << k.x;
        std::vector<double> unseen(2);
        SetUnseenFractions(matrix, areas, unseen, [&] { ++polls; });
        EXPECT_NEAR(unseen[0], k.unseen0, 1e-12) << k.x;
        EXPECT_NEAR(unseen[1], 1.0 - k.kept / 2.0, 1e-12) << k.x;
        EXPECT_EQ(polls, 1);
        DivideByFaceArea(matrix, areas);
        EXPECT_NEAR(matrix[0], k.kept / 2.0, 1e-12); // F10 = A0*F01 / A1
    }
}

TEST(RowOperations, FaceWithoutAreaSumsToZero)
{
    std::vector<double> matrix = {0.0, 0.5, 0.0};
    const std::vector<double> areas = {1.0, 0.0, 1.0};
    EXPECT_EQ(ViewFactorRowSum(matrix, areas, 1), 0.0);
    EXPECT_EQ(ViewFactorRowSum(matrix, areas, 0), 0.5);
    DivideByFaceArea(matrix, areas);
    EXPECT_EQ(matrix[1], 0.5);
}

#ifdef HAVE_EIGEN
TEST(ZoneViewFactors, LargeGreyPlatesExchangeAsInfinitePlates)
{
    // Two 400 x 400 plates one unit apart, each in 4 x 4 faces; what they do
    // not see of each other goes to black surroundings at the cold plate's
    // temperature.
    const float side = 400.0f;
    std::vector<ViewFactorFace> faces;
    for (int plate = 0; plate < 2; ++plate) {
        for (int s = 0; s < 4; ++s) {
            for (int t = 0; t < 4; ++t) {
                const float z = float(plate);
                const float x = side / 4 * float(s);
                const float y = side / 4 * float(t);
                faces.push_back({{x, y, z}, {x + side / 4, y + side / 4, z}, plate == 0 ? 5 : 4});
            }
        }
    }
    const std::size_t n = faces.size();
    const auto areas = FaceAreas(faces);
    std::vector<double> matrix = ZoneFactors(faces, Fine(), 4);
    NormaliseViewFactorRows(matrix, areas);
    std::vector<double> unseen(n);
    SetUnseenFractions(matrix, areas, unseen);
    DivideByFaceArea(matrix, areas);

    const double sigma = 5.67e-8;
    const double t1 = 400.0;
    const double t2 = 300.0;
    const double e1 = 0.8;
    const double e2 = 0.6;
    Eigen::MatrixXd a = Eigen::MatrixXd::Identity(Eigen::Index(n), Eigen::Index(n));
    Eigen::VectorXd b = Eigen::VectorXd::Zero(Eigen::Index(n));
    for (std::size_t i = 0; i < n; ++i) {
        const bool hot = i < n / 2;
        const double eps = hot ? e1 : e2;
        const double emit = sigma * std::pow(hot ? t1 : t2, 4);
        for (std::size_t j = 0; j < n; ++j) {
            const double f = j < i ? matrix[PackedIndex(i, j)]
                                   : (j > i ? areas[j] * matrix[PackedIndex(j, i)] / areas[i] : 0.0);
            a(Eigen::Index(i), Eigen::Index(j)) -= (1 - eps) * f;
        }
        b(Eigen::Index(i)) = eps * emit + (1 - eps) * unseen[i] * sigma * std::pow(t2, 4);
    }
    const Eigen::VectorXd j = a.partialPivLu().solve(b);
    double lost = 0.0; // net radiation leaving the hot plate
    for (std::size_t i = 0; i < n / 2; ++i) {
        lost += areas[i] * e1 / (1 - e1) * (sigma * std::pow(t1, 4) - j(Eigen::Index(i)));
    }
    const double exact = side * side * sigma * (std::pow(t1, 4) - std::pow(t2, 4)) / (1 / e1 + 1 / e2 - 1);
    EXPECT_NEAR(lost / exact, 1.0, 0.01);
}
#endif

} // namespace
} // namespace kernels
