#include "framework/menus/PopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupMenuWnd, CExtPopupBaseWnd)

CExtPopupMenuWnd::CExtPopupMenuWnd() = default;

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
    CloseMenu(true);
    // Every menu removes its own items, so a submenu deleted on its own takes its chain along.
    ClearItems();
}
