// Command ids the popup menus treat specially: the window's system commands, whose prompts and
// tips are the class library's system-command strings, and the idle status-bar message.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/Types.h"

constexpr UINT kIdleMessageId = 57345;
constexpr UINT kFirstRecentFileId = 0xE110;
constexpr UINT kLastRecentFileId = 0xE11F;
constexpr UINT kFirstWindowListId = 0xFF00;
constexpr UINT kLastWindowListId = 0xFF09;

// The string of the nine system commands that have one (0xF000 size ... 0xF130), else 0.
UINT SystemCommandStringId(UINT id);
// What the status bar shows while the command is selected: its own id, a system command's
// string, or the idle message for the other system commands.
UINT CommandPromptId(UINT id);

// What the system commands' states depend on, read from a window.
struct SystemCommandWindowState
{
    bool m_minimized = false;
    bool m_maximized = false;
    bool m_minimizeBox = false;
    bool m_maximizeBox = false;
    bool m_closeGrayed = false;
    bool m_contextHelp = false;
};
SystemCommandWindowState ReadSystemCommandWindowState(HWND window);
// 1 enabled, 0 disabled, -1 a command whose state the window does not decide.
int SystemCommandEnabled(UINT id, const SystemCommandWindowState& state);
