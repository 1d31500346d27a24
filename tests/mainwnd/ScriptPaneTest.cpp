// The script panes in the main frame: the default script, their place at the bottom, the text
// read from another thread, .lua files saved and loaded (and their failures), and dropped
// files. A picture of the main frame with both panes goes to screenshots/ beside the test.
#include "mainwnd/ScriptDlg.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/ScriptTextAccess.h"
#include "mainwnd/MainFrame.h"
#include "platform/CmdUI.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "tests/support/ByteArrays.h"
#include "tests/support/DroppedFiles.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileDialogFake.h"
#include "tests/mainwnd/MainFrameFixture.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempFolder.h"

namespace {

DWORD WINAPI RunWork(LPVOID work)
{
    (*static_cast<std::function<void()>*>(work))();
    return 0;
}

std::string Crlf(const char* text)
{
    std::string out;
    for (const char* at = text; *at; ++at)
        out += *at == '\n' ? std::string("\r\n") : std::string(1, *at);
    return out;
}

std::string AsText(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class ScriptPaneTest : public MainFrameFixture
{
protected:
    void SetUp() override
    {
        m_previousPresenter = AfxSetMessageBoxPresenter([this](HWND, LPCTSTR text, LPCTSTR, UINT) {
            m_boxes.push_back(text);
            return m_answer;
        });
        MainFrameFixture::SetUp();
    }
    void TearDown() override
    {
        MainFrameFixture::TearDown();
        AfxSetMessageBoxPresenter(m_previousPresenter);
    }

    CScriptDlg& Pane(int port) { return m_frame->GetScriptPane(port); }
    std::string ScriptOf(int port)
    {
        COleSafeArray text;
        return AsText(ToBytes(Pane(port).GetScriptText(text)));
    }
    std::string CaptionOf(int port)
    {
        char text[MAX_PATH + 32] = {};
        ::GetWindowTextA(Pane(port).GetCaptionLine(), text, sizeof text);
        return text;
    }
    bool IsEnabled(int port, UINT command)
    {
        CTestCmdUI state;
        state.m_nID = command;
        state.DoUpdate(&Pane(port), FALSE);
        return state.m_bEnabled != FALSE;
    }
    void Run(int port, UINT command) { Pane(port).SendMessage(WM_COMMAND, command); }
    CRect RectOf(HWND window)
    {
        CRect rect;
        ::GetWindowRect(window, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    TempFolder m_folder;
    std::vector<std::string> m_boxes;
    int m_answer = IDOK;
    MessageBoxPresenter m_previousPresenter;
};

TEST_F(ScriptPaneTest, BothPanesShowTheDefaultScriptSideBySideAtTheBottom)
{
    m_frame->MoveWindow(0, 0, 1000, 700);
    m_frame->ShowWindow(SW_SHOW);
    m_frame->RecalcLayout();
    ::UpdateWindow(m_hWnd);
    for (int port = 0; port < 2; ++port)
        EXPECT_EQ(Crlf(kDefaultScript), ScriptOf(port)) << port;
    EXPECT_EQ(37, Pane(0).GetEditor()->GetContent().GetLineCount() - 1);
    EXPECT_EQ(std::string("ｽｸﾘﾌﾟﾄ1"), CaptionOf(0));
    EXPECT_EQ(std::string("ｽｸﾘﾌﾟﾄ2"), CaptionOf(1));

    const CRect first = RectOf(Pane(0).m_hWnd);
    const CRect second = RectOf(Pane(1).m_hWnd);
    const CRect sendEditor = RectOf(m_frame->GetSendEditorPane().m_hWnd);
    EXPECT_EQ(first.top, second.top);
    EXPECT_EQ(first.right, second.left);
    EXPECT_EQ(second.right, sendEditor.left);
    EXPECT_GT(first.Height(), 100);
    CRect client;
    m_frame->GetClientRect(&client);
    EXPECT_LT(first.bottom, client.bottom);      // above the status bar
    EXPECT_GT(first.top, client.Height() / 3);   // the log keeps the upper part

    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\') + 1) + "screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::RedrawWindow(m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
    EXPECT_TRUE(SaveWindowScreenshot(m_hWnd, folder + "\\script-panes.png"));
}

TEST_F(ScriptPaneTest, AnotherThreadReadsTheScriptThroughTheWindowThread)
{
    Pane(1).SetScriptText(ToArray(Bytes{'a', '\n', 'b'}));
    std::string read;
    std::function<void()> work = [&] {
        COleSafeArray text;
        read = AsText(ToBytes(ReadScriptText(m_hWnd, 1, text)));
    };
    const HANDLE thread = ::CreateThread(nullptr, 0, &RunWork, &work, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    ::CloseHandle(thread);
    EXPECT_EQ("a\r\nb\r\n", read);
}

TEST_F(ScriptPaneTest, SetScriptTextTakesTheBytesUpToAZeroOrTheDefault)
{
    struct Case
    {
        Bytes bytes;
        std::string script;
    };
    const Case cases[] = {
        {{}, Crlf(kDefaultScript)},
        {{'p', 0, 'q'}, "p\r\n"},
        {{'x', '\r', '\n'}, "x\r\n"},
    };
    for (const Case& c : cases) {
        Pane(0).SetScriptText(ToArray(c.bytes));
        EXPECT_EQ(c.script, ScriptOf(0));
        EXPECT_FALSE(Pane(0).GetEditor()->GetContent().CanUndo());
    }
}

TEST_F(ScriptPaneTest, SavedScriptsLoadBackWithTheSameBytes)
{
    FileDialogFake dialogs;
    const std::string path = m_folder.File("s.lua");
    EXPECT_FALSE(IsEnabled(0, ID_SCRIPT_SAVE));
    Pane(0).SetScriptText(ToArray(Bytes{'a', '\t', 'b', '\n', 'c'}));
    dialogs.Answer(path);
    Run(0, ID_SCRIPT_SAVE_AS);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_TRUE(IsEnabled(0, ID_SCRIPT_SAVE));
    EXPECT_EQ(std::string("ｽｸﾘﾌﾟﾄ1 - ") + path, CaptionOf(0));
    const std::string saved = AsText(ReadFileBytes(path));
    EXPECT_EQ("a   b\r\nc\r\n", saved);

    // Loaded into the other pane and saved again: the same bytes.
    dialogs.Answer(path);
    Run(1, ID_SCRIPT_OPEN);
    EXPECT_EQ(saved, ScriptOf(1));
    Run(1, ID_SCRIPT_SAVE);
    EXPECT_EQ(saved, AsText(ReadFileBytes(path)));

    // New forgets the file.
    Run(0, ID_SCRIPT_CLEAR);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ(std::string("ｽｸﾘﾌﾟﾄ1"), CaptionOf(0));
    EXPECT_EQ(Crlf(kDefaultScript), ScriptOf(0));
    EXPECT_FALSE(IsEnabled(0, ID_SCRIPT_SAVE));
}

TEST_F(ScriptPaneTest, AnEmptyTextIsNotSavedAndAFailedLoadKeepsPathAndText)
{
    FileDialogFake dialogs;
    const std::string path = m_folder.File("kept.lua");
    WriteFileBytes(path, Bytes{'o', 'l', 'd', 0, 'z'});
    dialogs.Answer(path);
    Run(0, ID_SCRIPT_OPEN);
    EXPECT_EQ("old\r\n", ScriptOf(0));

    // Emptied by the user: nothing is written.
    Pane(0).GetEditor()->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL);
    Pane(0).GetEditor()->SendMessage(WM_KEYDOWN, VK_DELETE);
    Run(0, ID_SCRIPT_SAVE);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_STREQ(GetMessageText(MSG_NO_DATA), m_boxes[0].c_str());
    EXPECT_EQ((Bytes{'o', 'l', 'd', 0, 'z'}), ReadFileBytes(path));

    Pane(0).SetScriptText(ToArray(Bytes{'k'}));
    dialogs.Answer(path);
    Run(0, ID_SCRIPT_OPEN);
    dialogs.Answer(m_folder.File("missing.lua"));
    Run(0, ID_SCRIPT_OPEN);
    ASSERT_EQ(2u, m_boxes.size());
    EXPECT_STREQ(GetMessageText(MSG_FILE_READ_FAILED), m_boxes[1].c_str());
    EXPECT_EQ("old\r\n", ScriptOf(0));
    EXPECT_EQ(std::string("ｽｸﾘﾌﾟﾄ1 - ") + path, CaptionOf(0));
    EXPECT_STREQ(path.c_str(), Pane(0).GetFilePath());
}

TEST_F(ScriptPaneTest, ADroppedFileLoadsOnlyAfterOk)
{
    const std::string path = m_folder.File("drop.lua");
    WriteFileBytes(path, Bytes{'d', '\n'});
    m_answer = IDCANCEL;
    Pane(1).SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})));
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].find(path));
    EXPECT_EQ(Crlf(kDefaultScript), ScriptOf(1));
    EXPECT_EQ(std::string("ｽｸﾘﾌﾟﾄ2"), CaptionOf(1));
    EXPECT_TRUE(Pane(1).GetFilePath().IsEmpty());

    m_answer = IDOK;
    Pane(1).SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({path})));
    EXPECT_EQ("d\r\n", ScriptOf(1));
    EXPECT_EQ(std::string("ｽｸﾘﾌﾟﾄ2 - ") + path, CaptionOf(1));
}

} // namespace
