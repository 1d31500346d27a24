#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include <memory>

#include "framework/commands/CmdIcon.h"
#include "framework/commands/CmdManager.h"
#include "platform/Wnd.h"

namespace {

// A command image whose size tells it apart: width = 1 + tag.
std::unique_ptr<CExtCmdIcon> TaggedImage(int tag)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 1 + tag, 4);
    ::ReleaseDC(nullptr, screen);
    const RECT all = {0, 0, 1 + tag, 4};
    auto image = std::make_unique<CExtCmdIcon>(bitmap, RGB(192, 192, 192), &all, true);
    ::DeleteObject(bitmap);
    return image;
}

int TagOf(const CExtCmdIcon* image)
{
    return image ? image->GetSize().cx - 1 : -1;
}

TEST(CmdProfile, StoreRefusesIdsThatNameNoCommand)
{
    CExtCmdProfile profile;
    bool isNew = true;
    EXPECT_FALSE(profile.StoreCommand(CExtCmdItem(0), false, &isNew));
    EXPECT_FALSE(isNew);
    EXPECT_FALSE(profile.StoreCommand(CExtCmdItem(0x80000001u)));
    EXPECT_TRUE(profile.StoreCommand(CExtCmdItem(7), false, &isNew));
    EXPECT_TRUE(isNew);
    EXPECT_EQ(&profile, profile.FindCommand(7)->m_pProfile);
    EXPECT_TRUE(profile.StoreCommand(CExtCmdItem(7), false, &isNew));
    EXPECT_FALSE(isNew);
    EXPECT_FALSE(profile.RemoveCommand(0));
}

TEST(CmdProfile, AllocTakesTheHighestFreeId)
{
    CExtCmdProfile profile;
    profile.StoreCommand(CExtCmdItem(0xFFFE));
    profile.StoreCommand(CExtCmdItem(0xFFFD));
    CExtCmdItem* allocated = profile.AllocCommand(0);
    ASSERT_NE(nullptr, allocated);
    EXPECT_EQ(0xFFFCu, allocated->m_nCmdID);
    EXPECT_EQ(nullptr, profile.AllocCommand(0xFFFD));
    ASSERT_NE(nullptr, profile.AllocCommand(500));
    EXPECT_EQ(500u, profile.FindCommand(500)->m_nCmdID);
}

TEST(CmdProfile, RemovingACommandMovesTheImagesBehindItsImage)
{
    CExtCmdProfile profile;
    for (UINT id = 1; id <= 5; ++id) {
        profile.StoreCommand(CExtCmdItem(id));
        ASSERT_TRUE(profile.SetCommandIcon(id, TaggedImage(static_cast<int>(id)).release(), true));
    }
    ASSERT_EQ(2, profile.FindCommand(3)->m_nIconIdx);

    bool removed = false;
    EXPECT_TRUE(profile.RemoveCommand(3, &removed));
    EXPECT_TRUE(removed);

    EXPECT_EQ(4, profile.GetImageCount());
    const int expectedIndex[] = {0, 0, 1, -1, 2, 3};
    for (UINT id : {1u, 2u, 4u, 5u}) {
        EXPECT_EQ(expectedIndex[id], profile.FindCommand(id)->m_nIconIdx) << id;
        EXPECT_EQ(static_cast<int>(id), TagOf(profile.FindCommandIcon(id))) << id;
    }
}

TEST(CmdProfile, SettingAnImageReplacesOrRemovesIt)
{
    CExtCmdProfile profile;
    profile.StoreCommand(CExtCmdItem(1));
    profile.StoreCommand(CExtCmdItem(2));
    std::unique_ptr<CExtCmdIcon> kept = TaggedImage(3);
    EXPECT_TRUE(profile.SetCommandIcon(1, kept.get(), false));  // a copy is stored
    EXPECT_NE(kept.get(), profile.FindCommandIcon(1));
    EXPECT_TRUE(profile.SetCommandIcon(2, TaggedImage(4).release(), true));
    EXPECT_TRUE(profile.SetCommandIcon(1, TaggedImage(5).release(), true));
    EXPECT_EQ(5, TagOf(profile.FindCommandIcon(1)));
    EXPECT_EQ(2, profile.GetImageCount());

    EXPECT_TRUE(profile.SetCommandIcon(1, nullptr, false));
    EXPECT_EQ(-1, profile.FindCommand(1)->m_nIconIdx);
    EXPECT_EQ(0, profile.FindCommand(2)->m_nIconIdx);
    EXPECT_EQ(4, TagOf(profile.FindCommandIcon(2)));
    // No command: an adopted image is not taken over (and not leaked).
    EXPECT_FALSE(profile.SetCommandIcon(99, TaggedImage(6).release(), true));
}

