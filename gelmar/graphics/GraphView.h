// The 3D view of the model: an MDI child titled "Image" whose view draws the
// lit block surfaces with OpenGL, in one of four kinds (materials,
// transparent, boundary conditions, temperatures), with the overlay of the
// open table view and the North display on top. The opaque surface is one
// display list, rebuilt after every model edit and replayed on every camera
// change; the transparent faces are sorted and drawn every frame. The mouse,
// the arrow keys, the wheel and the menu move the camera; a double or right
// click picks a block for the tables; the status bar reads the colour or the
// temperature under the pointer.
#pragma once
#include "common/kernels/picture/PictureMatrix.h"
#include "gelmar/graphics/core/SceneMesh.h"
#include "gelmar/graphics/core/ScenePicking.h"
#include "gelmar/graphics/core/ViewCamera.h"
#include "platform/ui/App.h"
#include "platform/ui/OpenGL.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gelmar {

class CGraphicOutputDlg;

class CGraphFrame : public CMDIChildWnd {
  public:
    // The frame's Close is greyed: it closes with the document only.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // "Image".
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnClose() override;
};

class CGraphView : public CView, public ViewCamera {
  public:
    CGraphView();
    ~CGraphView() override;

    // After any model edit: the visible faces and the display list from the
    // model, then a repaint.
    void UpdateModel();
    // The display list of the view kind (the block faces with the highlight
    // of the open Grid, Minimum Grid or Coordinates table, or the result
    // surfaces); left not ready while the context does not exist yet.
    void BuildDisplayList();
    void DeleteDisplayList();
    // Total view, 60 degrees, rotate mode; a non-zero flag forgets the
    // previous view.
    void ResetView(int flag);

    // Camera commands; each repaints.
    void ZoomIn();
    void ZoomOut();
    void ZoomTotal();
    void SwapPreviousView();
    void OnZoomNumbers();
    void SaveView();
    void RotateByDrag();
    void PanByDrag();
    void PanToCentre(CPoint target);
    void ZoomToRectangle();
    void DrawRubberBand();

    // The forward and inverse picture matrix of the camera (far: the far
    // camera of the perspective pictures), without any GL context.
    void ComputeViewMatrixInverse(int far);
    const kernels::PictureMatrix& PictureMatrix() const { return m_pictureMatrix; }

    // Picks at a client point: the block (kNoBlockName for a face without a
    // block of the shown kind), -1 without a hit; the face of the result
    // surfaces; the quad of that face.
    std::int64_t PickBlock(CPoint point);
    std::int64_t PickFace(CPoint point);
    std::int64_t PickObject(CPoint point, int face);
    // Double click or right button: the picked block in the open tables.
    void OnBlockPick(CPoint point);
    // The status-bar read-outs: "Colour %d: %s" and "%.*f°C" (empty without
    // a hit).
    std::string ReadColourAtPoint(CPoint point);
    std::string ReadValueAtPoint(CPoint point);

    // Prints the picture of the graphic output window through the view's
    // print loop (print dialog, a landscape page); the window is forgotten
    // afterwards. Without a window the print loop prints nothing.
    void PrintGraphicOutput(CGraphicOutputDlg* window);
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    // The lighting of the 3D views (the preview shares it).
    static void SetupLighting();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    BOOL DestroyWindow() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    int m_overlayKind = 0; // 1 Grid, 2 Blocks, 3 Node BCs, 4 Minimum Grid, 5 colour outline,
                           // 6 Coordinates, 7 Output Nodes, 8 Output Blocks; else none
    int m_mouseMode = 0;   // 0 rotate, 1 zoom window, 2 pan, 3 zoom in
    ViewKind m_viewKind = ViewKind::Materials;
    CDC* m_hDC = nullptr;
    HGLRC m_hRC = nullptr;
    DragPoints m_drag;

    // Display list state: id (0: none), ready, and the skip flag that drops
    // the frame after an interrupted build.
    unsigned m_list = 0;
    bool m_listReady = false;
    bool m_skip = false;

  protected:
    QWidget* CreateSurfaceWidget(QWidget* parent) override;

  private:
    void SetupContext();
    void RenderScene();
    void SetProjection(int far);
    void SetCamera(int far);
    void DrawTransparentFaces(std::uint8_t alpha);
    void DrawOverlays();
    void DrawNorthArrow();
    // A selection pass at a client point (see ScenePicking.h); -1 without
    // a hit or a context.
    enum class PickKind { Blocks, Faces, Quads };
    std::int64_t Pick(CPoint point, PickKind kind, int face);
    void SetStatusText(const std::string& text);

    kernels::PictureMatrix m_pictureMatrix;
    std::vector<std::int32_t> m_drawOrder;
    TriangleMesh m_transparent;
};

// The one 3D view, null while none is open.
extern CGraphView* g_graphView;

} // namespace gelmar
