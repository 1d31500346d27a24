// A message-only window of the calling thread, of a class registered once with the procedure,
// whose user data is owner: what the engine's tests and benchmark use as the ports' notify window.
#pragma once
#include <windows.h>

inline HWND CreateMessageOnlyWindow(const char* className, WNDPROC procedure, void* owner)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
    const HWND window = ::CreateWindowA(className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}
