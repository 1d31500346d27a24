// The send-data editor pane in the main frame: where it stands, its commands and their
// enabling, its display settings, the document's bytes it shows, and its bytes read and
// replaced from another thread.
#include "mainwnd/SendEditorDlg.h"

#include <windows.h>

#include <functional>

#include <gtest/gtest.h>

#include "mainwnd/MainFrame.h"
#include "core/SendEditorAccess.h"
#include "platform/CmdUI.h"
#include "platform/MessageBox.h"
#include "res/resource.h"
#include "tests/support/ByteArrays.h"
#include "tests/mainwnd/MainFrameFixture.h"
#include "tests/support/DroppedFiles.h"
#include "tests/support/FileBytes.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempFolder.h"
#include "framework/paint/PaintManagerHolder.h"

namespace {

DWORD WINAPI RunWork(LPVOID work)
{
    (*static_cast<std::function<void()>*>(work))();
    return 0;
}

class SendEditorPaneTest : public MainFrameFixture
{
protected:
    void SetUp() override
    {
        MainFrameFixture::SetUp();
        m_pane = &m_frame->GetSendEditorPane();
    }

    CHexEdit& Editor() { return m_pane->GetHexEdit(); }
    Bytes EditorBytes()
    {
        COleSafeArray data;
        return ToBytes(Editor().GetData(data));
    }
    bool IsEnabled(UINT command)
    {
        CTestCmdUI state;
        state.m_nID = command;
        state.DoUpdate(m_pane, FALSE);
        return state.m_bEnabled;
    }
    void Run(UINT command) { m_pane->SendMessage(WM_COMMAND, command); }
    CRect RectOf(HWND window)
    {
        CRect rect;
        ::GetWindowRect(window, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // Runs work on a thread of its own while this one, the window thread, answers the messages
    // sent to its windows.
    static void RunOnWorkerThread(std::function<void()> work)
    {
        const HANDLE thread = ::CreateThread(nullptr, 0, &RunWork, &work, 0, nullptr);
        ASSERT_NE(nullptr, thread);
        while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_SENDMESSAGE) ==
               WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        }
        ::CloseHandle(thread);
    }

    CSendEditorDlg* m_pane = nullptr;
};

TEST_F(SendEditorPaneTest, ThePaneStandsOnTheRightAboveTheStatusBarAndTheEditorFillsIt)
{
    m_frame->MoveWindow(0, 0, 900, 600);
    CRect client;
    m_frame->GetClientRect(&client);
    const CRect pane = RectOf(m_pane->m_hWnd);
    const CRect statusBar = RectOf(::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR));
    const CRect view = RectOf(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_EQ(ID_VIEW_SEND_EDITOR, m_pane->GetDlgCtrlID());
    EXPECT_TRUE(m_pane->GetStyle() & WS_VISIBLE);
    EXPECT_EQ(client.right, pane.right);
    EXPECT_EQ(m_pane->GetStripWidth(), pane.Width());
    EXPECT_EQ(statusBar.top, pane.bottom);
    EXPECT_EQ(statusBar.right, client.right);
    EXPECT_EQ(pane.left, view.right);

    CRect paneClient;
    m_pane->GetClientRect(&paneClient);
    CRect editor;
    Editor().GetWindowRect(&editor);
    EXPECT_EQ(paneClient.Width(), editor.Width());
    EXPECT_EQ(paneClient.Height(), editor.Height());
}

TEST_F(SendEditorPaneTest, ThePaneStaysOpenOnEnterAndEscapeAndShowsNoGripper)
{
    for (WPARAM command : {IDOK, IDCANCEL}) {
        Run(static_cast<UINT>(command));
        EXPECT_TRUE(m_pane->GetStyle() & WS_VISIBLE) << command;
    }
    CRect pane;
    m_pane->GetWindowRect(&pane);
    EXPECT_NE(HTBOTTOMRIGHT,
              m_pane->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pane.right - 2, pane.bottom - 2)));
}

// Pictures of the pane in each theme, for a person to look at.
TEST_F(SendEditorPaneTest, ScreenshotsInEachTheme)
{
    Editor().SetData(ToArray(Bytes{0x48, 0x65, 0x6C, 0x6C, 0x6F, 0x0D, 0x0A, 0x00, 0xFF}));
    m_frame->MoveWindow(0, 0, 900, 400);
    m_frame->ShowWindow(SW_SHOW);
    const struct
    {
        CRuntimeClass* theme;
        const char* file;
    } themes[] = {
        {RUNTIME_CLASS(CExtPaintManager), "send-editor-pane-classic.png"},
        {RUNTIME_CLASS(CExtPaintManagerXP), "send-editor-pane-xp.png"},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), "send-editor-pane-office2003.png"},
        {RUNTIME_CLASS(CExtPaintManagerStudio2005), "send-editor-pane-studio2005.png"},
    };
    for (const auto& theme : themes) {
        ASSERT_TRUE(g_PaintManager.SetCurrentPaintManagerFromClass(theme.theme));
        ::RedrawWindow(m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        PumpFor(50);
        EXPECT_TRUE(SaveWindowScreenshot(m_pane->m_hWnd, ScreenshotBesideTest(theme.file)));
    }
    g_PaintManager.SetCurrentPaintManager(nullptr);
}

