// The framework's message numbers, styles, codes and small records that the
// program code is written against. Only the names our code uses are here; the
// values are those the program's stored resources and notifications rely on.
#pragma once
#include "platform/core/Types.h"

#include <cstdint>
#include <string>

class CWnd;

using UINT = unsigned int;
using LONG = std::int32_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
// A window handle is the window object itself; null for no window.
using HWND = CWnd*;

constexpr WORD LOWORD(std::uintptr_t v)
{
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t v)
{
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi)
{
    return (lo & 0xFFFF) | ((hi & 0xFFFF) << 16);
}
constexpr LPARAM MAKELPARAM(int lo, int hi)
{
    return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr int GET_X_LPARAM(LPARAM l)
{
    return static_cast<short>(l & 0xFFFF);
}
constexpr int GET_Y_LPARAM(LPARAM l)
{
    return static_cast<short>((l >> 16) & 0xFFFF);
}

// Messages.
enum : UINT {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_SIZE = 0x0005,
    WM_SETFOCUS = 0x0007,
    WM_KILLFOCUS = 0x0008,
    WM_SETTEXT = 0x000C,
    WM_GETTEXT = 0x000D,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_ERASEBKGND = 0x0014,
    WM_SYSCOLORCHANGE = 0x0015,
    WM_SETTINGCHANGE = 0x001A,
    WM_SETCURSOR = 0x0020,
    WM_SETFONT = 0x0030,
    WM_GETFONT = 0x0031,
    WM_NOTIFY = 0x004E,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSCHAR = 0x0106,
    WM_INITDIALOG = 0x0110,
    WM_COMMAND = 0x0111,
    WM_INITMENUPOPUP = 0x0117,
    WM_TIMER = 0x0113,
    WM_HSCROLL = 0x0114,
    WM_VSCROLL = 0x0115,
    WM_GETDLGCODE = 0x0087,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_LBUTTONDBLCLK = 0x0203,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_RBUTTONDBLCLK = 0x0206,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MOUSEWHEEL = 0x020A,
    WM_CAPTURECHANGED = 0x0215,
    WM_COPY = 0x0301,
    // The framework's idle messages: to a control bar, run the update
    // handlers of its items; to a modal dialog, the message loop is idle.
    WM_IDLEUPDATECMDUI = 0x0363,
    WM_KICKIDLE = 0x036A,
    WM_USER = 0x0400,
    WM_APP = 0x8000,
};

// Message-loop record handed to PreTranslateMessage.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    CPoint pt;
};

// WM_NOTIFY header; records of particular notifications begin with it.
struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    int code = 0;
};

// Window styles.
enum : DWORD {
    WS_OVERLAPPED = 0x00000000,
    WS_TABSTOP = 0x00010000,
    WS_GROUP = 0x00020000,
    WS_THICKFRAME = 0x00040000,
    WS_SYSMENU = 0x00080000,
    WS_HSCROLL = 0x00100000,
    WS_VSCROLL = 0x00200000,
    WS_DLGFRAME = 0x00400000,
    WS_BORDER = 0x00800000,
    WS_CAPTION = 0x00C00000,
    WS_MAXIMIZE = 0x01000000,
    WS_CLIPCHILDREN = 0x02000000,
    WS_CLIPSIBLINGS = 0x04000000,
    WS_DISABLED = 0x08000000,
    WS_VISIBLE = 0x10000000,
    WS_CHILD = 0x40000000,
    WS_POPUP = 0x80000000,
    WS_OVERLAPPEDWINDOW = 0x00CF0000,
    WS_EX_TOPMOST = 0x00000008,
    WS_EX_TOOLWINDOW = 0x00000080,
    FWS_ADDTOTITLE = 0x00008000,
};

// Control styles.
enum : DWORD {
    ES_LEFT = 0x0000,
    ES_CENTER = 0x0001,
    ES_RIGHT = 0x0002,
    ES_MULTILINE = 0x0004,
    ES_AUTOHSCROLL = 0x0080,
    ES_READONLY = 0x0800,
    BS_PUSHBUTTON = 0x0000,
    BS_DEFPUSHBUTTON = 0x0001,
    BS_AUTOCHECKBOX = 0x0003,
    BS_AUTORADIOBUTTON = 0x0009,
    BS_GROUPBOX = 0x0007,
    CBS_DROPDOWN = 0x0002,
    CBS_DROPDOWNLIST = 0x0003,
    CBS_AUTOHSCROLL = 0x0040,
    LBS_EXTENDEDSEL = 0x0800,
    SS_LEFT = 0x0000,
    SS_CENTER = 0x0001,
    SS_RIGHT = 0x0002,
};

