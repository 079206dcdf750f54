// The Esc check.
#include "dralo/model/store/EngineHost.h"

#include "dralo/model/store/Errors.h"

namespace dralo {

void CheckEscAbort(EngineHost& host)
{
    if (host.EscPressed())
        throw EscAbort{};
    host.StepProgress();
}

} // namespace dralo
