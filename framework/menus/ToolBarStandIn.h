// The toolbar's menu-tracking mode, which the docking framework's toolbar sets while its drop-down
// menus are walked with the keyboard. Until that toolbar exists only its flag stands in for it.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

class CExtToolControlBar
{
public:
    static bool g_bMenuTracking;
    static void CancelAllTracking() { g_bMenuTracking = false; }
    // Whether the point (screen coordinates) lies on the button whose menu is tracked.
    static bool IsOnMenuTrackingButton(POINT) { return false; }
};
