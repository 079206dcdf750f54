// Menu bars built from menu resources, shared by the frames and the dialogs
// that carry a menu: each command item carries its id, a chosen item runs a
// callback with it, and a popup that opens runs the update handlers of its
// items on the owner's command route.
#pragma once
#include "platform/ui/CmdTarget.h"

#include <functional>

class QMenu;
class QMenuBar;
class QWidget;

namespace platform {

struct MenuTemplate;

namespace detail {

// A menu bar of the template's popups, owned by parent. command runs when an
// item is chosen; aboutToShow when a popup (or a nested popup) opens;
// highlighted, when given, with the id of the item the mouse or the keyboard
// highlights (0 for a popup item) and with 0 when a popup closes.
QMenuBar* BuildMenuBar(QWidget* parent, const MenuTemplate& t, const std::function<void(UINT)>& command,
                       const std::function<void(QMenu*)>& aboutToShow,
                       const std::function<void(UINT)>& highlighted = {});

// Runs the update handlers of every command item of the popup on the route
// starting at target (enable, check and text of each item).
void UpdateMenuItems(QMenu* menu, CCmdTarget* target, BOOL bDisableIfNoHandler);

} // namespace detail
} // namespace platform
