// Gelmar's dialog templates: the calculation windows, the Calculation
// Parameters dialog, the small command dialogs, the File Open preview area and
// the shared material database and patterns dialogs; and the splash picture.
// Controls sit on a grid of rows and columns; the dialogs lay themselves out.
#include "common/ui/DlgMaterialDatabase.h"
#include "common/ui/DlgPatterns.h"
#include "platform/ui/Resources.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

using platform::ControlTemplate;
using platform::Ctl;
using platform::DialogTemplate;

constexpr UINT kNoId = 0xFFFF;

ControlTemplate Text(const char* text, int row, int col, UINT id = kNoId, UINT group = 0)
{
    return {Ctl::Static, id, text, row, col, 1, 1, 0, group};
}
ControlTemplate Edit(UINT id, int row, int col, UINT group = 0, DWORD style = ES_AUTOHSCROLL)
{
    return {Ctl::Edit, id, "", row, col, 1, 1, style, group};
}
ControlTemplate Button(UINT id, const char* text, int row, int col, UINT group = 0)
{
    return {Ctl::PushButton, id, text, row, col, 1, 1, 0, group};
}
ControlTemplate Check(UINT id, const char* text, int row, int col, UINT group = 0)
{
    return {Ctl::CheckBox, id, text, row, col, 1, 1, 0, group};
}
// A radio button; first starts a new group.
ControlTemplate Radio(UINT id, const char* text, int row, int col, bool first, UINT group = 0)
{
    return {Ctl::RadioButton, id, text, row, col, 1, 1, first ? DWORD(WS_GROUP) : DWORD(0), group};
}
ControlTemplate Group(UINT id, const char* text, int row, int col, int rowSpan = 1, int colSpan = 1)
{
    return {Ctl::GroupBox, id, text, row, col, rowSpan, colSpan, 0, 0};
}
void AddOkCancel(DialogTemplate& t, int row, int col = 0)
{
    t.controls.push_back({Ctl::DefPushButton, IDOK, "OK", row, col});
    t.controls.push_back({Ctl::PushButton, IDCANCEL, "Cancel", row, col + 1});
}

// Group boxes without an id of their own in the program get these.
enum : UINT { kGroup1 = 2001, kGroup2, kGroup3, kGroup4, kGroup5 };

DialogTemplate CalcProgress()
{
    DialogTemplate t{IDD_CALC_PROGRESS, "GELMAR - Calculation"};
    const std::pair<UINT, const char*> heads[] = {{1047, "Cycle\n[-]"},
                                                  {1048, "Step\n[-]"},
                                                  {1049, "max d\xCE\xB8\n[°C]"},
                                                  {1050, "Obj. div.\n[%]"},
                                                  {1052, "Node div.\n[%]"}};
    int col = 1;
    for (auto [id, text] : heads)
        t.controls.push_back(Text(text, 0, col++, id));
    t.controls.push_back(Text("Current iteration", 1, 0, 1054));
    t.controls.push_back(Text("Stopping criteria", 2, 0, 1056));
    const UINT now[] = {IDC_CYCLE, IDC_ITER, IDC_DT, IDC_OBJ_DIV, IDC_NODE_DIV};
    const UINT limit[] = {IDC_CYCLES_LIMIT, IDC_ITER_LIMIT, IDC_DT_LIMIT, IDC_OBJ_DIV_LIMIT,
                          IDC_NODE_DIV_LIMIT};
    for (int i = 0; i < 5; ++i) {
        t.controls.push_back(Text("", 1, i + 1, now[i]));
        t.controls.push_back(Text("", 2, i + 1, limit[i]));
    }
    t.controls.push_back(Text("Time step", 3, 0, IDC_TIME_LABEL));
    t.controls.push_back(Text("", 3, 1, IDC_TIME_NOW));
    t.controls.push_back(Text("End", 3, 2, 1057));
    t.controls.push_back(Text("", 3, 3, IDC_TIME_END));
    t.controls.push_back(Text("Nodes", 4, 0, 1188));
    t.controls.push_back(Text("", 4, 1, IDC_NODE_COUNT));
    t.controls.push_back(Text("Viewfactors", 4, 2, 1102));
    t.controls.push_back(Text("", 4, 3, IDC_VF_COUNT));
    t.controls.push_back({Ctl::Progress, IDC_CALC_PROGRESS, "", 5, 0, 1, 6});
    t.controls.push_back(Text("<Esc> : interrupt calculation", 6, 0, 1058));
    return t;
}

