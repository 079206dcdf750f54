// Support of the listing tests: Gelmar's English string table, small model
// stores built in code, and a listing shown into plain text with the texts
// of its bold and underlined runs.
#pragma once
#include "gelmar/graphics/core/ListingWriter.h"
#include "gelmar/model/calc/RunState.h"
#include "gelmar/model/store/ModelStore.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace gelmar::test {

// Loads resources/gelmar/Gelmar.str once.
void LoadGelmarStrings();

// An empty store of the program's defaults (not the process-wide one).
std::unique_ptr<ModelStore> NewStore();
// Sets the cell widths of an axis and its grid-line coordinates.
void SetAxis(ModelStore& m, int axis, std::initializer_list<float> widths);
BlockRecord& AddBlock(ModelStore& m, int colour, int x1, int x2, int y1, int y2, int z1, int z2);
ColourRecord& UseColour(ModelStore& m, int n, int type, const std::string& name);

struct ShownListing {
    std::string text;
    std::vector<std::string> bold;
    std::vector<std::string> underlined;
    int handOvers = 0;
};
// Runs the listing in display mode and gathers what reaches the window.
ShownListing Show(const std::function<void(ListingWriter&)>& listing);

// A wall of five cells along X (two materials), two along Y and one along
// Z, with a function of every shape kind it lists, three colour types and
// one record or two of every list.
std::unique_ptr<ModelStore> WallModel();
// Three colours with results of a time step on a grid of 2 x 1 x 1 cells.
std::unique_ptr<ModelStore> ResultModel();
// The time of that step (s).
constexpr std::int32_t kResultTime = 3600;

// Work arrays of a grid: every grid point a calculation node numbered in
// x, y, z order with temperature 10 + its number, every cell void unless
// coloured.
struct Work {
    RunState run;
    WorkArrays& w = run.work;
    // The step's time (s).
    explicit Work(const ModelStore& m, std::int32_t time = 0);
    void Colour(const ModelStore& m, int c, int i, int j, int k);
};

// Lines joined with "\n" after each.
std::string Lines(std::initializer_list<std::string> lines);

} // namespace gelmar::test
