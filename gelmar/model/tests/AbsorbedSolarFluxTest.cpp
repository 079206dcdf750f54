// The absorbed solar flux at a surface node for the pictures: the sunlit-
// surface records of the node, orientation and colour averaged by area,
// found in the sorted table from the node's grid point.
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/store/ModelStore.h"

#include <gtest/gtest.h>

namespace gelmar {
namespace {

SunlitNodeRecord Record(std::int32_t node, int orientation, int colour, float area, float flux)
{
    SunlitNodeRecord r;
    r.node = node;
    r.orientation = static_cast<std::uint8_t>(orientation);
    r.colour = static_cast<std::uint8_t>(colour);
    r.area = area;
    r.flux = flux;
    return r;
}

TEST(AbsorbedSolarFlux, TheRecordsOfANodeOrientationAndColourAreAveragedByArea)
{
    ModelStore model;
    for (GridAxis& a : model.axes)
        a.n = 1;
    WorkArrays work;
    work.rowStride = 2;
    work.layerStride = 4;
    work.nodeIndex = {0, 1, 2, 3, 4, -2, -1, 7};
    SolarState solar;
    // Sorted by node, orientation and colour, as the flux reader leaves them.
    solar.records = {Record(1, 4, 3, 0.5f, 100.0f),  Record(3, 2, 3, 1.0f, 50.0f),
                     Record(3, 5, 1, 0.25f, 400.0f), Record(3, 5, 3, 0.25f, 200.0f),
                     Record(3, 5, 3, 0.75f, 600.0f), Record(7, 0, 2, 1.0f, 9.0f)};
    // Grid point (1, 1, 0) is node 3.
    EXPECT_FLOAT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 1, 1, 0, 5, 3),
                    (0.25f * 200 + 0.75f * 600) / 1.0f);
    EXPECT_FLOAT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 1, 1, 0, 5, 1), 400.0f);
    EXPECT_FLOAT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 1, 1, 0, 2, 3), 50.0f);
    EXPECT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 1, 1, 0, 4, 3), 0.0f); // no such record
    EXPECT_FLOAT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 1, 1, 1, 0, 2), 9.0f);
    // Points without a calculation node, or outside the grid: 0.
    EXPECT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 1, 0, 1, 0, 2), 0.0f);
    EXPECT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 0, 1, 1, 0, 2), 0.0f);
    EXPECT_EQ(AbsorbedSolarFluxAtNode(solar, model, work, 5, 0, 0, 0, 2), 0.0f);
}

} // namespace
} // namespace gelmar
