// Declarative resources keyed by the programs' own resource ids: dialog
// templates (controls laid out on a grid of rows and columns, no pixel
// coordinates), menus, accelerator tables, toolbars and bitmap files. Each
// program registers its tables from resources/<program>/ at start-up.
#pragma once
#include "platform/ui/Defs.h"

#include <map>
#include <string>
#include <vector>

namespace platform {

enum class Ctl {
    Static,
    Edit,
    PushButton,
    DefPushButton,
    CheckBox,
    RadioButton,
    GroupBox,
    ComboBox,
    ListBox,
    Spin,
    Progress,
    // A plain child window for a control class of the program (a grid, a
    // preview): subclassed by the dialog's data exchange.
    Custom,
    // A read-only rich-text control (CRichEditCtrl).
    RichEdit,
};

struct ControlTemplate {
    Ctl kind = Ctl::Static;
    UINT id = 0xFFFF; // 0xFFFF: a static text nobody addresses
    std::string text;
    int row = 0;
    int col = 0;
    int rowSpan = 1;
    int colSpan = 1;
    DWORD style = 0; // WS_GROUP starts a radio group; ES_*, CBS_*, LBS_*, SS_*
    UINT group = 0;  // id of the group box that holds the control (0: the dialog)
};

struct DialogTemplate {
    UINT id = 0;
    std::string caption;
    std::vector<ControlTemplate> controls{};
    // The menu resource of a dialog that carries a menu bar; 0 for none.
    UINT menu = 0;
};

// A menu item; id 0 and empty text is a separator, an item with children a
// popup. Text after '\t' is the accelerator shown.
struct MenuItem {
    std::string text;
    UINT id = 0;
    std::vector<MenuItem> popup{};
};

struct MenuTemplate {
    UINT id = 0;
    std::vector<MenuItem> items{};
};

enum : BYTE { FVIRTKEY = 0x01, FSHIFT = 0x04, FCONTROL = 0x08, FALT = 0x10 };

struct Accelerator {
    BYTE flags = FVIRTKEY;
    WORD key = 0; // a virtual key (VK_*, 'A'..'Z', '0'..'9')
    UINT command = 0;
};

struct AcceleratorTable {
    UINT id = 0;
    std::vector<Accelerator> entries{};
};

// Buttons in order, ID_SEPARATOR for a gap; the images are the tiles of the
// bitmap resource of the same id, one per button, left to right.
struct ToolBarTemplate {
    UINT id = 0;
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<UINT> buttons{};
};

class Resources {
  public:
    static Resources& Get();
    void AddDialog(DialogTemplate t) { dialogs_[t.id] = std::move(t); }
    void AddMenu(MenuTemplate t) { menus_[t.id] = std::move(t); }
    void AddAccelerators(AcceleratorTable t) { accels_[t.id] = std::move(t); }
    void AddToolBar(ToolBarTemplate t) { toolbars_[t.id] = std::move(t); }
    void AddBitmap(UINT id, std::string path) { bitmaps_[id] = std::move(path); }
    // The picture a frame loaded from resource id shows as its window icon.
    void AddIcon(UINT id, std::string path) { icons_[id] = std::move(path); }
    const DialogTemplate* FindDialog(UINT id) const;
    // The ids of every dialog template, in increasing order.
    std::vector<UINT> DialogIds() const;
    const MenuTemplate* FindMenu(UINT id) const;
    const AcceleratorTable* FindAccelerators(UINT id) const;
    const ToolBarTemplate* FindToolBar(UINT id) const;
    std::string FindBitmap(UINT id) const;
    std::string FindIcon(UINT id) const;
    void Clear();

  private:
    std::map<UINT, DialogTemplate> dialogs_;
    std::map<UINT, MenuTemplate> menus_;
    std::map<UINT, AcceleratorTable> accels_;
    std::map<UINT, ToolBarTemplate> toolbars_;
    std::map<UINT, std::string> bitmaps_;
    std::map<UINT, std::string> icons_;
};

} // namespace platform
