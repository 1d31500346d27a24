// CQuorvexApp: the program's one application object. It owns the live settings document, the
// common settings and the port engine (both ports' state and threads), and takes the start tick
// that names every kernel object of the program. Built into the program itself, because it
// creates the main window.
#pragma once
#include <winsock2.h>

#include "core/CommSettings.h"
#include "core/CommonSettings.h"
#include "core/engine/LuaModuleList.h"
#include "core/engine/PortEngine.h"
#include "platform/WinApp.h"

class CQuorvexApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override;
    // Gives the detailed-log pane the display group D of common, after the user changed it.
    void ApplyLogDetailSettings(const CCommonSettings& common);

    CCommSettings m_settings;
    CCommonSettings m_commonSettings;
    // After the settings it reads: it ends first, waiting for any thread still running.
    CPortEngine m_ports{m_settings};

private:
    // Takes the start tick under the start-up semaphore shared by all instances.
    void TakeStartTick();
    // Creates and shows the main window; false when it cannot be created.
    bool CreateMainFrame();
    // Opens the document or log that the command line names, or "auto.qvg".
    void OpenStartupDocument();
};

extern CQuorvexApp theApp;
// The Lua extension modules found in the current directory at start-up.
extern CLuaModuleList theLuaModules;
