// Checks, links and switching of the controls.
#include "gelmar/model/controls/Controls.h"
#include "gelmar/model/calc/RunState.h"

#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/ventilation/Ventilation.h"

#include <cctype>
#include <cmath>
#include <string>

namespace gelmar {

namespace {

int FindFunction(ModelStore& model, const FunctionName& name)
{
    if (name.IsNone())
        return -1;
    for (std::size_t f = 0; f < model.functions.count; ++f)
        if (model.functions[f].name == name) {
            model.functions[f].inUse = 1;
            return static_cast<int>(f);
        }
    return -1;
}

char Letter(const FunctionName& name)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(name.text[0])));
}

bool IsZoneColour(ModelStore& model, int colour)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const ColourRecord& c = model.colours[static_cast<std::size_t>(colour)];
    return c.inUse && !IsConductiveType(c.type);
}

// The sensor's output node; nullptr when the number names none.
const OutputNodeRecord* Sensor(ModelStore& model, const ControlRecord& c)
{
    if (c.sensor < 1 || c.sensor > model.outputNodes.count)
        return nullptr;
    return &model.outputNodes[static_cast<std::size_t>(c.sensor - 1)];
}

// Temperature of a zone colour for the temperature-difference test.
double ZoneTemperature(ModelStore& model, RunState& run, int colour)
{
    const ColourRecord& c = model.colours[static_cast<std::size_t>(colour)];
    switch (c.type) {
    case BC_SIMPL:
        return c.temperature;
    case BC_FREE:
    case BC_FRE_S:
        return ColourAirTemperature(model, run, colour);
    default:
        return c.airTemperature;
    }
}

void CheckControl(ModelStore& model, RunState& run, int n)
{
    ControlRecord& c = model.controls[static_cast<std::size_t>(n)];
    ControlWorkingValues& w = c.working;
    // Both variants must exist: an unresolved "off" function would link
    // every value without a function, an unresolved "on" one would freeze
    // the values it switches.
    if (c.sensor == 0 || w.target < 0 || Letter(c.offFunc) != Letter(c.onFunc) || c.offFunc == c.onFunc ||
        w.off < 0 || w.on < 0)
        throw EngineError::Control(n);
    w.testDeltaT = Letter(c.offFunc) == 'V' ? c.testDeltaT : 0;
    w.state = 0;
    w.onDuration = static_cast<std::int32_t>(std::lround(c.timeOn * 60.0));
    w.offDuration = static_cast<std::int32_t>(std::lround(c.timeOff * 60.0));
    w.switchedOn = w.switchedOff = ControlWorkingValues{}.switchedOn;
    if (w.testDeltaT != 0 && (c.zone1 == c.zone2 || !IsZoneColour(model, c.zone1) || !IsZoneColour(model, c.zone2)))
        throw EngineError::Control(n);
    const OutputNodeRecord* sensor = Sensor(model, c);
    if (!sensor || GetNodeIndex(model, run.work, sensor->i, sensor->j, sensor->k) == -1)
        throw EngineError::Control(n);
}

// The control whose "off" function a reference names; -1 for none (the last
// matching control wins).
int LinkOf(ModelStore& model, std::int32_t reference)
{
    int link = -1;
    if (reference < 0)
        return link;
    for (int n = 0; n < model.controls.count; ++n)
        if (model.controls[static_cast<std::size_t>(n)].working.off == reference)
            link = n;
    return link;
}

void LinkControls(ModelStore& model)
{
    for (ColourRecord& c : model.colours)
        for (int slot = 0; slot < kColourFunctionCount; ++slot)
            c.working.control[slot] = LinkOf(model, c.working.function[slot]);
    for (std::int32_t n = 0; n < model.nodeBcs.count; ++n)
        model.nodeBcs[n].working.control = LinkOf(model, model.nodeBcs[n].working.function);
    for (std::int32_t n = 0; n < model.materialBcs.count; ++n)
        model.materialBcs[n].working.control = LinkOf(model, model.materialBcs[n].working.function);
    for (int n = 0; n < model.ventFlowCount; ++n) {
        VentilationFlowRecord& flow = model.ventFlows[static_cast<std::size_t>(n)];
        flow.working.control = LinkOf(model, flow.working.function);
    }
}

} // namespace

