// The area records A1..A3 and the flanking-element records U1..U3 that the
// derived figures subtract: areas from their flat index boxes, and the
// one-dimensional U value of an element from a line through its layers.
// Index boxes use grid-line indices; cell k lies between lines k and k + 1.
#pragma once
#include "novelk/model/store/ModelStore.h"

#include <cstdint>
#include <optional>

namespace novelk {

// The three area records: zero boxes, zero areas.
void ResetAreas(ModelStore& m);
// The three element records: zero boxes, zero computed and enforced U.
void ResetElementUValues(ModelStore& m);
// Area of each A record in m²: the product of its two extents when it is flat
// on one axis (X tested first, then Y, then Z), else 0.
void ComputeAreas(ModelStore& m);
// True when the box has lo < hi on exactly one axis and lo = hi on the others.
bool IsAxisLine(const AreaRecord& box);
// True when, all along the line, the coloured cells of the four that touch
// it carry one colour (the line does not run along a material boundary).
bool IsUniformLine(const ModelStore& m, const AreaRecord& line);
// The resistance R (m².K/W) from environment to environment along the line:
// 1/h of the first environment, d/lambda of each MATERIAL or EQUIMAT cell,
// 1/h of the second; empty when the line does not pass exactly that way.
std::optional<double> MeasureElementLine(const ModelStore& m, const AreaRecord& line);
// A U line of Init Areas && U Values, measured as MeasureElementLine does
// but with BC_SIMPL environments only, the second at another temperature
// than the first. Besides R: the grid plane (along the line) of the element
// face that the area proposal takes (with external dimensions the face
// towards the colder environment, else towards the warmer) and the side it
// lies on: 0 the face where the material begins, 1 the face where the
// second environment begins.
struct ULineMeasure {
    double r = 0;
    std::uint16_t plane = 0;
    std::uint8_t side = 0;
};
std::optional<ULineMeasure> MeasureULine(const ModelStore& m, const AreaRecord& line,
                                         bool externalDimensions);
// U = 1/R of each element record whose box is a uniform line that measures;
// 0 otherwise.
void ComputeElementUValues(ModelStore& m);
// The enforced U of element i when above 0, else its computed U.
double GetElementUValue(const ModelStore& m, int i);
// For area k: false when its area is 0; otherwise true when another area
// record has the same bounds on the two axes across k's flat axis.
bool AreaOverlapsOther(const ModelStore& m, int k);

} // namespace novelk
