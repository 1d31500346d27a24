// What the skin layer of the resizable templates (CExtWS) needs beyond the template itself: the
// placement text stored in the profile, the one background brush of each instantiation, and
// the system menu, shown as the framework's popup menu.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/String.h"

// "left,top,right,bottom,show command,flags" of the normal position.
CString FormatPlacementText(const WINDOWPLACEMENT& placement);
// Replaces those six fields when text starts with six comma-separated numbers in int range;
// false (placement untouched) otherwise.
bool ParsePlacementText(LPCTSTR text, WINDOWPLACEMENT& placement);

// A solid brush of the last colour asked for, made again when the colour changes and freed
// with the object.
class CExtSolidBrushCache
{
public:
    CExtSolidBrushCache() = default;
    ~CExtSolidBrushCache();
    CExtSolidBrushCache(const CExtSolidBrushCache&) = delete;
    CExtSolidBrushCache& operator=(const CExtSolidBrushCache&) = delete;

    HBRUSH Get(COLORREF color);

private:
    HBRUSH m_brush = nullptr;
    COLORREF m_color = CLR_INVALID;
};

// Shows the window's system menu as the framework's popup menu at the screen point, its first
// item selected when asked from the keyboard; a chosen item reaches the window as WM_SYSCOMMAND.
// Returns at once while the menu stays open; false when it could not be shown.
bool TrackSystemPopupMenu(HWND window, HMENU systemMenu, POINT at, bool fromKeyboard);
// Whether any of the framework's popup menus is open on this thread.
bool IsAnyPopupMenuOpen();
// Closes it.
void CloseAllPopupMenus();
