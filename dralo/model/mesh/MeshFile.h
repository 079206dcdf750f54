// The mesh file "tmp.tri" in the working folder: written at the end of a
// triangulation and read back by every calculation (a calculation that keeps
// the mesh only reads it). Text lines, each led by its letter:
//
//   S <16 × width> <16 × height> 16
//   D <points> <triangles> <border edges> <radiation zones>
//   P <index from 1> <x> <y>                       one per point, 1/16 pixel
//   T <colour> <i1> <i2> <i3>                      one per triangle, colour by
//       colour; the start points of its three sides in cycle order, negative
//       for a side on a contour
//   B <material> <boundary> <zone + 1> <i1> <i2>   one per border edge
//   A <colour> <i1> <i2>                           an outer edge of a free
//       cavity colour (towards the outside or an adiabatic boundary)
//
// Border edges lie between a meshed colour and a boundary colour (or a
// TRANSMAT colour, which is then the boundary), oriented so that the
// boundary colour is on their left.
#pragma once
#include "dralo/model/mesh/Contours.h"
#include "dralo/model/mesh/Triangulation.h"
#include "dralo/model/store/TempFiles.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dralo {

class EngineHost;


struct MeshVertex {
    std::int32_t x = 0, y = 0; // 1/16 pixel
};

struct BorderEdge {
    std::int32_t start = 0, end = 0; // points
    std::uint8_t material = 0, boundary = 0;
    std::int32_t zone = -1; // radiation zone, -1 none
};

// The mesh of a calculation as read from the file, with what the
// calculation derives from it.
struct Mesh {
    std::int32_t width16 = 0, height16 = 0;
    std::vector<MeshVertex> points;
    std::vector<MeshTriangle> triangles;
    std::vector<BorderEdge> borders;
    std::vector<std::int32_t> zoneEdges; // per radiation zone: its border edges

    // BuildMeshNeighbours: the triangle across side k (corner k to k+1),
    // -1 for none; and the triangles at each point (CSR).
    std::vector<std::array<std::int32_t, 3>> neighbours;
    std::vector<std::int32_t> pointTriangleStart, pointTriangles;
};

// The pair's material and boundary colour when its contour gives border
// edges: one colour MATERIAL or EQUIMAT and the other of any other type, or
// a TRANSMAT colour and a boundary colour.
bool BorderEdgeColours(const BitmapModel& m, int a, int b, int& material, int& boundary);

// Writes "tmp.tri" of the working folder from the contours, their points
// and the triangles; EngineError FileOpen when it cannot be written.
void WriteMeshFile(const BitmapModel& m, const ContourSet& c, const std::vector<MeshTriangle>& triangles,
                   const std::string& workFolder);

// Reads "tmp.tri" of the working folder (else the data file's name with ".tri"). Each border
// edge's zone goes to its boundary colour's record, and each colour's first
// triangle and triangle count are taken from the T lines. A missing file is
// EngineError FileOpen, a line that breaks the rules EngineError Syntax with
// its number; the arrays grow with the lines read and the D line's counts
// are only compared with them.
void ReadMeshFile(BitmapModel& m, const std::string& workFolder, Mesh& mesh);

// Links every triangle with the triangles across its sides (the one with
// the side in the opposite direction) and lists the triangles at each
// point; polls Esc every 501st triangle.
void BuildMeshNeighbours(Mesh& mesh, EngineHost& host);

} // namespace dralo
