// CExtMouseCaptureSink: the one way framework windows (bars, tab windows, mini frames, buttons)
// take the mouse capture.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

class CExtMouseCaptureSink
{
public:
    CExtMouseCaptureSink() = default;
    // Not virtual: the sink is always destroyed through the window class that mixes it in.
    ~CExtMouseCaptureSink() = default;

    // Gives window the capture; returns the window of this thread that had it, or null.
    virtual HWND SetCaptureWindow(HWND window);
};