TEST_F(SendEditorPaneTest, TheStripShowsWholeLinesOfSixteenBytes)
{
    // More lines than fit, so the editor shows its vertical scroll bar.
    Editor().SetData(ToArray(Bytes(4096, 0x41)));
    m_frame->MoveWindow(0, 0, 900, 600);
    m_frame->RecalcLayout();
    EXPECT_TRUE(Editor().GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(Editor().GetStyle() & WS_HSCROLL) << "a line does not fit across the strip";
}

TEST_F(SendEditorPaneTest, CommandsAreEnabledByTheEditorsState)
{
    struct Expected
    {
        UINT command;
        bool empty;     // fresh, no data
        bool data;      // after data was set
        bool selected;  // after Select all
    };
    const Expected table[] = {
        {ID_HEX_UNDO, false, true, true},      {ID_HEX_REDO, false, false, false},
        {ID_HEX_SELECT_ALL, false, true, true}, {ID_HEX_COPY, false, false, true},
        {ID_HEX_CUT, false, false, true},      {ID_HEX_DATA_CLEAR, true, true, true},
    };
    for (const Expected& e : table)
        EXPECT_EQ(e.empty, IsEnabled(e.command)) << "empty " << e.command;
    Editor().SetData(ToArray(Bytes{1, 2, 3}));
    for (const Expected& e : table)
        EXPECT_EQ(e.data, IsEnabled(e.command)) << "data " << e.command;
    Run(ID_HEX_SELECT_ALL);
    EXPECT_EQ(0, Editor().SelectionStart);
    EXPECT_EQ(2, Editor().SelectionEnd);
    EXPECT_EQ(Editor().m_hWnd, ::GetFocus()) << "the editor takes the focus";
    for (const Expected& e : table)
        EXPECT_EQ(e.selected, IsEnabled(e.command)) << "selected " << e.command;

    Run(ID_HEX_UNDO);
    EXPECT_EQ(Bytes{}, EditorBytes());
    EXPECT_TRUE(IsEnabled(ID_HEX_REDO));
    Run(ID_HEX_REDO);
    EXPECT_EQ((Bytes{1, 2, 3}), EditorBytes());
}

TEST_F(SendEditorPaneTest, DataClearOfAnUndoneEditorEmptiesItsRedoHistoryToo)
{
    Editor().SetData(ToArray(Bytes{1, 2, 3}));
    Run(ID_HEX_UNDO);
    ASSERT_TRUE(IsEnabled(ID_HEX_REDO));
    const MessageBoxPresenter previous =
        AfxSetMessageBoxPresenter([](HWND, LPCTSTR, LPCTSTR, UINT) { return IDOK; });
    Run(ID_HEX_DATA_CLEAR);
    AfxSetMessageBoxPresenter(previous);
    EXPECT_FALSE(IsEnabled(ID_HEX_REDO));
    Run(ID_HEX_REDO);
    EXPECT_EQ(Bytes{}, EditorBytes()) << "cleared data does not come back";
}

TEST_F(SendEditorPaneTest, DataClearAsksFirstThenEmptiesTheDataAndItsHistory)
{
    Editor().SetData(ToArray(Bytes{1, 2, 3}));
    for (const int answer : {IDCANCEL, IDOK}) {
        std::string asked;
        const MessageBoxPresenter previous =
            AfxSetMessageBoxPresenter([&](HWND, LPCTSTR text, LPCTSTR, UINT type) {
                EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), type);
                asked = text;
                return answer;
            });
        Run(ID_HEX_DATA_CLEAR);
        AfxSetMessageBoxPresenter(previous);
        EXPECT_EQ("現在のデータとUNDO履歴、ファイルの関連を削除します。\nよろしいですか？", asked);
    }
    EXPECT_EQ(Bytes{}, EditorBytes());
    EXPECT_FALSE(IsEnabled(ID_HEX_UNDO));
    EXPECT_FALSE(IsEnabled(ID_HEX_REDO));
}

