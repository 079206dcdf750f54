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

std::size_t GraphFunctionCount();
// The function of a 1-based row of the Functions table; null when the row
// holds none.
const FunctionRecord* GraphFunctionAtRow(int row);
// From minus the start-up duration to the calculation duration.
CalculationSpan GraphCalculationSpan();

// The data of one file function, loaded with only that function marked
// for loading; the mark is cleared again when the object goes. A table or
// file that cannot be read leaves the data empty and keeps the engine's
// message.
class GraphFunctionData {
  public:
    explicit GraphFunctionData(const FunctionRecord& f);
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

// The sample points of a function over request's range (its letter, shape
// and parameters are taken from the record), its file loaded for it. A
// table or file that cannot be read, also one met while sampling a chain of
// files, gives no points and the engine's message in *error.
std::vector<SamplePoint> SampleGraphFunction(const FunctionRecord& f, SampleRequest request,
                                             std::string* error);

} // namespace gelmar
