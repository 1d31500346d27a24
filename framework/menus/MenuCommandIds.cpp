#include "framework/menus/MenuCommandIds.h"

#include "framework/commands/CmdItem.h"

UINT SystemCommandStringId(UINT id)
{
    static const struct
    {
        UINT command;
        UINT text;
    } kStrings[] = {{0xF000, 0xEF00}, {0xF010, 0xEF01}, {0xF020, 0xEF02},
                    {0xF030, 0xEF03}, {0xF040, 0xEF04}, {0xF050, 0xEF05},
                    {0xF060, 0xEF06}, {0xF120, 0xEF12}, {0xF130, 0xEF13}};
    for (const auto& entry : kStrings) {
        if (entry.command == id)
            return entry.text;
    }
    return 0;
}

UINT CommandPromptId(UINT id)
{
    if (!IsSystemCommandId(id))
        return id;
    const UINT text = SystemCommandStringId(id);
    return text != 0 ? text : kIdleMessageId;
}

SystemCommandWindowState ReadSystemCommandWindowState(HWND window)
{
    SystemCommandWindowState state;
    if (!window || !::IsWindow(window))
        return state;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window, &placement);
    state.m_minimized = placement.showCmd == SW_SHOWMINIMIZED || ::IsIconic(window);
    state.m_maximized = placement.showCmd == SW_SHOWMAXIMIZED || ::IsZoomed(window);
    const auto style = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE));
    state.m_minimizeBox = (style & WS_MINIMIZEBOX) != 0;
    state.m_maximizeBox = (style & WS_MAXIMIZEBOX) != 0;
    state.m_contextHelp =
        (static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE)) & WS_EX_CONTEXTHELP) != 0;
    if (HMENU systemMenu = ::GetSystemMenu(window, FALSE)) {
        const UINT close = ::GetMenuState(systemMenu, SC_CLOSE, MF_BYCOMMAND);
        state.m_closeGrayed = close != static_cast<UINT>(-1) && (close & (MF_GRAYED | MF_DISABLED));
    }
    return state;
}

int SystemCommandEnabled(UINT id, const SystemCommandWindowState& state)
{
    const bool normal = !state.m_minimized && !state.m_maximized;
    switch (id) {
    case SC_SIZE:
    case SC_MOVE:
        return normal;
    case SC_MINIMIZE:
        return state.m_minimizeBox && !state.m_minimized;
    case SC_MAXIMIZE:
        return state.m_maximizeBox && !state.m_maximized;
    case SC_CLOSE:
        return !state.m_closeGrayed;
    case SC_RESTORE:
        return (state.m_minimizeBox || state.m_maximizeBox) && !normal;
    case SC_CONTEXTHELP:
        return state.m_contextHelp;
    default:
        return -1;
    }
}
