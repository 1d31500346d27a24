#include "framework/menus/BarServicesStandIn.h"

void CExtControlBar::ShowCommandPrompt(HWND window, UINT id)
{
    if (!window || !::IsWindow(window))
        return;
    const bool child = (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
    HWND frame = child ? ::GetAncestor(window, GA_ROOT) : window;
    ::SendMessageA(frame, WM_SETMESSAGESTRING, id, 0);
}
