// Documents, views and document templates. A template creates a document, a
// frame and a view of given C++ classes; views are found by their C++ type.
#pragma once
#include "platform/ui/Wnd.h"

#include <functional>
#include <string>
#include <typeindex>
#include <vector>

class CDocTemplate;
class CDocument;
class CFrameWnd;
class CView;

// What a frame needs to create its view.
class CCreateContext {
  public:
    std::function<CView*()> m_pNewViewClass;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
};

class CDocument : public CCmdTarget {
  public:
    CDocument();
    ~CDocument() override;

    const std::string& GetTitle() const { return m_strTitle; }
    // Also rewrites the captions of the document's frames.
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return m_strPathName; }
    // Sets the title to the file name and, when bAddToMRU, adds the path to
    // the recent-file list.
    virtual void SetPathName(const std::string& path, BOOL bAddToMRU = TRUE);
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const char* lpszPathName);
    virtual BOOL OnSaveDocument(const char* lpszPathName);
    // Destroys every frame of the document, then the document itself.
    virtual void OnCloseDocument();
    virtual void DeleteContents() {}
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);

    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, void* pHint = nullptr);
    void UpdateFrameCounts();
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    CDocTemplate* m_pDocTemplate = nullptr;
    BOOL m_bAutoDelete = TRUE;

  protected:
    std::string m_strTitle;
    std::string m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
};

class CView : public CWnd {
  public:
    CView();
    ~CView() override;
    CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* pDC);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, void* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // While printing a job whose last page is not known, the default ends
    // the job after page 1.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

    // The print loop of the view's Print command: OnPreparePrinting (which
    // calls DoPreparePrinting to run the print dialog), OnBeginPrinting,
    // then per page OnPrepareDC, StartPage, OnPrint and EndPage, and
    // OnEndPrinting, on the printer the user chose.
    void OnFilePrint();
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // Runs the print dialog; FALSE when the user cancels.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The default draws the view (OnDraw) on the page.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);

    void OnPaint() override;
    void OnDestroy() override;
    void PostNcDestroy() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    // The view, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    CDocument* m_pDocument = nullptr;
};

class CDocTemplate : public CCmdTarget {
  public:
    CDocTemplate(UINT nIDResource, std::function<CDocument*()> newDoc, std::function<CFrameWnd*()> newFrame,
                 std::function<CView*()> newView, std::type_index viewType);
    ~CDocTemplate() override;

    // A new document in a new frame: from the file (OnOpenDocument) or empty
    // (OnNewDocument, with no path). Null when that fails.
    virtual CDocument* OpenDocumentFile(const char* lpszPathName, BOOL bMakeVisible = TRUE);
    CDocument* CreateNewDocument();
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    void AddDocument(CDocument* pDoc);
    void RemoveDocument(CDocument* pDoc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docs; }
    void CloseAllDocuments();

    UINT GetResourceID() const { return m_nIDResource; }
    std::type_index GetViewType() const { return m_viewType; }
    // Field n of the document string (fields separated by '\n').
    BOOL GetDocString(std::string& out, int index) const;

  private:
    UINT m_nIDResource;
    std::function<CDocument*()> m_newDoc;
    std::function<CFrameWnd*()> m_newFrame;
    std::function<CView*()> m_newView;
    std::type_index m_viewType;
    std::vector<CDocument*> m_docs;
};

// The template of MDI programs: one frame/view pair, many documents.
class CMultiDocTemplate : public CDocTemplate {
  public:
    using CDocTemplate::CDocTemplate;
    template <class TDoc, class TFrame, class TView> static CMultiDocTemplate* Create(UINT nIDResource)
    {
        return new CMultiDocTemplate(
            nIDResource, [] { return static_cast<CDocument*>(new TDoc); },
            [] { return static_cast<CFrameWnd*>(new TFrame); }, [] { return static_cast<CView*>(new TView); },
            std::type_index(typeid(TView)));
    }
};
