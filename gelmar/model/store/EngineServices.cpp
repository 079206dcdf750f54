// Error messages, Esc check, temporary files and duration texts.
#include "gelmar/model/store/EngineServices.h"

#include "common/core/ErrorCode.h"
#include "gelmar/model/calc/FiniteChecks.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/radiation/CavityChecks.h"
#include "gelmar/model/store/EngineHost.h"
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace gelmar {

namespace {
int g_syntaxErrorLine = 0;
}

void RaiseSyntaxError(int line)
{
    g_syntaxErrorLine = line;
    common::RaiseError(kErrorSyntax);
}

std::string ErrorMessage(int code, int line)
{
    if (line < 0)
        line = g_syntaxErrorLine;
    switch (code) {
    case kErrorMemory:
        return "Not enough memory";
    case kErrorFileOpen:
        return "Failed to open file\n" + g_model.sharedPath;
    case kErrorSyntax:
        return "Syntax error in file " + g_model.sharedPath + "\nLine " + std::to_string(line);
    case kErrorSeparatedZones:
    case kErrorDifferentBcTypes:
    case kErrorTransmatBesideVoid:
        return CavityErrorMessage(code);
    case kErrorSolarFunctions:
    case kErrorSolarContact:
        return SolarErrorMessage(code);
    case kErrorGridLength:
    case kErrorNotFiniteAssembly:
    case kErrorNotFiniteSolve:
    case kErrorNotFiniteResults:
        return FiniteCheckMessage(code, g_model, g_run);
    default:
        return {};
    }
}

void ReportOutOfMemory()
{
    Host().MessageBox(ErrorMessage(kErrorMemory), MessageStyle::Ok);
}
void ReportOpenFailure()
{
    Host().MessageBox(ErrorMessage(kErrorFileOpen), MessageStyle::Ok);
}
void ReportSyntaxError(int line)
{
    Host().MessageBox(ErrorMessage(kErrorSyntax, line), MessageStyle::Ok);
}

bool FileExists()
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(g_model.sharedPath), ec);
}

void CheckEscAbort()
{
    if (Host().EscPressed())
        common::RaiseAbort();
    Host().StepProgress();
}

void RemoveTempFiles()
{
    for (const char* name : {"tmp.sol", "tmp.flx", "tmp.vwf"}) {
        std::error_code ec;
        std::filesystem::remove(name, ec);
    }
}

std::string FormatTimeDHMS(long long t)
{
    long long d = 0, h = 0, m = 0, s = 0;
    if (t > 0) {
        s = t % 60;
        m = (t / 60) % 60;
        h = (t / 3600) % 24;
        d = t / 86400;
        if (d > 9999)
            d = 9999;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04lld:%02lld:%02lld:%02lld", d, h, m, s);
    return buf;
}

long long ParseTimeDHMS(const std::string& text)
{
    // Fields of at most 4, 2, 2 and 2 characters, each after optional blanks.
    const int widths[4] = {4, 2, 2, 2};
    long long v[4] = {};
    std::size_t p = 0;
    for (int f = 0; f < 4; ++f) {
        while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
            ++p;
        int taken = 0;
        bool negative = false;
        if (p < text.size() && (text[p] == '-' || text[p] == '+')) {
            negative = text[p] == '-';
            ++p;
            ++taken;
        }
        int digits = 0;
        long long value = 0;
        while (p < text.size() && taken < widths[f] && text[p] >= '0' && text[p] <= '9') {
            value = value * 10 + (text[p] - '0');
            ++p;
            ++taken;
            ++digits;
        }
        if (digits == 0)
            return 0;
        v[f] = negative ? -value : value;
    }
    return ((v[0] * 24 + v[1]) * 60 + v[2]) * 60 + v[3];
}

} // namespace gelmar
