#include "framework/dialogs/MouseCaptureSink.h"

HWND CExtMouseCaptureSink::SetCaptureWindow(HWND window)
{
    return ::SetCapture(window);
}
