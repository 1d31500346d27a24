// What popup menus ask of the control bars and toolbars: the status-bar prompt, the frame's
// context-help mode and the toolbar's menu tracking. The docking framework will own these; until
// it exists this stand-in answers with what a frame without bars needs.
#pragma once
#include "platform/WindowLayer.h"

#include "framework/menus/ToolBarStandIn.h"
#include "platform/Types.h"

#ifndef WM_SETMESSAGESTRING
#define WM_SETMESSAGESTRING 0x0362
#endif

class CExtControlBar
{
public:
    // The window's frame (the window itself when it has no parent) gets WM_SETMESSAGESTRING with
    // the id; nothing for a window that does not exist.
    static void ShowCommandPrompt(HWND window, UINT id);
    // No frame has a context-help mode yet.
    static bool IsFrameInHelpMode(HWND) { return false; }
};
