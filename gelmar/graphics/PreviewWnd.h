// The 3D preview of the File Open dialog: each time the dialog names another
// file (through the model's data-file path) and invalidates it, the window
// reads that file's grid, colours and blocks in preview mode, builds its
// visible faces and draws the material faces, lit, from the file's view
// angles, always showing the whole model. The file is read into a model of
// the preview's own, so that looking at files never replaces the model in
// the store. A file that cannot be read, or has no blocks in its clip box,
// leaves the window white.
#pragma once
#include "gelmar/model/store/ModelStore.h"
#include "gelmar/model/store/ViewState.h"
#include "platform/ui/App.h"
#include "platform/ui/OpenGL.h"

namespace gelmar {

class CPreviewWnd : public CWnd {
  public:
    CPreviewWnd();
    ~CPreviewWnd() override;
    BOOL Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    void OnPaint() override;

    void SetPerspective();
    void SetCamera();
    void DrawPreview();

    // The paint DC while a paint draws (null otherwise) and the context.
    CDC* m_hDC = nullptr;
    HGLRC m_hRC = nullptr;
    double m_eye[3] = {}, m_focus[3] = {}, m_up[3] = {};
    // The model of the file shown last.
    const ModelStore& PreviewModel() const { return m_model; }

  protected:
    QWidget* CreateSurfaceWidget(QWidget* parent) override;

  private:
    // Reads the file named by the store's data-file path into the preview's
    // model and builds its visible faces; false when it cannot be read.
    bool ReadPreviewModel();
    // A white frame.
    void ClearFrame();

    ModelStore m_model;
    ViewState m_view;
    int m_cx = 0, m_cy = 0;
};

} // namespace gelmar
