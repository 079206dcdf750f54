// The camera of a 3D model view and the operations that move it: the eye on
// a sphere about the model centre at the shared azimuth and altitude, the
// look-at point (the focus, the model centre while the whole model is shown),
// the view angle, the one-step previous view, and the mouse, key, wheel and
// menu navigation. Everything works over explicit parameters (the camera
// members of a view, the two shared angles, the model's centre and size), so
// that every 3D view and the pictures that borrow its camera share it.
//
// z is up: azimuth 0 looks from +x, 90 from +y; altitude 90 looks straight
// down. Window points have y growing downwards.
#pragma once
#include "gelmar/graphics/core/ViewMatrices.h"
#include "platform/core/Types.h"

namespace gelmar {

// The camera members of a 3D view (names as the views use them).
struct ViewCamera {
    int m_cx = 0, m_cy = 0;   // client size in pixels
    int m_totalView = 1;      // the whole model is shown: the focus is the model centre
    float m_viewAngle = 60.0f; // degrees, across the smaller window side
    float m_focus[3] = {};
    float m_eye[3] = {};
    float m_up[3] = {};
    // The previous view, one step back; m_previousAngle is 0 while none is stored.
    int m_previousTotalView = 1;
    float m_previousAngle = 0.0f;
    float m_previousFocus[3] = {};
    float m_previousAzimuth = 30.0f, m_previousAltitude = 30.0f;
};

// The shared camera angles in degrees, kept in 0..360.
struct ViewAngles {
    float& azimuth;
    float& altitude;
};

// The model centre and the model size (half of the box diagonal).
struct ViewExtent {
    float centre[3] = {};
    float size = 0.0f;
};

// A drag of the mouse: start and current point, and whether it is under way.
struct DragPoints {
    CPoint start, current;
    bool dragging = false;
};

// The smallest view angle Zoom In goes down to, in degrees: a zero angle
// would be a degenerate projection.
constexpr float kMinViewAngle = 1e-4f;

// Brings both angles into 0..360 degrees.
void NormaliseViewAngles(ViewAngles angles);

// Eye on the sphere of radius 2 x size (4 x with far) about the centre;
// stored in m_eye.
void ComputeEyePosition(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, bool far);
// The direction at altitude + 90 degrees, 2 x size long; stored in m_up.
void ComputeUpVector(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent);
// Eye, focus (the centre while the total view is set) and up; the model-view
// matrix of gluLookAt.
GlMatrix CameraMatrix(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, bool far);
// gluPerspective with the view angle across the smaller window side; near
// and far planes at 1 and 3 x size (3 and 5 x size with far).
GlMatrix ProjectionMatrix(const ViewCamera& camera, const ViewExtent& extent, bool far);
// The projection of a 1 x 1 pixel pick region at window point (x, y) (y up,
// as gluPickMatrix takes it), planes at 1 and 3 x size.
GlMatrix PickProjectionMatrix(const ViewCamera& camera, const ViewExtent& extent, double x, double y,
                              const int viewport[4]);
// The forward picture matrix of the pictures (row-major): the window mapping
// of the client size x projection x model-view.
void ForwardPictureMatrix(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, bool far,
                          double forward[16]);

// Previous view := current view.
void SaveView(ViewCamera& camera, ViewAngles angles);
// Exchanges the current and the previous view.
void SwapPreviousView(ViewCamera& camera, ViewAngles angles);
// Total view, 60 degrees, mouse mode rotate; forgetPrevious clears the
// previous view.
void ResetView(ViewCamera& camera, int& mouseMode, bool forgetPrevious);

// Turns the model by the drag since the last step: 180 degrees across the
// smaller window side; the sense reverses with dragMode clear. Nothing in a
// window without a size.
void RotateByDrag(ViewCamera& camera, ViewAngles angles, DragPoints& drag, bool dragMode);
// Moves the focus so that the model point seen at window point p comes to the
// window centre; the eye stays on its sphere.
void PanToCentre(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, CPoint p);
// Pans by the drag since the last step (sense by dragMode).
void PanByDrag(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag,
               bool dragMode);
// Zooms to the rectangle from start to current; false (nothing done) for a
// rectangle without width or height.
bool ZoomToRectangle(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag);
// Saves the view, brings the current point to the centre and halves the
// view angle, down to kMinViewAngle.
void ZoomIn(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag);
// Doubles the view angle up to 60 degrees, where the total view returns and
// a pan mode falls back to rotate; false (nothing done) in the total view.
bool ZoomOut(ViewCamera& camera, ViewAngles angles, int& mouseMode);
// Saves the view, then the total view at 60 degrees in rotate mode.
void ZoomTotal(ViewCamera& camera, ViewAngles angles, int& mouseMode);

enum class ArrowKey { Left, Right, Up, Down };
// The arrow keys: in rotate mode (0) turn by 5 degrees, in pan mode (2) pan
// by an eighth of the smaller window side, both reversed with dragMode
// clear; true when the view changed.
bool MoveByArrowKey(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent, DragPoints& drag,
                    int mouseMode, ArrowKey key, bool dragMode);

// The six values of Zoom Numbers.
struct ZoomNumbers {
    float azimuth = 0, altitude = 0, viewAngle = 60;
    float focus[3] = {};
};
// The values the dialog opens with (the focus is the centre in the total view).
ZoomNumbers CurrentZoomNumbers(const ViewCamera& camera, ViewAngles angles, const ViewExtent& extent);
// Takes the values over; the total view holds exactly when the angle is 60
// and the focus is the model centre.
void ApplyZoomNumbers(ViewCamera& camera, ViewAngles angles, const ViewExtent& extent,
                      const ZoomNumbers& numbers);

} // namespace gelmar
