// Inserting and deleting the records of the model's lists that the tables
// edit row by row: node, border-face and material BCs, functions, output
// nodes and blocks, report items, sun obstacles, ventilation flows and
// controls. An insert grows a full array by the list's margin and stops, with
// a message, at the most records the data file's reader accepts, so that
// every model the tables make can be saved and opened again.
#pragma once
#include "gelmar/model/store/ModelStore.h"

#include <cstddef>
#include <string>

namespace gelmar {

class EngineHost;

// Most records of a list with a 32-bit count that the data file holds.
constexpr std::size_t kMaxListRecords = 1000000;

enum class ModelList {
    NodeBcs,
    BorderBcs,
    MaterialBcs,
    Functions,
    OutputNodes,
    OutputBlocks,
    ReportItems,
    SunObstacles,
    VentilationFlows,
    Controls,
};

std::size_t ListCount(const ModelStore& m, ModelList list);
// The most records the list may hold.
std::size_t ListLimit(ModelList list);
// The message shown when an insert finds the list at its limit.
std::string ListFullMessage(ModelList list);

// A record with the list's defaults at index `at` (0..count; the later
// records move down). At the limit the message is shown, when the array
// cannot grow "Not enough memory": false then, and nothing changed.
bool InsertListRecord(ModelStore& m, ModelList list, std::size_t at, EngineHost& host);
// Removes record `at` (the later records move up); false when there is none.
bool DeleteListRecord(ModelStore& m, ModelList list, std::size_t at);

} // namespace gelmar
