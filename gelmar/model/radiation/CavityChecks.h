// The cavity checks of the radiation set-up: a colour in two separated
// cavities, a cavity touching a boundary colour of another type, and a
// transparent material beside void space. A fault ends the work with an
// EngineError that names its colour and cell.
#pragma once

namespace kernels {
struct CavityFault;
}

namespace gelmar {

struct ModelStore;

// Throws the fault's error (codes 4, 5 or 12), its cell shown as the model
// shows its axes; nothing for no fault.
void RaiseCavityFault(const ModelStore& m, const kernels::CavityFault& fault);

} // namespace gelmar