TEST(CmdProfile, PinListWithASystemCommandFailsButPinsTheRest)
{
    CExtCmdProfile profile;
    for (UINT id : {100u, 101u, 0xF060u})
        profile.StoreCommand(CExtCmdItem(id));
    const UINT ids[] = {100, 0xF060, 101, 0};
    EXPECT_FALSE(profile.SetPinnedCommands(ids, true));
    EXPECT_NE(0u, profile.FindCommand(100)->m_dwFlags & CExtCmdItem::kPinned);
    EXPECT_NE(0u, profile.FindCommand(101)->m_dwFlags & CExtCmdItem::kPinned);
    EXPECT_EQ(0u, profile.FindCommand(0xF060)->m_dwFlags & CExtCmdItem::kPinned);
    EXPECT_TRUE(profile.FindCommand(0xF060)->IsPinned());

    const UINT unknown[] = {100, 555, 0};
    EXPECT_FALSE(profile.SetPinnedCommands(unknown, false));
    EXPECT_FALSE(profile.FindCommand(100)->IsPinned());
    EXPECT_FALSE(profile.SetPinnedCommands(nullptr, true));
}

TEST(CmdProfile, RemoveByFlagsAnyOrAllBits)
{
    CExtCmdProfile profile;
    const DWORD flags[] = {0, CExtCmdItem::kMenuBarCommand,
                           CExtCmdItem::kMenuBarCommand | CExtCmdItem::kPinned,
                           CExtCmdItem::kPinned};
    for (UINT id = 1; id <= 4; ++id) {
        CExtCmdItem item(id);
        item.m_dwFlags = flags[id - 1];
        profile.StoreCommand(item);
    }
    profile.RemoveCommandsByFlags(CExtCmdItem::kMenuBarCommand | CExtCmdItem::kPinned, true);
    EXPECT_EQ(nullptr, profile.FindCommand(3));
    EXPECT_EQ(3, profile.GetCommandCount());
    profile.RemoveCommandsByFlags(CExtCmdItem::kMenuBarCommand | CExtCmdItem::kPinned);
    EXPECT_EQ(1, profile.GetCommandCount());
    EXPECT_NE(nullptr, profile.FindCommand(1));
}

TEST(CmdProfile, CopyKeepsImagePositions)
{
    CExtCmdProfile source("source");
    source.m_nTotalTickCount = 42;
    for (UINT id = 1; id <= 3; ++id) {
        source.StoreCommand(CExtCmdItem(id));
        source.SetCommandIcon(id, TaggedImage(static_cast<int>(id)).release(), true);
    }
    CExtCmdProfile copy;
    copy.CopyFrom(source);
    EXPECT_STREQ("source", copy.m_sName);
    EXPECT_EQ(42u, copy.m_nTotalTickCount);
    for (UINT id = 1; id <= 3; ++id) {
        EXPECT_EQ(&copy, copy.FindCommand(id)->m_pProfile);
        EXPECT_EQ(static_cast<int>(id), TagOf(copy.FindCommandIcon(id)));
        EXPECT_NE(source.FindCommandIcon(id), copy.FindCommandIcon(id));
    }
}

class CmdManagerTest : public ::testing::Test
{
protected:
    CmdManagerTest()
    {
        m_frame = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
        m_child = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, m_frame, nullptr,
                                    nullptr, nullptr);
        m_other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
    }
    ~CmdManagerTest() override
    {
        ::DestroyWindow(m_other);
        ::DestroyWindow(m_frame);
    }

    CExtCmdManager m_manager;
    HWND m_frame;
    HWND m_child;
    HWND m_other;
};

TEST_F(CmdManagerTest, WindowsFindTheProfileOfTheirNearestBoundAncestor)
{
    EXPECT_NE(nullptr, m_manager.FindProfile("default"));
    EXPECT_EQ(m_manager.FindProfile("default"), m_manager.FindProfile(""));
    ASSERT_TRUE(m_manager.AttachProfile("main", m_frame));
    EXPECT_STREQ("main", m_manager.ProfileFromWindow(m_child));
    EXPECT_EQ(nullptr, m_manager.ProfileFromWindow(m_other));

    // A second binding of the same window keeps the first.
    EXPECT_TRUE(m_manager.AttachProfile("capture", m_frame));
    EXPECT_STREQ("main", m_manager.ProfileFromWindow(m_frame));
    EXPECT_FALSE(m_manager.BindWindowToProfile("missing", m_other));
    EXPECT_FALSE(m_manager.BindWindowToProfile("main", nullptr));

    EXPECT_TRUE(m_manager.AttachProfile(nullptr, m_other));
    EXPECT_STREQ("default", m_manager.ProfileFromWindow(m_other));
}

