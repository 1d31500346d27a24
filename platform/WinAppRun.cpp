// The start and the commands of the application object (its profile part is WinApp.cpp).
#include "platform/WinApp.h"

#include <utility>

#include "platform/StandardIds.h"
#include "platform/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

HINSTANCE AfxGetInstanceHandle()
{
    const CWinApp* app = AfxGetApp();
    return app && app->m_hInstance ? app->m_hInstance : ::GetModuleHandleA(nullptr);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    if (!app->InitInstance()) {
        // No loop will run, so the main window's end must not post WM_QUIT.
        if (CWnd* mainWnd = std::exchange(app->m_pMainWnd, nullptr))
            mainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
