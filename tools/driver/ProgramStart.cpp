#include "tools/driver/ProgramStart.h"

#include "tools/driver/ProgramDriver.h"

std::string ExecutableFolder()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path);
    return full.substr(0, full.find_last_of('\\') + 1);
}

HANDLE StartProgram(const std::string& arguments, const std::string& workingFolder)
{
    std::string commandLine = "\"" + ExecutableFolder() + kProgramFileName + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    // Under Wine the program would otherwise hold the starter's output open (a pipe that a
    // script or ctest reads to its end) as long as it runs.
    const HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                   nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION started = {};
    const BOOL created = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr,
                                        workingFolder.empty() ? nullptr : workingFolder.c_str(),
                                        &startup, &started);
    if (nul != INVALID_HANDLE_VALUE)
        CloseHandle(nul);
    if (!created)
        return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
}
