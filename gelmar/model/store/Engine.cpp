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

void ResetModel(Engine& e)
{
    FreeWorkArrays(e.run, WorkGroup::AfterEdit);
    FreeWorkArrays(e.run, WorkGroup::Calculation);
    e.run.solutionValid = false;
    e.run.calcTime = 0;
    e.run.solarResults = false;
    e.run.resultsValid = false;
    ResetView(e.view, e.parameters);
    ResetModel(e.model, e.parameters);
}

void FreeModel(Engine& e)
{
    FreeWorkArrays(e.run, WorkGroup::AfterEdit);
    FreeWorkArrays(e.run, WorkGroup::Calculation);
    FreeFaceList(e.view);
    e.view.outlines.Free();
    FreeModel(e.model);
}

} // namespace gelmar
