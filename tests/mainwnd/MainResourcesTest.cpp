// The main window's resources as the program loads them: menus, accelerators, icon, the status
// lamps and strings.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/StringResource.h"
#include "res/resource.h"

namespace {

HINSTANCE Module()
{
    return ::GetModuleHandleA(nullptr);
}

std::string MenuText(HMENU menu, UINT id)
{
    char text[128] = {};
    ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

TEST(MainResourcesTest, MainMenuHoldsThePortCommands)
{
    const HMENU menu = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, menu);
    struct Case
    {
        UINT id;
        const char* text;
    };
    const Case cases[] = {
        {ID_PORT1_START, "Port1 処理開始(&G)\tCtrl+1"}, {ID_PORT1_SEND, "Port1 ﾃﾞｰﾀ送信(&1)\tCtrl+2"},
        {ID_PORT1_STOP, "Port1 処理終了(&H)\tCtrl+3"},  {ID_PORT2_START, "Port2 処理開始(&J)\tCtrl+4"},
        {ID_PORT2_SEND, "Port2 ﾃﾞｰﾀ送信(&2)\tCtrl+5"}, {ID_PORT2_STOP, "Port2 処理終了(&K)\tCtrl+6"},
        {ID_THEME_OFFICE2000, "MS Office &2000"},       {ID_WINDOW_SHOW, "ｳｨﾝﾄﾞｳ表示(&D)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, MenuText(menu, c.id)) << c.id;
    EXPECT_EQ(6, ::GetMenuItemCount(menu));
    ::DestroyMenu(menu);
}

TEST(MainResourcesTest, AcceleratorsAreTheDocumentedKeysOnly)
{
    const HACCEL table = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(nullptr, table);
    ACCEL keys[32] = {};
    const int count = ::CopyAcceleratorTableA(table, keys, 32);
    struct Case
    {
        WORD key;
        bool control;
        UINT id;
    };
    const Case cases[] = {
        {'1', true, ID_PORT1_START},      {'2', true, ID_PORT1_SEND},
        {'3', true, ID_PORT1_STOP},       {'4', true, ID_PORT2_START},
        {'5', true, ID_PORT2_SEND},       {'6', true, ID_PORT2_STOP},
        {'N', true, ID_FILE_NEW_SETTINGS}, {'O', true, ID_FILE_OPEN_SETTINGS},
        {'P', true, ID_TOOL_PACKET_CAPTURE}, {'S', true, ID_FILE_SAVE_SETTINGS},
        {'T', true, ID_SETTINGS_TOPMOST}, {VK_F11, false, ID_SETTINGS_OTHER},
        {VK_F12, false, ID_SETTINGS_COMM},
    };
    // F8 is shown in the menu but has no entry.
    ASSERT_EQ(static_cast<int>(std::size(cases)), count);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(cases[i].key, keys[i].key) << i;
        const BYTE modifiers = cases[i].control ? FVIRTKEY | FCONTROL : FVIRTKEY;
        EXPECT_EQ(modifiers, keys[i].fVirt & ~FNOINVERT) << i;
        EXPECT_EQ(cases[i].id, keys[i].cmd) << i;
    }
    ::DestroyAcceleratorTable(table);
}

TEST(MainResourcesTest, LogContextMenuHoldsTheProperties)
{
    const HMENU menu = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_LOG_CONTEXT_MENU));
    ASSERT_NE(nullptr, menu);
    const HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(1, ::GetMenuItemCount(popup));
    EXPECT_EQ(static_cast<UINT>(ID_LOG_PROPERTIES), ::GetMenuItemID(popup, 0));
    EXPECT_EQ("ﾌﾟﾛﾊﾟﾃｨ...", MenuText(popup, ID_LOG_PROPERTIES));
    ::DestroyMenu(menu);
}

TEST(MainResourcesTest, IconComesInBothSizes)
{
    for (int size : {16, 32}) {
        const HANDLE icon = ::LoadImageA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                         size, size, 0);
        ASSERT_NE(nullptr, icon) << size;
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(static_cast<HICON>(icon), &info));
        BITMAP colour = {};
        ::GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(size, colour.bmWidth);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST(MainResourcesTest, StatusLampsAreSixMaskedImages)
{
    const HBITMAP lamps = ::LoadBitmapA(Module(), MAKEINTRESOURCEA(IDB_PORT_STATUS));
    ASSERT_NE(nullptr, lamps);
    BITMAP info = {};
    ::GetObjectA(lamps, sizeof info, &info);
    EXPECT_EQ(96, info.bmWidth);
    EXPECT_EQ(16, info.bmHeight);

    // As the frame builds its status image list: black is see-through, each lamp's middle not.
    const HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 16);
    ::ImageList_AddMasked(list, lamps, RGB(0, 0, 0));
    EXPECT_EQ(6, ::ImageList_GetImageCount(list));
    for (int i = 0; i < 6; ++i) {
        const HICON lamp = ::ImageList_GetIcon(list, i, ILD_NORMAL);
        ICONINFO icon = {};
        ASSERT_TRUE(::GetIconInfo(lamp, &icon)) << i;
        const HDC dc = ::CreateCompatibleDC(nullptr);
        const HGDIOBJ old = ::SelectObject(dc, icon.hbmMask);
        EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(dc, 0, 0)) << i;
        EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(dc, 8, 8)) << i;
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        ::DeleteObject(icon.hbmColor);
        ::DeleteObject(icon.hbmMask);
        ::DestroyIcon(lamp);
    }
    ::ImageList_Destroy(list);
    ::DeleteObject(lamps);
}

TEST(MainResourcesTest, StringsReachTheProgramInCodePage932)
{
    struct Case
    {
        UINT id;
        const char* text;
    };
    const Case cases[] = {
        {IDR_MAINFRAME, "Quorvex"},
        {IDS_STATUS_ACCEPTING, "\x90\xda\x91\xb1\x8e\xf3\x95\x74\x92\x86"},  // 接続受付中
        {ID_INDICATOR_PORT1, "Port 1"},
        {ID_INDICATOR_PORT2, "Port 2"},
        {IDS_PORT_TIP_NONE, "none"},
        {IDS_PANE_SCRIPT2, "ｽｸﾘﾌﾟﾄ2"},
    };
    for (const Case& c : cases) {
        CString text;
        EXPECT_TRUE(LoadResourceString(c.id, text)) << c.id;
        EXPECT_EQ(CString(c.text), text) << c.id;
    }
}

} // namespace