// Window class styles.
enum : UINT {
    CS_VREDRAW = 0x0001,
    CS_HREDRAW = 0x0002,
    CS_DBLCLKS = 0x0008,
    CS_SAVEBITS = 0x0800,
    CS_CLASSDC = 0x0040
};

// Control notification codes (HIWORD of WM_COMMAND's wParam).
enum : UINT {
    BN_CLICKED = 0,
    EN_SETFOCUS = 0x0100,
    EN_KILLFOCUS = 0x0200,
    EN_CHANGE = 0x0300,
    EN_UPDATE = 0x0400,
    CBN_SELCHANGE = 1,
    CBN_DBLCLK = 2,
    LBN_SELCHANGE = 1,
    LBN_DBLCLK = 2,
};

// ShowWindow commands.
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_SHOW = 5,
    SW_SHOWNOACTIVATE = 4,
    SW_SHOWNA = 8,
    SW_RESTORE = 9
};

// SetWindowPos flags.
enum : UINT {
    SWP_NOSIZE = 0x0001,
    SWP_NOMOVE = 0x0002,
    SWP_NOZORDER = 0x0004,
    SWP_NOACTIVATE = 0x0010,
    SWP_SHOWWINDOW = 0x0040,
    SWP_HIDEWINDOW = 0x0080,
};

// GetSystemMetrics.
enum : int {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
};

// Message boxes: styles and answers.
enum : UINT {
    MB_OK = 0x0000,
    MB_OKCANCEL = 0x0001,
    MB_ABORTRETRYIGNORE = 0x0002,
    MB_YESNOCANCEL = 0x0003,
    MB_YESNO = 0x0004,
    MB_RETRYCANCEL = 0x0005,
    MB_TYPEMASK = 0x000F,
    MB_ICONHAND = 0x0010,
    MB_ICONSTOP = 0x0010,
    MB_ICONERROR = 0x0010,
    MB_ICONQUESTION = 0x0020,
    MB_ICONEXCLAMATION = 0x0030,
    MB_ICONWARNING = 0x0030,
    MB_ICONASTERISK = 0x0040,
    MB_ICONINFORMATION = 0x0040,
    MB_ICONMASK = 0x00F0,
    MB_DEFBUTTON2 = 0x0100,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Virtual keys.
enum : UINT {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
};

// Mouse-message key flags.
enum : UINT { MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10 };

// WM_GETDLGCODE answers.
enum : UINT { DLGC_WANTARROWS = 0x01, DLGC_WANTTAB = 0x02, DLGC_WANTALLKEYS = 0x04, DLGC_WANTCHARS = 0x80 };

// Scroll bars.
enum : int { SB_HORZ = 0, SB_VERT = 1, SB_BOTH = 3 };
enum : UINT {
    SB_LINEUP = 0,
    SB_LINELEFT = 0,
    SB_LINEDOWN = 1,
    SB_LINERIGHT = 1,
    SB_PAGEUP = 2,
    SB_PAGELEFT = 2,
    SB_PAGEDOWN = 3,
    SB_PAGERIGHT = 3,
    SB_THUMBPOSITION = 4,
    SB_THUMBTRACK = 5,
    SB_TOP = 6,
    SB_LEFT = 6,
    SB_BOTTOM = 7,
    SB_RIGHT = 7,
    SB_ENDSCROLL = 8,
};
enum : UINT {
    SIF_RANGE = 0x01,
    SIF_PAGE = 0x02,
    SIF_POS = 0x04,
    SIF_DISABLENOSCROLL = 0x08,
    SIF_TRACKPOS = 0x10,
    SIF_ALL = 0x17,
};
struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// WM_SETCURSOR hit-test code.
enum : int { HTCLIENT = 1 };

// Standard cursors (LoadStandardCursor).
enum class StdCursor { Arrow, Wait, SizeWE, SizeNS, Cross, IBeam, SizeAll };
using HCURSOR = const StdCursor*;
extern const StdCursor* const IDC_ARROW;
extern const StdCursor* const IDC_WAIT;
extern const StdCursor* const IDC_SIZEWE;
extern const StdCursor* const IDC_SIZENS;
extern const StdCursor* const IDC_CROSS;
extern const StdCursor* const IDC_IBEAM;
extern const StdCursor* const IDC_SIZEALL;

// System colours (GetSysColor).
enum : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_WINDOWTEXT = 8,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_3DFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_3DSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
};

