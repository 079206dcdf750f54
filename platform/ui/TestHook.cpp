// Scripted answers for message boxes and dialogs in tests.
#include "platform/ui/TestHook.h"

namespace platform {

TestHook& TestHook::Get()
{
    static TestHook hook;
    return hook;
}

void TestHook::Reset()
{
    enabled_ = false;
    boxAnswers_.clear();
    dialogScripts_.clear();
    fileAnswers_.clear();
    printAnswers_.clear();
    colourAnswers_.clear();
    messages_.clear();
}

std::optional<int> TestHook::AnswerMessageBox(const std::string& text, const std::string& caption, UINT style)
{
    if (!enabled_)
        return std::nullopt;
    int answer;
    if (!boxAnswers_.empty()) {
        answer = boxAnswers_.front();
        boxAnswers_.pop_front();
    } else {
        // The default button of the style.
        bool second = style & MB_DEFBUTTON2;
        switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            answer = second ? IDCANCEL : IDOK;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            answer = second ? IDNO : IDYES;
            break;
        case MB_RETRYCANCEL:
            answer = second ? IDCANCEL : IDRETRY;
            break;
        case MB_ABORTRETRYIGNORE:
            answer = second ? IDRETRY : IDABORT;
            break;
        default:
            answer = IDOK;
            break;
        }
    }
    messages_.push_back({text, caption, style, answer});
    return answer;
}

std::function<void(CDialog&)> TestHook::NextDialogScript()
{
    if (!enabled_ || dialogScripts_.empty())
        return nullptr;
    auto s = std::move(dialogScripts_.front());
    dialogScripts_.pop_front();
    return s;
}

std::optional<std::vector<std::string>> TestHook::NextFileDialogAnswer()
{
    if (!enabled_)
        return std::nullopt;
    if (fileAnswers_.empty())
        return std::vector<std::string>{};
    auto a = std::move(fileAnswers_.front());
    fileAnswers_.pop_front();
    return a;
}

std::optional<std::string> TestHook::NextPrintDialogAnswer()
{
    if (!enabled_)
        return std::nullopt;
    if (printAnswers_.empty())
        return std::string();
    std::string a = std::move(printAnswers_.front());
    printAnswers_.pop_front();
    return a;
}

std::optional<std::optional<COLORREF>> TestHook::NextColorDialogAnswer()
{
    if (!enabled_)
        return std::nullopt;
    if (colourAnswers_.empty())
        return std::optional<COLORREF>{};
    const std::optional<COLORREF> a = colourAnswers_.front();
    colourAnswers_.pop_front();
    return a;
}

} // namespace platform
