// The CEN terms of an unventilated air cavity that do not depend on the
// program: the conduction and convection coefficients of the cavity air,
// the large-cavity convection coefficient, and the two face emissivities an
// EQUIMAT colour's name may give as "e1=%f e2=%f".
#pragma once
#include <string>

namespace dralo {

// h_a = con1 / b (0 for b = 0); for a cavity at least 5 mm thick (d) the
// convection term con2 ΔT^con3 replaces it when larger.
double CavityAirCoefficient(double con1, double con2, double con3, double b, double d, double deltaT);
// 2 con2 ΔT^con3: convection at a large cavity's surface.
double LargeCavityCoefficient(double con2, double con3, double deltaT);
// The emissivities e1 and e2 of a name "e1=%f e2=%f", each limited to
// 0.001..1; 0.9 for both when the name does not give both.
void CavityEmissivities(const std::string& name, double& e1, double& e2);

} // namespace dralo
