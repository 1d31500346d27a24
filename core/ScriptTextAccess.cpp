#include "core/ScriptTextAccess.h"

COleSafeArray& ReadScriptText(HWND hWndMain, int port, COleSafeArray& text)
{
    text.Clear();
    ::SendMessageA(hWndMain, WM_SCRIPT_TEXT, static_cast<WPARAM>(port),
                   reinterpret_cast<LPARAM>(&text));
    return text;
}
