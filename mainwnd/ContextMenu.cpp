#include "mainwnd/ContextMenu.h"

#include "framework/menus/PopupMenuWnd.h"
#include "platform/Menu.h"

CPoint ContextMenuPoint(HWND view, CPoint pos)
{
    if (pos.x != -1 || pos.y != -1)
        return pos;
    CPoint corner(0, 0);
    ::ClientToScreen(view, &corner);
    return CPoint(corner.x + 5, corner.y + 5);
}

bool TrackContextMenu(HWND view, UINT menuId, CPoint at, UINT flags)
{
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return false;
    auto* popup = new CExtPopupMenuWnd;
    // Building registers the items' commands in the profile of the view's frame.
    if (!popup->BuildFromMenu(view, menu, true, true) || !popup->TrackMenu(flags, at.x, at.y)) {
        delete popup;
        return false;
    }
    // From here the tracking owns the menu and deletes it when it closes.
    return true;
}
