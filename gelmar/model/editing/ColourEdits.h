// The edits of the Colours table on the model store: stepping a colour's
// type and rule, the value columns with their function letters and formats,
// a typed name, a material from the database, Paste Row, the two cavity
// emissivities kept in an equivalent material's name, and Split Zones, which
// gives every face-connected region of a colour a colour of its own.
#pragma once
#include "gelmar/model/editing/CellEntry.h"
#include "gelmar/model/store/ModelStore.h"

#include <optional>
#include <string>
#include <string_view>

namespace gelmar {

class EngineHost;
struct RunState;

// The type after `type` in the order the Type column steps through:
// MATERIAL, EQUIMAT, BC_SIMPL, BC_FRE_S, BC_FREE, BC_SKY, BC_NOSKY, TRANSMAT.
int NextColourType(int type);
// The last rule number of a type (0 for the types that show no rule).
int LastRuleOfType(int type);
// Steps the colour's type (every type but MATERIAL and TRANSMAT starts at
// rule 0) or its rule (wrapping to 0; an EQUIMAT colour's L function reset).
void StepColourType(ModelStore& m, int colour);
void StepColourRule(ModelStore& m, int colour);

// A value column of the Colours table: the value, its function reference and
// the letters that may refer to a function ("" for none), the reference's
// default, and the decimals it is shown with (-1: the "%g" form).
struct ColourValueColumn {
    int column;
    float ColourRecord::*value;
    FunctionName ColourRecord::*reference; // null when the value takes no function
    const char* letters;
    const char* defaultName;
    int decimals;
};
// The column's description, or null for a column that holds no value.
const ColourValueColumn* FindColourValueColumn(int column);
// What a value column shows for the colour (the conductivity column shows
// the L reference, else the M reference, else the number).
std::string ColourValueText(const ColourRecord& colour, const ColourValueColumn& column);
// The stored number of a value column, as an editor starts from it.
float ColourValue(const ColourRecord& colour, const ColourValueColumn& column);
// Stores what was typed into a value column: a function reference of the
// column's letters, or a number (which resets the reference; the
// conductivity resets both L and M). A text that is neither changes nothing.
// False when nothing was stored.
bool StoreColourValue(ModelStore& m, int colour, int column, std::string_view text);

// A name the data file holds back exactly: Windows-1252 characters without
// controls, at most 250 bytes.
bool NameFitsDataFile(std::string_view name);
inline constexpr char kNameDoesNotFit[] =
    "The name cannot be stored in the data file: it may hold no control characters, only "
    "characters of the Western European character set, and at most 250 of them.";

// The material of the database as the focused colour: a MATERIAL with rule
// 0, the material's name, pattern (0 becomes 1), conductivity, density,
// specific heat and solar factors (the transmission taken relative to what
// the reflection lets through, at most 1), all its references reset.
struct MaterialProperties {
    std::string name;
    int pattern = 0;
    float conductivity = 0, density = 0, heatCapacity = 0;
    float solarReflection = 0, solarTransmission = 0;
};
void LoadMaterialIntoColour(ModelStore& m, int colour, const MaterialProperties& material);

// Paste Row: the target takes the source's type, rule, name, pattern, values
// (not density and specific heat), solar factors and every function
// reference; not the solar flag, the display colour or the in-use flag.
void PasteColourRow(ModelStore& m, int target, int source);

// The two emissivities of a cavity as its name holds them ("e1=%f e2=%f");
// 0.9 and 0.9 when the name holds no valid pair (each within 0.001..1).
struct CavityEmissivities {
    float e1 = 0.9f, e2 = 0.9f;
};
CavityEmissivities ReadCavityEmissivities(std::string_view name);
std::string FormatCavityEmissivities(float e1, float e2);

// Split Zones of colour `colour`: every face-connected region of its cells
// gets its own colour, the first free one at or after `firstNew` and then
// after the colour used last, with blocks built over its cells and the
// colour's properties; the blocks of `colour` then go. With too few free
// colours the regions made so far keep their colours and `colour` keeps its
// blocks (shortage set).
struct SplitZonesResult {
    int firstNewColour = -1; // -1 when no region was made
    int zones = 0;
    bool shortage = false;
};
SplitZonesResult SplitColourZones(ModelStore& m, RunState& run, EngineHost& host, int colour, int firstNew);
inline constexpr char kNotEnoughFreeColours[] = "Warning : Not enough free colours";

} // namespace gelmar
