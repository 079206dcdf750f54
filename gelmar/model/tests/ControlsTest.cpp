// Controls: the checks that stop a run and their message, the switching
// rules with their sensitivities and the zone test, the references a switch
// moves, and a thermostat that keeps a heated room between its set points
// over a run, with and without minimum on and off durations.
#include "gelmar/model/controls/Controls.h"

#include "CalcModel.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <vector>

namespace gelmar::test {
namespace {

// The temperature of the sensor and the control's state after every step.
class ThermostatHost : public NullEngineHost {
  public:
    void ShowTimeStep(long long time, long long, long long) override
    {
        times.push_back(time);
        sensor.push_back(0);
        state.push_back(0);
    }
    void ShowStepTemperatures() override
    {
        if (times.empty())
            return;
        sensor.back() = GetNodeValueAt(engine->model, engine->run.work, 2, 0, 0, 0);
        state.back() = engine->model.controls[0].working.state;
    }
    const Engine* engine = nullptr; // the engine whose run is watched
    std::vector<long long> times;
    std::vector<double> sensor;
    std::vector<int> state;
};

// A room of 0.1 m3 (capacity 1e5 J/K, conductive enough to be at one
// temperature) losing heat through 1 m2 at 5 W/(m2 K) to 0 C outside; a
// heater of 300 W in it (power density P02, P01 = 0 while off).
class ControlsTest : public CalcEngineTest {
  protected:
    static constexpr double kCapacity = 1000.0 * 1000.0 * 0.1;
    static constexpr double kHeater = 300.0, kLoss = 5.0;

    void SetUp() override
    {
        CalcEngineTest::SetUp();
        SetHost(&room);
        room.engine = &engine;
        SetGrid({1.0f, 0.1f}, Uniform(1, 1), Uniform(1, 1));
        Surface(1, 0, static_cast<float>(kLoss));
        ColourRecord& air = Colour(2, MATERIAL, 100.0f);
        air.density = 1000;
        air.heatCapacity = 1000;
        Block(1, 0, 1, 0, 1, 0, 1);
        Block(2, 1, 2, 0, 1, 0, 1);
        MaterialBcRecord& heater = FixedMaterial(2, 0);
        heater.type = 1;
        heater.powerFunc = FunctionName("P01");
        Constant("P01", 0);
        Constant("P02", static_cast<float>(kHeater / 0.1));
        Constant("T01", 20);
        engine.model.outputNodes.count = 1;
        engine.model.outputNodes[0] = OutputNodeRecord{2, 0, 0, 0, 0, 0};
        engine.model.timeStep = 600;
        AddControl();
    }
    FunctionRecord& Constant(const char* name, float value)
    {
        return AppendFunction(engine.model, name, 1, {value});
    }
    // A heating control of the room's heater: target T01, P01 off, P02 on.
    ControlRecord& AddControl()
    {
        const std::size_t n = engine.model.controls.count;
        engine.model.controls.count = static_cast<std::uint16_t>(n + 1);
        ControlRecord& c = engine.model.controls[n];
        c = ControlRecord{};
        c.sensor = 1;
        c.targetFunc = FunctionName("T01");
        c.offFunc = FunctionName("P01");
        c.onFunc = FunctionName("P02");
        return c;
    }
    int FunctionIndex(const char* name)
    {
        for (int f = 0; f < engine.model.functions.count; ++f)
            if (engine.model.functions[f].name == FunctionName(name))
                return f;
        return -1;
    }
    // Indices of the steps at which the control switched on.
    std::vector<std::size_t> SwitchOns() const
    {
        std::vector<std::size_t> on;
        for (std::size_t n = 1; n < room.state.size(); ++n)
            if (room.state[n] && !room.state[n - 1])
                on.push_back(n);
        return on;
    }
    // Lengths of the runs of equal states, the last (cut off) one left out.
    std::vector<std::pair<int, int>> Runs() const
    {
        std::vector<std::pair<int, int>> runs; // state, steps
        for (std::size_t n = 1; n < room.state.size(); ++n) {
            if (runs.empty() || runs.back().first != room.state[n])
                runs.push_back({room.state[n], 0});
            ++runs.back().second;
        }
        if (!runs.empty())
            runs.pop_back();
        return runs;
    }

