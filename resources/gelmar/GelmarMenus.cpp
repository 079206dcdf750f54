// Gelmar's main menu, its accelerator keys, the toolbar with its button
// images and the program's icon: the commands of the document, the
// application and the main frame, grouped by what they act on (files, edits,
// grid, windows, 3D view, calculation, options).
#include "platform/ui/Resources.h"
#include "resources/gelmar/GelmarIds.h"

namespace gelmar {

namespace {

using platform::MenuItem;

MenuItem Separator()
{
    return {"", 0};
}

std::vector<MenuItem> FileMenu()
{
    return {{"&New\tCtrl+N", ID_FILE_NEW},
            {"&Open...\tCtrl+O", ID_FILE_OPEN},
            {"&Close", ID_FILE_CLOSE},
            {"&Save\tCtrl+S", ID_FILE_SAVE},
            {"Save &As...", ID_FILE_SAVE_AS},
            Separator(),
            {"&Import Data...", ID_IMPORT_DATA},
            {"&Batch Calculation...", ID_BATCH_CALCULATION},
            Separator(),
            {"P&rint Setup...", ID_FILE_PRINT_SETUP},
            Separator(),
            {"Recent File", ID_FILE_MRU_FILE1},
            Separator(),
            {"E&xit", ID_APP_EXIT}};
}

std::vector<MenuItem> EditMenu()
{
    return {{"Undo\tCtrl+Z", ID_EDIT_UNDO},
            {"Redo\tCtrl+Y", ID_EDIT_REDO},
            Separator(),
            {"Insert Before\tIns", ID_INSERT_BEFORE},
            {"&Insert After", ID_INSERT_AFTER},
            {"Delete\tDel", ID_DELETE},
            Separator(),
            {"Copy\tCtrl+C", ID_EDIT_COPY},
            {"Paste\tCtrl+V", ID_EDIT_PASTE},
            Separator(),
            {"Switch Select\tCtrl+L", ID_SWITCH_SELECT},
            {"Switch &Select Downward", ID_SWITCH_SELECT_DOWN},
            {"Switch S&elect Upward", ID_SWITCH_SELECT_UP},
            {"Select &All\tCtrl+A", ID_EDIT_SELECT_ALL},
            {"Deselec&t All", ID_DESELECT_ALL},
            Separator(),
            {"&Copy", ID_BLOCKS_COPY},
            {"&Move Selection To", ID_BLOCKS_MOVE_SELECTION},
            {"&Transform Coordinates...\tCtrl+F", ID_TRANSFORM_COORDINATES},
            {"&Insert File...", ID_INSERT_FILE},
            {"&New Colour...", ID_NEW_COLOUR},
            Separator(),
            {"Load &Material...", ID_LOAD_MATERIAL},
            {"&Copy Row", ID_COPY_ROW},
            {"Paste &Row", ID_PASTE_ROW},
            {"Cavity &Emissivities...", ID_CAVITY_EMISSIVITIES},
            {"Split &Zones...", ID_SPLIT_ZONES},
            Separator(),
            {"&Arrange Blocks...", ID_ARRANGE_BLOCKS},
            {"R&educe to Clip...", ID_REDUCE_TO_CLIP},
            {"Convert &Void to Blocks...", ID_CONVERT_VOID},
            {"&Revolve 90°...", ID_REVOLVE},
            Separator(),
            {"Set Origin\tCtrl+0", ID_SET_ORIGIN}};
}

std::vector<MenuItem> GridMenu()
{
    return {{"Grid &Unit...", ID_GRID_UNIT},
            {"Create &Minimum Grid...", ID_MIN_GRID_CREATE},
            {"Select &All (3x)\tCtrl+Shift+A", ID_GRID_SELECT_ALL},
            {"&Split...\tCtrl+I", ID_GRID_SPLIT},
            {"Mer&ge\tCtrl+G", ID_GRID_MERGE},
            {"Aut&o Split...", ID_GRID_AUTO_SPLIT}};
}

std::vector<MenuItem> WindowsMenu()
{
    return {{"Image\tCtrl+Alt+I", ID_IMAGE},
            Separator(),
            {"&Grid\tCtrl+Alt+G", ID_GRID},
            {"Minimum G&rid\tCtrl+Alt+R", ID_MIN_GRID},
            {"Co&ordinates\tCtrl+Alt+O", ID_COORDINATES},
            Separator(),
            {"&Blocks\tCtrl+Alt+B", ID_BLOCKS},
            {"&Colours\tCtrl+Alt+C", ID_COLOURS},
            {"&Node BCs\tCtrl+Alt+N", ID_NODE_BCS},
            {"Bor&derface BCs\tCtrl+Alt+D", ID_BORDER_BCS},
            {"&Material BCs\tCtrl+Alt+M", ID_MATERIAL_BCS},
            {"&Ventilation Flows\tCtrl+Alt+V", ID_VENTILATION_FLOWS},
            {"&Functions\tCtrl+Alt+F", ID_FUNCTIONS},
            {"Controls\tCtrl+Shift+K", ID_CONTROLS},
            {"Sun Obstacles\tCtrl+Alt+S", ID_SUN_OBSTACLES},
            Separator(),
            {"C&lip Object\tCtrl+Alt+L", ID_CLIP_OBJECT},
            {"Clip Colo&urs\tCtrl+Alt+U", ID_CLIP_COLOURS},
            Separator(),
            {"Output Nodes\tCtrl+Shift+N", ID_OUTPUT_NODES},
            {"Output Blocks\tCtrl+Shift+B", ID_OUTPUT_BLOCKS},
            {"Report Definition\tCtrl+Shift+R", ID_REPORT_DEFINITION},
            Separator(),
            {"Colours",
             0,
             {{"List &All", ID_COLOURS_LIST_ALL},
              {"List &Present", ID_COLOURS_LIST_PRESENT},
              {"List &Defined", ID_COLOURS_LIST_DEFINED}}},
            {"Blocks",
             0,
             {{"&List All", ID_BLOCKS_LIST_ALL}, {"List &Same Colour", ID_BLOCKS_LIST_SAME_COLOUR}}}};
}

std::vector<MenuItem> ViewMenu()
{
    return {{"&Rotate\tCtrl+R", ID_ROTATE},
            {"&Pan\tCtrl+M", ID_PAN},
            {"Zoom &Window\tCtrl+W", ID_ZOOM_WINDOW},
            {"&Zoom In", ID_ZOOM_IN},
            {"Zoom O&ut\tCtrl+U", ID_ZOOM_OUT},
            {"Zoom Tot&al\tCtrl+T", ID_ZOOM_TOTAL},
            {"Pr&evious View\tCtrl+E", ID_PREVIOUS_VIEW},
            {"Zoom &Numbers...", ID_ZOOM_NUMBERS},
            {"&X Scale...", ID_X_SCALE},
            {"&Y Scale...", ID_Y_SCALE},
            Separator(),
            {"Show &Materials", ID_SHOW_MATERIALS},
            {"Show Transparent", ID_SHOW_TRANSPARENT},
            {"Show &BCs", ID_SHOW_BCS},
            {"Show &Temperatures", ID_SHOW_TEMPERATURES},
            Separator(),
            {"&Hide Selection Outline\tCtrl+H", ID_HIDE_OUTLINE},
            {"&Show North", ID_SHOW_NORTH},
            {"Show &RCL", ID_SHOW_RCL},
            {"Clip &Off", ID_CLIP_OFF},
            Separator(),
            {"&Toolbar", ID_VIEW_TOOLBAR},
            {"&Status Bar", ID_VIEW_STATUS_BAR}};
}

std::vector<MenuItem> CalculationMenu()
{
    return {{"Title...", ID_TITLE},
            {"Calc &Parameters...", ID_CALC_PARAMETERS},
            {"S&ave Frequency...", ID_SAVE_FREQUENCY},
            {"&Report Frequency...", ID_REPORT_FREQUENCY},
            {"Solar Data...", ID_SOLAR_DATA},
            Separator(),
            {"&Calc System", ID_CALC_SYSTEM},
            {"Calc &View Factors", ID_CALC_VIEW_FACTORS},
            {"Calc &Solar Fluxes", ID_CALC_SOLAR_FLUXES},
            Separator(),
            {"&Graphic Output", ID_GRAPHIC_OUTPUT},
            {"&Text Output", ID_TEXT_OUTPUT},
            {"Temperature Ran&ge...", ID_TEMPERATURE_RANGE}};
}

std::vector<MenuItem> OptionsMenu()
{
    return {{"Language",
             0,
             {{"&English", ID_LANG_ENGLISH},
              {"&Nederlands", ID_LANG_DUTCH},
              {"&Français", ID_LANG_FRENCH},
              {"&Deutsch", ID_LANG_GERMAN}}},
            {"&Drag Mode...", ID_DRAG_MODE}};
}

} // namespace

void RegisterGelmarMenus()
{
    platform::MenuTemplate menu;
    menu.id = IDR_MAINFRAME;
    menu.items = {{"&File", 0, FileMenu()},      {"&Edit", 0, EditMenu()},
                  {"&Grid", 0, GridMenu()},      {"&Windows", 0, WindowsMenu()},
                  {"&View", 0, ViewMenu()},      {"&Calculation", 0, CalculationMenu()},
                  {"&Options", 0, OptionsMenu()}};
    platform::Resources::Get().AddMenu(menu);

    using namespace platform;
    constexpr BYTE C = FVIRTKEY | FCONTROL;
    constexpr BYTE CA = FVIRTKEY | FCONTROL | FALT;
    constexpr BYTE CS = FVIRTKEY | FCONTROL | FSHIFT;
    constexpr BYTE K = FVIRTKEY;
    Resources::Get().AddAccelerators(
        {IDR_MAINFRAME, {{C, 'N', ID_FILE_NEW},       {C, 'O', ID_FILE_OPEN},
                         {C, 'S', ID_FILE_SAVE},      {C, 'Z', ID_EDIT_UNDO},
                         {C, 'Y', ID_EDIT_REDO},      {C, 'F', ID_TRANSFORM_COORDINATES},
                         {C, '0', ID_SET_ORIGIN},     {CS, 'A', ID_GRID_SELECT_ALL},
                         {C, 'I', ID_GRID_SPLIT},     {C, 'G', ID_GRID_MERGE},
                         {CA, 'I', ID_IMAGE},         {CA, 'G', ID_GRID},
                         {CA, 'R', ID_MIN_GRID},      {CA, 'O', ID_COORDINATES},
                         {CA, 'B', ID_BLOCKS},        {CA, 'C', ID_COLOURS},
                         {CA, 'N', ID_NODE_BCS},      {CA, 'D', ID_BORDER_BCS},
                         {CA, 'M', ID_MATERIAL_BCS},  {CA, 'V', ID_VENTILATION_FLOWS},
                         {CA, 'F', ID_FUNCTIONS},     {CS, 'K', ID_CONTROLS},
                         {CA, 'S', ID_SUN_OBSTACLES}, {CA, 'L', ID_CLIP_OBJECT},
                         {CA, 'U', ID_CLIP_COLOURS},  {CS, 'N', ID_OUTPUT_NODES},
                         {CS, 'B', ID_OUTPUT_BLOCKS}, {CS, 'R', ID_REPORT_DEFINITION},
                         {C, 'R', ID_ROTATE},         {C, 'M', ID_PAN},
                         {C, 'W', ID_ZOOM_WINDOW},    {C, 'U', ID_ZOOM_OUT},
                         {C, 'T', ID_ZOOM_TOTAL},     {C, 'E', ID_PREVIOUS_VIEW},
                         {C, 'H', ID_HIDE_OUTLINE},   {K, VK_INSERT, ID_INSERT_BEFORE},
                         {K, VK_DELETE, ID_DELETE},   {C, 'C', ID_EDIT_COPY},
                         {C, 'V', ID_EDIT_PASTE},     {C, 'L', ID_SWITCH_SELECT},
                         {C, 'A', ID_EDIT_SELECT_ALL}}});

    Resources::Get().AddToolBar({IDR_MAINFRAME,
                                 16,
                                 15,
                                 {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_SEPARATOR, ID_ROTATE, ID_PAN,
                                  ID_ZOOM_WINDOW, ID_ZOOM_OUT, ID_ZOOM_TOTAL, ID_PREVIOUS_VIEW, ID_SEPARATOR,
                                  ID_CALC_SYSTEM, ID_GRAPHIC_OUTPUT, ID_TEXT_OUTPUT}});
    // Built into the program (see gelmar/app/CMakeLists.txt).
    Resources::Get().AddBitmap(IDR_MAINFRAME, ":/gelmar/MainToolBar.xpm");
    Resources::Get().AddIcon(IDR_MAINFRAME, ":/gelmar/Gelmar.xpm");
}

} // namespace gelmar
