// Defaults of the seams: a clear message that the import is not available.
#include "gelmar/app/ModelSeams.h"

#include "gelmar/model/store/EngineHost.h"

namespace gelmar {

namespace {

ModelSeams Defaults()
{
    ModelSeams s;
    s.importFile = [](const std::string&) {
        Host().MessageBox("Import of this file format is not available.", MessageStyle::Ok);
        return false;
    };
    return s;
}

} // namespace

ModelSeams& Seams()
{
    static ModelSeams seams = Defaults();
    return seams;
}

void ResetSeams()
{
    Seams() = Defaults();
}

} // namespace gelmar
