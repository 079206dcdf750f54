// The engine state of a program and its life cycle.
#include "gelmar/model/store/Engine.h"

namespace gelmar {

Engine::Engine(EngineHost& h) : host(h)
{
    ResetEngineState(*this);
}

void ResetEngineState(Engine& e)
{
    e.history.Clear();
    e.run = RunState{};
    ResetView(e.view, e.parameters);
    ResetModel(e.model, e.parameters);
    ClearPendingError();
}

namespace {
NullEngineHost& TransitionHost()
{
    static NullEngineHost host;
    return host;
}
} // namespace

Engine g_engine(TransitionHost());
ModelStore& g_model = g_engine.model;
ViewState& g_view = g_engine.view;
WorkArrays& g_work = g_engine.run.work;
RunState& g_run = g_engine.run;
SolarState& g_solar = g_engine.run.solar;
SunState& g_sun = g_engine.run.sun;
RadiationSet& g_radiation = g_engine.run.radiation;
std::vector<FunctionFileTable>& g_functionFiles = g_engine.run.functions.files;
int& g_siteFromFile = g_engine.run.functions.siteFromFile;
SolarInterpolation& g_solarInterpolation = g_engine.run.functions.solarInterpolation;
std::vector<PropertyTable>& g_propertyTables = g_engine.run.functions.propertyTables;
ParameterSet& g_parameters = g_engine.parameters;
CurrentOutputSettings& g_currentOutput = g_engine.output;
bool& g_parametersChanged = g_engine.parametersChanged;
ColourScale& g_colourScale = g_engine.colourScale;

void ResetModel(Engine& e)
{
    FreeWorkArrays(e.run, 1);
    FreeWorkArrays(e.run, 0);
    e.run.solutionValid = false;
    e.run.calcTime = 0;
    e.run.solarResults = false;
    e.run.resultsValid = false;
    ResetView(e.view, e.parameters);
    ResetModel(e.model, e.parameters);
}

void FreeModel(Engine& e)
{
    FreeWorkArrays(e.run, 1);
    FreeWorkArrays(e.run, 0);
    FreeFaceList(e.view);
    e.view.outlines.Free();
    FreeModel(e.model);
}

void ResetModel()
{
    ResetModel(g_engine);
}

void FreeModel()
{
    FreeModel(g_engine);
}

} // namespace gelmar
