// Command routing: tables, update state.
#include "platform/ui/CmdTarget.h"

BOOL CCmdTarget::OnCmdMsg(UINT, int, CCmdUI*)
{
    return FALSE;
}

void CCmdUI::Enable(BOOL bOn)
{
    m_bEnabled = bOn != FALSE;
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int nCheck)
{
    m_nCheck = nCheck;
    m_bCheckChanged = true;
}

void CCmdUI::SetText(const std::string& text)
{
    m_strText = text;
    m_bTextChanged = true;
}

void CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    m_bEnableChanged = false;
    if (!pTarget)
        return;
    if (pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this))
        return;
    if (bDisableIfNoHandler && !m_bEnableChanged)
        Enable(pTarget->OnCmdMsg(m_nID, CN_QUERY, nullptr));
}

BOOL CommandMap::Dispatch(CCmdTarget* self, UINT nID, int nCode, CCmdUI* pCmdUI) const
{
    for (const auto& e : entries_) {
        if (nID < e.first || nID > e.last)
            continue;
        if (nCode == CN_UPDATE_COMMAND_UI) {
            if (e.update && pCmdUI) {
                e.update(self, pCmdUI);
                return TRUE;
            }
        } else if (nCode == CN_QUERY) {
            if (e.command && e.code == CN_COMMAND)
                return TRUE;
        } else if (e.command && e.code == nCode) {
            e.command(self, nID);
            return TRUE;
        }
    }
    return FALSE;
}
