// The null host and the Esc check.
#include "dralo/model/store/EngineHost.h"

#include "dralo/model/store/Errors.h"

#include <cstdio>

namespace dralo {

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

void CheckEscAbort(EngineHost& host)
{
    if (host.EscPressed())
        throw EscAbort{};
    host.StepProgress();
}

} // namespace dralo
