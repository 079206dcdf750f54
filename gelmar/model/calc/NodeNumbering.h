// Node numbering of the grid points and the structure of the node matrix:
// boundary records get the numbers -2, -3, ... (node BCs, then border-face
// BCs, then material BCs, one number per record), grid points touching a
// conductive cell get the calculation nodes 0, 1, ...; the matrix couples
// each calculation node with its axis neighbours and the zone rows.
#pragma once
#include "common/kernels/KernelTypes.h"

#include <cstdint>

namespace gelmar {

class EngineHost;
struct RunState;

struct ModelStore;
struct WorkArrays;

// Fills the node-index array (the cell array must exist) and sets G and N.
void BuildNodeNumbering(ModelStore& model, RunState& run, EngineHost& host);
// Builds the matrix pattern from the conduction and zone links, sizing every
// row from its real number of links, and allocates the matrix and vectors.
void BuildMatrixPattern(ModelStore& model, RunState& run, EngineHost& host);

// Temperature of node n at level 0 (current) or 1 (previous): the solution
// for a calculation node, the record's temperature for a boundary node.
double GetNodeValue(const ModelStore& model, const WorkArrays& work, std::int32_t n, int level);
double GetNodeValueAt(const ModelStore& model, const WorkArrays& work, int i, int j, int k, int level);

// True for the conductive colour types (MATERIAL, EQUIMAT, TRANSMAT).
bool IsConductiveType(int type);
// True when cell (i, j, k) has a colour of a conductive type.
bool IsConductiveCell(ModelStore& model, RunState& run, int i, int j, int k);

} // namespace gelmar
