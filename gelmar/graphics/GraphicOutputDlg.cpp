// The graphic output window: opening and closing, the panes, painting
// through an off-screen bitmap, the commands with their update rules, the
// mouse, the arrow keys, the time steps, Play and the continuous rotation,
// the image, animation, AVI and print exports.
#include "gelmar/graphics/GraphicOutputDlg.h"

#include "common/core/ErrorCode.h"
#include "common/core/FramePalette.h"
#include "common/core/PatternFile.h"
#include "common/kernels/picture/PictureGeometry.h"
#include "common/ui/ActiveDocument.h"
#include "common/ui/DlgClipObject.h"
#include "common/ui/DlgImageSize.h"
#include "common/ui/DlgLineStyles.h"
#include "common/ui/DlgRanges.h"
#include "common/ui/DlgTempProfileLine.h"
#include "common/ui/DlgZoomNumbers2D.h"
#include "gelmar/app/AppEngineHost.h"
#include "gelmar/app/AppState.h"
#include "gelmar/app/GraphViews.h"
#include "gelmar/app/MainFrame.h"
#include "gelmar/graphics/DlgGoTo.h"
#include "gelmar/graphics/GraphView.h"
#include "gelmar/graphics/GraphViewAccess.h"
#include "gelmar/graphics/core/GraphicOutputRules.h"
#include "gelmar/graphics/core/ViewModel.h"
#include "gelmar/model/calc/NodeNumbering.h"
#include "gelmar/model/calc/StepFiles.h"
#include "gelmar/model/calc/WorkArrays.h"
#include "gelmar/model/editing/BlockOperations.h"
#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/functions/FunctionFiles.h"
#include "gelmar/model/functions/Functions.h"
#include "gelmar/model/solar/SolarFiles.h"
#include "gelmar/model/solar/SolarSurfaces.h"
#include "gelmar/model/solar/SunPosition.h"
#include "gelmar/model/store/ColourScale.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/EngineServices.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "platform/ui/App.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DC.h"
#include "platform/ui/DocView.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/PrintDialog.h"
#include "platform/ui/SysColor.h"
#include "resources/gelmar/GelmarIds.h"

#include <QGridLayout>
#include <algorithm>
#include <climits>
#include <filesystem>

namespace gelmar {

GraphicOutputSettings g_graphicOutput;
CGraphicOutputDlg* g_printingOutput = nullptr;

namespace {

// The AVI frame-rate dialog (167): 1 to 30 frames per second.
class CDlgWriteAvi : public CDialog {
  public:
    explicit CDlgWriteAvi(CWnd* pParent) : CDialog(IDD_WRITE_AVI, pParent) {}
    int m_framesPerSecond = 2;
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_AVI_FRAMES_PER_SECOND, m_framesPerSecond);
        DDV_MinMaxInt(pDX, m_framesPerSecond, 1, 30);
    }
};

// The compression of the AVI frames (12040): "RLE8" or "Uncompressed".
class CDlgAviCompression : public CDialog {
  public:
    explicit CDlgAviCompression(CWnd* pParent) : CDialog(IDD_AVI_COMPRESSION, pParent) {}
    int m_index = 0;
    BOOL OnInitDialog() override
    {
        if (auto* box = dynamic_cast<CComboBox*>(GetDlgItem(IDC_AVI_COMPRESSOR))) {
            box->AddString("RLE8");
            box->AddString("Uncompressed");
        }
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_CBIndex(pDX, IDC_AVI_COMPRESSOR, m_index); }
};

// The Drag Mode setting: set, the keys and drags move the model with the pointer.
bool DragMode()
{
    return TheEngine().parameters.drag != 0;
}

bool ResultsValid()
{
    return TheEngine().run.solutionValid;
}

// The saved results of the model's transient calculation.
SavedTimes ModelSavedTimes()
{
    Engine& e = TheEngine();
    return {e.model.timeStep, e.model.saveFrequency, e.model.calcDuration};
}

bool IsSection(int projection)
{
    return projection != 0;
}

bool IsRcl()
{
    return TheEngine().model.rcl != 0;
}

// A loop that draws until Esc (Play, the continuous rotation, the exports):
// the program's host latches the Esc key for it and the window holds other
// input off meanwhile. The Esc that ended it is spent with it: the stop flag
// and the latch are clear for the pictures after it.
class EscLoop {
  public:
    EscLoop(bool& looping, bool& stop) : m_looping(looping), m_stop(stop)
    {
        m_looping = true;
        m_stop = false;
        if (&Host() == static_cast<EngineHost*>(&TheAppHost())) {
            TheAppHost().BeginRun();
            TheAppHost().running = true;
            m_app = true;
        }
    }
    ~EscLoop()
    {
        if (m_app) {
            TheAppHost().running = false;
            TheAppHost().escLatched = false;
        }
        m_looping = false;
        m_stop = false;
    }
    EscLoop(const EscLoop&) = delete;
    EscLoop& operator=(const EscLoop&) = delete;

  private:
    bool& m_looping;
    bool& m_stop;
    bool m_app = false;
};

