// Models with ventilation flows for the network tests: flows and functions
// written into the store, and a host that records the run's time steps.
#pragma once
#include "CalcModel.h"
#include "gelmar/model/radiation/RadiatingFaces.h"
#include "gelmar/model/radiation/ViewFactorFile.h"

#include <functional>
#include <vector>

namespace gelmar::test {

class VentilationHost : public NullEngineHost {
  public:
    void ShowTimeStep(long long time, long long, long long) override { times.push_back(time); }
    void ShowStepTemperatures() override
    {
        if (afterStep)
            afterStep();
    }

    std::vector<long long> times;
    std::function<void()> afterStep;
};

class VentilationTest : public CalcEngineTest {
  protected:
    void SetUp() override
    {
        CalcEngineTest::SetUp();
        SetHost(&vent);
    }
    VentilationFlowRecord& Flow(int from, int to, float flow)
    {
        VentilationFlowRecord& f =
            engine.model.ventFlows[static_cast<std::size_t>(engine.model.ventFlowCount++)];
        f = VentilationFlowRecord{};
        f.colourFrom = static_cast<std::int16_t>(from);
        f.colourTo = static_cast<std::int16_t>(to);
        f.flow = flow;
        return f;
    }
    FunctionRecord& Constant(const char* name, float value)
    {
        return AppendFunction(engine.model, name, 1, {value});
    }
    // A cavity colour of air (1.2 kg/m3, 1000 J/(kg K)) with the given
    // surface coefficient.
    ColourRecord& Cavity(int c, float h)
    {
        ColourRecord& r = Colour(c, BC_FRE_S);
        r.hGlobal = h;
        r.density = 1.2f;
        r.heatCapacity = 1000.0f;
        return r;
    }
    std::string Messages() const
    {
        std::string all;
        for (const std::string& m : vent.messages)
            all += m + "|";
        return all;
    }

    VentilationHost vent;
};

} // namespace gelmar::test
