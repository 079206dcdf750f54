// File Open with a preview and the Batch Calculation selection. The preview
// is told which file to draw through the model's data-file path; that path
// is restored when the dialog closes, so that a file that was only looked at
// never becomes the file a later Save writes to.
#include "gelmar/app/FileDialogs.h"

#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

CPreviewFileDlg::CPreviewFileDlg(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                                 DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags | OFN_ENABLETEMPLATE, lpszFilter,
                  pParentWnd)
{
    m_ofn.Flags |= OFN_ENABLETEMPLATE;
    m_ofn.lpTemplateName = IDD_PREVIEW_FILE;
}

CPreviewFileDlg::~CPreviewFileDlg()
{
    delete m_pPreview;
}

int CPreviewFileDlg::DoModal()
{
    m_savedDataFilePath = TheEngine().model.dataFilePath;
    const int result = CFileDialog::DoModal();
    TheEngine().model.dataFilePath = m_savedDataFilePath;
    return result;
}

void CPreviewFileDlg::DoDataExchange(CDataExchange* pDX)
{
    CFileDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREVIEW_PLACE, m_placeholder);
}

BOOL CPreviewFileDlg::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    auto* preview = new CPreviewWnd;
    if (!preview->Create("Preview", WS_CHILD, CRect(0, 0, 1, 1), this, IDC_PREVIEW_WINDOW)) {
        delete preview;
        return TRUE;
    }
    m_pPreview = preview;
    // The preview takes the placeholder's place (this dialog lays itself
    // out, so the place is known only once it is shown).
    if (m_placeholder.GetSafeHwnd())
        m_pPreview->TakePlaceOf(&m_placeholder);
    m_pPreview->ShowWindow(SW_SHOW);
    return TRUE;
}

void CPreviewFileDlg::PreviewCurrentFile()
{
    TheEngine().model.dataFilePath = GetPathName();
    if (m_pPreview)
        m_pPreview->Invalidate();
}

void CPreviewFileDlg::OnFileNameChange()
{
    CFileDialog::OnFileNameChange();
    PreviewCurrentFile();
}

void CPreviewFileDlg::OnFolderChange()
{
    CFileDialog::OnFolderChange();
    PreviewCurrentFile();
}

void CPreviewFileDlg::OnDestroy()
{
    CFileDialog::OnDestroy();
    if (m_pPreview) {
        m_pPreview->DestroyWindow();
        delete m_pPreview;
        m_pPreview = nullptr;
    }
}

CDlgFileBatch::CDlgFileBatch(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                             DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd)
{
    m_ofn.lpstrTitle = platform::LoadString(IDS_BATCH_TITLE);
}

BOOL CDlgFileBatch::OnInitDialog()
{
    CFileDialog::OnInitDialog();
    SetControlText(IDOK, platform::LoadString(IDS_BATCH_START));
    return TRUE;
}

} // namespace gelmar
