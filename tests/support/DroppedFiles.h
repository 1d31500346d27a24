// A drop of files as the shell hands it to a window with WM_DROPFILES; the window that receives
// it owns it and frees it (DragFinish).
#pragma once
#include <windows.h>

#include <shlobj.h>  // DROPFILES

#include <cstring>
#include <string>
#include <vector>

inline HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(drop + 1, list.data(), list.size());
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}
