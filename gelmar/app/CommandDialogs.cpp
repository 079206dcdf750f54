// The command dialogs: data exchange with their ranges, the Set As Default
// buttons, and the enabling rules of Revolve 90°, Split and Transform.
#include "gelmar/app/CommandDialogs.h"

#include "gelmar/model/files/Parameters.h"
#include "gelmar/model/store/Engine.h"
#include "gelmar/model/store/ModelStore.h"
#include "platform/core/StringTable.h"
#include "resources/gelmar/GelmarIds.h"

#include <cmath>
#include <cstdio>

namespace gelmar {

std::string GridUnitText(const ModelStore& model)
{
    const float u = model.gridUnit;
    if (std::fabs(u - 0.001f) < 1e-7f)
        return "mm";
    if (std::fabs(u - 0.01f) < 1e-6f)
        return "cm";
    if (std::fabs(u - 0.1f) < 1e-5f)
        return "dm";
    return "m";
}

namespace {

constexpr int kMaxCount = 999999999;

void SetUnitLabels(CDialog& dlg, const ModelStore& model, std::initializer_list<UINT> ids)
{
    for (UINT id : ids)
        dlg.SetDlgItemText(id, GridUnitText(model));
}

} // namespace

// Auto Split.
CDlgAutoSplit::CDlgAutoSplit(Engine& engine) : CDialog(IDD_AUTO_SPLIT), m_engine(engine) {}

BOOL CDlgAutoSplit::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUnitLabels(*this, m_engine.model, {1261, 1262});
    return TRUE;
}

void CDlgAutoSplit::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1143, m_x);
    DDX_Check(pDX, 1144, m_y);
    DDX_Check(pDX, 1145, m_z);
    DDX_Text(pDX, 1256, m_size);
    DDV_MinMaxFloat(pDX, m_size, 1e-6f, 1e9f);
    DDX_Text(pDX, 1257, m_distance);
    DDV_MinMaxFloat(pDX, m_distance, 1e-6f, 1e9f);
    DDX_Text(pDX, 1125, m_ratio);
    DDV_MinMaxFloat(pDX, m_ratio, 1.0f, 100.0f);
}

BOOL CDlgAutoSplit::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {OnControl(1258, BN_CLICKED, &CDlgAutoSplit::OnSetAsDefault)};
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CDlgAutoSplit::OnSetAsDefault()
{
    if (!UpdateData(TRUE))
        return;
    m_engine.parameters.tras = m_size;
    m_engine.parameters.diss = m_distance;
    m_engine.parameters.rats = m_ratio;
    m_engine.parametersChanged = true;
}

// Convert Void to Blocks.
CDlgClrVoid::CDlgClrVoid() : CDialog(IDD_CONVERT_VOID) {}

void CDlgClrVoid::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1279, m_colour);
    DDV_MinMaxInt(pDX, m_colour, 0, 255);
}

// Drag Mode.
CDlgDragMode::CDlgDragMode() : CDialog(IDD_DRAG_MODE) {}

void CDlgDragMode::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, 1146, m_mode);
}

// Cavity Emissivities.
CDlgCavityEmissivities::CDlgCavityEmissivities() : CDialog(IDD_CAVITY_EMISSIVITIES) {}

void CDlgCavityEmissivities::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1259, m_e1);
    DDV_MinMaxFloat(pDX, m_e1, 0.001f, 1.0f);
    DDX_Text(pDX, 1260, m_e2);
    DDV_MinMaxFloat(pDX, m_e2, 0.001f, 1.0f);
}

// Grid Unit.
CDlgGridUnit::CDlgGridUnit(Engine& engine) : CDialog(IDD_GRID_UNIT), m_engine(engine) {}

void CDlgGridUnit::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1003, m_unit);
    DDV_MinMaxFloat(pDX, m_unit, 1e-9f, 1e9f);
}

BOOL CDlgGridUnit::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {OnControl(IDC_SET_AS_DEFAULT, BN_CLICKED, &CDlgGridUnit::OnSetAsDefault)};
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CDlgGridUnit::OnSetAsDefault()
{
    if (!UpdateData(TRUE))
        return;
    m_engine.parameters.grun = m_unit;
    m_engine.parametersChanged = true;
    EndDialog(IDOK);
}

// Create Minimum Grid.
CDlgCreateMinGrid::CDlgCreateMinGrid(const ModelStore& model) : CDialog(IDD_CREATE_MIN_GRID), m_model(model)
{
}

BOOL CDlgCreateMinGrid::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_model.rcl) {
        SetDlgItemText(1143, "R");
        SetDlgItemText(1144, "C");
        SetDlgItemText(1145, "L");
    }
    return TRUE;
}

