// The temperature profile: the loaded temperatures along a straight line of
// grid points parallel to an axis, drawn as a graph over the picture pane
// (position across, temperature upwards), with the temperature scale, the
// frame and title, the material boundaries crossed, and the curve, which is
// interrupted where the line leaves conducting cells.
#pragma once
#include "gelmar/graphics/core/PictureWalkers.h"

namespace gelmar {

// Two grid points; the line runs along the first axis (x, y, z) on which
// they differ. A = B: no line.
struct ProfileLine {
    GridPoint a, b;
    bool Empty() const { return a.i == b.i && a.j == b.j && a.k == b.k; }
    // 0, 1, 2: the axis of the line (0 as well for an empty line).
    int Axis() const;
};

// What the line dialog starts from: a line never defined runs along x from
// the origin corner; indices beyond the grid come back to it. Returns the
// direction preset (2 when the points differ in k, else 1 when in j, else 0).
int PrepareProfileLine(ProfileLine& line, const ModelStore& model);

// Draws the graph over the context's width x height. False, drawing nothing,
// for an empty line (the window then switches the profile off). Esc is polled
// between the steps and at every grid point of the curve.
bool DrawTemperatureProfile(PictureContext& context, const ProfileLine& line);

// Pixel of a position along the line and a temperature, with the graph's
// scales (position scale and offset, temperature scale and offset).
struct ProfileScales {
    double positionScale = 1.0, positionOffset = 0.0;
    double temperatureScale = 1.0, temperatureOffset = 0.0;
    CPoint ProfilePointToScreen(double position, double temperature) const;
};

} // namespace gelmar