void ResolveControlReferences(ModelStore& model)
{
    for (std::size_t n = 0; n < model.controls.count; ++n) {
        ControlRecord& c = model.controls[n];
        c.working.target = FindFunction(model, c.targetFunc);
        c.working.off = FindFunction(model, c.offFunc);
        c.working.on = FindFunction(model, c.onFunc);
    }
}

void EvaluateControlTargets(ModelStore& model, RunState& run)
{
    for (std::size_t n = 0; n < model.controls.count; ++n) {
        ControlWorkingValues& w = model.controls[n].working;
        if (w.target >= 0)
            w.targetValue = EvaluateFunction(model, run, w.target, run.calcTime);
    }
}

void EvaluateControls(ModelStore& model, RunState& run)
{
    for (int n = 0; n < model.controls.count; ++n)
        CheckControl(model, run, n);
    LinkControls(model);
}

bool ApplyControls(ModelStore& model, RunState& run)
{
    const long long t = run.calcTime;
    bool switched = false;
    for (int n = 0; n < model.controls.count; ++n) {
        const ControlRecord& c = model.controls[static_cast<std::size_t>(n)];
        ControlWorkingValues& w = model.controls[static_cast<std::size_t>(n)].working;
        const bool on = w.state != 0;
        if (on && t < static_cast<long long>(w.switchedOn) + w.onDuration)
            continue;
        if (!on && t < static_cast<long long>(w.switchedOff) + w.offDuration)
            continue;
        const OutputNodeRecord* sensor = Sensor(model, c);
        if (!sensor)
            continue;
        const double ts = GetNodeValueAt(model, run.work, sensor->i, sensor->j, sensor->k, 0);
        const double tt = w.targetValue;
        bool want = false;
        if (c.purpose == COOLING) {
            want = on ? ts > tt - c.sensitivityDown : ts > tt + c.sensitivityUp;
            if (w.testDeltaT != 0)
                want = want && ZoneTemperature(model, run, c.zone1) <= ZoneTemperature(model, run, c.zone2) - c.deltaT;
        } else {
            want = on ? ts < tt + c.sensitivityUp : ts < tt - c.sensitivityDown;
            if (w.testDeltaT != 0)
                want = want && ZoneTemperature(model, run, c.zone1) >= ZoneTemperature(model, run, c.zone2) + c.deltaT;
        }
        if (want == on)
            continue;
        w.state = want ? 1 : 0;
        (want ? w.switchedOn : w.switchedOff) = static_cast<std::int32_t>(t);
        ApplyControlState(model, n, want);
        switched = true;
    }
    return switched;
}

void ApplyControlState(ModelStore& model, int n, bool on)
{
    const ControlWorkingValues& w = model.controls[static_cast<std::size_t>(n)].working;
    const std::int32_t reference = on ? w.on : w.off;
    for (ColourRecord& c : model.colours)
        for (int slot = 0; slot < kColourFunctionCount; ++slot)
            if (c.working.control[slot] == n)
                c.working.function[slot] = reference;
    for (std::int32_t r = 0; r < model.nodeBcs.count; ++r)
        if (model.nodeBcs[r].working.control == n)
            model.nodeBcs[r].working.function = reference;
    for (std::int32_t r = 0; r < model.materialBcs.count; ++r)
        if (model.materialBcs[r].working.control == n)
            model.materialBcs[r].working.function = reference;
    for (int r = 0; r < model.ventFlowCount; ++r) {
        FlowWorkingValues& flow = model.ventFlows[static_cast<std::size_t>(r)].working;
        if (flow.control == n)
            flow.function = reference;
    }
}

} // namespace gelmar
