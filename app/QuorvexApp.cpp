#include "app/QuorvexApp.h"

#include <commctrl.h>

#include "core/MessageCatalogue.h"
#include "core/MessageCodes.h"
#include "core/RandomGenerator.h"
#include "core/StartupDocument.h"
#include "core/engine/LuaModuleList.h"
#include "framework/menus/PopupBaseWnd.h"
#include "mainwnd/MainFrame.h"
#include "platform/MessageBox.h"

CQuorvexApp theApp;
// Constructed after the application object and destroyed before it: the modules stay loaded
// until the very end.
CLuaModuleList theLuaModules;

namespace {

const UINT kMainFrameResource = 128;
// Two instances started together must not share a start tick: the tick names their events.
const char kStartupSemaphore[] = "QuorvexStartupChecked";
const DWORD kStartTickSpacingMs = 50;

} // namespace

BOOL CQuorvexApp::InitInstance()
{
    // Every common control the windows use (list view, status bar, tool tips, ...); a manifest
    // for version 6 would otherwise leave some classes unregistered.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    TakeStartTick();
    SeedRandom();
    SetRegistryKey("vantrel");

    WSADATA winsock;
    if (::WSAStartup(MAKEWORD(2, 2), &winsock) != 0) {
        AfxMessageBox(GetMessageText(MSG_WINSOCK_START_FAILED), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_commonSettings.Load(*this);
    // Every popup menu of the program shows all its items: none is hidden as rarely used.
    g_PopupOptions.m_hideRarelyUsed = 0;
    theLuaModules.ScanLuaModules();
    m_ports.SetLuaModules(&theLuaModules);

    if (!CreateMainFrame())
        return FALSE;
    OpenStartupDocument();
    return TRUE;
}

int CQuorvexApp::ExitInstance()
{
    // A connection thread that outlived the main window's bounded wait still uses its socket.
    m_ports.StopAllPorts(INFINITE);
    ::WSACleanup();
    return CWinApp::ExitInstance();
}

void CQuorvexApp::ApplyLogDetailSettings(const CCommonSettings& common)
{
    if (auto* frame = static_cast<CMainFrame*>(m_pMainWnd))
        frame->GetLogDetailPane().ApplyViewSettings(common);
}

void CQuorvexApp::TakeStartTick()
{
    const HANDLE semaphore = ::CreateSemaphoreA(nullptr, 1, 1, kStartupSemaphore);
    if (semaphore)
        ::WaitForSingleObject(semaphore, INFINITE);
    SetEventStartTick(::GetTickCount());
    ::Sleep(kStartTickSpacingMs);
    if (semaphore) {
        ::ReleaseSemaphore(semaphore, 1, nullptr);
        ::CloseHandle(semaphore);
    }
}

bool CQuorvexApp::CreateMainFrame()
{
    auto* frame = new CMainFrame(m_settings, m_commonSettings, m_ports, &theLuaModules);
    m_pMainWnd = frame;
    // A frame that fails to load has deleted itself.
    if (!frame->LoadFrame(kMainFrameResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        m_pMainWnd = nullptr;
        return false;
    }
    frame->ShowWindow(SW_SHOW);
    if (::IsIconic(frame->m_hWnd))
        frame->ShowWindow(SW_RESTORE);
    return true;
}

void CQuorvexApp::OpenStartupDocument()
{
    auto* frame = static_cast<CMainFrame*>(m_pMainWnd);
    const StartupDocument document = ResolveStartupDocument(m_lpCmdLine ? m_lpCmdLine : "");
    switch (document.kind) {
    case STARTUP_OPEN_SETTINGS:
        m_settings.m_settingsPath = document.path;
        frame->OpenDocument(document.startEnabledPorts);
        break;
    case STARTUP_OPEN_LOG:
        m_settings.m_logPath = document.path;
        frame->OpenLogFile();
        break;
    case STARTUP_OPEN_NOTHING:
        break;
    }
}
