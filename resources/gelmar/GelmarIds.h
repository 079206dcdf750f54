// Resource ids of Gelmar: menu commands, string-table entries, dialogs and
// their controls. The ids are the program's own and are kept stable, since the
// language files key their texts by them.
#pragma once
#include "platform/ui/Defs.h"

namespace gelmar {

// Menu, accelerators, toolbar and document string.
constexpr UINT IDR_MAINFRAME = 128;

// The picture of the splash window shown at start-up.
constexpr UINT IDB_SPLASH = 169;

// Commands.
enum : UINT {
    ID_IMAGE = 32771,
    ID_BLOCKS = 32772,
    ID_NODE_BCS = 32774,
    ID_GRID = 32775,
    ID_MIN_GRID_CREATE = 32790,
    ID_COLOURS = 32793,
    ID_COLOURS_LIST_ALL = 32794,
    ID_COLOURS_LIST_PRESENT = 32795,
    ID_ROTATE = 32798,
    ID_ZOOM_WINDOW = 32800,
    ID_ZOOM_IN = 32801,
    ID_ZOOM_OUT = 32802,
    ID_ZOOM_TOTAL = 32803,
    ID_PREVIOUS_VIEW = 32804,
    ID_PAN = 32805,
    ID_CLIP_OBJECT = 32808,
    ID_CLIP_OFF = 32809,
    ID_SHOW_RCL = 32810,
    ID_SHOW_BCS = 32811,
    ID_IMPORT_DATA = 32812,
    ID_TITLE = 32813,
    ID_GRID_UNIT = 32814,
    ID_CALC_PARAMETERS = 32815,
    ID_LANG_ENGLISH = 32818,
    ID_GRAPHIC_OUTPUT = 32820,
    ID_TEXT_OUTPUT = 32821,
    ID_CALC_SYSTEM = 32826,
    ID_SHOW_MATERIALS = 32829,
    ID_SHOW_TEMPERATURES = 32832,
    ID_TEMPERATURE_RANGE = 32837,
    ID_STATUS_PANE = 32888,
    ID_BATCH_CALCULATION = 32897,
    ID_LANG_DUTCH = 32898,
    ID_LANG_FRENCH = 32899,
    ID_LANG_GERMAN = 32900,
    ID_ZOOM_NUMBERS = 32915,
    ID_MIN_GRID = 32919,
    ID_HIDE_OUTLINE = 32922,
    ID_BORDER_BCS = 32923,
    ID_COORDINATES = 32925,
    ID_SET_ORIGIN = 32927,
    ID_DRAG_MODE = 32932,
    ID_BLOCKS_COPY = 32933,
    ID_BLOCKS_MOVE_SELECTION = 32934,
    ID_TRANSFORM_COORDINATES = 32935,
    ID_INSERT_FILE = 32936,
    ID_CLIP_COLOURS = 32937,
    ID_MATERIAL_BCS = 32938,
    ID_GRID_SPLIT = 32942,
    ID_GRID_MERGE = 32943,
    ID_CALC_VIEW_FACTORS = 32945,
    ID_GRID_SELECT_ALL = 32951,
    ID_COLOURS_LIST_DEFINED = 32952,
    ID_BLOCKS_LIST_ALL = 32958,
    ID_BLOCKS_LIST_SAME_COLOUR = 32959,
    ID_FUNCTIONS = 32961,
    ID_SAVE_FREQUENCY = 32962,
    ID_REPORT_FREQUENCY = 32963,
    ID_VENTILATION_FLOWS = 32964,
    ID_OUTPUT_NODES = 33005,
    ID_OUTPUT_BLOCKS = 33006,
    ID_REPORT_DEFINITION = 33007,
    ID_SOLAR_DATA = 33010,
    ID_CALC_SOLAR_FLUXES = 33013,
    ID_SUN_OBSTACLES = 33018,
    ID_GRID_AUTO_SPLIT = 33026,
    ID_CONTROLS = 33028,
    ID_SHOW_NORTH = 33031,
    ID_REVOLVE = 33032,
    ID_ARRANGE_BLOCKS = 33033,
    ID_REDUCE_TO_CLIP = 33034,
    ID_CONVERT_VOID = 33035,
    ID_SHOW_TRANSPARENT = 33039,
};

// Strings.
enum : UINT {
    IDS_GELMAR_FILTER = 256,
    IDS_IMPORT_FILTER = 257,
    IDS_SHOW_XYZ = 273,
    IDS_SHOW_RCL = 274,
    IDS_BITMAP_FAILED = 290,
    IDS_NO_MEMORY = 291,
    IDS_OPEN_FAILED = 292,
    IDS_SYNTAX_ERROR = 293,
    IDS_SOLAR_FUNCTIONS_MISSING = 302,
    IDS_BLOCK_SIZE = 351,
    IDS_CALCULATION_CAPTION = 432,
    IDS_BATCH_TITLE = 433,
    IDS_BATCH_START = 434,
    IDS_RECALC_VIEW_FACTORS = 576,
    IDS_FILE = 631,
    IDS_TOP_LEVEL = 634,
    IDS_LEVEL2 = 635,
    IDS_AMPLITUDO = 636,
    IDS_DAY_NUMBERS = 660,
    IDS_STARTUP_TIME_STEP = 704,
    IDS_TIME_STEP = 705,
    IDS_CONTROL_ERROR = 915,
    IDS_REDUCE_TO_CLIP = 925,
    IDS_NEW_COLOUR = 926,
    IDS_MINIMUM_GRID_QUESTION = 927,
    IDS_COLOUR_VOLUME = 929,
    IDS_SAVE_CHANGES = 1300,
    IDS_VENTILATION_ERROR = 1301,
};

// Dialogs.
enum : UINT {
    IDD_SPLIT_MESHES = 131,
    IDD_PREVIEW_FILE = 132,
    IDD_GRID_UNIT = 133,
    IDD_TITLE = 144,
    IDD_CALC_PARAMETERS = 146,
    IDD_CALC_PROGRESS = 149,
    IDD_CREATE_MIN_GRID = 161,
    IDD_DRAG_MODE = 163,
    IDD_SAVE_FREQUENCY = 164,
    IDD_VIEW_FACTOR_PROGRESS = 165,
    IDD_SOLAR_DATA = 173,
    IDD_AUTO_SPLIT = 177,
    IDD_CAVITY_EMISSIVITIES = 178,
    IDD_REVOLVE = 179,
    IDD_ARRANGE_BLOCKS = 180,
    IDD_CONVERT_VOID = 181,
    IDD_NEW_COLOUR = 182,
    IDD_SPLIT_ZONES = 183,
    IDD_TRANSFORM_COORDINATES = 12006,
    IDD_REPORT_FREQUENCY = 12007,
    IDD_SOLAR_FLUX_PROGRESS = 12017,
};

// Controls of the calculation progress windows.
enum : UINT {
    IDC_CALC_PROGRESS = 1034,
    IDC_VF_PROGRESS = 1156,
    IDC_CYCLE = 1035,
    IDC_CYCLES_LIMIT = 1036,
    IDC_ITER = 1037,
    IDC_ITER_LIMIT = 1038,
    IDC_DT = 1039,
    IDC_DT_LIMIT = 1040,
    IDC_OBJ_DIV = 1041,
    IDC_OBJ_DIV_LIMIT = 1042,
    IDC_NODE_DIV = 1043,
    IDC_NODE_DIV_LIMIT = 1044,
    IDC_NODE_COUNT = 1045,
    IDC_VF_COUNT = 1103,
    IDC_TIME_NOW = 1199,
    IDC_TIME_END = 1200,
    IDC_TIME_LABEL = 1201,
};

// Controls of the Calculation Parameters dialog.
enum : UINT {
    IDC_TIME_STEP = 1190,
    IDC_STARTUP_DURATION = 1191,
    IDC_CALC_DURATION = 1192,
    IDC_DAY0 = 1193,
    IDC_DAY_INFO = 1194,
    IDC_CYCLES = 1025,
    IDC_ITERATIONS = 1026,
    IDC_MAX_DT = 1027,
    IDC_MAX_OBJ_DIV = 1028,
    IDC_MAX_NODE_DIV = 1029,
    IDC_LINEAR = 1020,
    IDC_NON_LINEAR = 1021,
    IDC_HR_BLACK = 1022,
    IDC_MIN_VIEW_FACTOR = 1023,
    IDC_RAYS = 1024,
    IDC_CEN_YES = 1100,
    IDC_CEN_NO = 1101,
    IDC_AIRSPACE_DT = 1124,
    IDC_SET_AS_DEFAULT = 1019,
};

// Controls of the File Open preview area.
enum : UINT {
    IDC_PREVIEW_PLACE = 1002,
    IDC_PREVIEW_OPTION = 1119,
    IDC_PREVIEW_WINDOW = 100,
};

// The text output window: its dialog, menu, toolbar and accelerators, the
// Go To dialog, its commands and its strings.
enum : UINT {
    IDD_TEXT_OUTPUT = 158,
    IDR_TEXT_OUTPUT = 162,
    IDR_TEXT_OUTPUT_ACCEL = 150,
    IDD_GO_TO = 12008,
    IDC_TEXT_OUTPUT_EDIT = 1122,
    IDC_GO_TO_TIME = 1190,
    ID_TEXT_SAVE_AS = 32890,
    ID_TEXT_PRINT = 32891,
    ID_TEXT_EXIT = 32892,
    ID_TEXT_INPUT_DATA = 32893,
    ID_TEXT_RESULTS = 32894,
    ID_TEXT_DECIMALS = 32895,
    ID_TEXT_CORNER_NODES = 32896,
    ID_TEXT_NODE_BCS = 32901,
    ID_TEXT_COPY = 32931,
    ID_TEXT_VIEW_FACTORS = 32960,
    ID_TEXT_FIRST_STEP = 32995,
    ID_TEXT_NEXT_STEP = 32996,
    ID_TEXT_PREVIOUS_STEP = 32997,
    ID_TEXT_GO_TO = 32998,
    ID_TEXT_REPORT_OUTPUT = 32999,
    ID_TEXT_SELECT_ALL = 33000,
    IDS_WORD_FILTER = 259,
    IDS_TEXT_OUTPUT_TITLE = 449,
};

// The 3D view and the File Open preview: the frame's title, the colour
// read-out of the status bar and the Zoom Numbers dialog (154) with its
// fields and the focus's unit labels.
enum : UINT {
    IDS_IMAGE_TITLE = 376,
    IDS_COLOUR_READOUT = 930,
    IDD_ZOOM_NUMBERS_3D = 154,
    IDC_ZOOM_AZIMUTH = 1060,
    IDC_ZOOM_ALTITUDE = 1061,
    IDC_ZOOM_VIEW_ANGLE = 1062,
    IDC_ZOOM_FOCUS_X = 1063,
    IDC_ZOOM_FOCUS_Y = 1064,
    IDC_ZOOM_FOCUS_Z = 1065,
    IDC_ZOOM_UNIT_X = 1066,
    IDC_ZOOM_UNIT_Y = 1067,
    IDC_ZOOM_UNIT_Z = 1068,
};

// Registers Gelmar's menus, accelerators, toolbar and dialog templates.
void RegisterGelmarResources();
// The 3D view's own (called by RegisterGelmarResources).
void RegisterView3DResources();
// The text output window's own (called by RegisterGelmarResources).
void RegisterTextOutputResources();
// The file name of the English string table in the program folder.
inline constexpr const char* kStringFileName = "Gelmar.str";

} // namespace gelmar
