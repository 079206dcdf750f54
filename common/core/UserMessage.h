// Messages that shared components show to the user ("Read error", "Color
// quantization error!"). The Qt-free code cannot open a message box, so it
// hands the text to a sink that the application installs; without one the
// text goes to standard error, as the command-line drivers want.
#pragma once
#include <functional>
#include <string>

namespace common {

using UserMessageSink = std::function<void(const std::string& text)>;

// Installs the sink (an empty function restores the default); returns the
// previous one so that tests can restore it.
UserMessageSink SetUserMessageSink(UserMessageSink sink);

void ShowUserMessage(const std::string& text);

} // namespace common