CPoint PaneCentre(const CRect& pane)
{
    return CPoint((pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
}

// The text with its first "%s" replaced by the path.
std::string WithPath(UINT id, const std::string& path)
{
    std::string text = platform::LoadString(id);
    const std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

} // namespace

// ---- The pane ----

void CGraphicPane::OnPaint()
{
    CPaintDC dc(this);
    if (m_owner)
        m_owner->PaintPane(&dc);
}

BOOL CGraphicPane::OnEraseBkgnd(CDC*)
{
    // The paint covers the whole pane.
    return TRUE;
}

void CGraphicPane::OnLButtonDown(UINT, CPoint point)
{
    if (m_owner)
        m_owner->PaneLButtonDown(point);
}

void CGraphicPane::OnMouseMove(UINT, CPoint point)
{
    if (m_owner)
        m_owner->PaneMouseMove(point);
}

void CGraphicPane::OnLButtonUp(UINT, CPoint point)
{
    if (m_owner)
        m_owner->PaneLButtonUp(point);
}

BOOL CGraphicPane::OnMouseWheel(UINT, short zDelta, CPoint point)
{
    if (m_owner)
        m_owner->PaneMouseWheel(zDelta, point);
    return TRUE;
}

// ---- Opening and closing ----

CGraphicOutputDlg::CGraphicOutputDlg(CWnd* pParent) : CDialog(IDD_GRAPHIC_OUTPUT, pParent)
{
    Engine& e = TheEngine();
    m_pane.m_owner = this;
    m_hAccel = LoadAccelerators(IDR_GRAPHIC_OUTPUT_ACCEL);
    ViewCamera& camera = Camera();
    m_savedViewSize[0] = camera.m_cx;
    m_savedViewSize[1] = camera.m_cy;
    m_picture.projection = 0;
    m_picture.settings = PictureSettingsFromModel(e.model, e.view.display, e.output);
    // The toggles are the window's own, the ranges and pens the model's.
    const PictureSettings& kept = g_graphicOutput.display;
    PictureSettings& s = m_picture.settings;
    s.fill = kept.fill == FillMode::Patterns ? FillMode::Materials : kept.fill;
    s.objectLines = kept.objectLines;
    s.gridLines = kept.gridLines;
    s.isothermalLines = kept.isothermalLines;
    s.isofluxLines = kept.isofluxLines;
    s.legend = kept.legend;
    s.sunPosition = kept.sunPosition;
    s.shadow = kept.shadow;
    s.profile = kept.profile;
    m_picture.sectionView = g_graphicOutput.sectionView;
    m_picture.profileLine = g_graphicOutput.profileLine;
    m_mouseMode = g_graphView ? g_graphView->m_mouseMode : 0;
    try {
        EnsureCellArray(e.model, e.run);
        BuildNodeNumbering(e.model, e.run, Host());
        HasSolarColours(e.model, e.run);
        if (e.model.saveResults) {
            if (ReadSolutionFile(e.model, e.run, BuildStepFileName(e.model, e.run, ".sol")))
                ReadFluxFile(e.model, e.run);
            ReadSolarFluxFile(e.model, e.run, Host(), e.run.calcTime);
        }
        ResolveFunctionReferences(e.model, e.run);
        CollectFunctionFiles(e.model, e.run);
        PrepareSolarSurfaces(e.model, e.run, Host(), false);
        UpdateSunPosition(e.model, e.run, e.run.calcTime);
    } catch (const common::EngineException&) {
        // The window shows what the model holds.
    }
}

CGraphicOutputDlg::~CGraphicOutputDlg()
{
    if (g_printingOutput == this)
        g_printingOutput = nullptr;
    GiveSettingsBack();
    ViewCamera& camera = Camera();
    camera.m_cx = m_savedViewSize[0];
    camera.m_cy = m_savedViewSize[1];
    if (g_graphView) {
        if (m_picture.projection == 0)
            g_graphView->m_mouseMode = m_mouseMode;
        if (g_graphView->m_viewKind == ViewKind::Temperatures) {
            g_graphView->BuildDisplayList();
            g_graphView->Invalidate(FALSE);
        }
    }
}

void CGraphicOutputDlg::GiveSettingsBack()
{
    EndIsofluxDrawing(m_picture.settings);
    g_graphicOutput.display = m_picture.settings;
    g_graphicOutput.sectionView = m_picture.sectionView;
    g_graphicOutput.profileLine = m_picture.profileLine;
}

ViewCamera& CGraphicOutputDlg::Camera()
{
    return g_graphView ? static_cast<ViewCamera&>(*g_graphView) : m_ownCamera;
}

BOOL CGraphicOutputDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetMenu(IsRcl() ? IDR_GRAPHIC_OUTPUT_RCL : IDR_GRAPHIC_OUTPUT);
    CWaitCursor wait;
    if (CWnd* main = AfxGetMainWnd()) {
        CRect rect;
        main->GetWindowRect(&rect);
        MoveWindow(rect, FALSE);
    }
    if (m_pane.SubclassDlgItem(IDC_GRAPHIC_VIEW, this))
        if (QGridLayout* grid = GetControlLayout())
            grid->setContentsMargins(0, 0, 0, 0);
    if (g_app.statusBarVisible) {
        static const UINT indicators[] = {ID_SEPARATOR, ID_GRAPHIC_STATUS_PANE};
        m_hasStatusBar = m_statusBar.Create(this) && m_statusBar.SetIndicators(indicators, 2);
        if (m_hasStatusBar)
            m_statusBar.SetPaneInfo(1, ID_GRAPHIC_STATUS_PANE, SBPS_NOBORDERS, 0);
    }
    if (g_app.toolbarVisible)
        m_hasToolBar = common::CreateOutputToolBar(*this, m_toolBar, IsRcl() ? IDR_GRAPHIC_OUTPUT_RCL : IDR_GRAPHIC_OUTPUT);
    RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, 0);
    LayoutPanes();
    CDocument* doc = common::GetActiveDocumentOfMainFrame();
    SetWindowText(platform::LoadString(IDS_GRAPHIC_OUTPUT_TITLE) + " [" +
                  std::filesystem::path(TheEngine().model.dataFilePath).stem().string() + ".glm" +
                  (doc && doc->IsModified() ? " *" : "") + "]");
    return TRUE;
}

void CGraphicOutputDlg::LayoutPanes()
{
    CRect client;
    if (m_pane.GetSafeHwnd())
        m_pane.GetClientRect(&client);
    const PictureSettings& s = m_picture.settings;
    const PicturePanes panes = LayoutPicturePanes(client.Width(), client.Height(), s.legend && !s.profile);
    m_picturePane = panes.picture;
    m_legendPane = panes.legend;
    ViewCamera& camera = Camera();
    camera.m_cx = m_picturePane.Width();
    camera.m_cy = m_picturePane.Height();
}

BOOL CGraphicOutputDlg::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        return CDialog::PreTranslateMessage(pMsg);
    if (CDialog::PreTranslateMessage(pMsg))
        return TRUE;
    return m_hAccel && TranslateAccelerator(this, m_hAccel, pMsg);
}

LRESULT CGraphicOutputDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KICKIDLE:
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, 0, 0, TRUE, FALSE);
        IdleReadout();
        return 0;
    case WM_SIZE: {
        const LRESULT r = CDialog::WindowProc(message, wParam, lParam);
        LayoutPanes();
        return r;
    }
    case WM_CLOSE:
        // A loop under way ends through Esc first.
        if (m_looping || m_drawing)
            return 0;
        // A bitmap that could not be made ends the window; the document
        // then reports it.
        if (common::ErrorCode() != 0) {
            EndDialog(IDCANCEL);
            return 0;
        }
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CGraphicOutputDlg::OnCancel()
{
    if (m_drag.dragging)
        EndDrag();
    m_stop = false;
}

void CGraphicOutputDlg::OnExit()
{
    CDialog::OnCancel();
}

// ---- Painting ----

void CGraphicOutputDlg::PrepareCamera(int width, int height)
{
    Engine& e = TheEngine();
    ViewCamera& camera = Camera();
    camera.m_cx = width;
    camera.m_cy = height;
    if (m_picture.projection != 0)
        return;
    double forward[16];
    ForwardPictureMatrix(camera, ModelViewAngles(e.model), ModelViewExtent(e.model),
                         m_picture.settings.sunPosition, forward);
    m_picture.SetViewMatrix(forward);
}

PictureSource CGraphicOutputDlg::Source()
{
    Engine& e = TheEngine();
    PictureSource source(e.model, e.run, e.view.faces, e.colourScale);
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        source.patterns = &main->m_dlgPatterns.GetPatterns();
    source.sun = e.run.sun;
    source.sunVisible = e.run.sun.visible;
    source.ensureFluxTable = [&model = e.model, &run = e.run] {
        if (!run.fluxesValid)
            ReadFluxFile(model, run);
    };
    source.rayBlocked = [&model = e.model, &run = e.run](float x, float y, float z) {
        return IsRayBlocked(model, run, Host(), x, y, z);
    };
    source.texts.colourTitle = platform::LoadString(IDS_LEGEND_COLOUR);
    source.texts.profileTitle = platform::LoadString(IDS_PROFILE_TITLE);
    return source;
}

RenderResult CGraphicOutputDlg::Render(int width, int height, int fontSize, COLORREF legendFill, CBitmap& bitmap)
{
    const PictureSettings& s = m_picture.settings;
    RenderRequest request;
    request.width = width;
    request.height = height;
    request.fontSize = fontSize;
    request.legend = s.legend && !s.profile;
    request.legendFill = legendFill;
    const PicturePanes panes = LayoutPicturePanes(width, height, request.legend);
    PrepareCamera(panes.picture.Width(), panes.picture.Height());
    ++m_picturesDrawn;
    RenderResult result = RenderResult::NoBitmap;
    // The Esc poll lets events through: input waits until the picture is done.
    const bool wasDrawing = m_drawing;
    m_drawing = true;
    try {
        result = RenderPicture(m_picture, Source(), request, EngineEscCheck(), bitmap);
    } catch (const common::EngineException&) {
        result = RenderResult::NoBitmap;
    }
    m_drawing = wasDrawing;
    if (result == RenderResult::Stopped) {
        m_stop = true;
        EndIsofluxDrawing(m_picture.settings);
    }
    return result;
}

void CGraphicOutputDlg::BitmapFailed()
{
    common::SetErrorCode(static_cast<int>(ErrorCode::Bitmap));
    InvalidatePicture(true);
}

