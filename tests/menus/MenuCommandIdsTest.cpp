#include <windows.h>

#include <gtest/gtest.h>

#include "framework/menus/MenuCommandIds.h"

namespace {

TEST(MenuCommandIds, PromptsOfSystemCommandsAreTheirStrings)
{
    struct Case
    {
        UINT command;
        UINT prompt;
        UINT tipString;
    } cases[] = {
        {SC_SIZE, 0xEF00, 0xEF00},      {SC_CLOSE, 0xEF06, 0xEF06},
        {SC_RESTORE, 0xEF12, 0xEF12},   {SC_TASKLIST, 0xEF13, 0xEF13},
        {SC_KEYMENU, kIdleMessageId, 0}, {0xF1EF, kIdleMessageId, 0},
        {40, 40, 0},                    {0xF1F0, 0xF1F0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.prompt, CommandPromptId(c.command)) << c.command;
        EXPECT_EQ(c.tipString, SystemCommandStringId(c.command)) << c.command;
    }
}

TEST(MenuCommandIds, SystemCommandStatesFollowTheWindow)
{
    SystemCommandWindowState normal;
    normal.m_minimizeBox = normal.m_maximizeBox = true;
    SystemCommandWindowState maximized = normal;
    maximized.m_maximized = true;
    SystemCommandWindowState minimized = normal;
    minimized.m_minimized = true;
    SystemCommandWindowState bare;
    bare.m_closeGrayed = true;
    bare.m_contextHelp = true;
    struct Case
    {
        UINT command;
        int normal;
        int maximized;
        int minimized;
        int bare;
    } cases[] = {
        {SC_SIZE, 1, 0, 0, 1},        {SC_MOVE, 1, 0, 0, 1},     {SC_MINIMIZE, 1, 1, 0, 0},
        {SC_MAXIMIZE, 1, 0, 1, 0},    {SC_CLOSE, 1, 1, 1, 0},    {SC_RESTORE, 0, 1, 1, 0},
        {SC_CONTEXTHELP, 0, 0, 0, 1}, {SC_KEYMENU, -1, -1, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.normal, SystemCommandEnabled(c.command, normal)) << c.command;
        EXPECT_EQ(c.maximized, SystemCommandEnabled(c.command, maximized)) << c.command;
        EXPECT_EQ(c.minimized, SystemCommandEnabled(c.command, minimized)) << c.command;
        EXPECT_EQ(c.bare, SystemCommandEnabled(c.command, bare)) << c.command;
    }
}

}  // namespace
