// The hex views' commands: the send-data editor's .bin files and pane caption, and which items
// of their context menus each of the four views enables.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/WindowMessages.h"
#include "framework/menus/PopupMenuWnd.h"
#include "mainwnd/HexEditSend.h"
#include "mainwnd/HexViews.h"
#include "platform/CmdUI.h"
#include "res/resource.h"
#include "tests/support/ByteArrays.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FileDialogFake.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ModalDialogAnswer.h"
#include "tests/support/TempFolder.h"

namespace {

class HexViewsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, nullptr, "pane", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr));
        ASSERT_TRUE(Make(m_send));
        m_send.SetCaptionWindow(m_parent.m_hWnd);
        m_send.UpdatePaneTitle();
    }
    void TearDown() override { m_parent.DestroyWindow(); }

    bool Make(CHexEdit& view)
    {
        return view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 500, 300), &m_parent, 1000);
    }
    std::string Caption()
    {
        CString text;
        m_parent.GetWindowText(text);
        return text.GetString();
    }
    Bytes Data(const CHexEdit& view)
    {
        COleSafeArray data;
        return ToBytes(view.GetData(data));
    }

    CWnd m_parent;
    CHexEditSend m_send;
    TempFolder m_folder;
};

TEST_F(HexViewsTest, ADroppedFileLoadsAndTitlesThePaneAndSaveWritesTheSameBytes)
{
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ", Caption());
    Bytes content(300);
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<BYTE>(i * 7);
    const std::string path = m_folder.File("data.bin");
    WriteFileBytes(path, content);
    m_send.SendMessage(WM_EDITOR_LOADFILE, 0, reinterpret_cast<LPARAM>(path.c_str()));
    EXPECT_EQ(content, Data(m_send));
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ - " + path, Caption());
    // Undoable: the old (empty) data comes back.
    EXPECT_TRUE(m_send.CanUndo());

    WriteFileBytes(path, {});
    m_send.SendMessage(WM_COMMAND, ID_HEX_SAVE);
    EXPECT_EQ(content, ReadFileBytes(path));
}

TEST_F(HexViewsTest, AFailedLoadKeepsTheDataThePathAndTheTitle)
{
    const std::string path = m_folder.File("kept.bin");
    WriteFileBytes(path, {1, 2, 3});
    m_send.LoadBinaryFile(path.c_str());
    const std::string caption = Caption();
    {
        ModalDialogAnswer answer({IDOK});
        m_send.LoadBinaryFile(m_folder.File("missing.bin").c_str());
        EXPECT_TRUE(answer.Answered());
    }
    EXPECT_EQ((Bytes{1, 2, 3}), Data(m_send));
    EXPECT_EQ(caption, Caption());
    EXPECT_STREQ(path.c_str(), m_send.m_filePath);
}

TEST_F(HexViewsTest, SaveAsNamesThePaneAndDataClearForgetsDataHistoryAndFile)
{
    m_send.SetData(ToArray({9, 8, 7}));
    FileDialogFake dialogs;
    const std::string path = m_folder.File("saved.bin");
    dialogs.Answer(path);
    m_send.SendMessage(WM_COMMAND, ID_HEX_SAVE_AS);
    EXPECT_EQ((Bytes{9, 8, 7}), ReadFileBytes(path));
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ - " + path, Caption());
    ASSERT_EQ(1u, dialogs.Asked().size());
    EXPECT_EQ("bin", dialogs.Asked()[0].defaultExtension);

    m_send.AddMarker(0, 1, 0, 0xFFFFFF, "kept");
    {
        ModalDialogAnswer answer({IDOK});
        m_send.SendMessage(WM_COMMAND, ID_HEX_DATA_CLEAR);
    }
    EXPECT_TRUE(Data(m_send).empty());
    EXPECT_FALSE(m_send.CanUndo());
    EXPECT_FALSE(m_send.CanRedo());
    EXPECT_EQ("送信ﾃﾞｰﾀｴﾃﾞｨﾀ", Caption());
    EXPECT_EQ(1u, m_send.GetMarkers().size());
}

// Which items each view enables, with and without data and a selection. 'n' disabled, 'y'
// enabled; columns: no data, data without selection, data with a selection.
struct EnableCase
{
    UINT command;
    const char* send;
    const char* dump;
    const char* com;
    const char* commem;
};