TEST_F(SendEditorPaneTest, ADroppedFileLoadsTheFirstOnlyAndAFolderOrMissingFileKeepsTheData)
{
    TempFolder folder;
    // 表 ends in the byte of '\'.
    const std::vector<std::string> files = {folder.File("表.bin"), folder.File("b.bin"), folder.File("c.bin")};
    WriteFileBytes(files[0], {1, 2, 3});
    WriteFileBytes(files[1], {4});
    WriteFileBytes(files[2], {5});
    std::vector<std::string> asked;
    const MessageBoxPresenter previous = AfxSetMessageBoxPresenter([&](HWND, LPCTSTR text, LPCTSTR, UINT) {
        asked.push_back(text);
        return IDOK;
    });
    EXPECT_EQ(0, m_pane->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files))));
    EXPECT_EQ((Bytes{1, 2, 3}), EditorBytes());
    EXPECT_TRUE(asked.empty()) << "loaded without asking";
    CString caption;
    m_pane->GetWindowText(caption);
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ - " + files[0], caption.GetString());
    EXPECT_TRUE(IsEnabled(ID_HEX_SAVE));

    for (const std::string& unreadable : {folder.Path(), folder.File("missing.bin")}) {
        asked.clear();
        m_pane->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({unreadable})));
        EXPECT_EQ(std::vector<std::string>{"ファイルの読み込みに失敗しました。"}, asked) << unreadable;
        EXPECT_EQ((Bytes{1, 2, 3}), EditorBytes()) << unreadable;
        CString kept;
        m_pane->GetWindowText(kept);
        EXPECT_STREQ(caption, kept) << unreadable;
    }
    AfxSetMessageBoxPresenter(previous);
}

TEST_F(SendEditorPaneTest, TheDisplayGroupOfTheSendEditorMapsOntoTheEditor)
{
    struct Case
    {
        int addressDigits, grouping, fontSize;
        short shownDigits, groupDigits;
        int fontHeight;
    };
    const Case cases[] = {
        {0, 0, 0, 4, 2, 12}, {1, 1, 1, 8, 4, 14}, {5, 2, 2, 8, 8, 16}, {0, 7, 3, 4, 2, 18},
        {0, -1, 9, 4, 2, 12},
    };
    for (const Case& c : cases) {
        EditorDisplaySetting setting = {0, 1, c.addressDigits, c.grouping, 0x123456, 0x654321,
                                        c.fontSize, 0, 3};
        m_common.m_editors[EDITOR_SEND] = setting;
        m_common.m_editors[EDITOR_DETAIL] = EditorDisplaySetting{};
        m_pane->ApplyViewSettings(m_common);
        const CHexEdit& editor = Editor();
        EXPECT_FALSE(editor.ShowText);
        EXPECT_TRUE(editor.ShowAddress);
        EXPECT_EQ(c.shownDigits, editor.AddressDigits) << c.addressDigits;
        EXPECT_EQ(c.groupDigits, editor.GroupDigits) << c.grouping;
        EXPECT_EQ(0x123456u, editor.BackColor);
        EXPECT_EQ(0x654321u, editor.TextColor);
        EXPECT_EQ(c.fontHeight, editor.FontHeight) << c.fontSize;
        EXPECT_FALSE(editor.ShowHeader);
        EXPECT_EQ(3, editor.TextCode);
    }
}

TEST_F(SendEditorPaneTest, AnOpenedDocumentShowsItsSendDataUndoably)
{
    TempFolder folder;
    CCommSettings document;
    document.m_settingsPath = folder.File("send.qvg").c_str();
    document.m_sendEditorData = ToArray(Bytes{0xDE, 0xAD, 0x00, 0xBE, 0xEF});
    ASSERT_EQ(0, document.Save());
    Editor().SetData(ToArray(Bytes{7}));

    m_settings.m_settingsPath = document.m_settingsPath;
    m_frame->OpenDocument(0);
    EXPECT_EQ((Bytes{0xDE, 0xAD, 0x00, 0xBE, 0xEF}), EditorBytes());
    Run(ID_HEX_UNDO);
    Run(ID_HEX_UNDO);
    EXPECT_EQ(Bytes{7}, EditorBytes());
}

TEST_F(SendEditorPaneTest, AnotherThreadReadsAndReplacesTheBytesThroughTheWindowThread)
{
    Editor().SetData(ToArray(Bytes{1, 2}));
    Bytes readFirst;
    Bytes readAfter;
    BOOL written = FALSE;
    DWORD workerThread = 0;
    RunOnWorkerThread([&] {
        workerThread = ::GetCurrentThreadId();
        COleSafeArray data;
        readFirst = ToBytes(ReadSendEditorData(m_hWnd, data));
        written = WriteSendEditorData(m_hWnd, ToArray(Bytes{9, 0, 8}));
        readAfter = ToBytes(ReadSendEditorData(m_hWnd, data));
    });
    EXPECT_NE(::GetCurrentThreadId(), workerThread);
    EXPECT_EQ((Bytes{1, 2}), readFirst);
    EXPECT_TRUE(written);
    EXPECT_EQ((Bytes{9, 0, 8}), readAfter);
    EXPECT_EQ((Bytes{9, 0, 8}), EditorBytes());
    Editor().Undo();
    Editor().Undo();
    EXPECT_EQ((Bytes{1, 2}), EditorBytes()) << "the replacement can be undone";

    m_frame->DestroyWindow();
    RunOnWorkerThread([&] {
        COleSafeArray data = ToArray(Bytes{5});
        readAfter = ToBytes(ReadSendEditorData(m_hWnd, data));
        written = WriteSendEditorData(m_hWnd, data);
    });
    EXPECT_EQ(Bytes{}, readAfter) << "nothing to read once the window is gone";
    EXPECT_FALSE(written);
}

} // namespace
