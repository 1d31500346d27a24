// A test program that crashes must end on its own: a crash dialog that nobody sees would hold
// the whole test run until its time-out.
#include <windows.h>

#include <gtest/gtest.h>

TEST(CrashEndsTest, ACrashingProgramEndsWithoutWaitingOnADialog)
{
    char command[] = "crasher.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process))
        << GetLastError();
    const DWORD waited = WaitForSingleObject(process.hProcess, 60000);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(WAIT_OBJECT_0, waited);
    EXPECT_NE(0u, exitCode);
}