void CDlgCreateMinGrid::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, 1143, m_x);
    DDX_Check(pDX, 1144, m_y);
    DDX_Check(pDX, 1145, m_z);
}

// New Colour.
CDlgNewColour::CDlgNewColour() : CDialog(IDD_NEW_COLOUR) {}

BOOL CDlgNewColour::OnInitDialog()
{
    CDialog::OnInitDialog();
    char text[128];
    std::snprintf(text, sizeof text, platform::LoadString(IDS_NEW_COLOUR).c_str(), m_oldColour);
    SetDlgItemText(1281, text);
    return TRUE;
}

void CDlgNewColour::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1280, m_newColour);
    DDV_MinMaxInt(pDX, m_newColour, 0, 255);
}

// Arrange Blocks.
CDlgOptimiseBlocks::CDlgOptimiseBlocks() : CDialog(IDD_ARRANGE_BLOCKS) {}

void CDlgOptimiseBlocks::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, 1277, m_mode);
}

// Report Frequency.
CDlgReportFrequency::CDlgReportFrequency() : CDialog(IDD_REPORT_FREQUENCY) {}

void CDlgReportFrequency::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1198, m_every);
    DDV_MinMaxInt(pDX, m_every, 1, kMaxCount);
}

// Revolve 90°.
namespace {

constexpr UINT kAxisIds[3] = {1130, 1132, 1133};
constexpr UINT kPositionIds[3] = {1271, 1273, 1275};

bool AxisHasIntervals(const ModelStore& model, int axis)
{
    return model.axes[size_t(axis)].n > 1;
}

} // namespace

CDlgRevolve::CDlgRevolve(const ModelStore& model) : CDialog(IDD_REVOLVE), m_model(model) {}

BOOL CDlgRevolve::OnInitDialog()
{
    m_axis = AxisHasIntervals(m_model, 0) ? 0 : AxisHasIntervals(m_model, 1) ? 1 : 2;
    int* pos[3] = {&m_xPos, &m_yPos, &m_zPos};
    for (int a = 0; a < 3; ++a)
        *pos[a] = a == m_axis ? -1 : 0;
    return CDialog::OnInitDialog();
}

void CDlgRevolve::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, kAxisIds[0], m_axis);
    DDX_Radio(pDX, kPositionIds[0], m_xPos);
    DDX_Radio(pDX, kPositionIds[1], m_yPos);
    DDX_Radio(pDX, kPositionIds[2], m_zPos);
}

BOOL CDlgRevolve::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnControl(1130, BN_CLICKED, &CDlgRevolve::OnAxis),
        OnControl(1132, BN_CLICKED, &CDlgRevolve::OnAxis),
        OnControl(1133, BN_CLICKED, &CDlgRevolve::OnAxis),
        OnUpdate(1130, &CDlgRevolve::OnUpdateAxis),
        OnUpdate(1132, &CDlgRevolve::OnUpdateAxis),
        OnUpdate(1133, &CDlgRevolve::OnUpdateAxis),
        OnUpdateRange(1271, 1276, &CDlgRevolve::OnUpdatePosition),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

// The chosen axis loses its position; a cleared position of another axis
// takes its first option.
void CDlgRevolve::OnAxis()
{
    UpdateData(TRUE);
    int* pos[3] = {&m_xPos, &m_yPos, &m_zPos};
    for (int a = 0; a < 3; ++a) {
        if (a == m_axis)
            *pos[a] = -1;
        else if (*pos[a] < 0)
            *pos[a] = 0;
    }
    UpdateData(FALSE);
}

void CDlgRevolve::OnUpdateAxis(CCmdUI* ui)
{
    const int axis = ui->m_nID == 1130 ? 0 : ui->m_nID == 1132 ? 1 : 2;
    ui->Enable(AxisHasIntervals(m_model, axis));
}

void CDlgRevolve::OnUpdatePosition(CCmdUI* ui)
{
    const int axis = int(ui->m_nID - 1271) / 2;
    ui->Enable(axis != m_axis);
}

// Save Frequency.
CDlgSaveFrequency::CDlgSaveFrequency() : CDialog(IDD_SAVE_FREQUENCY) {}

void CDlgSaveFrequency::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, 1196, m_save);
    DDX_Text(pDX, 1198, m_every);
    DDV_MinMaxInt(pDX, m_every, 1, kMaxCount);
}

// Split selected Mesh(es).
CDlgSplitMeshes::CDlgSplitMeshes(const ModelStore& model) : CDialog(IDD_SPLIT_MESHES), m_model(model) {}

BOOL CDlgSplitMeshes::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUnitLabels(*this, m_model, {1263});
    return TRUE;
}