// DrawText flags.
enum : UINT {
    DT_TOP = 0x0000,
    DT_LEFT = 0x0000,
    DT_CENTER = 0x0001,
    DT_RIGHT = 0x0002,
    DT_VCENTER = 0x0004,
    DT_BOTTOM = 0x0008,
    DT_WORDBREAK = 0x0010,
    DT_SINGLELINE = 0x0020,
    DT_EXPANDTABS = 0x0040,
    DT_NOCLIP = 0x0100,
    DT_CALCRECT = 0x0400,
    DT_NOPREFIX = 0x0800,
    DT_END_ELLIPSIS = 0x8000,
};

// TextOut alignment.
enum : UINT { TA_LEFT = 0, TA_TOP = 0, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24 };

// Background modes, mapping modes, mix modes, raster operations.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
enum : int { MM_TEXT = 1, MM_ISOTROPIC = 7, MM_ANISOTROPIC = 8 };
enum : int { R2_BLACK = 1, R2_NOT = 6, R2_XORPEN = 7, R2_NOTXORPEN = 10, R2_COPYPEN = 13, R2_WHITE = 16 };
enum : DWORD {
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    PATCOPY = 0x00F00021,
    PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
};
enum : int { ALTERNATE = 1, WINDING = 2 };

// Pens, brushes, stock objects, fonts.
enum : int { PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3, PS_NULL = 5, PS_INSIDEFRAME = 6 };
enum : int {
    WHITE_BRUSH = 0,
    LTGRAY_BRUSH = 1,
    GRAY_BRUSH = 2,
    BLACK_BRUSH = 4,
    NULL_BRUSH = 5,
    HOLLOW_BRUSH = 5,
    WHITE_PEN = 6,
    BLACK_PEN = 7,
    NULL_PEN = 8,
    DEFAULT_GUI_FONT = 17,
};
enum : int { FW_NORMAL = 400, FW_SEMIBOLD = 600, FW_BOLD = 700 };
enum : BYTE { ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, GREEK_CHARSET = 161 };

struct LOGFONT {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};

struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
};

// DrawEdge.
enum : UINT {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = 0x5,
    EDGE_SUNKEN = 0xA,
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_RECT = 0xF,
};

// GetDeviceCaps.
enum : int { HORZRES = 8, VERTRES = 10, LOGPIXELSX = 88, LOGPIXELSY = 90 };

// Region combination.
enum : int { RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5 };
enum : int { ERROR_REGION = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3 };

// File dialogs.
enum : DWORD {
    OFN_READONLY = 0x00000001,
    OFN_OVERWRITEPROMPT = 0x00000002,
    OFN_HIDEREADONLY = 0x00000004,
    OFN_ENABLETEMPLATE = 0x00000040,
    OFN_ALLOWMULTISELECT = 0x00000200,
    OFN_PATHMUSTEXIST = 0x00000800,
    OFN_FILEMUSTEXIST = 0x00001000,
    OFN_EXPLORER = 0x00080000,
};

// Command ids the framework itself handles, and its bar ids.
enum : UINT {
    ID_SEPARATOR = 0,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_MRU_FILE1 = 57616,
    ID_FILE_MRU_LAST = 57631,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_SELECT_ALL = 57642,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_EXIT = 57665,
    ID_VIEW_TOOLBAR = 59392,
    // The string shown in the status bar's message pane when no command is
    // highlighted ("Ready").
    AFX_IDS_IDLEMESSAGE = 57345,
    ID_VIEW_STATUS_BAR = 59393,
    AFX_IDW_TOOLBAR = 59392,
    AFX_IDW_STATUS_BAR = 59393,
    AFX_IDW_CONTROLBAR_FIRST = 59392,
    AFX_IDW_CONTROLBAR_LAST = 59647,
    AFX_IDW_PANE_FIRST = 59648,
};

// First parameter of WM_KICKIDLE from a dialog's message loop.
enum : WPARAM { MSGF_DIALOGBOX = 0 };

// RepositionBars: place the bars, or only tell the client area they leave.
enum : UINT { reposDefault = 0, reposQuery = 1 };

// Command routing codes.
enum : int { CN_COMMAND = 0, CN_UPDATE_COMMAND_UI = -1 };
