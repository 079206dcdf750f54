// Documents, views and document templates.
#include "platform/ui/DocView.h"

#include "platform/core/Folders.h"
#include "platform/core/StringTable.h"
#include "platform/ui/App.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PrintDialog.h"

#include <QWidget>
#include <algorithm>
#include <set>

CDocument::CDocument() = default;

CDocument::~CDocument()
{
    for (CView* v : m_views)
        v->m_pDocument = nullptr;
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(const std::string& title)
{
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::SetPathName(const std::string& path, BOOL bAddToMRU)
{
    m_strPathName = path;
    size_t slash = path.find_last_of('/');
    SetTitle(slash == std::string::npos ? path : path.substr(slash + 1));
    if (bAddToMRU && AfxGetApp())
        AfxGetApp()->AddToRecentFileList(path);
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char*)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char*)
{
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd*)
{
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE; // the last view going must not delete us midway
    std::vector<CFrameWnd*> frames;
    for (CView* v : m_views)
        if (CFrameWnd* f = v->GetParentFrame();
            f && std::find(frames.begin(), frames.end(), f) == frames.end())
            frames.push_back(f);
    for (CFrameWnd* f : frames)
        f->DestroyWindow();
    DeleteContents();
    m_bAutoDelete = autoDelete;
    if (m_bAutoDelete)
        delete this;
}

void CDocument::AddView(CView* pView)
{
    if (!pView || std::find(m_views.begin(), m_views.end(), pView) != m_views.end())
        return;
    m_views.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    std::erase(m_views, pView);
    if (pView && pView->m_pDocument == this)
        pView->m_pDocument = nullptr;
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, void* pHint)
{
    std::vector<CView*> views = m_views;
    for (CView* v : views)
        if (v != pSender && std::find(m_views.begin(), m_views.end(), v) != m_views.end())
            v->OnUpdate(pSender, lHint, pHint);
}

void CDocument::UpdateFrameCounts()
{
    std::set<CFrameWnd*> done;
    for (CView* v : m_views)
        if (CFrameWnd* f = v->GetParentFrame(); f && done.insert(f).second)
            f->OnUpdateFrameTitle(TRUE);
}

CView::CView() = default;

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

void CView::OnDraw(CDC*) {}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, void*)
{
    Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this)
        SetFocus();
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC && pDC->IsPrinting() && pInfo && pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (!pInfo || !pInfo->m_pPD)
        return FALSE;
    return pInfo->m_pPD->DoModal() == IDOK;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint()
{
    CPrintDialog dialog(FALSE,
                        PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE |
                            PD_HIDEPRINTTOFILE,
                        this);
    CPrintInfo info;
    info.m_pPD = &dialog;
    if (!OnPreparePrinting(&info))
        return;
    std::unique_ptr<CDC> dc = dialog.GetPrinterDC();
    if (!dc)
        return;
    OnBeginPrinting(dc.get(), &info);
    std::string title = m_pDocument ? m_pDocument->GetTitle() : std::string();
    if (dc->StartDoc(title) < 0) {
        OnEndPrinting(dc.get(), &info);
        AfxMessageBox("Print failure!");
        return;
    }
    for (info.m_nCurPage = info.GetMinPage(); info.m_nCurPage <= info.GetMaxPage(); ++info.m_nCurPage) {
        OnPrepareDC(dc.get(), &info);
        if (!info.m_bContinuePrinting)
            break;
        info.m_rectDraw = CRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
        if (dc->StartPage() < 0) {
            dc->AbortDoc();
            OnEndPrinting(dc.get(), &info);
            AfxMessageBox("Error starting new page!");
            return;
        }
        OnPrint(dc.get(), &info);
        dc->EndPage();
    }
    OnEndPrinting(dc.get(), &info);
    dc->EndDoc();
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CView::OnDestroy()
{
    if (CFrameWnd* f = GetParentFrame(); f && f->GetActiveView() == this)
        f->SetActiveView(nullptr, FALSE);
    if (m_pDocument)
        m_pDocument->RemoveView(this);
    CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
    DeleteWindowLater(this);
}

void CView::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Clicking a view makes it the active view of its frame.
    if (CFrameWnd* f = GetParentFrame())
        f->SetActiveView(this);
    CWnd::OnLButtonDown(nFlags, point);
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    if (CWnd::OnCmdMsg(nID, nCode, pCmdUI))
        return TRUE;
    return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pCmdUI);
}

CDocTemplate::CDocTemplate(UINT nIDResource, std::function<CDocument*()> newDoc,
                           std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView,
                           std::type_index viewType)
    : m_nIDResource(nIDResource), m_newDoc(std::move(newDoc)), m_newFrame(std::move(newFrame)),
      m_newView(std::move(newView)), m_viewType(viewType)
{
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* d : m_docs)
        d->m_pDocTemplate = nullptr;
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    m_docs.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    std::erase(m_docs, pDoc);
}

void CDocTemplate::CloseAllDocuments()
{
    std::vector<CDocument*> docs = m_docs;
    for (CDocument* d : docs)
        if (std::find(m_docs.begin(), m_docs.end(), d) != m_docs.end())
            d->OnCloseDocument();
}

BOOL CDocTemplate::GetDocString(std::string& out, int index) const
{
    std::string s = platform::LoadString(m_nIDResource);
    for (int i = 0; i < index; ++i) {
        size_t nl = s.find('\n');
        if (nl == std::string::npos) {
            out.clear();
            return FALSE;
        }
        s = s.substr(nl + 1);
    }
    out = s.substr(0, s.find('\n'));
    return !out.empty();
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* doc = m_newDoc ? m_newDoc() : nullptr;
    if (doc)
        AddDocument(doc);
    return doc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd*)
{
    if (!m_newFrame)
        return nullptr;
    CCreateContext context;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_newView;
    context.m_pNewDocTemplate = this;
    CFrameWnd* frame = m_newFrame();
    CWnd* main = AfxGetMainWnd();
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, main, &context)) {
        delete frame;
        return nullptr;
    }
    return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (pFrame)
        pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CDocument* CDocTemplate::OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible)
{
    CDocument* doc = CreateNewDocument();
    if (!doc)
        return nullptr;
    BOOL autoDelete = doc->m_bAutoDelete;
    doc->m_bAutoDelete = FALSE;
    CFrameWnd* frame = CreateNewFrame(doc, nullptr);
    doc->m_bAutoDelete = autoDelete;
    if (!frame) {
        delete doc;
        return nullptr;
    }
    if (!lpszPathName || !*lpszPathName) {
        std::string title;
        GetDocString(title, 0);
        doc->SetTitle(title.empty() ? "Untitled" : title);
        if (!doc->OnNewDocument()) {
            doc->OnCloseDocument();
            return nullptr;
        }
    } else {
        // However the file was chosen (a file dialog, the recent-file list,
        // the command line), its folder is the working folder before the
        // document reads it, removes temporary files or computes.
        const std::string path = platform::EnterFolderOf(lpszPathName);
        if (!doc->OnOpenDocument(path.c_str())) {
            // The document goes with its frames.
            doc->OnCloseDocument();
            return nullptr;
        }
        doc->SetPathName(path);
    }
    InitialUpdateFrame(frame, doc, bMakeVisible);
    return doc;
}
