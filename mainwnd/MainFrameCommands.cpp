// The main window's command profile: filled from the main menu and the command images when the
// window is made, its usage state loaded from the registry then and saved when it goes.
#include "framework/commands/CmdManager.h"
#include "mainwnd/MainFrame.h"
#include "platform/WinApp.h"
#include "res/resource.h"

namespace {

const UINT kMainMenu = IDR_MAINFRAME;
const UINT kCommandImageBars[] = {IDR_COMMAND_IMAGES};
const COLORREF kImageTransparent = RGB(192, 192, 192);

// Commands menus always show, whatever their use.
const UINT kPinnedCommands[] = {
    32800, 32801, 32802, 32803, 32813, 32814, 32894, 32811, 32816, 32825, 32817, 32812, 32810,
    32804, 32808, 32806, 32805, 32809, 32807, 32771, 32832, 57664, 32801, 32801, 32815, 57665,
    32826, 32831, 32856, 32835, 32834, 32848, 32853, 32849, 32850, 32851, 32889, 32890, 32845,
    32842, 32846, 32857, 32847, 32852, 32858, 59392, 59393, 32772, 32774, 32776, 32777, 32892,
    32895, 32896, 32897, 32893, 32860, 32861, 32898, 32899, 32876, 32877, 32878, 32879, 32882,
    32874, 32875, 32880, 32881, 32830, 32829, 32828, 32827, 0};

// The main window's profile is named after the program, as its registry profile is.
LPCTSTR ProfileName()
{
    return AfxGetApp()->m_pszProfileName;
}

} // namespace

void CMainFrame::AttachCommandProfile()
{
    CExtCmdManager& commands = *g_CmdManager.GetHeldObject();
    commands.AttachProfile(ProfileName(), m_hWnd);
    commands.LoadCommandsFromMenu(ProfileName(), kMainMenu, false, true);
    for (UINT bar : kCommandImageBars)
        commands.LoadCommandsFromToolBar(ProfileName(), bar, nullptr, nullptr, false, true,
                                         kImageTransparent);
}

void CMainFrame::LoadCommandProfileState()
{
    CExtCmdManager& commands = *g_CmdManager.GetHeldObject();
    // Not every pinned command exists yet; the others are pinned all the same.
    commands.SetPinnedCommands(ProfileName(), kPinnedCommands, true);
    // A missing or damaged state leaves the defaults.
    commands.PersistProfileState(ProfileName(), AfxGetApp()->m_pszRegistryKey, ProfileName(),
                                 false);
}

void CMainFrame::DetachCommandProfile()
{
    CExtCmdManager& commands = *g_CmdManager.GetHeldObject();
    commands.PersistProfileState(ProfileName(), AfxGetApp()->m_pszRegistryKey, ProfileName(),
                                 true);
    commands.DetachWindow(m_hWnd, false);
}
