// Stand-ins of the graphics windows not built yet: the isoflux flag.
#include "gelmar/app/GraphViews.h"

namespace gelmar {

bool g_isofluxActive = false;

void EndIsofluxDrawing()
{
    g_isofluxActive = false;
}

} // namespace gelmar
