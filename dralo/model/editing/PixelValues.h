// Convert Pixel Values: renumbers the pixels of a bitmap drawn elsewhere
// with other colour numbers, by a table of "old new" lines.
#pragma once
#include "dralo/model/editing/EditSession.h"

#include <array>
#include <string>

namespace dralo {

using PixelValueMap = std::array<int, kColourCount>; // -1: not given

// Reads the lines "%d %d" of the file: a pair is taken when both numbers
// are 0..255, other lines are skipped. A file that cannot be opened is
// EngineError FileOpen with the path.
void ConvertPixelValues(const std::string& path, PixelValueMap& map);
// Every value without an entry takes the smallest number not yet a new
// value of the map (each assignment counting for the next), then every
// pixel p becomes map[p].
void ApplyPixelValueMap(BitmapModel& m, PixelValueMap& map);
// The command: the file read and applied, then the end of a whole-bitmap
// edit; message 260 and no change when the file cannot be read.
bool ConvertPixelValuesCommand(EditSession& s, const std::string& path);

} // namespace dralo
