// The process-wide sink of user messages.
#include "common/core/UserMessage.h"

#include <cstdio>
#include <utility>

namespace common {
namespace {
UserMessageSink& Sink()
{
    static UserMessageSink sink;
    return sink;
}
} // namespace

UserMessageSink SetUserMessageSink(UserMessageSink sink)
{
    return std::exchange(Sink(), std::move(sink));
}

void ShowUserMessage(const std::string& text)
{
    if (Sink())
        Sink()(text);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace common
