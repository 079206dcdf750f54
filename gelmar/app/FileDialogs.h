// The two file dialogs of the File menu: File Open with a preview pane that
// follows the file under the cursor, and the multi-selection dialog of Batch
// Calculation whose OK button reads "Start".
#pragma once
#include "platform/ui/FileDialog.h"

#include <memory>
#include <string>

namespace gelmar {

class CPreviewWnd;

class CPreviewFileDlg : public CFileDialog {
  public:
    CPreviewFileDlg(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                    const char* lpszFileName = nullptr,
                    DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                    CWnd* pParentWnd = nullptr);
    ~CPreviewFileDlg() override;
    int DoModal() override;
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnFileNameChange() override;
    void OnFolderChange() override;
    void OnDestroy() override;

    CPreviewWnd* m_pPreview = nullptr;
    CButton m_placeholder;

  private:
    void PreviewCurrentFile();
    // The data-file path before the dialog; it comes back when the dialog
    // closes, so that a file only previewed never becomes the model's file.
    std::string m_savedDataFilePath;
};

class CDlgFileBatch : public CFileDialog {
  public:
    CDlgFileBatch(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr, const char* lpszFileName = nullptr,
                  DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* lpszFilter = nullptr,
                  CWnd* pParentWnd = nullptr);
    BOOL OnInitDialog() override;
    // Room for the chosen names (characters).
    static constexpr int kMaxFileChars = 10000;
};

} // namespace gelmar
