// The model operations the application calls that live with other parts of
// the engine (undo history, grid checks, the engine's runs and checks, model
// edits, imports). Each is a replaceable function: the defaults below do what
// the application can do on its own, and are pointed at the engine's
// functions as those join the build. Tests replace them with fakes.
#pragma once
#include <functional>
#include <string>

namespace gelmar {

struct ModelSeams {
    // Undo history: clear it, save a record of a kind (-1: a baseline after
    // a whole-model change), step back and forward.
    std::function<void()> clearUndo;
    std::function<void(int kind)> saveUndo;
    std::function<bool()> canUndo;
    std::function<bool()> canRedo;
    std::function<void()> undo;
    std::function<void()> redo;

    // Model checks.
    std::function<bool()> isMinimumGrid;
    std::function<bool()> hasRuleColours;
    std::function<bool()> hasTemperatureDependentMaterials;
    // The view-factor file of the model: "tmp.vwf" when it exists, else the
    // data file's own ".vwf".
    std::function<std::string()> viewFactorFile;

    // The engine's runs, started by the progress windows. A failure sets the
    // error code and throws common::EngineException, as does Esc.
    std::function<void()> runTransient;
    std::function<void()> runViewFactors;
    std::function<void()> runSolarFluxes;
    // Writes the report rows collected so far (after an interrupted run).
    std::function<void()> writeReportOutput;
    // Frees the calculation work arrays of group 0 (after every run).
    std::function<void()> freeWorkArrays;
    // Frees what an interrupted transient run leaves allocated.
    std::function<void()> freeRunData;
    // True when the last run left a temperature solution in memory.
    std::function<bool()> temperaturesInMemory;

    // The reporting forms of the engine's checks, for the error codes whose
    // message names a colour, a cell, a flow or a control (4, 5, 7, 10, 11, 12).
    std::function<void(int code)> reportCheckError;

    // Model edits behind the document's commands.
    std::function<void(int axis, int xPos, int yPos, int zPos)> revolve;
    std::function<void()> reduceToClip;
    std::function<void(int voidColour)> convertVoidToBlocks;
    // True when some cell of the grid holds no block.
    std::function<bool()> hasVoidCells;
    // The line of the last syntax error of a file read by the engine.
    std::function<int()> syntaxErrorLine;

    // Reads a file of another program's format into the store; false (after
    // a message) when it cannot.
    std::function<bool(const std::string& path)> importFile;
};

// The seams in use.
ModelSeams& Seams();
// Puts every seam back to its default.
void ResetSeams();

} // namespace gelmar
