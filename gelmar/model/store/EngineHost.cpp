// The process-wide engine host and the null host.
#include "gelmar/model/store/EngineHost.h"

#include <cstdio>

namespace gelmar {

namespace {
NullEngineHost g_nullHost;
EngineHost* g_host = &g_nullHost;
} // namespace

MessageAnswer NullEngineHost::MessageBox(std::string_view text, MessageStyle style)
{
    messages.emplace_back(text);
    if (m_echo)
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    switch (style) {
    case MessageStyle::YesNo:
    case MessageStyle::YesNoCancel:
        return MessageAnswer::Yes;
    case MessageStyle::Ok:
    case MessageStyle::OkCancel:
        break;
    }
    return MessageAnswer::Ok;
}

WorkOutcome EngineHost::RunProgressWindow(ProgressWindow, ModelStore&, RunState&, const ProgressWork& work)
{
    return work();
}

EngineHost& Host()
{
    return *g_host;
}
void SetHost(EngineHost* host)
{
    g_host = host ? host : &g_nullHost;
}

} // namespace gelmar
