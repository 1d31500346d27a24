// Helpers for the tests that drive real windows of the window layer.
#pragma once
#include <windows.h>

#include "platform/StatusBar.h"
#include "platform/Wnd.h"
#include "tests/platform/PlatformTestResource.h"

// The style of top-level test windows that are shown (SW_SHOWNOACTIVATE): under Wine such an
// unframed popup hides and goes at once, while a framed one waits two seconds for the window
// manager there is none of.
const DWORD kShownTestWindowStyle = WS_POPUP;

// Dispatches the messages already queued for this thread, as a message loop would, without
// waiting for more.
inline void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Creates wnd as a hidden top-level window of the layer's default class.
inline bool CreateTopLevel(CWnd& wnd, int width = 300, int height = 200)
{
    return wnd.CreateEx(0, nullptr, "test", WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr,
                        nullptr) != FALSE;
}

// Creates wnd as a visible child of parent, with the given class (the default one when null).
inline bool CreateChild(CWnd& wnd, CWnd& parent, UINT id, LPCSTR className = nullptr)
{
    return wnd.Create(className, "", WS_VISIBLE, CRect(0, 0, 100, 30), &parent, id) != FALSE;
}

// Creates the test frames' status bar: the message pane and the test indicator.
inline bool CreateTestStatusBar(CWnd& frame, CStatusBar& bar)
{
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_TEST};
    return bar.Create(&frame) && bar.SetIndicators(indicators, 2);
}
