// Scripted answers for tests: while enabled, message boxes and file dialogs
// do not open but take the next queued answer (or their default button), and
// dialogs run the next queued script once they are up. Every message box
// text is recorded.
#pragma once
#include "platform/ui/Defs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDialog;

namespace platform {

struct ShownMessage {
    std::string text;
    std::string caption;
    UINT style = 0;
    int answer = 0;
};

class TestHook {
  public:
    static TestHook& Get();
    void Enable(bool on = true) { enabled_ = on; }
    bool Enabled() const { return enabled_; }
    // Clears every queue and record and switches the hook off.
    void Reset();

    void PushMessageBoxAnswer(int id) { boxAnswers_.push_back(id); }
    // Runs on the open dialog (after OnInitDialog); a dialog the script
    // leaves open ends as IDCANCEL.
    void PushDialogScript(std::function<void(CDialog&)> script)
    {
        dialogScripts_.push_back(std::move(script));
    }
    // The paths the next file dialog returns; an empty list is Cancel.
    void PushFileDialogAnswer(std::vector<std::string> paths) { fileAnswers_.push_back(std::move(paths)); }
    // The next print dialog answers OK with a printer that writes this PDF
    // file; an empty path (or no answer queued) is Cancel.
    void PushPrintDialogAnswer(std::string pdfPath) { printAnswers_.push_back(std::move(pdfPath)); }
    // The colour the next colour dialog returns; none is Cancel (as is no
    // answer queued).
    void PushColorDialogAnswer(std::optional<COLORREF> colour) { colourAnswers_.push_back(colour); }

    const std::vector<ShownMessage>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }

    // Used by the platform.
    std::optional<int> AnswerMessageBox(const std::string& text, const std::string& caption, UINT style);
    std::function<void(CDialog&)> NextDialogScript();
    std::optional<std::vector<std::string>> NextFileDialogAnswer();
    std::optional<std::string> NextPrintDialogAnswer();
    std::optional<std::optional<COLORREF>> NextColorDialogAnswer();

  private:
    bool enabled_ = false;
    std::deque<int> boxAnswers_;
    std::deque<std::function<void(CDialog&)>> dialogScripts_;
    std::deque<std::vector<std::string>> fileAnswers_;
    std::deque<std::string> printAnswers_;
    std::deque<std::optional<COLORREF>> colourAnswers_;
    std::vector<ShownMessage> messages_;
};

} // namespace platform
