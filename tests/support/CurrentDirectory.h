// Runs a test body in another current directory and goes back afterwards.
#pragma once
#include <windows.h>

#include <string>

class CurrentDirectory
{
public:
    explicit CurrentDirectory(const std::string& path)
    {
        GetCurrentDirectoryA(MAX_PATH, m_previous);
        SetCurrentDirectoryA(path.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(m_previous); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    char m_previous[MAX_PATH] = {};
};
