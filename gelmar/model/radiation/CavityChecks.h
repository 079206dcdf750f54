// The cavity checks of the radiation set-up: a colour in two separated
// cavities, a cavity touching a boundary colour of another type, and a
// transparent material beside void space. The check that finds a fault keeps
// its colour and cell and raises the code; the command that started the work
// shows the message.
#pragma once
#include <string>

namespace kernels {
struct CavityFault;
}

namespace gelmar {

enum : int {
    kErrorSeparatedZones = 4,
    kErrorDifferentBcTypes = 5,
    kErrorTransmatBesideVoid = 12,
};

// Keeps the colour and the cell that the message of a cavity code names.
void ReportSystemError(int colour, int i, int j, int k);
// Shows the message of the pending cavity code in a message box (OK).
void ReportSystemError();

// The message of a cavity code with the kept colour and cell: its first line,
// then "See X=.., Y=.., Z=.." or, while the model is shown with rows, columns
// and layers, "See R=.., C=.., L=..".
std::string CavityErrorMessage(int code);

// Keeps the fault's colour and cell and raises its code; nothing for no fault.
void RaiseCavityFault(const kernels::CavityFault& fault);

} // namespace gelmar