DialogTemplate SolarFluxProgress()
{
    DialogTemplate t{IDD_SOLAR_FLUX_PROGRESS, "Calc Solar Fluxes"};
    t.controls = {Text("Time step", 0, 0, IDC_TIME_LABEL),
                  Text("", 0, 1, IDC_TIME_NOW),
                  Text("End", 0, 2, 1057),
                  Text("", 0, 3, IDC_TIME_END),
                  Text("Nodes", 1, 0, 1188),
                  Text("", 1, 1, IDC_NODE_COUNT),
                  Text("Viewfactors", 1, 2, 1102),
                  Text("", 1, 3, IDC_VF_COUNT),
                  {Ctl::Progress, IDC_CALC_PROGRESS, "", 2, 0, 1, 4},
                  Text("<Esc> : interrupt calculation", 3, 0, 1058)};
    return t;
}

DialogTemplate ViewFactorProgress()
{
    DialogTemplate t{IDD_VIEW_FACTOR_PROGRESS, "Calc View Factors"};
    t.controls = {Text("\nZone", 0, 1, 1047),
                  Text("\nFaces", 0, 2, 1048),
                  Text("\nView factors", 0, 3, 1049),
                  Text("Current\nview factor", 0, 4, 1050),
                  Text("Current Zone", 1, 0, 1052),
                  Text("", 1, 1, 1149),
                  Text("", 1, 2, 1150),
                  Text("", 1, 3, 1151),
                  Text("", 1, 4, 1152),
                  Text("Total", 2, 0, 1054),
                  Text("", 2, 1, 1153),
                  Text("", 2, 2, 1154),
                  Text("", 2, 3, 1155),
                  Text("", 3, 0, 1056),
                  {Ctl::Progress, IDC_VF_PROGRESS, "", 4, 0, 1, 5},
                  Text("<Esc>: cancel", 5, 0, 1057)};
    return t;
}

DialogTemplate CalcParameters()
{
    DialogTemplate t{IDD_CALC_PARAMETERS, "Calculation Parameters"};
    auto& c = t.controls;
    c.push_back(Group(kGroup1, "Time", 0, 0, 1, 3));
    c.push_back(Text("Ti&me step", 0, 0, kNoId, kGroup1));
    c.push_back(Edit(IDC_TIME_STEP, 0, 1, kGroup1));
    c.push_back(Text("&Start-up calculation duration", 1, 0, kNoId, kGroup1));
    c.push_back(Edit(IDC_STARTUP_DURATION, 1, 1, kGroup1));
    c.push_back(Text("Calc&ulation duration", 2, 0, kNoId, kGroup1));
    c.push_back(Edit(IDC_CALC_DURATION, 2, 1, kGroup1));
    c.push_back(Text("D&ay number at start of calculation", 3, 0, kNoId, kGroup1));
    c.push_back(Edit(IDC_DAY0, 3, 1, kGroup1));
    c.push_back(Button(IDC_DAY_INFO, "i", 3, 2, kGroup1));

    c.push_back(Group(kGroup2, "Iterations", 1, 0, 1, 3));
    c.push_back(Text("Iteration &cycles", 0, 0, kNoId, kGroup2));
    c.push_back(Edit(IDC_CYCLES, 0, 1, kGroup2));
    c.push_back(Text("Maximum number of &iterations\n(per iteration cycle)", 1, 0, kNoId, kGroup2));
    c.push_back(Edit(IDC_ITERATIONS, 1, 1, kGroup2));
    c.push_back(Text("Maximum &temperature difference", 2, 0, kNoId, kGroup2));
    c.push_back(Edit(IDC_MAX_DT, 2, 1, kGroup2));
    c.push_back(Text("°C", 2, 2, kNoId, kGroup2));
    c.push_back(Text("Max. heat flow divergence for total obj&ect", 3, 0, kNoId, kGroup2));
    c.push_back(Edit(IDC_MAX_OBJ_DIV, 3, 1, kGroup2));
    c.push_back(Text("%", 3, 2, kNoId, kGroup2));
    c.push_back(Text("Max. heat flow divergence for any no&de", 4, 0, kNoId, kGroup2));
    c.push_back(Edit(IDC_MAX_NODE_DIV, 4, 1, kGroup2));
    c.push_back(Text("%", 4, 2, kNoId, kGroup2));

    c.push_back(Group(kGroup3, "Radiation", 2, 0, 1, 3));
    c.push_back(Radio(IDC_LINEAR, "&Linear", 0, 0, true, kGroup3));
    c.push_back(Radio(IDC_NON_LINEAR, "&Non-linear", 0, 1, false, kGroup3));
    c.push_back(Text("&Black radiation heat transfer coefficient\n(linear radiation)", 1, 0, kNoId, kGroup3));
    c.push_back(Edit(IDC_HR_BLACK, 1, 1, kGroup3));
    c.push_back(Text("W/(m².K)", 1, 2, kNoId, kGroup3));
    c.push_back(Text("Smallest accepted &view factor", 2, 0, kNoId, kGroup3));
    c.push_back(Edit(IDC_MIN_VIEW_FACTOR, 2, 1, kGroup3));
    c.push_back(Text("Number of visibility &rays between\nradiative surfaces", 3, 0, kNoId, kGroup3));
    c.push_back(Edit(IDC_RAYS, 3, 1, kGroup3));

    c.push_back(Group(kGroup4, "Recalculation of CEN values\n(before each iteration cycle)", 3, 0, 1, 3));
    c.push_back(Radio(IDC_CEN_YES, "&Yes", 0, 0, true, kGroup4));
    c.push_back(Radio(IDC_CEN_NO, "N&o", 0, 1, false, kGroup4));
    c.push_back(Text("Default temperature di&fference\nacross airspace", 1, 0, kNoId, kGroup4));
    c.push_back(Edit(IDC_AIRSPACE_DT, 1, 1, kGroup4));
    c.push_back(Text("°C", 1, 2, kNoId, kGroup4));

    c.push_back(Button(IDC_SET_AS_DEFAULT, "Set As Default", 4, 0));
    AddOkCancel(t, 4, 1);
    return t;
}