void CDlgSplitMeshes::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1001, m_count);
    DDV_MinMaxInt(pDX, m_count, 1, 65535);
    DDX_Radio(pDX, 1131, m_method);
    DDX_Text(pDX, 1125, m_ratio);
    DDV_MinMaxFloat(pDX, m_ratio, 1e-9f, 1e9f);
    DDX_Text(pDX, 1127, m_width);
    DDV_MinMaxFloat(pDX, m_width, 1e-9f, 1e9f);
}

BOOL CDlgSplitMeshes::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnUpdate(1137, &CDlgSplitMeshes::OnUpdateSecondGroup),
        OnUpdate(1174, &CDlgSplitMeshes::OnUpdateSecondGroup),
        OnUpdate(1175, &CDlgSplitMeshes::OnUpdateSecondGroup),
        OnUpdate(1177, &CDlgSplitMeshes::OnUpdateSecondGroup),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

void CDlgSplitMeshes::OnUpdateSecondGroup(CCmdUI* ui)
{
    ui->Enable(!IsDlgButtonChecked(1131));
}

// Split Zones.
CDlgSplitZones::CDlgSplitZones() : CDialog(IDD_SPLIT_ZONES) {}

void CDlgSplitZones::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1282, m_firstColour);
    DDV_MinMaxInt(pDX, m_firstColour, 0, 255);
}

// Solar Data.
CDlgSolarData::CDlgSolarData() : CDialog(IDD_SOLAR_DATA) {}

void CDlgSolarData::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1283, m_rot1z);
    DDX_Text(pDX, 1284, m_rot2x);
    DDX_Text(pDX, 1285, m_rot3z);
    DDX_Text(pDX, 1205, m_latitude);
    DDV_MinMaxFloat(pDX, m_latitude, -90.0f, 90.0f);
    DDX_Text(pDX, 1206, m_longitude);
    DDV_MinMaxFloat(pDX, m_longitude, -180.0f, 180.0f);
    DDX_Text(pDX, 1234, m_timeZone);
    DDV_MinMaxFloat(pDX, m_timeZone, -12.0f, 12.0f);
    DDX_Text(pDX, 1235, m_groundReflection);
    DDV_MinMaxFloat(pDX, m_groundReflection, 0.0f, 1.0f);
}

// Title.
CDlgTitle::CDlgTitle() : CDialog(IDD_TITLE) {}

void CDlgTitle::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, 1018, m_title);
    DDV_MaxChars(pDX, m_title, 800);
}

// Transform Coordinates.
CDlgTransformCoordinates::CDlgTransformCoordinates(const ModelStore& model)
    : CDialog(IDD_TRANSFORM_COORDINATES), m_model(model)
{
}

BOOL CDlgTransformCoordinates::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUnitLabels(*this, m_model, {1264});
    return TRUE;
}

void CDlgTransformCoordinates::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, 1060, m_type);
    DDX_Text(pDX, 1051, m_tx);
    DDX_Text(pDX, 1053, m_ty);
    DDX_Text(pDX, 1055, m_tz);
    DDX_Radio(pDX, 1130, m_axis);
    DDX_Radio(pDX, 1134, m_angle);
    DDX_Text(pDX, 1063, m_sx);
    DDX_Text(pDX, 1065, m_sy);
    DDX_Text(pDX, 1067, m_sz);
}

BOOL CDlgTransformCoordinates::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    static const CommandMap map = {
        OnControl(1060, BN_CLICKED, &CDlgTransformCoordinates::OnType),
        OnControl(1061, BN_CLICKED, &CDlgTransformCoordinates::OnType),
        OnControl(1062, BN_CLICKED, &CDlgTransformCoordinates::OnType),
        OnUpdateRange(1051, 1055, &CDlgTransformCoordinates::OnUpdateTypeControls),
        OnUpdateRange(1063, 1067, &CDlgTransformCoordinates::OnUpdateTypeControls),
        OnUpdateRange(1130, 1136, &CDlgTransformCoordinates::OnUpdateTypeControls),
    };
    return map.Dispatch(this, nID, nCode, pCmdUI) || CDialog::OnCmdMsg(nID, nCode, pCmdUI);
}

// The type takes effect at once: only its own controls are enabled.
void CDlgTransformCoordinates::OnType()
{
    m_type = IsDlgButtonChecked(1061) ? 1 : IsDlgButtonChecked(1062) ? 2 : 0;
}

void CDlgTransformCoordinates::OnUpdateTypeControls(CCmdUI* ui)
{
    const UINT id = ui->m_nID;
    const int type = id <= 1055 ? 0 : id >= 1063 ? 2 : 1;
    ui->Enable(type == m_type);
}

} // namespace gelmar
