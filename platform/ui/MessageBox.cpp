// Message boxes over QMessageBox.
#include "platform/ui/MessageBox.h"

#include "platform/core/StringTable.h"
#include "platform/ui/App.h"
#include "platform/ui/TestHook.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace platform {

int ShowMessageBox(const std::string& text, const std::string& caption, UINT type)
{
    std::string title = caption;
    if (title.empty())
        title = AfxGetApp() ? AfxGetApp()->m_pszAppName : std::string();
    if (auto answer = TestHook::Get().AnswerMessageBox(text, title, type))
        return *answer;
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    struct Button {
        QMessageBox::StandardButton qt;
        int id;
    };
    std::vector<Button> buttons;
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = {
            {QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
        break;
    case MB_RETRYCANCEL:
        buttons = {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
        break;
    default:
        buttons = {{QMessageBox::Ok, IDOK}};
        break;
    }
    QMessageBox::StandardButtons all;
    for (const auto& b : buttons)
        all |= b.qt;
    box.setStandardButtons(all);
    size_t def = (type & MB_DEFBUTTON2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(buttons[def].qt);
    int result = box.exec();
    for (const auto& b : buttons)
        if (b.qt == result)
            return b.id;
    // Closed without a button: the Cancel or No answer the style has.
    for (const auto& b : buttons)
        if (b.id == IDCANCEL)
            return IDCANCEL;
    return buttons.size() == 1 ? IDOK : IDNO;
}

} // namespace platform

int AfxMessageBox(const std::string& text, UINT nType, UINT)
{
    return platform::ShowMessageBox(text, {}, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT)
{
    return platform::ShowMessageBox(platform::LoadString(nIDPrompt), {}, nType);
}