TEST_F(HexViewsTest, EachViewEnablesItsItemsByDataAndSelection)
{
    const EnableCase cases[] = {
        {ID_HEX_SELECT_ALL, "nyy", "nyy", "nyy", "nyy"},
        {ID_HEX_COPY, "nny", "nny", "nny", "nny"},
        {ID_HEX_CUT, "nny", "nnn", "nnn", "nnn"},
        {ID_HEX_DATA_ANALYSIS, "yyy", "yyy", "yyy", "nyy"},
        {ID_HEX_MARKER, "nny", "yyy", "nnn", "nny"},
        {ID_HEX_MARKER_INFO, "yyy", "yyy", "nnn", "nyy"},
        {ID_HEX_READ_FILE, "yyy", "nnn", "nnn", "nnn"},
        {ID_HEX_SAVE, "nnn", "nnn", "nnn", "nnn"},  // no file yet
        {ID_HEX_SAVE_AS, "yyy", "yyy", "yyy", "nyy"},
        {ID_HEX_SEND_TO_EDITOR, "nnn", "yyy", "yyy", "nyy"},
        {ID_HEX_DATA_CLEAR, "yyy", "nnn", "nnn", "nnn"},
    };
    CHexEditDump dump;
    CHexEditCom com;
    CHexEditCommem commem;
    ASSERT_TRUE(Make(dump) && Make(com) && Make(commem));
    CHexEdit* views[] = {&m_send, &dump, &com, &commem};
    for (int state = 0; state < 3; ++state) {
        for (CHexEdit* view : views) {
            view->SetData(state == 0 ? COleSafeArray() : ToArray({1, 2, 3, 4}));
            if (state == 2)
                view->SelectAll();
        }
        for (const EnableCase& c : cases) {
            const char* expected[] = {c.send, c.dump, c.com, c.commem};
            for (int v = 0; v < 4; ++v) {
                CTestCmdUI item;
                item.m_nID = c.command;
                item.DoUpdate(views[v], TRUE);
                EXPECT_EQ(expected[v][state] == 'y', item.m_bEnabled != FALSE)
                    << "command " << c.command << " view " << v << " state " << state;
            }
        }
    }
    EXPECT_EQ(0, com.Editable);
    EXPECT_EQ(0, commem.Editable);
}

// The themed menu the tracking holds once it takes input, or null.
CExtPopupMenuWnd* OpenedMenu()
{
    CExtPopupMenuWnd* menu = nullptr;
    PumpUntil([&] {
        menu = dynamic_cast<CExtPopupMenuWnd*>(
            CExtPopupMenuWnd::GetTrackingState().GetCurrentMenu());
        return menu && menu->HasWindow() && menu->IsStatic() &&
               !CExtPopupMenuWnd::GetTrackingState().GetAnimatingMenu();
    });
    return menu;
}

bool ItemEnabled(CExtPopupMenuWnd& menu, UINT command)
{
    const CExtPopupMenuWnd::MENUITEMDATA* item =
        menu.GetItemAt(menu.ItemFindByCmdID(static_cast<int>(command)));
    return item && item->m_bEnabled;
}

TEST_F(HexViewsTest, TheContextMenuIsThemedEnabledByTheViewAndItsChoiceReachesTheView)
{
    CHexEditDump dump;
    ASSERT_TRUE(Make(dump));
    m_parent.ShowWindow(SW_SHOWNOACTIVATE);
    dump.SetData(ToArray({1, 2, 3, 4}));
    ASSERT_TRUE(dump.IsSelectionEmpty());
    dump.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dump.m_hWnd), MAKELPARAM(-1, -1));
    CExtPopupMenuWnd* menu = OpenedMenu();
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(dump.m_hWnd, menu->GetCmdTargetHwnd());
    EXPECT_EQ(dump.m_hWnd, ::GetFocus());
    CPoint corner(5, 5);
    ::ClientToScreen(dump.m_hWnd, &corner);
    RECT window = {};
    ::GetWindowRect(menu->m_hWnd, &window);
    EXPECT_EQ(corner.x, window.left);
    EXPECT_EQ(corner.y, window.top);
    // Menu 169 with the dump view's enabling: data but no selection.
    EXPECT_EQ(11, menu->ItemGetCount());
    EXPECT_TRUE(ItemEnabled(*menu, ID_HEX_SELECT_ALL));
    EXPECT_FALSE(ItemEnabled(*menu, ID_HEX_COPY));
    EXPECT_TRUE(ItemEnabled(*menu, ID_HEX_SEND_TO_EDITOR));

    bool passOn = false;
    menu->SelectItem(menu->ItemFindByCmdID(ID_HEX_SELECT_ALL));
    menu->OnKeyDown(VK_RETURN, 1, 0, passOn);
    EXPECT_TRUE(PumpUntil([&] { return !dump.IsSelectionEmpty(); }));
    EXPECT_FALSE(CExtPopupMenuWnd::AnyMenuOpen());

    // With the selection made, Copy is offered.
    dump.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dump.m_hWnd), MAKELPARAM(40, 40));
    menu = OpenedMenu();
    ASSERT_NE(nullptr, menu);
    EXPECT_TRUE(ItemEnabled(*menu, ID_HEX_COPY));
    EXPECT_FALSE(ItemEnabled(*menu, ID_HEX_CUT));
    CExtPopupMenuWnd::CloseAllMenus();
}

TEST_F(HexViewsTest, MarkerInfoListsTheViewsOwnMarkers)
{
    CHexEditDump dump;
    CHexEditCommem commem;
    ASSERT_TRUE(Make(dump) && Make(commem));
    CHexEdit* views[] = {&m_send, &dump, &commem};
    for (CHexEdit* view : views) {
        view->SetData(ToArray({1, 2, 3, 4}));
        view->AddMarker(1, 2, 0, 0xFFFFFF, "own");
        int rows = -1;
        ModalDialogAnswer answer({IDCANCEL}, [&](HWND dialog) {
            rows = ListView_GetItemCount(::GetDlgItem(dialog, IDC_MARKER_LIST));
        });
        view->SendMessage(WM_COMMAND, ID_HEX_MARKER_INFO);
        EXPECT_TRUE(answer.Answered());
        EXPECT_EQ(1, rows);
    }
}

}  // namespace
