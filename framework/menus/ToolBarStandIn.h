// The toolbar's menu-tracking mode, which the docking framework's toolbar sets while one of its
// drop-down menus is open (and the menu bar while its menus are walked with the keyboard). Until
// that toolbar exists this stand-in keeps what the popup menus ask of it: the flag, the button
// whose menu is open, and the cancel that ends both.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

class CExtToolControlBar
{
public:
    static bool g_bMenuTracking;
    // The bar's button (screen coordinates) whose drop-down menu is open; it shows pressed until
    // the tracking is cancelled.
    static void SetMenuTrackingButton(HWND bar, const RECT& buttonOnScreen);
    // The bar whose button is marked, or null.
    static HWND GetMenuTrackingBar();
    // Clears the flag, drops the button's mark (the bar repaints it) and ends the open popup
    // menu unless its tracking is ending already.
    static void CancelAllTracking();
    // Whether the point (screen coordinates) lies on the button whose menu is tracked.
    static bool IsOnMenuTrackingButton(POINT screenPoint);
};
