// Message boxes as the engines ask for them through their hosts, and what a
// host without windows (tests, command-line drivers) does with them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace common {

enum class MessageStyle { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Keeps the message, writes it to standard error when echo is set, and
// answers as a user who wants the work to go on would (OK, Yes).
MessageAnswer KeepMessage(std::vector<std::string>& messages, bool echo, std::string_view text, MessageStyle style);

// What a windowless host keeps: the messages (echoed when asked), the
// progress steps, and an Esc press a test simulates.
struct WindowlessHost {
    explicit WindowlessHost(bool echoToStderr) : echo(echoToStderr) {}
    MessageAnswer Keep(std::string_view text, MessageStyle style) { return KeepMessage(messages, echo, text, style); }

    std::vector<std::string> messages;
    long progressSteps = 0;
    bool escPressed = false;
    bool echo;
};

} // namespace common
