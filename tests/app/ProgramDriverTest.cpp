// The driver against the real program: a message box answered, the status panes and the log
// rows read, a command posted; once through the library the end-to-end tests use, once through
// qvdriver.exe as a script sees it (UTF-8 out, exit codes). Rows and a state change are made by
// sending the main window the connection threads' messages, with their records copied into the
// program's memory, since no port can run yet.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/LogRecord.h"
#include "core/MessageCatalogue.h"
#include "core/PortNotify.h"
#include "core/log/LogRowText.h"
#include "platform/StandardIds.h"
#include "tests/app/ProgramTest.h"
#include "tests/app/RunningProgram.h"
#include "tools/driver/ProgramText.h"
#include "tools/driver/RemoteControl.h"

namespace {

const UINT kDocumentLoadFailed = 13021;
const int kConnectedMessage = 10001;

// Sends the main window one of the connection threads' messages with a copy of the record in
// the program's memory; the window copies what it keeps before it answers.
template <typename Record>
bool SendPortNotify(RunningProgram& program, PortNotifyCode code, const Record& record)
{
    const HWND mainWindow = program.WaitForMainWindow();
    RemoteBuffer buffer(program.Process(), sizeof record);
    return mainWindow && buffer.Write(0, &record, sizeof record) &&
           SendRemoteMessage(mainWindow, WM_PORT_NOTIFY, code, buffer.Address());
}

struct DriverRun
{
    DWORD exitCode;
    std::string output;
};

// Runs qvdriver.exe from this test's folder with the arguments and collects what it prints.
DriverRun RunDriver(const std::string& arguments)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return {ProgramDriver::kStillRunning, "<no pipe>"};
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::string commandLine = "\"" + ExecutableFolder() + "qvdriver.exe\" " + arguments;
    PROCESS_INFORMATION started = {};
    const BOOL created = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &started);
    CloseHandle(writeEnd);
    DriverRun run = {ProgramDriver::kStillRunning, ""};
    if (created) {
        char chunk[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, chunk, sizeof chunk, &read, nullptr) && read > 0)
            run.output.append(chunk, read);
        WaitForSingleObject(started.hProcess, 60000);
        GetExitCodeProcess(started.hProcess, &run.exitCode);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}

class ProgramDriverTest : public ProgramTest
{
};

TEST_F(ProgramDriverTest, AnswersTheLoadFailureBoxReadsIdlePortsAndEndsByTheExitCommand)
{
    const std::string damaged = m_folder.File("damaged.qvg");
    Touch(damaged);

    RunningProgram program(Quoted(damaged), m_folder.Path());
    ASSERT_TRUE(program.Started());
    const HWND box = program.WaitForMessageBox();
    ASSERT_NE(nullptr, box) << "no message box";
    EXPECT_EQ(std::string(GetMessageText(kDocumentLoadFailed)), ProgramDriver::MessageBoxText(box));
    EXPECT_FALSE(ProgramDriver::PressMessageBoxButton(box, IDYES, 500)) << "an OK box has no Yes";
    EXPECT_TRUE(IsWindowVisible(box));
    ASSERT_TRUE(ProgramDriver::PressMessageBoxButton(box, IDOK));

    ASSERT_TRUE(program.WaitUntilStarted());
    EXPECT_EQ("Default - Quorvex", program.WindowTitle());
    EXPECT_EQ("None", program.StatusText(kPort1Pane));
    EXPECT_EQ("None", program.StatusText(kPort2Pane));
    EXPECT_EQ(std::vector<LogRow>{}, program.LogRows());

    ASSERT_TRUE(program.PostCommand(ID_APP_EXIT));
    EXPECT_EQ(0u, program.WaitForExit());
    EXPECT_FALSE(program.PostCommand(ID_APP_EXIT)) << "no window to post to";
}

