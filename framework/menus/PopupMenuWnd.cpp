#include "framework/menus/PopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

CExtPopupMenuWnd::CExtPopupMenuWnd() = default;

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    CloseMenu(true);
    // Every menu removes its own items, so a submenu deleted on its own takes its chain along.
    ClearItems();
}

namespace {

bool IsShownOrPopup(HWND window)
{
    return ::IsWindowVisible(window) || (::GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
}

// Whether ancestor is window itself or one of its parents or owners.
bool IsSelfOrAncestor(HWND ancestor, HWND window)
{
    for (HWND up = window; up; up = ::GetParent(up)) {
        if (up == ancestor)
            return true;
    }
    return false;
}

} // namespace

bool CExtPopupMenuWnd::IsRelatedActiveWindow(HWND a, HWND b, bool requireEnabled,
                                             bool requireVisible, bool falseWhileMenuOpen)
{
    if (falseWhileMenuOpen && AnyMenuOpen())
        return false;
    if (!a || !b || !::IsWindow(a) || !::IsWindow(b))
        return false;
    if (requireEnabled && (!::IsWindowEnabled(a) || !::IsWindowEnabled(b)))
        return false;
    if (requireVisible && (!::IsWindowVisible(a) || !::IsWindowVisible(b)))
        return false;
    for (HWND up = ::GetParent(a); up; up = ::GetParent(up)) {
        if (IsShownOrPopup(up) && IsSelfOrAncestor(up, b))
            return true;
    }
    return false;
}