// A dialog of one labelled number and OK/Cancel.
DialogTemplate OneValue(UINT id, const char* caption, const char* label, UINT edit,
                        const char* after = nullptr)
{
    DialogTemplate t{id, caption};
    t.controls = {Text(label, 0, 0), Edit(edit, 0, 1)};
    if (after)
        t.controls.push_back(Text(after, 0, 2));
    AddOkCancel(t, 1, 1);
    return t;
}

DialogTemplate AxisChecks(UINT id, const char* caption)
{
    DialogTemplate t{id, caption};
    t.controls = {Check(1143, "&X", 0, 0), Check(1144, "&Y", 0, 1), Check(1145, "&Z", 0, 2)};
    return t;
}

std::vector<DialogTemplate> CommandDialogs()
{
    std::vector<DialogTemplate> all;

    DialogTemplate autoSplit = AxisChecks(IDD_AUTO_SPLIT, "Auto Split");
    autoSplit.controls.insert(autoSplit.controls.end(),
                              {Text("For &smaller meshes up to :", 1, 0), Edit(1256, 1, 1),
                               Text("", 1, 2, 1261), Text("Split &distance =", 2, 0), Edit(1257, 2, 1),
                               Text("", 2, 2, 1262), Text("Split &ratio =", 3, 0), Edit(1125, 3, 1),
                               Button(1258, "Set As Default", 4, 0)});
    AddOkCancel(autoSplit, 4, 1);
    all.push_back(autoSplit);

    all.push_back(OneValue(IDD_CONVERT_VOID, "Convert Void to Blocks", "Colour number of void blocks", 1279));

    DialogTemplate drag{IDD_DRAG_MODE, "Drag Mode"};
    drag.controls = {Radio(1146, "Drag &Object", 0, 0, true), Radio(1147, "Drag &Viewpoint", 1, 0, false)};
    AddOkCancel(drag, 2, 0);
    all.push_back(drag);

    DialogTemplate cavity{IDD_CAVITY_EMISSIVITIES, "Cavity Emissivities"};
    cavity.controls = {Text("Emissivity of side &1", 0, 0), Edit(1259, 0, 1),
                       Text("Emissivity of side &2", 1, 0), Edit(1260, 1, 1)};
    AddOkCancel(cavity, 2, 0);
    all.push_back(cavity);

    DialogTemplate unit = OneValue(IDD_GRID_UNIT, "Grid Unit", "Grid unit", 1003, "m");
    unit.controls.push_back(Button(IDC_SET_AS_DEFAULT, "Set As Default", 1, 0));
    all.push_back(unit);

    DialogTemplate minGrid = AxisChecks(IDD_CREATE_MIN_GRID, "Create Minimum Grid");
    AddOkCancel(minGrid, 1, 0);
    all.push_back(minGrid);

    DialogTemplate newColour{IDD_NEW_COLOUR, "New Colour"};
    newColour.controls = {Text("", 0, 0, 1281), Edit(1280, 0, 1)};
    AddOkCancel(newColour, 1, 0);
    all.push_back(newColour);

    DialogTemplate arrange{IDD_ARRANGE_BLOCKS, "Arrange Blocks"};
    arrange.controls = {Radio(1277, "Use superposition (&overlapping blocks)", 0, 0, true),
                        Radio(1278, "Use juxtaposition (&non-overlapping blocks)", 1, 0, false)};
    AddOkCancel(arrange, 2, 0);
    all.push_back(arrange);

    all.push_back(
        OneValue(IDD_REPORT_FREQUENCY, "Report Frequency", "Get report records every", 1198, "time step(s)"));

    DialogTemplate revolve{IDD_REVOLVE, "Revolve 90°"};
    revolve.controls = {
        Group(kGroup1, "Axis of revolution", 0, 0, 1, 3), Radio(1130, "&X", 0, 0, true, kGroup1),
        Radio(1132, "&Y", 0, 1, false, kGroup1),          Radio(1133, "&Z", 0, 2, false, kGroup1),
        Group(kGroup2, "Axis position", 1, 0, 1, 3),      Radio(1271, "X-", 0, 0, true, kGroup2),
        Radio(1272, "X+", 1, 0, false, kGroup2),          Radio(1273, "Y-", 0, 1, true, kGroup2),
        Radio(1274, "Y+", 1, 1, false, kGroup2),          Radio(1275, "Z-", 0, 2, true, kGroup2),
        Radio(1276, "Z+", 1, 2, false, kGroup2)};
    AddOkCancel(revolve, 2, 0);
    all.push_back(revolve);

    DialogTemplate save{IDD_SAVE_FREQUENCY, "Save Frequency"};
    save.controls = {Group(kGroup1, "Save step solutions to disk", 0, 0, 1, 3),
                     Radio(1196, "&Yes", 0, 0, true, kGroup1),
                     Radio(1197, "&No", 0, 1, false, kGroup1),
                     Text("Save solution &every", 1, 0),
                     Edit(1198, 1, 1),
                     Text("time step(s)", 1, 2)};
    AddOkCancel(save, 2, 1);
    all.push_back(save);

    DialogTemplate split{IDD_SPLIT_MESHES, "Split selected Mesh(es)"};
    split.controls = {Text("&Number of subdivisions", 0, 0),
                      Edit(1001, 0, 1),
                      Group(kGroup1, "Method", 1, 0, 1, 3),
                      Radio(1131, "&Geometric", 0, 0, true, kGroup1),
                      Radio(1137, "Ma&ximum", 1, 0, false, kGroup1),
                      Radio(1174, "Border &1", 2, 0, false, kGroup1),
                      Radio(1175, "Border &2", 3, 0, false, kGroup1),
                      Radio(1177, "&Border 1 && 2", 4, 0, false, kGroup1),
                      Text("Split &ratio", 2, 0),
                      Edit(1125, 2, 1),
                      Text("&Mesh width", 3, 0),
                      Edit(1127, 3, 1),
                      Text("", 3, 2, 1263)};
    AddOkCancel(split, 4, 1);
    all.push_back(split);

    all.push_back(OneValue(IDD_SPLIT_ZONES, "Split Zones", "First new colour", 1282));

    DialogTemplate solar{IDD_SOLAR_DATA, "Solar Data"};
    solar.controls = {
        Group(kGroup1, "North orientation", 0, 0, 1, 3),
        Text("Rotation about Z (new X axis parallel to the horizon plane)", 0, 0, kNoId, kGroup1),
        Edit(1283, 0, 1, kGroup1),
        Text("°", 0, 2, kNoId, kGroup1),
        Text("Rotation about X (new XY plane parallel to the horizon plane)", 1, 0, kNoId, kGroup1),
        Edit(1284, 1, 1, kGroup1),
        Text("°", 1, 2, kNoId, kGroup1),
        Text("Rotation about Z (new X axis points to the north)", 2, 0, kNoId, kGroup1),
        Edit(1285, 2, 1, kGroup1),
        Text("°", 2, 2, kNoId, kGroup1),
        Text("&Latitude", 1, 0),
        Edit(1205, 1, 1),
        Text("° N", 1, 2),
        Text("L&ongitude", 2, 0),
        Edit(1206, 2, 1),
        Text("° E", 2, 2),
        Text("&Time zone", 3, 0),
        Edit(1234, 3, 1),
        Text("h E", 3, 2),
        Text("Gro&und reflection factor", 4, 0),
        Edit(1235, 4, 1),
        Text("Global radiation: function G01", 5, 0),
        Text("Diffuse radiation: function D01", 6, 0)};
    AddOkCancel(solar, 7, 1);
    all.push_back(solar);

    DialogTemplate title{IDD_TITLE, "Title"};
    title.controls = {{Ctl::Edit, 1018, "", 0, 0, 1, 2, ES_MULTILINE}};
    AddOkCancel(title, 1, 0);
    all.push_back(title);

    DialogTemplate transform{IDD_TRANSFORM_COORDINATES, "Transform Coordinates"};
    transform.controls = {Radio(1060, "Translation", 0, 0, true),
                          Radio(1061, "Rotation", 1, 0, false),
                          Radio(1062, "Scaling", 2, 0, false),
                          Group(kGroup1, "Translation", 0, 1),
                          Text("X", 0, 0, kNoId, kGroup1),
                          Edit(1051, 0, 1, kGroup1),
                          Text("Y", 1, 0, kNoId, kGroup1),
                          Edit(1053, 1, 1, kGroup1),
                          Text("Z", 2, 0, kNoId, kGroup1),
                          Edit(1055, 2, 1, kGroup1),
                          Text("", 0, 2, 1264, kGroup1),
                          Group(kGroup2, "Rotation", 1, 1),
                          Radio(1130, "X", 0, 0, true, kGroup2),
                          Radio(1132, "Y", 0, 1, false, kGroup2),
                          Radio(1133, "Z", 0, 2, false, kGroup2),
                          Radio(1134, "90°", 1, 0, true, kGroup2),
                          Radio(1135, "180°", 1, 1, false, kGroup2),
                          Radio(1136, "270°", 1, 2, false, kGroup2),
                          Group(kGroup3, "Scaling", 2, 1),
                          Text("X", 0, 0, kNoId, kGroup3),
                          Edit(1063, 0, 1, kGroup3),
                          Text("Y", 1, 0, kNoId, kGroup3),
                          Edit(1065, 1, 1, kGroup3),
                          Text("Z", 2, 0, kNoId, kGroup3),
                          Edit(1067, 2, 1, kGroup3)};
    AddOkCancel(transform, 3, 0);
    all.push_back(transform);
    return all;
}

