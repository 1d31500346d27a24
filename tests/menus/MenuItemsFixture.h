// Commands in the default profile (the one a menu without command-target window uses), removed
// again after each test, and short ways to build items and platform menus.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/commands/CmdManager.h"
#include "framework/menus/PopupBaseWnd.h"
#include "framework/menus/PopupMenuLayout.h"

// The options a tracked-menu test starts from: no show animation and every item shown, as the
// application sets them; the options from before come back when the test ends.
class TrackedMenuOptions
{
public:
    TrackedMenuOptions() : m_saved(g_PopupOptions)
    {
        g_PopupOptions.m_defaultAnimation = CExtPopupBaseWnd::kAnimationNone;
        g_PopupOptions.m_hideRarelyUsed = 0;
    }
    ~TrackedMenuOptions() { g_PopupOptions = m_saved; }
    TrackedMenuOptions(const TrackedMenuOptions&) = delete;
    TrackedMenuOptions& operator=(const TrackedMenuOptions&) = delete;

private:
    PopupOptions_t m_saved;
};

class MenuItemsFixture : public ::testing::Test
{
protected:
    void TearDown() override { g_CmdManager->RemoveAllCommands(nullptr); }

    // A command descriptor; often used ones are pinned, the others count as rarely used.
    static CExtCmdItem* Register(UINT id, LPCTSTR menuText, bool oftenUsed = true)
    {
        CExtCmdItem* command = g_CmdManager->FindCommand(nullptr, id);
        if (!command)
            command = g_CmdManager->AllocCommand(nullptr, id);
        command->m_sMenuText = menuText;
        command->SetPinned(oftenUsed);
        return command;
    }

    static CExtPopupMenuItem Command(int id, LPCTSTR text)
    {
        CExtPopupMenuItem item;
        item.m_nCmdID = id;
        item.SetTextWithAccel(text);
        item.Measure();
        return item;
    }

    static CExtPopupMenuItem Separator()
    {
        CExtPopupMenuItem item;
        item.Measure();
        return item;
    }
};
