// CWinApp: the process's one application object and its window thread. It holds the program's
// names, the profile functions (its registry profile, named after the program once
// SetRegistryKey has chosen the company), and the start of the program: AfxWinMain calls InitInstance, then Run (the message loop of
// CWinThread) and finally ExitInstance.
#pragma once
#include "platform/WindowLayer.h"

#include "platform/RegistryProfile.h"
#include "platform/String.h"
#include "platform/Types.h"
#include "platform/WinThread.h"

class CWinApp : public CWinThread, public CRegistryProfile
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // Takes its names from the program file and becomes what AfxGetApp returns.
    CWinApp();
    ~CWinApp() override;

    // Creates the main window (m_pMainWnd); false ends the program at once.
    virtual BOOL InitInstance();

    // Set by AfxWinMain from the program's start-up arguments.
    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    // The program file's name without its extension; the profile name once SetRegistryKey ran.
    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszExeName = nullptr;

    // The profile becomes HKEY_CURRENT_USER\Software\<company>\<program name>.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);

protected:
    // ID_APP_EXIT: closes the main window.
    afx_msg void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    // Storage behind the public name pointers.
    CString m_appName;
};

// The application object constructed last and still alive, or nullptr.
CWinApp* AfxGetApp();

// The module whose resources the layer loads: the application's instance once AfxWinMain has
// set it, otherwise the program file.
HINSTANCE AfxGetInstanceHandle();

// Runs the application object: InitInstance, then Run, which returns ExitInstance's code; when
// InitInstance fails, the main window is destroyed and ExitInstance's code is returned. -1
// without an application object.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
