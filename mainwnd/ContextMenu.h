// The views' context menus: the framework's themed popup menu built from a menu resource's first
// popup, its commands reaching the view as WM_COMMAND.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Wnd.h"

// The screen point a context menu opens at: pos, or for (-1, -1), which comes from the keyboard,
// the view's client top-left corner moved by (5, 5).
CPoint ContextMenuPoint(HWND view, CPoint pos);
// Shows menu resource menuId's first popup at the screen point, owned by view, with the popup
// menu's track flags; false (nothing left open) when it cannot be shown. Returns at once: the
// menu closes and frees itself.
bool TrackContextMenu(HWND view, UINT menuId, CPoint at, UINT flags);
