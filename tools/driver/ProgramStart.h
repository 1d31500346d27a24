// Starting the real program from a helper built beside it (the tests, qvdriver.exe).
#pragma once
#include <windows.h>

#include <string>

// The folder of the running executable, with its trailing backslash. The program, its tests and
// qvdriver.exe are all built into one folder.
std::string ExecutableFolder();

// Starts Quorvex.exe from ExecutableFolder() in workingFolder, with arguments after its quoted
// path; the new process's handle, or null when it could not be started.
HANDLE StartProgram(const std::string& arguments, const std::string& workingFolder);
