// Checks, links and switching of the controls.
#include "gelmar/model/controls/Controls.h"

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

int FindFunction(const FunctionName& name)
{
    if (name.IsNone())
        return -1;
    for (std::size_t f = 0; f < g_model.functions.count; ++f)
        if (g_model.functions[f].name == name) {
            g_model.functions[f].inUse = 1;
            return static_cast<int>(f);
        }
    return -1;
}

char Letter(const FunctionName& name)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(name.text[0])));
}

bool IsZoneColour(int colour)
{
    if (colour < 0 || colour >= kColourCount)
        return false;
    const ColourRecord& c = g_model.colours[static_cast<std::size_t>(colour)];
    return c.inUse && !IsConductiveType(c.type);
}

// The sensor's output node; nullptr when the number names none.
const OutputNodeRecord* Sensor(const ControlRecord& c)
{
    if (c.sensor < 1 || c.sensor > g_model.outputNodes.count)
        return nullptr;
    return &g_model.outputNodes[static_cast<std::size_t>(c.sensor - 1)];
}

// Temperature of a zone colour for the temperature-difference test.
double ZoneTemperature(int colour)
{
    const ColourRecord& c = g_model.colours[static_cast<std::size_t>(colour)];
    switch (c.type) {
    case BC_SIMPL:
        return c.temperature;
    case BC_FREE:
    case BC_FRE_S:
        return ColourAirTemperature(colour);
    default:
        return c.airTemperature;
    }
}

void CheckControl(int n)
{
    ControlRecord& c = g_model.controls[static_cast<std::size_t>(n)];
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
    if (w.testDeltaT != 0 && (c.zone1 == c.zone2 || !IsZoneColour(c.zone1) || !IsZoneColour(c.zone2)))
        throw EngineError::Control(n);
    const OutputNodeRecord* sensor = Sensor(c);
    if (!sensor || GetNodeIndex(sensor->i, sensor->j, sensor->k) == -1)
        throw EngineError::Control(n);
}

// The control whose "off" function a reference names; -1 for none (the last
// matching control wins).
int LinkOf(std::int32_t reference)
{
    int link = -1;
    if (reference < 0)
        return link;
    for (int n = 0; n < g_model.controls.count; ++n)
        if (g_model.controls[static_cast<std::size_t>(n)].working.off == reference)
            link = n;
    return link;
}

void LinkControls()
{
    for (ColourRecord& c : g_model.colours)
        for (int slot = 0; slot < kColourFunctionCount; ++slot)
            c.working.control[slot] = LinkOf(c.working.function[slot]);
    for (std::int32_t n = 0; n < g_model.nodeBcs.count; ++n)
        g_model.nodeBcs[n].working.control = LinkOf(g_model.nodeBcs[n].working.function);
    for (std::int32_t n = 0; n < g_model.materialBcs.count; ++n)
        g_model.materialBcs[n].working.control = LinkOf(g_model.materialBcs[n].working.function);
    for (int n = 0; n < g_model.ventFlowCount; ++n) {
        VentilationFlowRecord& flow = g_model.ventFlows[static_cast<std::size_t>(n)];
        flow.working.control = LinkOf(flow.working.function);
    }
}

} // namespace

void ResolveControlReferences()
{
    for (std::size_t n = 0; n < g_model.controls.count; ++n) {
        ControlRecord& c = g_model.controls[n];
        c.working.target = FindFunction(c.targetFunc);
        c.working.off = FindFunction(c.offFunc);
        c.working.on = FindFunction(c.onFunc);
    }
}

void EvaluateControlTargets()
{
    for (std::size_t n = 0; n < g_model.controls.count; ++n) {
        ControlWorkingValues& w = g_model.controls[n].working;
        if (w.target >= 0)
            w.targetValue = EvaluateFunction(w.target, g_run.calcTime);
    }
}

void EvaluateControls()
{
    for (int n = 0; n < g_model.controls.count; ++n)
        CheckControl(n);
    LinkControls();
}

bool ApplyControls()
{
    const long long t = g_run.calcTime;
    bool switched = false;
    for (int n = 0; n < g_model.controls.count; ++n) {
        const ControlRecord& c = g_model.controls[static_cast<std::size_t>(n)];
        ControlWorkingValues& w = g_model.controls[static_cast<std::size_t>(n)].working;
        const bool on = w.state != 0;
        if (on && t < static_cast<long long>(w.switchedOn) + w.onDuration)
            continue;
        if (!on && t < static_cast<long long>(w.switchedOff) + w.offDuration)
            continue;
        const OutputNodeRecord* sensor = Sensor(c);
        if (!sensor)
            continue;
        const double ts = GetNodeValueAt(sensor->i, sensor->j, sensor->k, 0);
        const double tt = w.targetValue;
        bool want = false;
        if (c.purpose == COOLING) {
            want = on ? ts > tt - c.sensitivityDown : ts > tt + c.sensitivityUp;
            if (w.testDeltaT != 0)
                want = want && ZoneTemperature(c.zone1) <= ZoneTemperature(c.zone2) - c.deltaT;
        } else {
            want = on ? ts < tt + c.sensitivityUp : ts < tt - c.sensitivityDown;
            if (w.testDeltaT != 0)
                want = want && ZoneTemperature(c.zone1) >= ZoneTemperature(c.zone2) + c.deltaT;
        }
        if (want == on)
            continue;
        w.state = want ? 1 : 0;
        (want ? w.switchedOn : w.switchedOff) = static_cast<std::int32_t>(t);
        ApplyControlState(n, want);
        switched = true;
    }
    return switched;
}

void ApplyControlState(int n, bool on)
{
    const ControlWorkingValues& w = g_model.controls[static_cast<std::size_t>(n)].working;
    const std::int32_t reference = on ? w.on : w.off;
    for (ColourRecord& c : g_model.colours)
        for (int slot = 0; slot < kColourFunctionCount; ++slot)
            if (c.working.control[slot] == n)
                c.working.function[slot] = reference;
    for (std::int32_t r = 0; r < g_model.nodeBcs.count; ++r)
        if (g_model.nodeBcs[r].working.control == n)
            g_model.nodeBcs[r].working.function = reference;
    for (std::int32_t r = 0; r < g_model.materialBcs.count; ++r)
        if (g_model.materialBcs[r].working.control == n)
            g_model.materialBcs[r].working.function = reference;
    for (int r = 0; r < g_model.ventFlowCount; ++r) {
        FlowWorkingValues& flow = g_model.ventFlows[static_cast<std::size_t>(r)].working;
        if (flow.control == n)
            flow.function = reference;
    }
}

} // namespace gelmar
