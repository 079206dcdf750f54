// Moving a block point with the points equal to it (Link Equal Points).
#pragma once
#include "parven/model/store/ShapeModel.h"

namespace parven {

// With the session's Link Equal Points switch on and the position changed:
// every defining point of every SOLID block (a box's P1 and P8, a
// parallelepiped's P1..P4, a hexahedron's eight) that equals the old position
// exactly takes the new one; such a block has its corners derived again and
// its edit marks cleared (ClearBlockEditFlags).
void MoveLinkedPoints(ShapeModel& m, const float from[3], const float to[3]);

} // namespace parven
