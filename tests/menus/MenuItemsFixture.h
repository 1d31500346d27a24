// Commands in the default profile (the one a menu without command-target window uses), removed
// again after each test, and short ways to build items and platform menus.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/commands/CmdManager.h"
#include "framework/menus/PopupMenuLayout.h"

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
