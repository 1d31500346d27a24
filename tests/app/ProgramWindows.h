// Finding the running program's own top-level windows from the test's process.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace program_windows_detail {

struct Search
{
    DWORD processId;
    const std::function<bool(HWND)>& matches;
    HWND found;
};

inline BOOL CALLBACK Visit(HWND window, LPARAM address)
{
    auto* search = reinterpret_cast<Search*>(address);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || !search->matches(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace program_windows_detail

// The first visible top-level window of the process that matches; null when there is none.
inline HWND FindProgramWindow(DWORD processId, const std::function<bool(HWND)>& matches)
{
    program_windows_detail::Search search = {processId, matches, nullptr};
    EnumWindows(program_windows_detail::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::string WindowClassOf(HWND window)
{
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}
