#include "framework/menus/ToolBarStandIn.h"

#include "framework/menus/MenuTrackingState.h"

bool CExtToolControlBar::g_bMenuTracking = false;

namespace {

HWND g_menuTrackingBar = nullptr;
RECT g_menuTrackingButton = {0, 0, 0, 0};

} // namespace

void CExtToolControlBar::SetMenuTrackingButton(HWND bar, const RECT& buttonOnScreen)
{
    g_menuTrackingBar = bar;
    g_menuTrackingButton = buttonOnScreen;
}

HWND CExtToolControlBar::GetMenuTrackingBar()
{
    return g_menuTrackingBar;
}

bool CExtToolControlBar::IsOnMenuTrackingButton(POINT screenPoint)
{
    return ::IsWindow(g_menuTrackingBar) && ::PtInRect(&g_menuTrackingButton, screenPoint);
}

void CExtToolControlBar::CancelAllTracking()
{
    g_bMenuTracking = false;
    if (::IsWindow(g_menuTrackingBar)) {
        RECT button = g_menuTrackingButton;
        ::MapWindowPoints(nullptr, g_menuTrackingBar, reinterpret_cast<POINT*>(&button), 2);
        ::InvalidateRect(g_menuTrackingBar, &button, TRUE);
    }
    g_menuTrackingBar = nullptr;
    g_menuTrackingButton = RECT{0, 0, 0, 0};
    const MenuTrackingState& state = MenuTrackingState::Instance();
    if (ITrackedMenu* menu = state.GetCurrentMenu(); menu && !state.IsEnding())
        ::PostMessageA(menu->GetTrackedHwnd(), WM_CANCELMODE, 0, 0);
}