TEST_F(CmdManagerTest, DetachDeletesAnOrphanedProfileOnlyWhenAsked)
{
    m_manager.AttachProfile("main", m_frame);
    m_manager.AttachProfile("main", m_other);
    bool deleted = true;
    EXPECT_TRUE(m_manager.DetachWindow(m_frame, true, &deleted));
    EXPECT_FALSE(deleted);
    EXPECT_FALSE(m_manager.DetachWindow(m_frame));
    EXPECT_TRUE(m_manager.DetachWindow(m_other, true, &deleted));
    EXPECT_TRUE(deleted);
    EXPECT_EQ(nullptr, m_manager.FindProfile("main"));
    EXPECT_FALSE(m_manager.StoreCommand("main", CExtCmdItem(5)));
}

TEST_F(CmdManagerTest, OperationsForwardToTheNamedProfile)
{
    m_manager.AttachProfile("main", m_frame);
    bool isNew = false;
    EXPECT_TRUE(m_manager.StoreCommand("main", CExtCmdItem(9), false, &isNew));
    EXPECT_TRUE(isNew);
    EXPECT_EQ(nullptr, m_manager.FindCommand("default", 9));
    EXPECT_NE(nullptr, m_manager.FindCommand("main", 9));

    HICON icon = ::CreateIcon(nullptr, 16, 16, 1, 1, std::vector<BYTE>(32, 0xFF).data(),
                              std::vector<BYTE>(32, 0).data());
    ASSERT_NE(nullptr, icon);
    EXPECT_TRUE(m_manager.SetCommandIcon("main", 9, icon, true));
    EXPECT_NE(nullptr, m_manager.FindCommandIcon("main", 9));
    ::DestroyIcon(icon);
    EXPECT_TRUE(m_manager.SetCommandIcon("main", 9, nullptr, false));
    EXPECT_EQ(nullptr, m_manager.FindCommandIcon("main", 9));

    EXPECT_EQ(0xFFFEu, m_manager.AllocCommand("main")->m_nCmdID);
    bool removed = false;
    EXPECT_TRUE(m_manager.RemoveCommand("main", 9, &removed));
    EXPECT_TRUE(removed);
    EXPECT_EQ(nullptr, m_manager.AllocCommand("nothing"));
}

TEST(CmdManagerVersion, FullAndShortFormsAndText)
{
    EXPECT_EQ(0x02020701u, CExtCmdManager::GetFrameworkVersion(false));
    EXPECT_EQ(0x0202u, CExtCmdManager::GetFrameworkVersion(true));
    EXPECT_STREQ("2.2.7.1", CExtCmdManager::FormatFrameworkVersion('.'));
    EXPECT_STREQ("2-2-7-1", CExtCmdManager::FormatFrameworkVersion('-'));
}

} // namespace

namespace {

// An image that counts the system changes that reach it.
class CountingIcon : public CExtCmdIcon
{
public:
    explicit CountingIcon(int* changes) : m_changes(changes) { }
    bool IsEmpty() const override { return false; }
    void OnSysColorChange() override { ++*m_changes; }
    void OnSettingChange(UINT, LPCTSTR) override { ++*m_changes; }
    void OnDisplayChange(int, int, int) override { ++*m_changes; }
    void OnThemeChanged(WPARAM, LPARAM) override { ++*m_changes; }

private:
    int* m_changes;
};

TEST(CmdManagerRelay, SystemChangesReachTheImagesThroughARelayWindowOnly)
{
    CExtCmdManager& manager = *g_CmdManager.GetHeldObject();
    ASSERT_TRUE(manager.AttachProfile("relay", nullptr));
    manager.StoreCommand("relay", CExtCmdItem(11));
    int changes = 0;
    ASSERT_TRUE(manager.FindProfile("relay")->SetCommandIcon(11, new CountingIcon(&changes), true));

    // A window outside any frame passes changes on.
    const HWND loose = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr);
    CWnd window;
    window.Attach(loose);
    g_CmdManager.RelaySysColorChange(&window);
    g_CmdManager.RelaySettingChange(&window, 0, nullptr);
    g_CmdManager.RelayDisplayChange(&window, 32, 800, 600);
    g_CmdManager.RelayThemeChange(&window, 0, 0);
    EXPECT_EQ(4, changes);

    g_CmdManager.RelaySysColorChange(nullptr);
    EXPECT_EQ(4, changes);
    window.Detach();
    ::DestroyWindow(loose);
    manager.RemoveAllCommands("relay");
}

} // namespace
