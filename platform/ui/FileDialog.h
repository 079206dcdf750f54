// File dialogs (open, save, multi-select) with an optional child area built
// from a dialog template (a preview beside the file list). After OK the
// chosen file's folder becomes the working folder, as the system's dialogs
// made it.
#pragma once
#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

class QFileDialog;

class CFileDialog : public CDialog {
  public:
    // lpszFilter: "Text (*.txt)|*.txt|All (*.*)|*.*||"; lpszFileName may hold a
    // folder and a wildcard name ("/data/*.glm").
    CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);
    int DoModal() override;

    // The chosen path (while the dialog is open: the one under the cursor).
    std::string GetPathName() const;
    std::string GetFileName() const;
    std::string GetFileExt() const;
    std::string GetFileTitle() const;
    std::string GetFolderPath() const;
    // Every chosen path, in the dialog's order.
    std::vector<std::string> GetPathNames() const { return m_paths; }

    // Sets a text of the dialog; IDOK is its accept button.
    void SetControlText(UINT nID, const std::string& text);
    virtual void OnFileNameChange() {}
    virtual void OnFolderChange() {}

    struct {
        DWORD Flags = 0;
        std::string lpstrTitle;
        UINT lpTemplateName = 0; // template id of the child area (OFN_ENABLETEMPLATE)
    } m_ofn;

  protected:
    BOOL CreateDialogWindow(CWnd* pParent) override;

  private:
    BOOL m_bOpenFileDialog;
    std::string m_defExt;
    std::string m_fileName;
    std::string m_filter;
    std::vector<std::string> m_paths;
    std::string m_current;
    QFileDialog* m_dialog = nullptr;
};
