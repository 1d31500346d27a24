// CWinApp: the process's one application object. This part holds its names and the profile
// functions, which keep settings in the registry under
// HKEY_CURRENT_USER\Software\<company>\<profile name> once SetRegistryKey has chosen the company.
#pragma once

#include <string>

#include "platform/String.h"
#include "platform/Types.h"

class CWinApp
{
public:
    // Takes its names from the program file and becomes what AfxGetApp returns.
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

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

// Full path of the running program's executable file.
CString GetProgramPath();

// Deletes the key keyName below parent with all its subkeys and values (RegDeleteTree is missing
// on older systems). ERROR_SUCCESS, or the error that stopped it, ERROR_FILE_NOT_FOUND when the
// key does not exist.
LONG DeleteRegistryTree(HKEY parent, LPCTSTR keyName);
