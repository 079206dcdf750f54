// The windowless host's message box.
#include "common/core/HostMessages.h"

#include <cstdio>

namespace common {

MessageAnswer KeepMessage(std::vector<std::string>& messages, bool echo, std::string_view text, MessageStyle style)
{
    messages.emplace_back(text);
    if (echo)
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    return style == MessageStyle::YesNo || style == MessageStyle::YesNoCancel ? MessageAnswer::Yes
                                                                                : MessageAnswer::Ok;
}

} // namespace common
