// Accelerator tables and their translation of key-downs into commands.
#include "platform/ui/Accelerators.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

HACCEL LoadAccelerators(UINT nIDResource)
{
    return platform::Resources::Get().FindAccelerators(nIDResource);
}

BOOL TranslateAccelerator(CWnd* pWnd, HACCEL hAccel, const MSG* pMsg)
{
    if (!pWnd || !hAccel || !pMsg || (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN))
        return FALSE;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    for (const platform::Accelerator& e : hAccel->entries) {
        if (e.key != pMsg->wParam || ((e.flags & platform::FCONTROL) != 0) != control ||
            ((e.flags & platform::FSHIFT) != 0) != shift || ((e.flags & platform::FALT) != 0) != alt)
            continue;
        if (auto* dialog = dynamic_cast<CDialog*>(pWnd))
            dialog->ExecuteCommand(e.command);
        else
            pWnd->SendMessage(WM_COMMAND, MAKEWPARAM(e.command, 1), 0);
        return TRUE;
    }
    return FALSE;
}
