// The toolbar's menu-tracking mode, which the docking framework's toolbar sets while its drop-down
// menus are walked with the keyboard. Until that toolbar exists only its flag stands in for it.
#pragma once

class CExtToolControlBar
{
public:
    static bool g_bMenuTracking;
};
