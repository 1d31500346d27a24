#include "core/SendEditorAccess.h"

COleSafeArray& ReadSendEditorData(HWND hWndMain, COleSafeArray& data)
{
    data.Clear();
    ::SendMessageA(hWndMain, WM_SEND_EDITOR_DATA, SEND_EDITOR_READ,
                   reinterpret_cast<LPARAM>(&data));
    return data;
}

BOOL WriteSendEditorData(HWND hWndMain, const COleSafeArray& data)
{
    return static_cast<BOOL>(::SendMessageA(hWndMain, WM_SEND_EDITOR_DATA, SEND_EDITOR_WRITE,
                                            reinterpret_cast<LPARAM>(&data)));
}
