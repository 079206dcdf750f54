// The records of the grid control: a cell with its state bits, the item
// record through which views set and read a cell in one call, a cell
// address, and the notification records the grid sends its parent and
// receives from its in-place editors.
#pragma once
#include "platform/ui/Defs.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace common {

// State bits of a cell; other bits are carried unchanged.
enum : UINT {
    GVIS_FOCUSED = 0x0001,
    GVIS_SELECTED = 0x0002,
    GVIS_MARKED = 0x0004,
    GVIS_READONLY = 0x0008,
    GVIS_TOGGLE = 0x0010,
    GVIS_TOGGLE_ON = 0x0020,
    GVIS_LIST = 0x0040,
    GVIS_PATTERN = 0x0080,
    GVIS_REAL = 0x0200,          // editor kind 0: signed real number
    GVIS_POSITIVE_REAL = 0x0400, // kind 1: non-negative real number
    GVIS_INTEGER = 0x0800,       // kind 2: integer with minus signs
    GVIS_UNSIGNED = 0x1000,      // kind 3: digits only
    GVIS_TEXT = 0x2000,          // kind 4: any text
    GVIS_KIND_MASK = 0x3E00,
    GVIS_NUMERIC_MASK = 0x1E00,
    // Cells whose text is never copied or pasted.
    GVIS_NO_CLIPBOARD = 0x00D8,
};

// The editor kind (0-4) of a state word: text first, then the numbers.
int EditorKindOfState(UINT state);

// Mask bits of CGridItem.
enum : UINT {
    GVIF_TEXT = 0x0001,
    GVIF_IMAGE = 0x0002,
    GVIF_PARAM = 0x0004,
    GVIF_STATE = 0x0008,
    GVIF_BKCLR = 0x0010,
    GVIF_FGCLR = 0x0020,
    GVIF_FORMAT = 0x0040,
    GVIF_FONT = 0x0080,
    GVIF_LISTITEMS = 0x0100,
    GVIF_PATTERN = 0x0200,
    GVIF_VALUE = 0x0400,
};

// A cell colour of this value stands for the grid's default colour.
constexpr COLORREF CLR_GRID_DEFAULT = 0xFF000000;

using GridPattern = std::array<WORD, 8>;

struct CGridCell {
    virtual ~CGridCell() = default;
    GridPattern pattern{0x00FF, 0x00FF, 0x00FF, 0x00FF, 0x00FF, 0x00FF, 0x00FF, 0x00FF};
    UINT state = GVIS_TEXT;
    UINT format = 0;
    std::string text;
    int image = -1;
    COLORREF bkColour = CLR_GRID_DEFAULT;
    COLORREF fgColour = CLR_GRID_DEFAULT;
    std::uint32_t data = 0;
    LOGFONT font{};
    std::vector<std::string> listItems;
    double value = 0.0;
};

struct CGridItem {
    int row = 0;
    int col = 0;
    UINT mask = 0;
    UINT state = 0;
    UINT format = 0;
    std::string text;
    int image = -1;
    COLORREF bkColour = CLR_GRID_DEFAULT;
    COLORREF fgColour = CLR_GRID_DEFAULT;
    std::uint32_t data = 0;
    LOGFONT font{};
    std::vector<std::string> listItems;
    GridPattern pattern{};
    double value = 0.0;
};

struct CCellID {
    int row = -1;
    int col = -1;
    CCellID() = default;
    CCellID(int r, int c) : row(r), col(c) {}
    bool operator==(const CCellID&) const = default;
};

// Notification codes sent to the parent with WM_NOTIFY.
enum : int {
    GVN_HSCROLL = -101,       // after a horizontal scroll action
    GVN_DBLCLICK = -102,      // double click on a non-fixed cell
    GVN_RCLICK = -103,        // right button down on a cell
    GVN_FOCUSCHANGED = -104,  // the focus cell has changed
    GVN_FOCUSCHANGING = -105, // the focus is about to leave a cell
    GVN_ENDEDIT = -106,       // an edit ended, or Delete, paste or a toggle changed a cell
    GVN_BEGINEDIT = 1029,     // an edit or paste is about to start
};

struct GridNotify {
    NMHDR hdr;
    int iRow = -1;
    int iColumn = -1;
    std::uint32_t lParam = 0;
};

// Sent by the in-place editors to the grid when an edit ends: the final text
// (mask GVIF_TEXT) and the key that ended it (GVIF_PARAM, 0 for a focus loss).
struct alignas(8) GridDispInfo {
    NMHDR hdr;
    CGridItem item;
};

// Control ids of the in-place editors.
enum : UINT { IDC_INPLACE_EDIT = 8, IDC_INPLACE_LIST = 1001 };

} // namespace common
