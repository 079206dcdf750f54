// The Esc check and what a host without windows does with a message.
#include "common/core/EngineHost.h"

#include <cstdio>

namespace common {

void CheckEscAbort(EngineHostBase& host)
{
    if (host.EscPressed())
        throw EscAbort{};
    host.StepProgress();
}

MessageAnswer KeepMessage(std::vector<std::string>& messages, bool echo, std::string_view text, MessageStyle style)
{
    messages.emplace_back(text);
    if (echo)
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return style == MessageStyle::YesNo || style == MessageStyle::YesNoCancel ? MessageAnswer::Yes
                                                                                : MessageAnswer::Ok;
}

} // namespace common
