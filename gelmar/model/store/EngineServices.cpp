// Error messages shown by commands, Esc check, temporary files and duration texts.
#include "gelmar/model/store/EngineServices.h"

#include "gelmar/model/store/EngineHost.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace gelmar {

void ShowError(EngineHost& host, const EngineError& error)
{
    host.MessageBox(error.Message(), MessageStyle::Ok);
}

void ReportOutOfMemory(EngineHost& host)
{
    ShowError(host, EngineError::Memory());
}
void ReportOpenFailure(EngineHost& host, const std::string& path)
{
    ShowError(host, EngineError::FileOpen(path));
}
void ReportSyntaxError(EngineHost& host, const std::string& path, int line)
{
    ShowError(host, EngineError::Syntax(path, line));
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(path), ec);
}

void CheckEscAbort(EngineHost& host)
{
    if (host.EscPressed())
        common::RaiseAbort();
    host.StepProgress();
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
