// What the skin layer of the resizable templates (CExtWS) needs beyond the template itself: the
// placement text stored in the profile, the one background brush of each instantiation, and
// the system menu, shown as a plain platform popup menu until the framework's popup menus
// exist.
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

// Shows menu for owner at the screen point and returns once it closed; a chosen item is posted
// to owner as WM_SYSCOMMAND. False when the menu could not be shown.
bool TrackPlainSystemMenu(HWND owner, HMENU menu, POINT at);
// Whether a menu of TrackPlainSystemMenu is open on this thread.
bool IsPlainSystemMenuOpen();
// Closes it.
void ClosePlainSystemMenu();
