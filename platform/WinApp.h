// CWinApp: the process's one application object and its window thread. It holds the program's
// names, the profile functions, which keep settings in the registry under
// HKEY_CURRENT_USER\Software\<company>\<profile name> once SetRegistryKey has chosen the company,
// and the start of the program: AfxWinMain calls InitInstance, then Run (the message loop of
// CWinThread) and finally ExitInstance.
#pragma once

#include <string>

#include "platform/String.h"
#include "platform/Types.h"
#include "platform/WinThread.h"

class CWinApp : public CWinThread
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
    // Both null until SetRegistryKey.
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;

    void SetRegistryKey(LPCTSTR lpszRegistryKey);

    // Open keys, created when absent, that the caller closes with RegCloseKey; nullptr without a
    // registry key or when the registry refuses.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

    // A missing section or value, or a value of another type (DWORD for integers, REG_SZ for
    // strings), gives the default. Reading creates nothing.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // Integers go in as DWORD values, strings (never null) as REG_SZ.
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);

protected:
    // ID_APP_EXIT: closes the main window.
    afx_msg void OnAppExit();

    DECLARE_MESSAGE_MAP()

private:
    HKEY OpenProfileKey(LPCTSTR section, bool create) const;
    // The raw data of a value of the expected type; false when anything is missing or differs.
    bool ReadProfileValue(LPCTSTR section, LPCTSTR entry, DWORD expectedType,
                          std::string& data) const;
    BOOL WriteProfileValue(LPCTSTR section, LPCTSTR entry, DWORD type, const void* data,
                           DWORD size);

    // Storage behind the public name pointers.
    CString m_appName;
    CString m_registryKey;
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

// Full path of the running program's executable file.
CString GetProgramPath();

// Deletes the key keyName below parent with all its subkeys and values (RegDeleteTree is missing
// on older systems). ERROR_SUCCESS, or the error that stopped it, ERROR_FILE_NOT_FOUND when the
// key does not exist.
LONG DeleteRegistryTree(HKEY parent, LPCTSTR keyName);
