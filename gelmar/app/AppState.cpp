// The process-wide application settings.
#include "gelmar/app/AppState.h"

namespace gelmar {

AppState g_app;

} // namespace gelmar
