// CQuorvexApp: the program's one application object. It owns the live settings document, the
// common settings, both ports' runtime contexts, the Winsock data and the start tick that names
// every kernel object of the program; connection threads read them in place by port index.
// Built into the program itself (not the core library), because it creates the main window.
#pragma once
#include <winsock2.h>

#include <atomic>

#include "core/CommSettings.h"
#include "core/CommonSettings.h"
#include "core/PortContext.h"
#include "core/engine/LuaModuleList.h"
#include "platform/WinApp.h"

class CQuorvexApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    // From any thread: a copy of the send editor's bytes, taken on the window thread; empty
    // once the main window is gone.
    COleSafeArray& GetSendEditorData(COleSafeArray& data);
    // From any thread: replaces the send editor's bytes on the window thread (undoable there).
    BOOL SetSendEditorData(const COleSafeArray& data);
    // Window thread: the send editor takes the display group E of the settings.
    void ApplySendEditorSettings(const CCommonSettings& settings);

    CCommSettings m_settings;
    CCommonSettings m_commonSettings;
    CPortContext m_portContexts[CCommSettings::kPortCount];  // index 0 = Port 1
    WSADATA m_wsaData = {};
    DWORD m_startTick = 0;

private:
    // The main window's handle for the accessors that other threads call: they never touch the
    // frame object, which may be gone while they run.
    std::atomic<HWND> m_mainWindowHandle{nullptr};

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
