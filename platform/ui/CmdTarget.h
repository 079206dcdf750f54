// Command targets and command routing. A command (a menu item, toolbar button,
// accelerator or control notification) travels along a chain of targets
// (active view, its document, the frame, the application) until one handles
// it; update handlers along the same chain enable, check and rename the menu
// items and toolbar buttons of a command before they are shown or used.
//
// A class takes part by overriding OnCmdMsg, usually through a static table:
//
//   BOOL CMyDoc::OnCmdMsg(UINT id, int code, CCmdUI* ui)
//   {
//       static const CommandMap map = {
//           OnCommand(ID_CALC_SYSTEM, &CMyDoc::OnCalcSystem),
//           OnUpdate(ID_CALC_SYSTEM, &CMyDoc::OnUpdateCalcSystem),
//       };
//       return map.Dispatch(this, id, code, ui) || CDocument::OnCmdMsg(id, code, ui);
//   }
#pragma once
#include "platform/ui/Defs.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class CCmdUI;

// Asks a target whether it has a command handler, without running it.
constexpr int CN_QUERY = -2;

class CCmdTarget {
  public:
    virtual ~CCmdTarget() = default;
    // nCode: CN_COMMAND or a control notification code to run a handler,
    // CN_UPDATE_COMMAND_UI to run an update handler on pCmdUI, CN_QUERY to
    // ask for a handler. TRUE when this target handled it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI);
};

// The state an update handler sets on one user-interface item.
class CCmdUI {
  public:
    explicit CCmdUI(UINT id = 0) : m_nID(id) {}
    virtual ~CCmdUI() = default;
    UINT m_nID;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(const std::string& text);

    // Runs the update handler of the route starting at pTarget. Without one,
    // the item is enabled exactly when some target has a command handler
    // (when bDisableIfNoHandler) and left alone otherwise.
    void DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bEnableChanged = false;
    bool m_bCheckChanged = false;
    bool m_bTextChanged = false;
    std::string m_strText;
};

// One entry of a command table; built by the helpers below.
struct CommandEntry {
    UINT first = 0;
    UINT last = 0;
    int code = CN_COMMAND;
    std::function<void(CCmdTarget*, UINT)> command;
    std::function<void(CCmdTarget*, CCmdUI*)> update;
};

class CommandMap {
  public:
    CommandMap(std::initializer_list<CommandEntry> entries) : entries_(entries) {}
    BOOL Dispatch(CCmdTarget* self, UINT nID, int nCode, CCmdUI* pCmdUI) const;

  private:
    std::vector<CommandEntry> entries_;
};

template <class T> CommandEntry OnCommand(UINT id, void (T::*f)())
{
    return {id, id, CN_COMMAND, [f](CCmdTarget* t, UINT) { (static_cast<T*>(t)->*f)(); }, nullptr};
}
template <class T> CommandEntry OnCommandRange(UINT first, UINT last, void (T::*f)(UINT))
{
    return {first, last, CN_COMMAND, [f](CCmdTarget* t, UINT id) { (static_cast<T*>(t)->*f)(id); }, nullptr};
}
// A control notification (BN_CLICKED, EN_CHANGE, CBN_SELCHANGE...).
template <class T> CommandEntry OnControl(UINT id, int code, void (T::*f)())
{
    return {id, id, code, [f](CCmdTarget* t, UINT) { (static_cast<T*>(t)->*f)(); }, nullptr};
}
template <class T> CommandEntry OnUpdate(UINT id, void (T::*f)(CCmdUI*))
{
    return {id, id, CN_UPDATE_COMMAND_UI, nullptr,
            [f](CCmdTarget* t, CCmdUI* ui) { (static_cast<T*>(t)->*f)(ui); }};
}
template <class T> CommandEntry OnUpdateRange(UINT first, UINT last, void (T::*f)(CCmdUI*))
{
    return {first, last, CN_UPDATE_COMMAND_UI, nullptr,
            [f](CCmdTarget* t, CCmdUI* ui) { (static_cast<T*>(t)->*f)(ui); }};
}
