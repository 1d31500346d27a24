// The program with a log file: a quoted .qvl path on its command line opens as the log, and the
// log saved through the real file dialog, then loaded again, gives the same file and rows.
#include <windows.h>

#include <dlgs.h>  // the file dialog's control ids

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/app/ProgramTest.h"
#include "tests/app/ProgramWindows.h"
#include "tests/app/RunningProgram.h"
#include "tests/log/LogSamples.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

namespace {

using Rows = std::vector<std::string>;

// The log view's rows, each as its columns joined with "|" after each.
Rows ReadRows(ProgramDriver& program)
{
    Rows rows;
    for (const LogRow& row : program.LogRows().value_or(std::vector<LogRow>())) {
        std::string text;
        for (const std::string& column : row)
            text += column + "|";
        rows.push_back(text);
    }
    return rows;
}

// Runs a file command of the program and answers its file dialog with path.
bool ChooseInFileDialog(const RunningProgram& program, HWND mainWindow, UINT command,
                        const std::string& path)
{
    PostMessageA(mainWindow, WM_COMMAND, command, 0);
    HWND dialog = nullptr;
    if (!WaitUntil([&] {
            dialog = FindProgramWindow(GetProcessId(program.Process()),
                                       [](HWND window) { return WindowClassOf(window) == "#32770"; });
            return dialog != nullptr;
        }))
        return false;
    // The name box is a combo box in the newer dialog layout and an edit in the older.
    HWND name = GetDlgItem(dialog, cmb13);
    if (!name)
        name = GetDlgItem(dialog, edt1);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    return WaitUntil([&] { return !IsWindow(dialog); });
}

using LogFilesTest = ProgramTest;

TEST_F(LogFilesTest, AQvlOnTheCommandLineOpensAsTheLogAndSavesAndLoadsBackUnchanged)
{
    const std::string opened = m_folder.File("通信 ログ.qvl");
    const std::string saved = m_folder.File("保存した.qvl");
    WriteFileBytes(opened, SampleLogFile());

    RunningProgram program(Quoted(opened), m_folder.Path());
    ASSERT_TRUE(program.Started());
    const HWND mainWindow = program.WaitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    ASSERT_TRUE(program.WaitUntilStarted());

    const Rows rows = ReadRows(program);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("0001|1:(-)|13:47:05.123|接続失敗 (abc)|", rows[0]);
    EXPECT_EQ("0003|1:(-)|13:47:05.125|Recv:0003:4142 0A" + std::string(33, ' ') + ":[AB." +
                  std::string(13, ' ') + "] IP:192.168.0.10 Port:5000|",
              rows[2]);

    ASSERT_TRUE(ChooseInFileDialog(program, mainWindow, ID_FILE_SAVE_LOG, saved));
    EXPECT_TRUE(WaitUntil([&] { return ReadFileBytes(saved) == SampleLogFile(); }));

    ASSERT_TRUE(ChooseInFileDialog(program, mainWindow, ID_FILE_LOAD_LOG, saved));
    EXPECT_TRUE(WaitUntil([&] { return ReadRows(program) == rows; })) << ReadRows(program).size();

    EXPECT_EQ(0u, program.CloseAndWait());
}

} // namespace
