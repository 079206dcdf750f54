// Messages of the cavity checks.
#include "gelmar/model/radiation/CavityChecks.h"

#include "common/core/ErrorCode.h"
#include "common/kernels/RadiationZones.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"

#include <cstdio>

namespace gelmar {

namespace {
struct {
    int colour = 0;
    int i = 0, j = 0, k = 0;
} g_fault;
} // namespace

void ReportSystemError(int colour, int i, int j, int k)
{
    g_fault = {colour, i, j, k};
}

void ReportSystemError()
{
    const std::string text = CavityErrorMessage(common::ErrorCode());
    if (!text.empty())
        Host().MessageBox(text, MessageStyle::Ok);
}

std::string CavityErrorMessage(int code)
{
    const char* format = nullptr;
    switch (code) {
    case kErrorSeparatedZones:
        format = "BC (colour %d) occurs in separated zones.";
        break;
    case kErrorDifferentBcTypes:
        format = "BC (colour %d) touches other BC of different type.";
        break;
    case kErrorTransmatBesideVoid:
        format = "TRANSMAT (colour %d) bordering void space.\n";
        break;
    default:
        return {};
    }
    char first[96];
    std::snprintf(first, sizeof first, format, g_fault.colour);
    char second[96];
    if (g_model.rcl) {
        const long long nz = g_model.axes[2].n;
        std::snprintf(second, sizeof second, "See R=%lld, C=%lld, L=%lld.", 2LL * g_fault.i + 1,
                      2LL * g_fault.j + 1, 2 * (nz - g_fault.k) + 1);
    } else {
        std::snprintf(second, sizeof second, "See X=%d, Y=%d, Z=%d.", g_fault.i, g_fault.j, g_fault.k);
    }
    std::string text = first;
    if (text.back() != '\n')
        text += '\n';
    return text + second;
}

void RaiseCavityFault(const kernels::CavityFault& fault)
{
    int code = 0;
    switch (fault.error) {
    case kernels::CavityError::None:
        return;
    case kernels::CavityError::SeparatedZones:
        code = kErrorSeparatedZones;
        break;
    case kernels::CavityError::DifferentBcTypes:
        code = kErrorDifferentBcTypes;
        break;
    case kernels::CavityError::TransparentBesideVoid:
        code = kErrorTransmatBesideVoid;
        break;
    }
    ReportSystemError(fault.colour, fault.i, fault.j, fault.k);
    common::RaiseError(code);
}

} // namespace gelmar