TEST_F(ProgramDriverTest, ReadsStatusAndRowsThroughTheLibraryAndQvdriver)
{
    RunningProgram program("", m_folder.Path());
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(program.WaitUntilStarted());
    const std::string pid = "--pid " + std::to_string(GetProcessId(program.Process())) + " ";

    ASSERT_TRUE(SendPortNotify(program, PORT_NOTIFY_STATE,
                               PortStatusRecord{0, PORT_STATE_CONNECTING}));
    // The pane adds a blank and the state's extra text, which is empty here.
    const std::string trying = "接続ﾄﾗｲ中 ";
    EXPECT_EQ(trying, program.StatusText(kPort1Pane));
    EXPECT_EQ("None", program.StatusText(kPort2Pane));
    EXPECT_EQ(trying, program.WaitForStatusText(
                          kPort1Pane, [&](const std::string& text) { return text == trying; }));
    EXPECT_EQ(std::nullopt,
              program.WaitForStatusText(kPort2Pane, [](const std::string&) { return false; }, 300));

    // Rows with the message's text and a log-view column count to check against.
    CCommSettings settings;
    settings.SetDefaults(1);
    std::vector<LogRow> expectedRows;
    for (int number = 1; number <= 2; ++number) {
        CLogRecord record(number - 1, 0);
        record.m_messageCode = kConnectedMessage;
        record.m_time = {2024, 5, 3, 17, 9, 8, 7, 654};
        ASSERT_TRUE(SendPortNotify(program, PORT_NOTIFY_LOG, record));
        record.m_sequence = number - 1;  // the view counts from 0 and shows from 1
        const LogRowTexts texts = FormatLogRow(settings, record);
        expectedRows.emplace_back(texts.begin(), texts.end());
    }
    ASSERT_EQ(expectedRows, program.LogRows());
    const LogRow& second = expectedRows[1];
    EXPECT_EQ(second, program.WaitForLogRow([](const LogRow& row) { return row[0] == "0002"; }));
    EXPECT_EQ(std::nullopt, program.WaitForLogRow([](const LogRow&) { return false; }, 300));
    EXPECT_EQ(expectedRows, program.WaitForLogRows([](const std::vector<LogRow>& rows) {
        return rows.size() == 2;
    }));
    EXPECT_EQ(std::nullopt,
              program.WaitForLogRows([](const std::vector<LogRow>&) { return false; }, 300));

    // The same through qvdriver.exe: UTF-8, columns by tabs, exit codes.
    auto line = [](const LogRow& row) {
        std::string joined;
        for (const std::string& text : row)
            joined += (joined.empty() ? "" : "\t") + ProgramTextToUtf8(text);
        return joined + "\n";
    };
    struct Case
    {
        std::string arguments;
        DWORD exitCode;
        std::string output;
    };
    const Case cases[] = {
        {pid + "wait-window", 0, "Default - Quorvex\n"},
        {pid + "status 1", 0, ProgramTextToUtf8(trying) + "\n"},
        {pid + "status 2", 0, "None\n"},
        {pid + "rows", 0, line(expectedRows[0]) + line(expectedRows[1])},
        {pid + "wait-row \"^0002\\t\"", 0, line(second)},
        {pid + "wait-row \"" + second[3] + "\"", 0, line(expectedRows[0])},
        {pid + "--timeout 300 wait-row ^0003", 2, ""},
        {pid + "--timeout 300 answer-box ok", 2, ""},
        {pid + "answer-box maybe", 3, ""},
        {pid + "wait-row (", 3, ""},
        // Both rows hold the same message.
        {pid + "wait-rows \"\\t" + second[3] + "$\" 2", 0,
         line(expectedRows[0]) + line(expectedRows[1])},
        {pid + "--timeout 300 wait-rows \"" + second[3] + "\" 3", 2, ""},
        {pid + "wait-rows ^0002 two", 3, ""},
        {pid + "wait-rows ( 1", 3, ""},
        // The pane's text ends in a blank, which the wait looks past and prints.
        {pid + "wait-status 1 接続ﾄﾗｲ中", 0, ProgramTextToUtf8(trying) + "\n"},
        {pid + "wait-status 2 None", 0, "None\n"},
        {pid + "--timeout 300 wait-status 2 接続ﾄﾗｲ中", 2, ""},
        {pid + "wait-status one None", 3, ""},
        {"--pid 999999 rows", 1, ""},
        {pid + "close", 0, "0\n"},
        {pid + "status 1", 1, ""},
    };
    for (const Case& c : cases) {
        const DriverRun run = RunDriver(c.arguments);
        EXPECT_EQ(c.exitCode, run.exitCode) << c.arguments;
        EXPECT_EQ(c.output, run.output) << c.arguments;
    }
    EXPECT_EQ(0u, program.WaitForExit(0));
}

TEST_F(ProgramDriverTest, QvdriverStartsTheProgramWithADocumentAndLeavesItsOutput)
{
    WriteDocument("試験文書.qvg", "試験");
    // The started program must not hold qvdriver's output open, or this read would not end.
    const DriverRun run = RunDriver("start --folder " + Quoted(m_folder.Path()) + " " +
                                    Quoted(m_folder.File("試験文書.qvg")));
    ASSERT_EQ(0u, run.exitCode);
    ProgramDriver program(
        OpenProcess(ProgramDriver::kProcessAccess, FALSE, std::stoul(run.output)));
    ASSERT_TRUE(program.IsAttached()) << run.output;

    EXPECT_TRUE(program.WaitUntilStarted());
    EXPECT_EQ("試験 - Quorvex", program.WindowTitle());
    EXPECT_EQ(0u, program.CloseAndWait());
    if (program.IsRunning())
        TerminateProcess(program.Process(), 1);
}

} // namespace
