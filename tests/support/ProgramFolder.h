// The folder of the running test program, with its backslash: fixtures are built beside it.
#pragma once
#include <windows.h>

#include <string>

inline std::string TestFolder()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
