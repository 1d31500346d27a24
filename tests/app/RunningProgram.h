// The real program started as a separate process under Wine, with a command line and a working
// folder of the test's choice, and driven through ProgramDriver; a program still running when
// the object goes is terminated, so no stray process outlives a failed test.
#pragma once
#include <windows.h>

#include <string>

#include "tools/driver/ProgramDriver.h"
#include "tools/driver/ProgramStart.h"

class RunningProgram : public ProgramDriver
{
public:
    // Starts Quorvex.exe from this test program's folder; arguments follow its quoted path.
    RunningProgram(const std::string& arguments, const std::string& workingFolder)
        : ProgramDriver(StartProgram(arguments, workingFolder))
    {
    }
    ~RunningProgram()
    {
        if (IsRunning())
            TerminateProcess(Process(), 1);
    }

    bool Started() const { return IsAttached(); }

    // The folder of this test program, with its trailing backslash.
    static std::string TestFolder() { return ExecutableFolder(); }
};
