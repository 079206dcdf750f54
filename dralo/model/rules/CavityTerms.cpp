// CEN cavity terms.
#include "dralo/model/rules/CavityTerms.h"

#include "common/core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace dralo {

double CavityAirCoefficient(double con1, double con2, double con3, double b, double d, double deltaT)
{
    double ha = b != 0 ? con1 / b : 0.0;
    if (d >= 0.005) {
        const double h2 = b != 0 ? con2 * std::pow(deltaT, con3) : 0.0;
        ha = std::max(ha, h2);
    }
    return ha;
}

double LargeCavityCoefficient(double con2, double con3, double deltaT)
{
    return 2.0 * con2 * std::pow(deltaT, con3);
}

void CavityEmissivities(const std::string& name, double& e1, double& e2)
{
    e1 = e2 = 0.9;
    const char* p = name.c_str();
    if (std::strncmp(p, "e1=", 3) != 0)
        return;
    p += 3;
    float a = 0, b = 0;
    if (!common::ScanFloat(p, a))
        return;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (std::strncmp(p, "e2=", 3) != 0)
        return;
    p += 3;
    if (!common::ScanFloat(p, b))
        return;
    e1 = std::clamp<double>(a, 0.001, 1.0);
    e2 = std::clamp<double>(b, 0.001, 1.0);
}

} // namespace dralo
