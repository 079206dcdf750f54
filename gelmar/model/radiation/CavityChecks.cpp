// The errors of the cavity checks.
#include "gelmar/model/radiation/CavityChecks.h"

#include "common/kernels/RadiationZones.h"
#include "gelmar/model/store/Errors.h"
#include "gelmar/model/store/ModelStore.h"

namespace gelmar {

void RaiseCavityFault(const ModelStore& m, const kernels::CavityFault& fault)
{
    ErrorCode code = ErrorCode::None;
    switch (fault.error) {
    case kernels::CavityError::None:
        return;
    case kernels::CavityError::SeparatedZones:
        code = ErrorCode::SeparatedZones;
        break;
    case kernels::CavityError::DifferentBcTypes:
        code = ErrorCode::DifferentBcTypes;
        break;
    case kernels::CavityError::TransparentBesideVoid:
        code = ErrorCode::TransmatBesideVoid;
        break;
    }
    throw EngineError::CavityFault(code, fault.colour,
                                   {fault.i, fault.j, fault.k, m.rcl != 0, static_cast<int>(m.axes[2].n)});
}

} // namespace gelmar