    ThermostatHost room;
};

struct ControlErrorCase {
    const char* name;
    void (*spoil)(ModelStore&, ControlRecord&);
};

TEST_F(ControlsTest, BadControlsStopTheRunNamingTheControl)
{
    const ControlErrorCase cases[] = {
        {"no sensor", [](ModelStore&, ControlRecord& c) { c.sensor = 0; }},
        {"sensor beyond the output nodes",
         [](ModelStore& m, ControlRecord& c) {
             m.outputNodes[1] = OutputNodeRecord{2, 0, 0, 0, 0, 0}; // beyond the count
             c.sensor = 2;
         }},
        {"negative sensor", [](ModelStore&, ControlRecord& c) { c.sensor = -1; }},
        {"missing target", [](ModelStore&, ControlRecord& c) { c.targetFunc = FunctionName("T07"); }},
        {"functions of two kinds", [](ModelStore&, ControlRecord& c) { c.onFunc = FunctionName("T01"); }},
        {"one function for both", [](ModelStore&, ControlRecord& c) { c.onFunc = FunctionName("P01"); }},
        {"missing off function", [](ModelStore&, ControlRecord& c) { c.offFunc = FunctionName("P05"); }},
        {"missing on function", [](ModelStore&, ControlRecord& c) { c.onFunc = FunctionName("P05"); }},
        {"sensor where no node is",
         [](ModelStore& m, ControlRecord& c) {
             m.outputNodes.count = 2;
             m.outputNodes[1] = OutputNodeRecord{0, 0, 0, 0, 0, 0}; // outside only
             c.sensor = 2;
         }},
    };
    for (const ControlErrorCase& c : cases) {
        room.messages.clear();
        engine.model.outputNodes.count = 1;
        engine.model.controls.count = 0;
        AddControl();
        ControlRecord& second = AddControl();
        c.spoil(engine.model, second);
        EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed)
            << c.name;
        ASSERT_FALSE(room.messages.empty()) << c.name;
        EXPECT_EQ(room.messages.back(), "Error in control no. 2") << c.name;
        EXPECT_TRUE(room.times.empty()) << c.name;
    }
}

TEST_F(ControlsTest, ZoneTestNeedsTwoDifferentZoneColours)
{
    Constant("V01", 0);
    Constant("V02", 0.1f);
    Surface(5, 10, 0);
    ControlRecord& c = engine.model.controls[0];
    c.offFunc = FunctionName("V01");
    c.onFunc = FunctionName("V02");
    c.testDeltaT = 1;
    const std::pair<int, int> zones[] = {{5, 5}, {5, 2}, {5, 9}, {-1, 5}};
    for (const auto& [zone1, zone2] : zones) {
        c.zone1 = static_cast<std::int16_t>(zone1);
        c.zone2 = static_cast<std::int16_t>(zone2);
        room.messages.clear();
        EXPECT_EQ(RunCalcSystem(engine.model, engine.run, engine.history, Host()), CalcSystemResult::Failed)
            << zone1 << " " << zone2;
        ASSERT_FALSE(room.messages.empty());
        EXPECT_EQ(room.messages.back(), "Error in control no. 1");
    }
    // Without a ventilation function the zones are not looked at.
    c.offFunc = FunctionName("P01");
    c.onFunc = FunctionName("P02");
    EXPECT_TRUE(Run());
}

struct SwitchCase {
    int purpose;
    bool on;       // state before
    double sensor; // C; target 20, sensitivities 1
    bool wantOn;
};

TEST_F(ControlsTest, SwitchingFollowsTheSensitivities)
{
    ASSERT_TRUE(Run()); // the node arrays of the room
    const SwitchCase cases[] = {
        {HEATING, false, 18.9, true}, {HEATING, false, 19.0, false}, {HEATING, false, 20.5, false},
        {HEATING, true, 20.9, true},  {HEATING, true, 21.0, false},  {HEATING, true, 25.0, false},
        {COOLING, false, 21.1, true}, {COOLING, false, 21.0, false}, {COOLING, false, 19.5, false},
        {COOLING, true, 19.1, true},  {COOLING, true, 19.0, false},  {COOLING, true, 15.0, false},
    };
    const int p01 = FunctionIndex("P01"), p02 = FunctionIndex("P02");
    for (const SwitchCase& s : cases) {
        ControlRecord& c = engine.model.controls[0];
        c.purpose = s.purpose;
        ResolveFunctionReferences(engine.model, engine.run);
        EvaluateControls(engine.model, engine.run);
        EvaluateControlTargets(engine.model, engine.run);
        if (s.on) {
            c.working.state = 1;
            ApplyControlState(engine.model, 0, true);
        }
        std::fill(engine.run.work.solution.begin(), engine.run.work.solution.end(), s.sensor);
        engine.run.calcTime = 600;
        EXPECT_EQ(ApplyControls(engine.model, engine.run), s.on != s.wantOn)
            << s.purpose << " " << s.on << " " << s.sensor;
        EXPECT_EQ(c.working.state, s.wantOn ? 1 : 0);
        EXPECT_EQ(engine.model.materialBcs[0].working.function, s.wantOn ? p02 : p01);
    }
}

struct ZoneCase {
    int purpose;
    double sensor, zone1, zone2;
    bool wantOn;
};

TEST_F(ControlsTest, VentilationControlTestsTheZoneDifference)
{
    ASSERT_TRUE(Run());
    Constant("V01", 0.0f);
    Constant("V02", 0.25f);
    Surface(5, 0, 0);                      // zone 1: temp
    ColourRecord& sky = Colour(6, BC_SKY); // zone 2: tair
    Colour(7, BC_FRE_S);
    engine.model.ventFlowCount = 0;
    VentilationFlowRecord& flow = engine.model.ventFlows[engine.model.ventFlowCount++];
    flow = VentilationFlowRecord{};
    flow.colourFrom = 5;
    flow.colourTo = 7;
    flow.flowFunc = FunctionName("V01");
    ControlRecord& c = engine.model.controls[0];
    c.offFunc = FunctionName("V01");
    c.onFunc = FunctionName("V02");
    c.testDeltaT = 1;
    c.deltaT = 3;
    c.zone1 = 5;
    c.zone2 = 6;
    const ZoneCase cases[] = {
        {HEATING, 15, 25, 20, true}, {HEATING, 15, 22, 20, false}, {HEATING, 20.5, 25, 20, false},
        {COOLING, 25, 15, 20, true}, {COOLING, 25, 18, 20, false}, {COOLING, 19.5, 15, 20, false},
    };
    for (const ZoneCase& z : cases) {
        c.purpose = z.purpose;
        engine.model.colours[5].temperature = static_cast<float>(z.zone1);
        sky.airTemperature = static_cast<float>(z.zone2);
        ResolveFunctionReferences(engine.model, engine.run);
        EvaluateControls(engine.model, engine.run);
        EvaluateColourFunctions(engine.model, engine.run, false);
        std::fill(engine.run.work.solution.begin(), engine.run.work.solution.end(), z.sensor);
        engine.run.calcTime = 600;
        ApplyControls(engine.model, engine.run);
        EXPECT_EQ(c.working.state, z.wantOn ? 1 : 0) << z.purpose << " " << z.zone1;
        EvaluateColourFunctions(engine.model, engine.run, false);
        EXPECT_FLOAT_EQ(flow.flow, z.wantOn ? 0.25f : 0.0f);
    }
}

TEST_F(ControlsTest, SwitchMovesEveryReferenceToTheOffFunction)
{
    ASSERT_TRUE(Run());
    ColourRecord& cavity = Colour(7, BC_FRE_S);
    cavity.qConvectiveFunc = FunctionName("P01");
    NodeBcRecord& node = NodeBc(1, 0, 0, 0);
    node.powerFunc = FunctionName("P01");
    engine.model.materialBcs[0].powerFunc = FunctionName("P02"); // the "on" function: not linked
    ControlRecord& second = AddControl();                        // also switches P01: the later control wins
    second.onFunc = FunctionName("P03");
    Constant("P03", 7);
    ResolveFunctionReferences(engine.model, engine.run);
    EvaluateControls(engine.model, engine.run);
    EXPECT_EQ(cavity.working.control[kFnQConvective], 1);
    EXPECT_EQ(cavity.working.control[kFnHeatCapacity], -1);
    EXPECT_EQ(node.working.control, 1);
    EXPECT_EQ(engine.model.materialBcs[0].working.control, -1);
    ApplyControlState(engine.model, 1, true);
    EvaluateColourFunctions(engine.model, engine.run, false);
    EXPECT_FLOAT_EQ(cavity.qConvective, 7);
    EXPECT_FLOAT_EQ(node.power, 7);
    ApplyControlState(engine.model, 1, false);
    EvaluateColourFunctions(engine.model, engine.run, false);
    EXPECT_FLOAT_EQ(cavity.qConvective, 0);
}

TEST_F(ControlsTest, ThermostatKeepsTheRoomBetweenItsSetPoints)
{
    engine.model.calcDuration = 48 * 3600;
    ASSERT_TRUE(Run());
    ASSERT_EQ(room.times.size(), 289u);
    // Each switch (and each step without one) follows from the temperature
    // the step began with.
    for (std::size_t n = 1; n < room.state.size(); ++n) {
        const double before = room.sensor[n - 1];
        const bool wasOn = room.state[n - 1] != 0, on = room.state[n] != 0;
        if (wasOn)
            EXPECT_EQ(on, before < 21.0) << n << " " << before;
        else
            EXPECT_EQ(on, before < 19.0) << n << " " << before;
    }
    // Once warm the room stays within the set points widened by the most one
    // step can change: the heater's 300 W, or the loss at 23 C.
    const double rise = kHeater * 600 / kCapacity, fall = kLoss * 23 * 600 / kCapacity;
    const std::vector<std::size_t> ons = SwitchOns();
    ASSERT_GE(ons.size(), 3u);
    std::size_t warm = 0;
    while (room.sensor[warm] < 19.0)
        ++warm;
    for (std::size_t n = warm; n < room.sensor.size(); ++n) {
        EXPECT_GT(room.sensor[n], 19.0 - fall) << n;
        EXPECT_LT(room.sensor[n], 21.0 + rise) << n;
    }
}

TEST_F(ControlsTest, MinimumDurationsHoldTheState)
{
    ControlRecord& c = engine.model.controls[0];
    c.timeOn = 60;  // six steps of 600 s
    c.timeOff = 90; // nine
    engine.model.calcDuration = 48 * 3600;
    ASSERT_TRUE(Run());
    const std::vector<std::pair<int, int>> runs = Runs();
    ASSERT_GE(runs.size(), 4u);
    for (const auto& [on, steps] : runs)
        EXPECT_GE(steps, on ? 6 : 9) << on;
    // Held on past the upper set point: the room overshoots it.
    double highest = 0;
    for (double t : room.sensor)
        highest = std::max(highest, t);
    EXPECT_GT(highest, 21.0 + kHeater * 600 / kCapacity);
}

} // namespace
} // namespace gelmar::test
