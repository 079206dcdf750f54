// The overlays of the 3D views, drawn over the surface without depth test:
// grid planes, boxes, axis crosses and node markers that show what the open
// table view has selected, outlined segment lists, and the North display
// with the sun's paths. All over explicit parameters: the grid lines of the
// view box, boxes as coordinates (x lower, x upper, y lower, y upper, z
// lower, z upper), points in model coordinates.
#pragma once
#include "gelmar/graphics/core/SceneMesh.h"

#include <functional>
#include <span>

namespace gelmar {

// The grid of the view box: the coordinate of line n of an axis is 0 for
// n = 0, else coords[n - 1]; the view box runs from line lo to line hi.
struct OverlayGrid {
    std::span<const float> coords[3];
    int lo[3] = {}, hi[3] = {};

    float Coordinate(int axis, int line) const;
    // The view box's coordinates.
    void Box(float box[6]) const;
};

constexpr COLORREF kGridPlaneColour = RGB(223, 223, 223);

// The wire box: bottom and top rectangles and the four vertical edges.
void EmitRangeBox(const float box[6], float width, COLORREF colour, SceneOverlay& out);
// Lines along the box's edges through its lower corner: 4 px white, then
// 2 px red (x), green (y), blue (z).
void EmitAxisCross(const float box[6], SceneOverlay& out);
// The box 3 px white, then 1 px black, then its axis cross.
void EmitSelectionBox(const float box[6], SceneOverlay& out);
// Plane 0 (x-y), 1 (x-z) or 2 (y-z): every grid line of the view box in that
// plane, on the view box's lower side of the third axis, 1 px grey.
void EmitGridPlane(const OverlayGrid& grid, int plane, SceneOverlay& out);
// The grid planes that contain axis 0, 1 or 2 (x: planes 0 and 1; y: 0 and
// 2; z: 1 and 2).
void EmitAxisGridPlanes(const OverlayGrid& grid, int axis, SceneOverlay& out);
// The three grid planes; for a node inside the clip box three lines through
// it across the view box, 3 px white then 1 px black; the view box's axis
// cross.
void EmitNodeMarker(const OverlayGrid& grid, const float node[3], bool insideClip, SceneOverlay& out);
// Segments (x, y, z of both ends, six values each) 3 px white, then 1 px black.
void EmitSegmentsOutlined(std::span<const float> segments, SceneOverlay& out);
// The Grid and Minimum Grid overlays: the grid planes containing the table's
// axis and the selected span's box with its axis cross.
void EmitSpanOverlay(const OverlayGrid& grid, int axis, const float span[6], SceneOverlay& out);
// The Coordinates overlay: as EmitSpanOverlay, with the planes through the
// origin for each axis whose origin coordinate lies in the view box, and the
// axes through the origin when it lies inside the view box.
void EmitCoordinatesOverlay(const OverlayGrid& grid, int axis, const float span[6], const float origin[3],
                            SceneOverlay& out);

// The North display about the focus: a disc in the site's horizontal plane
// (dark blue on top, light blue below), the sun's paths of the days 355, 79
// and 172 above the horizon, the sun when it is up, and the site's axes with
// the North arrow.
struct NorthDisplay {
    float focus[3] = {};
    float eye[3] = {};
    float viewAngle = 60.0f;        // degrees
    float frame[3][3] = {};         // north, west, up in model axes
    bool sunUp = false;
    float sunAltitude = 0, sunAzimuth = 0; // degrees
    // Calls visit(altitude0, azimuth0, altitude1, azimuth1) for each part of
    // the day's path above the horizon.
    std::function<void(int day, const std::function<void(double, double, double, double)>& visit)> sunPath;
};
void EmitNorthDisplay(const NorthDisplay& north, SceneOverlay& out);

} // namespace gelmar