void CGraphicOutputDlg::PaintPane(CDC* pDC)
{
    if (common::ErrorCode() != 0) {
        PostMessage(WM_CLOSE);
        return;
    }
    if (m_rendering || m_looping || m_drawing)
        return;
    EndIsofluxDrawing(m_picture.settings);
    CRect client;
    m_pane.GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    CBitmap bitmap;
    const RenderResult r = Render(client.Width(), client.Height(), 8, GetSysColor(COLOR_BTNFACE), bitmap);
    LayoutPanes();
    if (r == RenderResult::NoBitmap) {
        BitmapFailed();
        return;
    }
    if (r != RenderResult::Drawn)
        return;
    CDC memory;
    memory.CreateCompatibleDC(pDC);
    CBitmap* old = memory.SelectObject(&bitmap);
    pDC->BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

bool CGraphicOutputDlg::Refresh()
{
    if (!m_pane.GetSafeHwnd())
        return true;
    CRect client;
    m_pane.GetClientRect(&client);
    if (client.IsRectEmpty())
        return true;
    CBitmap bitmap;
    const RenderResult r = Render(client.Width(), client.Height(), 8, GetSysColor(COLOR_BTNFACE), bitmap);
    LayoutPanes();
    if (r == RenderResult::NoBitmap) {
        BitmapFailed();
        return false;
    }
    if (r != RenderResult::Drawn || m_stop)
        return false;
    CClientDC dc(&m_pane);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    return true;
}

void CGraphicOutputDlg::InvalidatePicture(bool erase)
{
    if (m_pane.GetSafeHwnd())
        m_pane.Invalidate(erase);
}

// ---- Read-out ----

void CGraphicOutputDlg::SetReadout(const std::string& text)
{
    if (m_hasStatusBar)
        m_statusBar.SetPaneText(0, text);
}

void CGraphicOutputDlg::IdleReadout()
{
    Engine& e = TheEngine();
    const PictureSettings& s = m_picture.settings;
    if (!m_hasStatusBar || s.profile || m_mouse == m_lastReadout || m_mouse.x < 0)
        return;
    m_lastReadout = m_mouse;
    const bool valueFill = s.fill == FillMode::Temperatures || s.fill == FillMode::Isofluxes;
    std::string text;
    if (!valueFill && !s.isothermalLines && !s.isofluxLines) {
        if (s.fill == FillMode::Materials || s.fill == FillMode::BCs) {
            // The nearest polygon of the last picture under the pointer.
            const PicturePolygon* hit = nullptr;
            double depth = 0;
            for (const PicturePolygon& p : m_picture.Polygons()) {
                if (!kernels::PointInPicturePolygon(static_cast<float>(m_mouse.x), static_cast<float>(m_mouse.y),
                                                    p.shape.corners))
                    continue;
                const double d = p.shape.a * m_mouse.x + p.shape.b * m_mouse.y + p.shape.c;
                if (!hit || d < depth) {
                    hit = &p;
                    depth = d;
                }
            }
            if (hit)
                text = FillColourReadout(platform::LoadString(IDS_COLOUR_READOUT), hit->colour,
                                         e.model.colours[hit->colour].name);
        }
        SetReadout(text);
        return;
    }
    const bool flux = s.fill == FillMode::Isofluxes ||
                      (s.fill == FillMode::Off && s.isofluxLines && !s.isothermalLines);
    if (flux && (e.model.axes[0].n < 2 || e.model.axes[1].n < 2 || e.model.axes[2].n < 2))
        return;
    m_picture.ValueLabelAtPoint(Source(), m_mouse.x, m_mouse.y, flux, text);
    SetReadout(text);
}

// ---- Mouse and keys ----

void CGraphicOutputDlg::DrawDragFeedback()
{
    CClientDC dc(&m_pane);
    const int old = dc.SetROP2(R2_NOTXORPEN);
    CPen* oldPen = static_cast<CPen*>(dc.SelectStockObject(BLACK_PEN));
    if (m_mouseMode == 1) {
        CBrush* oldBrush = static_cast<CBrush*>(dc.SelectStockObject(NULL_BRUSH));
        dc.Rectangle(m_drag.start.x, m_drag.start.y, m_drag.current.x, m_drag.current.y);
        dc.SelectObject(oldBrush);
    } else {
        dc.MoveTo(m_drag.start);
        dc.LineTo(m_drag.current);
    }
    dc.SelectObject(oldPen);
    dc.SetROP2(old);
}

void CGraphicOutputDlg::EndDrag()
{
    DrawDragFeedback();
    ReleaseCapture();
    m_drag.dragging = false;
}

void CGraphicOutputDlg::PaneLButtonDown(CPoint point)
{
    Engine& e = TheEngine();
    if (m_looping || m_drawing)
        return;
    LayoutPanes();
    if (!m_picturePane.PtInRect(point))
        return;
    m_drag.start = m_drag.current = point;
    if (m_mouseMode == 3) {
        if (IsSection(m_picture.projection)) {
            m_picture.sectionView.ZoomInAtPoint(PaneCentre(m_picturePane), point, m_picturePane.Width(),
                                                m_picturePane.Height());
        } else {
            PrepareCamera(m_picturePane.Width(), m_picturePane.Height());
            ZoomIn(Camera(), ModelViewAngles(e.model), ModelViewExtent(e.model), m_drag);
        }
        InvalidatePicture();
        return;
    }
    m_drag.dragging = true;
    m_pane.SetCapture();
    DrawDragFeedback();
}

void CGraphicOutputDlg::PaneMouseMove(CPoint point)
{
    if (m_looping || m_drawing)
        return;
    if (m_drag.dragging) {
        // The drag stays inside the picture pane.
        point.x = std::clamp(point.x, m_picturePane.left, std::max(m_picturePane.left, m_picturePane.right - 1));
        point.y = std::clamp(point.y, m_picturePane.top, std::max(m_picturePane.top, m_picturePane.bottom - 1));
        DrawDragFeedback();
        m_drag.current = point;
        DrawDragFeedback();
    }
    m_mouse = point;
    SetReadout("");
}

void CGraphicOutputDlg::PaneLButtonUp(CPoint point)
{
    Engine& e = TheEngine();
    if (!m_drag.dragging)
        return;
    EndDrag();
    point.x = std::clamp(point.x, m_picturePane.left, std::max(m_picturePane.left, m_picturePane.right - 1));
    point.y = std::clamp(point.y, m_picturePane.top, std::max(m_picturePane.top, m_picturePane.bottom - 1));
    m_drag.current = point;
    if (m_drag.current == m_drag.start)
        return;
    const int w = m_picturePane.Width(), h = m_picturePane.Height();
    if (IsSection(m_picture.projection)) {
        if (m_mouseMode == 1)
            m_picture.sectionView.ZoomToRectangle(m_drag.start, m_drag.current, w, h);
        else if (m_mouseMode == 2)
            m_picture.sectionView.Pan(m_drag.start, m_drag.current, w, h, DragMode());
    } else {
        ViewCamera& camera = Camera();
        const ViewAngles angles = ModelViewAngles(e.model);
        const ViewExtent extent = ModelViewExtent(e.model);
        PrepareCamera(w, h);
        SaveView(camera, angles);
        if (m_mouseMode == 0)
            RotateByDrag(camera, angles, m_drag, DragMode());
        else if (m_mouseMode == 1)
            ZoomToRectangle(camera, angles, extent, m_drag);
        else if (m_mouseMode == 2)
            PanByDrag(camera, angles, extent, m_drag, DragMode());
    }
    InvalidatePicture();
}

void CGraphicOutputDlg::PaneMouseWheel(short zDelta, CPoint point)
{
    Engine& e = TheEngine();
    if (m_looping || m_drawing)
        return;
    if (zDelta >= 120) {
        m_pane.ScreenToClient(&point);
        m_drag.current = point;
        if (IsSection(m_picture.projection))
            m_picture.sectionView.ZoomInAtPoint(PaneCentre(m_picturePane), point, m_picturePane.Width(),
                                                m_picturePane.Height());
        else {
            PrepareCamera(m_picturePane.Width(), m_picturePane.Height());
            ZoomIn(Camera(), ModelViewAngles(e.model), ModelViewExtent(e.model), m_drag);
        }
        InvalidatePicture();
    } else if (zDelta <= -120) {
        OnZoomOut();
    }
}

void CGraphicOutputDlg::OnArrowKey(UINT id)
{
    Engine& e = TheEngine();
    const int key = static_cast<int>(id - ID_GRAPHIC_KEY_LEFT);
    if (key < 0 || key > 3 || (m_mouseMode != 0 && m_mouseMode != 2))
        return;
    LayoutPanes();
    const int w = m_picturePane.Width(), h = m_picturePane.Height();
    if (m_mouseMode == 2 && IsSection(m_picture.projection)) {
        kernels::SectionView& view = m_picture.sectionView;
        view.SaveSectionWindow();
        const double scale = view.Transform(w, h).scale;
        const float d = scale > 0 ? static_cast<float>(std::min(w, h) / 8 / scale) : 0.0f;
        kernels::SectionWindow win = view.Current();
        if (key == 0 || key == 1) {
            const float du = key == 0 ? d : -d;
            win.umin += du;
            win.umax += du;
        } else {
            const float dv = key == 2 ? d : -d;
            win.vmin += dv;
            win.vmax += dv;
        }
        view.SetCurrent(win);
        Refresh();
        return;
    }
    if (IsSection(m_picture.projection))
        return;
    PrepareCamera(w, h);
    static const ArrowKey keys[] = {ArrowKey::Left, ArrowKey::Right, ArrowKey::Up, ArrowKey::Down};
    if (MoveByArrowKey(Camera(), ModelViewAngles(e.model), ModelViewExtent(e.model), m_drag, m_mouseMode,
                       keys[key], DragMode()))
        Refresh();
}

// ---- Time steps ----

void CGraphicOutputDlg::LoadResults()
{
    Engine& e = TheEngine();
    try {
        if (ReadSolutionFile(e.model, e.run, BuildStepFileName(e.model, e.run, ".sol")))
            ReadFluxFile(e.model, e.run);
        ReadSolarFluxFile(e.model, e.run, Host(), e.run.calcTime);
        UpdateSunPosition(e.model, e.run, e.run.calcTime);
    } catch (const common::EngineException&) {
        // The previous results stay.
    }
    Refresh();
}

void CGraphicOutputDlg::OnFirstTimeStep()
{
    TheEngine().run.calcTime = 0;
    LoadResults();
}

void CGraphicOutputDlg::OnNextTimeStep()
{
    StepSavedTime(NextSavedTime);
}

void CGraphicOutputDlg::OnPreviousTimeStep()
{
    StepSavedTime(PreviousSavedTime);
}

// The run's time goes to the saved time the rule gives and its results are
// loaded; a model without saved times to walk keeps its time.
void CGraphicOutputDlg::StepSavedTime(long long (*rule)(long long, const SavedTimes&))
{
    Engine& e = TheEngine();
    const SavedTimes times = ModelSavedTimes();
    if (!times.Walkable())
        return;
    e.run.calcTime = static_cast<std::int32_t>(rule(e.run.calcTime, times));
    LoadResults();
}

void CGraphicOutputDlg::OnGoTo()
{
    Engine& e = TheEngine();
    CDlgGoTo dlg(e.run.calcTime, this);
    if (dlg.DoModal() != IDOK)
        return;
    e.run.calcTime = static_cast<std::int32_t>(std::clamp<long long>(dlg.m_seconds, 0, INT32_MAX));
    LoadResults();
}

void CGraphicOutputDlg::OnPlay()
{
    Engine& e = TheEngine();
    const SavedTimes times = ModelSavedTimes();
    if (!times.Walkable())
        return;
    EscLoop loop(m_looping, m_stop);
    LoadResults();
    while (!m_stop && common::ErrorCode() == 0) {
        e.run.calcTime = static_cast<std::int32_t>(NextSavedTime(e.run.calcTime, times));
        LoadResults();
        // Also where nothing is drawn (a window without a size).
        if (Host().EscPressed())
            m_stop = true;
    }
}

void CGraphicOutputDlg::OnRotateContinuous(UINT id)
{
    const int key = static_cast<int>(id - ID_GRAPHIC_ROTATE_LEFT);
    const float s = DragMode() ? 5.0f : -5.0f;
    const ViewAngles angles = ModelViewAngles(TheEngine().model);
    EscLoop loop(m_looping, m_stop);
    while (!m_stop && common::ErrorCode() == 0) {
        switch (key) {
        case 0: angles.azimuth -= s; break;
        case 1: angles.azimuth += s; break;
        case 2: angles.altitude += s; break;
        default: angles.altitude -= s; break;
        }
        NormaliseViewAngles(angles);
        Refresh();
        if (Host().EscPressed())
            m_stop = true;
    }
}

// ---- Projection and zoom ----

void CGraphicOutputDlg::OnPerspective()
{
    m_picture.projection = 0;
    if (m_picture.settings.fill == FillMode::Patterns)
        m_picture.settings.fill = FillMode::Materials;
    m_mouseMode = 0;
    InvalidatePicture();
}

void CGraphicOutputDlg::SelectProjection(int k)
{
    Engine& e = TheEngine();
    PictureSettings& s = m_picture.settings;
    const bool singleCell = e.model.axes[0].n < 2 || e.model.axes[1].n < 2 || e.model.axes[2].n < 2;
    if (s.fill == FillMode::BCs || (s.fill == FillMode::Isofluxes && singleCell))
        s.fill = FillMode::Off;
    m_picture.projection = k;
    ComputeClipCoordinates(e.model);
    m_picture.sectionView.SetSectionFullWindow(k, e.model.clipCoord);
    m_mouseMode = 1;
    InvalidatePicture();
}

void CGraphicOutputDlg::OnSection(UINT id)
{
    if (id >= ID_GRAPHIC_SECTION_RMIN && id <= ID_GRAPHIC_SECTION_RMIN + 5)
        SelectProjection(static_cast<int>(id - ID_GRAPHIC_SECTION_RMIN) + 7);
    else
        SelectProjection(static_cast<int>(id - ID_GRAPHIC_SECTION_XMIN) + 1);
}

void CGraphicOutputDlg::OnMouseModeCommand(UINT id)
{
    switch (id) {
    case ID_GRAPHIC_ROTATE: m_mouseMode = 0; break;
    case ID_GRAPHIC_ZOOM_WINDOW: m_mouseMode = 1; break;
    case ID_GRAPHIC_PAN: m_mouseMode = 2; break;
    default: m_mouseMode = 3; break;
    }
}

void CGraphicOutputDlg::OnZoomOut()
{
    if (IsSection(m_picture.projection))
        m_picture.sectionView.ZoomOut();
    else
        gelmar::ZoomOut(Camera(), ModelViewAngles(TheEngine().model), m_mouseMode);
    InvalidatePicture();
}

void CGraphicOutputDlg::OnZoomTotal()
{
    if (IsSection(m_picture.projection)) {
        m_picture.sectionView.ZoomTotal();
        m_mouseMode = 1;
    } else {
        gelmar::ZoomTotal(Camera(), ModelViewAngles(TheEngine().model), m_mouseMode);
        m_mouseMode = 0;
    }
    InvalidatePicture();
}

void CGraphicOutputDlg::OnPreviousView()
{
    if (IsSection(m_picture.projection))
        m_picture.sectionView.PreviousView();
    else
        gelmar::SwapPreviousView(Camera(), ModelViewAngles(TheEngine().model));
    InvalidatePicture();
}

void CGraphicOutputDlg::OnZoomNumbers()
{
    if (IsSection(m_picture.projection)) {
        common::CDlgZoomNumbers2D dlg(this);
        const kernels::SectionWindow& w = m_picture.sectionView.Current();
        dlg.m_umin = w.umin;
        dlg.m_umax = w.umax;
        dlg.m_vmin = w.vmin;
        dlg.m_vmax = w.vmax;
        if (dlg.DoModal() != IDOK)
            return;
        m_picture.sectionView.SaveSectionWindow();
        m_picture.sectionView.SetCurrent({dlg.m_umin, dlg.m_umax, dlg.m_vmin, dlg.m_vmax});
    } else if (g_graphView) {
        // With the sun display the view angle and the focus stay.
        ViewCamera& camera = Camera();
        const ViewCamera kept = camera;
        g_graphView->OnZoomNumbers();
        if (m_picture.settings.sunPosition) {
            camera.m_viewAngle = kept.m_viewAngle;
            camera.m_totalView = kept.m_totalView;
            std::copy(std::begin(kept.m_focus), std::end(kept.m_focus), std::begin(camera.m_focus));
        }
    }
    InvalidatePicture();
}

// ---- View ----

void CGraphicOutputDlg::OnToggle(UINT id)
{
    PictureSettings& s = m_picture.settings;
    switch (id) {
    case ID_GRAPHIC_OBJECT_LINES: s.objectLines = !s.objectLines; break;
    case ID_GRAPHIC_GRID_LINES: s.gridLines = !s.gridLines; break;
    case ID_GRAPHIC_ISOTHERMAL_LINES: s.isothermalLines = !s.isothermalLines; break;
    case ID_GRAPHIC_ISOFLUX_LINES: s.isofluxLines = !s.isofluxLines; break;
    case ID_GRAPHIC_SHADOW: s.shadow = !s.shadow; break;
    case ID_GRAPHIC_PROFILE:
        s.profile = !s.profile;
        LayoutPanes();
        break;
    case ID_GRAPHIC_LEGEND:
        s.legend = !s.legend;
        LayoutPanes();
        break;
    default: break;
    }
    InvalidatePicture();
}

void CGraphicOutputDlg::OnFill(UINT id)
{
    FillMode& fill = m_picture.settings.fill;
    switch (id) {
    case ID_GRAPHIC_FILL_MATERIALS: fill = FillMode::Materials; break;
    case ID_GRAPHIC_FILL_PATTERNS: fill = FillMode::Patterns; break;
    case ID_GRAPHIC_FILL_BCS: fill = FillMode::BCs; break;
    case ID_GRAPHIC_FILL_TEMPERATURES: fill = FillMode::Temperatures; break;
    case ID_GRAPHIC_FILL_ISOFLUXES: fill = FillMode::Isofluxes; break;
    case ID_GRAPHIC_FILL_SOLAR: fill = FillMode::AbsorbedSolarFluxes; break;
    default: fill = FillMode::Off; break;
    }
    InvalidatePicture();
}

void CGraphicOutputDlg::OnSunPosition()
{
    PictureSettings& s = m_picture.settings;
    s.sunPosition = !s.sunPosition;
    if (s.sunPosition) {
        m_picture.projection = 0;
        if (s.fill == FillMode::Patterns)
            s.fill = FillMode::Materials;
        gelmar::ZoomTotal(Camera(), ModelViewAngles(TheEngine().model), m_mouseMode);
        m_mouseMode = 0;
    }
    InvalidatePicture();
}

void CGraphicOutputDlg::OnProfileLine()
{
    Engine& e = TheEngine();
    const int n[3] = {e.model.axes[0].n, e.model.axes[1].n, e.model.axes[2].n};
    common::CDlgTempProfileLine dlg(n, IsRcl(), this);
    ProfileLine& line = m_picture.profileLine;
    dlg.m_direction = line.Axis();
    dlg.m_from[0] = line.a.i;
    dlg.m_from[1] = line.a.j;
    dlg.m_from[2] = line.a.k;
    dlg.m_to[0] = line.b.i;
    dlg.m_to[1] = line.b.j;
    dlg.m_to[2] = line.b.k;
    if (dlg.DoModal() != IDOK)
        return;
    line.a = {dlg.m_from[0], dlg.m_from[1], dlg.m_from[2]};
    line.b = {dlg.m_to[0], dlg.m_to[1], dlg.m_to[2]};
    if (line.Empty() && m_picture.settings.profile) {
        m_picture.settings.profile = false;
        LayoutPanes();
    }
    InvalidatePicture();
}

// ---- Clip and settings ----

void CGraphicOutputDlg::ApplyClipChange()
{
    Engine& e = TheEngine();
    ComputeModelExtent(e.model);
    ComputeClipCoordinates(e.model);
    if (IsSection(m_picture.projection)) {
        m_picture.sectionView.SetSectionFullWindow(m_picture.projection, e.model.clipCoord);
        m_mouseMode = 1;
    }
    Host().RefillTables();
    if (g_graphView) {
        g_graphView->UpdateModel();
        g_graphView->Invalidate(FALSE);
    }
    InvalidatePicture();
}

void CGraphicOutputDlg::OnClipObject()
{
    Engine& e = TheEngine();
    const int n[3] = {e.model.axes[0].n, e.model.axes[1].n, e.model.axes[2].n};
    common::CDlgClipObject dlg(n, IsRcl(), this);
    common::ClipBox box;
    for (int a = 0; a < 3; ++a) {
        box.lo[a] = e.model.clipLo[a];
        box.hi[a] = e.model.clipHi[a];
    }
    common::CDlgClipObject::BoxToFields(box, n, IsRcl(), dlg.m_value);
    if (dlg.DoModal() != IDOK)
        return;
    const common::ClipBox chosen = common::CDlgClipObject::FieldsToBox(dlg.m_value, n, IsRcl());
    for (int a = 0; a < 3; ++a) {
        e.model.clipLo[a] = chosen.lo[a];
        e.model.clipHi[a] = chosen.hi[a];
    }
    ApplyClipChange();
}

void CGraphicOutputDlg::OnClipOff()
{
    Engine& e = TheEngine();
    for (int a = 0; a < 3; ++a) {
        e.model.clipLo[a] = 0;
        e.model.clipHi[a] = static_cast<std::uint16_t>(e.model.axes[a].n);
    }
    ApplyClipChange();
}

void CGraphicOutputDlg::TakeModelRanges()
{
    // The ranges and pens of the model and the display settings; a flux
    // pass left open gives its exchanged ranges back first.
    Engine& e = TheEngine();
    PictureSettings& s = m_picture.settings;
    EndIsofluxDrawing(s);
    const PictureSettings model = PictureSettingsFromModel(e.model, e.view.display, e.output);
    s.temperature = model.temperature;
    s.flux = model.flux;
    s.singleValue = model.singleValue;
    s.singlePen = model.singlePen;
    s.objectPen = model.objectPen;
    s.gridPen = model.gridPen;
}

void CGraphicOutputDlg::OnTemperatureRange()
{
    EndIsofluxDrawing(m_picture.settings);
    if (!EditTemperatureRange(this, TheEngine()))
        return;
    TakeModelRanges();
    const PictureSettings& s = m_picture.settings;
    if (s.isothermalLines || s.fill == FillMode::Temperatures || s.profile)
        InvalidatePicture();
}

void CGraphicOutputDlg::OnHeatFluxRange()
{
    EndIsofluxDrawing(m_picture.settings);
    if (!EditHeatFluxRange(this, TheEngine()))
        return;
    TakeModelRanges();
    const PictureSettings& s = m_picture.settings;
    if (s.isofluxLines || s.fill == FillMode::Isofluxes || s.fill == FillMode::AbsorbedSolarFluxes)
        InvalidatePicture();
}

void CGraphicOutputDlg::OnLineStyles()
{
    DisplaySettings& d = TheEngine().view.display;
    LineStyle* styles[common::kLineStyleCount] = {&d.object,   &d.grid,     &d.isotherm1, &d.isotherm2,
                                                  &d.singleIsotherm, &d.isoflux1, &d.isoflux2};
    common::CDlgLineStyles dlg(this);
    for (int i = 0; i < common::kLineStyleCount; ++i) {
        dlg.m_colour[i] = static_cast<COLORREF>(styles[i]->colour);
        dlg.m_width[i] = styles[i]->width;
    }
    if (dlg.DoModal() != IDOK)
        return;
    for (int i = 0; i < common::kLineStyleCount; ++i) {
        styles[i]->colour = static_cast<std::int32_t>(dlg.m_colour[i]);
        styles[i]->width = dlg.m_width[i];
    }
    TakeModelRanges();
    InvalidatePicture();
}

void CGraphicOutputDlg::OnImageSize()
{
    Engine& e = TheEngine();
    common::CDlgImageSize dlg(this);
    dlg.m_width = e.output.imgw;
    dlg.m_height = e.output.imgh;
    dlg.m_fontSize = e.output.imgf;
    if (dlg.DoModal() != IDOK)
        return;
    e.output.imgw = dlg.m_width;
    e.output.imgh = dlg.m_height;
    e.output.imgf = dlg.m_fontSize;
    if (dlg.m_setAsDefault) {
        e.parameters.imgw = dlg.m_width;
        e.parameters.imgh = dlg.m_height;
        e.parameters.imgf = dlg.m_fontSize;
        e.parametersChanged = true;
    }
}

// ---- Exports ----

void CGraphicOutputDlg::ReportOpenFailed(const std::string& path)
{
    AfxMessageBox(WithPath(IDS_OPEN_FAILED, path), MB_ICONEXCLAMATION);
}

std::string CGraphicOutputDlg::ChooseSavePath(const char* extension, UINT filterId, const std::string& initial)
{
    Engine& e = TheEngine();
    const std::string filter = platform::LoadString(filterId);
    CFileDialog dlg(FALSE, extension, initial.c_str(),
                    OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter.c_str(),
                    this);
    if (dlg.DoModal() != IDOK)
        return {};
    e.view.outputSavePath = dlg.GetPathName();
    return e.view.outputSavePath;
}

CGraphicOutputDlg::FileResult CGraphicOutputDlg::RenderToImageFile(const std::string& path, int width, int height)
{
    m_rendering = true;
    CBitmap bitmap;
    const RenderResult r = Render(width, height, TheEngine().output.imgf, RGB(255, 255, 255), bitmap);
    LayoutPanes();
    m_rendering = false;
    if (r == RenderResult::NoBitmap) {
        BitmapFailed();
        return FileResult::NoBitmap;
    }
    // A picture Esc interrupted is not written.
    if (r == RenderResult::Stopped)
        return FileResult::Stopped;
    if (!WriteImageFile(path, bitmap)) {
        ReportOpenFailed(path);
        return FileResult::NotWritten;
    }
    return FileResult::Written;
}

void CGraphicOutputDlg::OnSaveImage()
{
    Engine& e = TheEngine();
    namespace fs = std::filesystem;
    const fs::path shared(e.view.outputSavePath);
    std::string folder = shared.parent_path().string();
    if (!folder.empty())
        folder += fs::path::preferred_separator;
    const std::string name = FigureFileName(folder, [](const std::string& p) { return FileExists(p); });
    const std::string path = ChooseSavePath("png", IDS_IMAGE_FILTER, folder + name);
    if (path.empty())
        return;
    CWaitCursor wait;
    RenderToImageFile(path, e.output.imgw, e.output.imgh);
}

void CGraphicOutputDlg::OnSaveAnimationImages()
{
    Engine& e = TheEngine();
    namespace fs = std::filesystem;
    const SavedTimes times = ModelSavedTimes();
    if (!times.Walkable())
        return;
    const fs::path shared(e.view.outputSavePath);
    const std::string initial = (shared.parent_path() / shared.stem()).string();
    const std::string chosen = ChooseSavePath("png", IDS_IMAGE_FILTER, initial);
    if (chosen.empty())
        return;
    const fs::path p(chosen);
    std::string folder = p.parent_path().string();
    if (!folder.empty())
        folder += fs::path::preferred_separator;
    const std::string name = p.stem().string(), extension = p.extension().string();
    FrameLoopResult result;
    {
        EscLoop loop(m_looping, m_stop);
        result = RunFrameLoop(
            times, e.run.calcTime,
            [&](long long time) {
                e.run.calcTime = static_cast<std::int32_t>(time);
                LoadResults();
                return !m_stop && common::ErrorCode() == 0;
            },
            [&](int index) {
                const std::string path = AnimationImagePath(folder, name, index, extension);
                e.view.outputSavePath = path;
                return RenderToImageFile(path, e.output.imgw, e.output.imgh) == FileResult::Written;
            });
    }
    e.run.calcTime = static_cast<std::int32_t>(result.lastTime);
    LoadResults();
}

bool CGraphicOutputDlg::WriteFrame(platform::AviWriter& avi, common::FramePalette& palette, int width, int height)
{
    Engine& e = TheEngine();
    m_rendering = true;
    CBitmap bitmap;
    const RenderResult r = Render(width, height, e.output.imgf, RGB(223, 223, 223), bitmap);
    LayoutPanes();
    m_rendering = false;
    if (r != RenderResult::Drawn)
        return false;
    switch (WriteAviFrame(avi, palette, bitmap)) {
    case platform::AviWriter::FrameResult::Written:
        return true;
    case platform::AviWriter::FrameResult::TooLarge:
        AfxMessageBox(platform::LoadString(IDS_AVI_SIZE_LIMIT), MB_ICONEXCLAMATION);
        return false;
    default:
        ReportOpenFailed(e.view.outputSavePath);
        return false;
    }
}

void CGraphicOutputDlg::OnWriteAviFile()
{
    Engine& e = TheEngine();
    namespace fs = std::filesystem;
    const SavedTimes times = ModelSavedTimes();
    if (!times.Walkable())
        return;
    const fs::path shared(e.view.outputSavePath);
    const std::string path = ChooseSavePath("avi", IDS_AVI_FILTER, (shared.parent_path() / shared.stem()).string());
    if (path.empty())
        return;
    CDlgWriteAvi rate(this);
    rate.m_framesPerSecond = g_graphicOutput.framesPerSecond;
    if (rate.DoModal() != IDOK)
        return;
    g_graphicOutput.framesPerSecond = rate.m_framesPerSecond;
    CDlgAviCompression compression(this);
    compression.m_index = g_graphicOutput.compression == platform::AviCompression::Uncompressed ? 1 : 0;
    if (compression.DoModal() != IDOK)
        return;
    g_graphicOutput.compression =
        compression.m_index == 1 ? platform::AviCompression::Uncompressed : platform::AviCompression::Rle8;
    const int w = e.output.imgw, h = e.output.imgh;
    platform::AviWriter avi;
    if (!avi.Open(path, {w, h, g_graphicOutput.framesPerSecond, g_graphicOutput.compression})) {
        ReportOpenFailed(path);
        return;
    }
    m_picture.settings.legend = true;
    LayoutPanes();
    common::FramePalette palette;
    FrameLoopResult result;
    {
        EscLoop loop(m_looping, m_stop);
        result = RunFrameLoop(
            times, e.run.calcTime,
            [&](long long time) {
                e.run.calcTime = static_cast<std::int32_t>(time);
                LoadResults();
                return !m_stop && common::ErrorCode() == 0;
            },
            [&](int) { return WriteFrame(avi, palette, w, h); });
    }
    if (!avi.Close())
        ReportOpenFailed(path);
    e.run.calcTime = static_cast<std::int32_t>(result.lastTime);
    LoadResults();
}

void CGraphicOutputDlg::OnPrintImage()
{
    if (!g_graphView)
        return;
    g_graphView->PrintGraphicOutput(this);
    SetFocus();
}

void CGraphicOutputDlg::PrintPicture(CDC* pDC, CPrintInfo*)
{
    m_rendering = true;
    const PictureSettings& s = m_picture.settings;
    // A printer of two colours gets the grey scale.
    ColourScale grey;
    const bool hasGrey =
        pDC && pDC->GetDeviceCaps(NUMCOLORS) == 2 && LoadColourScale(grey, Host(), g_app.programFolder, true);
    const CSize page = PrintPageSize(pDC ? pDC->GetDeviceCaps(HORZRES) : 0, pDC ? pDC->GetDeviceCaps(VERTRES) : 0);
    const CSize size = PrintBitmapSize(page);
    const PicturePanes panes = LayoutPicturePanes(size.cx, size.cy, s.legend && !s.profile);
    PrepareCamera(panes.picture.Width(), panes.picture.Height());
    ++m_picturesDrawn;
    RenderResult r = RenderResult::NoBitmap;
    const bool wasDrawing = m_drawing;
    m_drawing = true;
    try {
        r = gelmar::PrintPicture(pDC, m_picture, Source(), s.legend && !s.profile, hasGrey ? &grey : nullptr,
                                 EngineEscCheck());
    } catch (const common::EngineException&) {
    }
    m_drawing = wasDrawing;
    LayoutPanes();
    m_rendering = false;
    if (r == RenderResult::NoBitmap)
        BitmapFailed();
    else if (r == RenderResult::Stopped)
        m_stop = true;
}

// ---- Commands ----

BOOL CGraphicOutputDlg::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    // While a loop draws, the commands wait for its Esc.
    if ((m_looping || m_drawing) && nCode == CN_COMMAND && !pCmdUI)
        return TRUE;
    static const CommandMap map = {
        ::OnCommand(ID_GRAPHIC_SAVE_IMAGE, &CGraphicOutputDlg::OnSaveImage),
        ::OnCommand(ID_GRAPHIC_SAVE_ANIMATION, &CGraphicOutputDlg::OnSaveAnimationImages),
        ::OnCommand(ID_GRAPHIC_WRITE_AVI, &CGraphicOutputDlg::OnWriteAviFile),
        ::OnCommand(ID_GRAPHIC_PRINT_IMAGE, &CGraphicOutputDlg::OnPrintImage),
        ::OnCommand(ID_GRAPHIC_EXIT, &CGraphicOutputDlg::OnExit),
        ::OnCommand(ID_GRAPHIC_FIRST_STEP, &CGraphicOutputDlg::OnFirstTimeStep),
        ::OnCommand(ID_GRAPHIC_NEXT_STEP, &CGraphicOutputDlg::OnNextTimeStep),
        ::OnCommand(ID_GRAPHIC_PREVIOUS_STEP, &CGraphicOutputDlg::OnPreviousTimeStep),
        ::OnCommand(ID_GRAPHIC_GO_TO, &CGraphicOutputDlg::OnGoTo),
        ::OnCommand(ID_GRAPHIC_PLAY, &CGraphicOutputDlg::OnPlay),
        OnCommandRange(ID_GRAPHIC_ROTATE_LEFT, ID_GRAPHIC_ROTATE_LEFT + 3, &CGraphicOutputDlg::OnRotateContinuous),
        OnCommandRange(ID_GRAPHIC_KEY_LEFT, ID_GRAPHIC_KEY_LEFT + 3, &CGraphicOutputDlg::OnArrowKey),
        ::OnCommand(ID_GRAPHIC_PERSPECTIVE, &CGraphicOutputDlg::OnPerspective),
        OnCommandRange(ID_GRAPHIC_SECTION_XMIN, ID_GRAPHIC_SECTION_XMIN + 5, &CGraphicOutputDlg::OnSection),
        OnCommandRange(ID_GRAPHIC_SECTION_RMIN, ID_GRAPHIC_SECTION_RMIN + 5, &CGraphicOutputDlg::OnSection),
        OnCommandRange(ID_GRAPHIC_ROTATE, ID_GRAPHIC_ZOOM_IN, &CGraphicOutputDlg::OnMouseModeCommand),
        ::OnCommand(ID_GRAPHIC_ZOOM_OUT, &CGraphicOutputDlg::OnZoomOut),
        ::OnCommand(ID_GRAPHIC_ZOOM_TOTAL, &CGraphicOutputDlg::OnZoomTotal),
        ::OnCommand(ID_GRAPHIC_PREVIOUS_VIEW, &CGraphicOutputDlg::OnPreviousView),
        ::OnCommand(ID_GRAPHIC_NUMBERS, &CGraphicOutputDlg::OnZoomNumbers),
        OnCommandRange(ID_GRAPHIC_OBJECT_LINES, ID_GRAPHIC_ISOTHERMAL_LINES, &CGraphicOutputDlg::OnToggle),
        OnCommandRange(ID_GRAPHIC_ISOFLUX_LINES, ID_GRAPHIC_ISOFLUX_LINES, &CGraphicOutputDlg::OnToggle),
        OnCommandRange(ID_GRAPHIC_SHADOW, ID_GRAPHIC_SHADOW, &CGraphicOutputDlg::OnToggle),
        OnCommandRange(ID_GRAPHIC_PROFILE, ID_GRAPHIC_PROFILE, &CGraphicOutputDlg::OnToggle),
        OnCommandRange(ID_GRAPHIC_LEGEND, ID_GRAPHIC_LEGEND, &CGraphicOutputDlg::OnToggle),
        OnCommandRange(ID_GRAPHIC_FILL_MATERIALS, ID_GRAPHIC_FILL_OFF, &CGraphicOutputDlg::OnFill),
        OnCommandRange(ID_GRAPHIC_FILL_SOLAR, ID_GRAPHIC_FILL_SOLAR, &CGraphicOutputDlg::OnFill),
        ::OnCommand(ID_GRAPHIC_SUN_POSITION, &CGraphicOutputDlg::OnSunPosition),
        ::OnCommand(ID_GRAPHIC_PROFILE_LINE, &CGraphicOutputDlg::OnProfileLine),
        ::OnCommand(ID_GRAPHIC_CLIP_OBJECT, &CGraphicOutputDlg::OnClipObject),
        ::OnCommand(ID_GRAPHIC_CLIP_OFF, &CGraphicOutputDlg::OnClipOff),
        ::OnCommand(ID_GRAPHIC_TEMPERATURE_RANGE, &CGraphicOutputDlg::OnTemperatureRange),
        ::OnCommand(ID_GRAPHIC_HEAT_FLUX_RANGE, &CGraphicOutputDlg::OnHeatFluxRange),
        ::OnCommand(ID_GRAPHIC_LINE_STYLES, &CGraphicOutputDlg::OnLineStyles),
        ::OnCommand(ID_GRAPHIC_IMAGE_SIZE, &CGraphicOutputDlg::OnImageSize),
        OnUpdateRange(ID_GRAPHIC_SAVE_IMAGE, ID_GRAPHIC_LINE_STYLES, &CGraphicOutputDlg::OnUpdateCommand),
        OnUpdateRange(ID_GRAPHIC_SECTION_RMIN, ID_GRAPHIC_ISOFLUX_LINES, &CGraphicOutputDlg::OnUpdateCommand),
        OnUpdateRange(ID_GRAPHIC_SAVE_ANIMATION, ID_GRAPHIC_ROTATE_LEFT + 3, &CGraphicOutputDlg::OnUpdateCommand),
        OnUpdateRange(ID_GRAPHIC_FILL_SOLAR, ID_GRAPHIC_SHADOW, &CGraphicOutputDlg::OnUpdateCommand),
        OnUpdateRange(ID_GRAPHIC_SUN_POSITION, ID_GRAPHIC_PROFILE, &CGraphicOutputDlg::OnUpdateCommand),
        OnUpdateRange(ID_GRAPHIC_IMAGE_SIZE, ID_GRAPHIC_IMAGE_SIZE, &CGraphicOutputDlg::OnUpdateCommand),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CGraphicOutputDlg::OnUpdateCommand(CCmdUI* pCmdUI)
{
    Engine& e = TheEngine();
    const UINT id = pCmdUI->m_nID;
    const PictureSettings& s = m_picture.settings;
    const bool section = IsSection(m_picture.projection);
    const bool sunOff = !s.sunPosition;
    const bool profileOff = !s.profile;
    const bool valid = ResultsValid();
    const bool solar = e.run.solar.solar;
    const ViewCamera& camera = const_cast<CGraphicOutputDlg*>(this)->Camera();
    const bool notTotal = !camera.m_totalView;
    bool enable = profileOff; // the profile rule of most commands
    int check = -1;           // -1: no check mark
    const int sectionBase = static_cast<int>(id) - static_cast<int>(ID_GRAPHIC_SECTION_XMIN);
    const int rclBase = static_cast<int>(id) - static_cast<int>(ID_GRAPHIC_SECTION_RMIN);
    if (sectionBase >= 0 && sectionBase < 6) {
        enable = profileOff && sunOff && m_picture.projection != sectionBase + 1;
        check = m_picture.projection == sectionBase + 1;
    } else if (rclBase >= 0 && rclBase < 6) {
        enable = profileOff && sunOff && m_picture.projection != rclBase + 7;
        check = m_picture.projection == rclBase + 7;
    } else {
        switch (id) {
        case ID_GRAPHIC_EXIT:
            // The window can always be left.
            enable = true;
            break;
        case ID_GRAPHIC_SAVE_IMAGE:
        case ID_GRAPHIC_SAVE_ANIMATION:
        case ID_GRAPHIC_WRITE_AVI:
        case ID_GRAPHIC_PRINT_IMAGE:
        case ID_GRAPHIC_FIRST_STEP:
        case ID_GRAPHIC_NEXT_STEP:
        case ID_GRAPHIC_PREVIOUS_STEP:
        case ID_GRAPHIC_GO_TO:
        case ID_GRAPHIC_PLAY:
        case ID_GRAPHIC_NUMBERS:
        case ID_GRAPHIC_IMAGE_SIZE:
            enable = profileOff;
            break;
        case ID_GRAPHIC_ROTATE_LEFT:
        case ID_GRAPHIC_ROTATE_LEFT + 1:
        case ID_GRAPHIC_ROTATE_LEFT + 2:
        case ID_GRAPHIC_ROTATE_LEFT + 3:
            enable = profileOff;
            break;
        case ID_GRAPHIC_PERSPECTIVE:
            enable = profileOff && section;
            check = !section;
            break;
        case ID_GRAPHIC_ROTATE:
            enable = profileOff && !section;
            check = m_mouseMode == 0;
            break;
        case ID_GRAPHIC_PAN:
            enable = profileOff && (section || notTotal);
            check = m_mouseMode == 2;
            break;
        case ID_GRAPHIC_ZOOM_WINDOW:
            enable = profileOff && sunOff;
            check = m_mouseMode == 1;
            break;
        case ID_GRAPHIC_ZOOM_IN:
            enable = profileOff && sunOff;
            check = m_mouseMode == 3;
            break;
        case ID_GRAPHIC_ZOOM_OUT:
            enable = profileOff && (section || notTotal);
            break;
        case ID_GRAPHIC_ZOOM_TOTAL:
            enable = profileOff && (section ? !m_picture.sectionView.AtFullWindow() : notTotal);
            break;
        case ID_GRAPHIC_PREVIOUS_VIEW:
            enable = profileOff && sunOff &&
                     (section ? m_picture.sectionView.HasPreviousWindow() : camera.m_previousAngle > 0.0f);
            break;
        case ID_GRAPHIC_OBJECT_LINES:
            enable = profileOff && sunOff;
            check = s.objectLines;
            break;
        case ID_GRAPHIC_GRID_LINES:
            enable = profileOff && sunOff;
            check = s.gridLines;
            break;
        case ID_GRAPHIC_ISOTHERMAL_LINES:
            enable = profileOff && sunOff && valid;
            check = s.isothermalLines;
            break;
        case ID_GRAPHIC_ISOFLUX_LINES:
            enable = profileOff && sunOff && !section && valid;
            check = s.isofluxLines;
            break;
        case ID_GRAPHIC_FILL_MATERIALS:
            enable = profileOff && sunOff;
            check = s.fill == FillMode::Materials;
            break;
        case ID_GRAPHIC_FILL_PATTERNS:
            enable = profileOff && sunOff && section;
            check = s.fill == FillMode::Patterns;
            break;
        case ID_GRAPHIC_FILL_BCS:
            enable = profileOff && sunOff && !section;
            check = s.fill == FillMode::BCs;
            break;
        case ID_GRAPHIC_FILL_TEMPERATURES:
            enable = profileOff && sunOff && valid;
            check = s.fill == FillMode::Temperatures;
            break;
        case ID_GRAPHIC_FILL_ISOFLUXES:
            enable = profileOff && sunOff && !section && valid;
            check = s.fill == FillMode::Isofluxes;
            break;
        case ID_GRAPHIC_FILL_SOLAR:
            enable = profileOff && sunOff && !section && solar;
            check = s.fill == FillMode::AbsorbedSolarFluxes;
            break;
        case ID_GRAPHIC_FILL_OFF:
            enable = profileOff && sunOff;
            check = s.fill == FillMode::Off;
            break;
        case ID_GRAPHIC_SUN_POSITION:
            enable = profileOff;
            check = s.sunPosition;
            break;
        case ID_GRAPHIC_SHADOW:
            enable = profileOff && sunOff && !section && solar;
            check = s.shadow;
            break;
        case ID_GRAPHIC_PROFILE_LINE:
            enable = sunOff;
            break;
        case ID_GRAPHIC_PROFILE:
            enable = sunOff && !m_picture.profileLine.Empty();
            check = s.profile;
            break;
        case ID_GRAPHIC_LEGEND:
            enable = profileOff;
            check = s.legend && profileOff;
            break;
        case ID_GRAPHIC_CLIP_OBJECT:
            enable = profileOff;
            break;
        case ID_GRAPHIC_CLIP_OFF: {
            bool whole = true;
            for (int a = 0; a < 3; ++a)
                whole = whole && e.model.clipLo[a] == 0 && e.model.clipHi[a] == e.model.axes[a].n;
            enable = profileOff && !whole;
            check = whole;
            break;
        }
        case ID_GRAPHIC_TEMPERATURE_RANGE:
            enable = sunOff;
            break;
        case ID_GRAPHIC_HEAT_FLUX_RANGE:
        case ID_GRAPHIC_LINE_STYLES:
            enable = profileOff && sunOff;
            break;
        default:
            break;
        }
    }
    pCmdUI->Enable(enable);
    if (check >= 0)
        pCmdUI->SetCheck(check);
}

} // namespace gelmar