DialogTemplate PreviewArea()
{
    DialogTemplate t{IDD_PREVIEW_FILE, ""};
    t.controls = {{Ctl::PushButton, IDC_PREVIEW_PLACE, "", 0, 0, 4, 1},
                  {Ctl::Static, IDC_PREVIEW_OPTION, "", 4, 0}};
    return t;
}

} // namespace

void RegisterGelmarMenus();

void RegisterGelmarResources()
{
    auto& r = platform::Resources::Get();
    r.AddDialog(CalcProgress());
    r.AddDialog(SolarFluxProgress());
    r.AddDialog(ViewFactorProgress());
    r.AddDialog(CalcParameters());
    r.AddDialog(PreviewArea());
    for (DialogTemplate& t : CommandDialogs())
        r.AddDialog(std::move(t));
    r.AddDialog(common::MaterialDatabaseDialogTemplate());
    // Gelmar's patterns dialog is the grid alone: a click picks the pattern.
    r.AddDialog(common::PatternsDialogTemplate(false));
    // Built into the program (see gelmar/app/CMakeLists.txt).
    r.AddBitmap(IDB_SPLASH, ":/gelmar/Splash.bmp");
    RegisterGelmarMenus();
    RegisterTextOutputResources();
    RegisterView3DResources();
    RegisterFunctionGraphResources();
}

} // namespace gelmar
