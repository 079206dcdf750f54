// Everything the function graph reads of the model, in one place: the
// functions by table row, the calculation span, and the property table or
// time series of a file function loaded for drawing.
#pragma once
#include "gelmar/graphics/core/FunctionGraphRange.h"
#include "gelmar/graphics/core/FunctionSampling.h"
#include "gelmar/model/store/Records.h"

#include <cstddef>
#include <string>

namespace gelmar {

struct ModelStore;
struct RunState;

std::size_t GraphFunctionCount(const ModelStore& model);
// The function of a 1-based row of the Functions table; null when the row
// holds none.
const FunctionRecord* GraphFunctionAtRow(const ModelStore& model, int row);
// From minus the start-up duration to the calculation duration.
CalculationSpan GraphCalculationSpan(const ModelStore& model);

// The data of one file function f of the model, loaded into the run's
// function tables with only that function marked for loading; the mark is
// cleared again when the object goes. A table or file that cannot be read
// leaves the data empty and keeps the engine's message. The model and the
// run outlive the object.
class GraphFunctionData {
  public:
    GraphFunctionData(ModelStore& model, RunState& run, const FunctionRecord& f);
    ~GraphFunctionData();
    GraphFunctionData(const GraphFunctionData&) = delete;
    GraphFunctionData& operator=(const GraphFunctionData&) = delete;

    const FunctionSampleData& Data() const { return m_data; }
    const std::string& Error() const { return m_error; }

  private:
    FunctionRecord* m_record = nullptr;
    FunctionSampleData m_data;
    std::string m_error;
};

// The sample points of a function f of the model over request's range (its
// letter, shape and parameters are taken from the record), its file loaded
// for it into the run. A table or file that cannot be read, also one met
// while sampling a chain of files, gives no points and the engine's message
// in *error.
std::vector<SamplePoint> SampleGraphFunction(ModelStore& model, RunState& run, const FunctionRecord& f,
                                             SampleRequest request, std::string* error);

} // namespace gelmar
