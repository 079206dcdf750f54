// CGraphicOutputDlg (dialog 152): the graphic output window. A modal window
// over the main window with its own menu, accelerators, toolbar and status
// bar that shows the model and its results as a picture: the perspective of
// the 3D view's camera or a section on a face of the clip object, with the
// legend in a pane at the right. It walks through the saved time steps one
// at a time or as an animation (Play), turns the perspective continuously,
// saves the picture as images, an image series or an AVI file, and prints
// it through the 3D view's print path.
#pragma once
#include "common/kernels/picture/SectionView.h"
#include "common/ui/OutputToolBar.h"
#include "gelmar/graphics/GraphicRender.h"
#include "gelmar/graphics/core/Picture.h"
#include "gelmar/graphics/core/ViewCamera.h"
#include "platform/core/AviWriter.h"
#include "platform/ui/Accelerators.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Frame.h"

#include <memory>
#include <string>

class CPrintInfo;

namespace common {
class FramePalette;
}

namespace gelmar {

struct SavedTimes;

// The window's settings that outlive it: the fill mode and the overlays, the
// legend, sun, shadow and profile displays, the section window, the profile
// line and the frame rate of AVI files.
struct GraphicOutputSettings {
    PictureSettings display;
    kernels::SectionView sectionView;
    ProfileLine profileLine;
    int framesPerSecond = 2;
    platform::AviCompression compression = platform::AviCompression::Rle8;
};
extern GraphicOutputSettings g_graphicOutput;

class CGraphicOutputDlg;

// The window's drawing surface (the dialog's View control): the picture
// pane and the legend pane side by side between the toolbar and the status
// bar. It hands its paint, mouse and wheel messages to the window.
class CGraphicPane : public CWnd {
  public:
    CGraphicOutputDlg* m_owner = nullptr;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint point) override;
};

class CGraphicOutputDlg : public CDialog {
  public:
    // Takes the 3D view's size and mouse mode and prepares the model: cell
    // array, node numbers, solar colours and, with saved results, those of
    // the current time.
    explicit CGraphicOutputDlg(CWnd* pParent = nullptr);
    // Closes an AVI file left open and gives the 3D view its size and (from
    // the perspective) its mouse mode back.
    ~CGraphicOutputDlg() override;

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Esc: ends a drag and clears the stop flag; the window stays open.
    void OnCancel() override;
    // Enter does nothing.
    void OnOK() override {}

    // Draws the picture into the pane's client area through an off-screen
    // bitmap; stopped (Esc) pictures are not shown. False when stopped.
    bool Refresh();
    // Paint of the pane.
    void PaintPane(CDC* pDC);

    // Mouse of the pane (pane coordinates).
    void PaneLButtonDown(CPoint point);
    void PaneMouseMove(CPoint point);
    void PaneLButtonUp(CPoint point);
    void PaneMouseWheel(short zDelta, CPoint point);

    // Commands.
    void OnSaveImage();
    void OnSaveAnimationImages();
    void OnWriteAviFile();
    void OnPrintImage();
    void OnExit();
    void OnFirstTimeStep();
    void OnNextTimeStep();
    void OnPreviousTimeStep();
    void OnGoTo();
    void OnPlay();
    void OnRotateContinuous(UINT id);
    void OnArrowKey(UINT id);
    void OnPerspective();
    void SelectProjection(int k);
    void OnSection(UINT id);
    void OnMouseModeCommand(UINT id);
    void OnZoomOut();
    void OnZoomTotal();
    void OnPreviousView();
    void OnZoomNumbers();
    void OnToggle(UINT id);
    void OnFill(UINT id);
    void OnSunPosition();
    void OnProfileLine();
    void OnClipObject();
    void OnClipOff();
    void OnTemperatureRange();
    void OnHeatFluxRange();
    void OnLineStyles();
    void OnImageSize();

    // The enable and check rule of a command of the window (menus and
    // toolbar), by command id.
    void OnUpdateCommand(CCmdUI* pCmdUI);

    // Renders the picture at width x height and writes it to the path (BMP
    // for "bmp" in any case, else by the extension). False when the bitmap
    // could not be made (error code 6 set) or the file could not be written.
    enum class FileResult { Written, NoBitmap, NotWritten, Stopped };
    FileResult RenderToImageFile(const std::string& path, int width, int height);
    // Prints the picture on a printer page (called by the 3D view's print loop).
    void PrintPicture(CDC* pDC, CPrintInfo* pInfo);

    // Loads the results of the current time and refreshes.
    void LoadResults();

    Picture& ThePicture() { return m_picture; }
    int Projection() const { return m_picture.projection; }
    int MouseMode() const { return m_mouseMode; }
    bool StopFlag() const { return m_stop; }
    bool Looping() const { return m_looping; }
    const CRect& PicturePaneRect() const { return m_picturePane; }
    const CRect& LegendPaneRect() const { return m_legendPane; }
    CGraphicPane& Pane() { return m_pane; }
    CStatusBar& StatusBar() { return m_statusBar; }
    common::COutputToolBar& ToolBar() { return m_toolBar; }
    // Pictures drawn (on the screen, in files, for frames) since the window
    // opened, stopped ones included.
    int PicturesDrawn() const { return m_picturesDrawn; }

  private:
    void StepSavedTime(long long (*rule)(long long, const SavedTimes&));
    // The panes of the pane's client size: picture at the left, the legend
    // (when on and the profile off) in the right 15 %.
    void LayoutPanes();
    // The perspective takes the 3D view's camera at the picture's size.
    void PrepareCamera(int width, int height);
    PictureSource Source();
    RenderResult Render(int width, int height, int fontSize, COLORREF legendFill, CBitmap& bitmap);
    // Sets the error code for a bitmap that could not be made; the next paint
    // closes the window.
    void BitmapFailed();
    void InvalidatePicture(bool erase = true);
    void SetReadout(const std::string& text);
    void IdleReadout();
    void DrawDragFeedback();
    void EndDrag();
    void ApplyClipChange();
    // The picture takes the ranges, the single value and the pens of the
    // model and the display settings.
    void TakeModelRanges();
    ViewCamera& Camera();
    void GiveSettingsBack();
    // The file name the save dialogs start from: folder and name of the shared
    // output path.
    std::string ChooseSavePath(const char* extension, UINT filterId, const std::string& initial);
    void ReportOpenFailed(const std::string& path);
    bool WriteFrame(platform::AviWriter& avi, common::FramePalette& palette, int width, int height);

    HACCEL m_hAccel = nullptr;
    CGraphicPane m_pane;
    common::COutputToolBar m_toolBar;
    CStatusBar m_statusBar;
    bool m_hasToolBar = false;
    bool m_hasStatusBar = false;
    Picture m_picture;
    int m_mouseMode = 0;
    ViewCamera m_ownCamera; // used when no 3D view is open
    int m_savedViewSize[2] = {0, 0};
    CRect m_picturePane, m_legendPane;
    CPoint m_mouse{-1, -1}, m_lastReadout{-1, -1};
    DragPoints m_drag;
    bool m_rendering = false;
    bool m_stop = false;
    bool m_looping = false;
    bool m_drawing = false; // a picture is being drawn (its Esc poll lets events through)
    int m_fontSize = 8;
    int m_picturesDrawn = 0;
};

// The graphic output window being printed by the 3D view's print loop;
// null outside Print Image.
extern CGraphicOutputDlg* g_printingOutput;

} // namespace gelmar
