// CRegistryProfile: settings kept in the registry under
// HKEY_CURRENT_USER\Software\<company>\<profile name>, once SetProfileKey has named both. It
// needs no window, so the settings of the core are read and written through it; the application
// object is one (with its own names), and a test can make its own.
#pragma once

#include <string>

#include "platform/String.h"
#include "platform/Types.h"

class CRegistryProfile
{
public:
    // Both null until SetProfileKey.
    LPCTSTR m_pszRegistryKey = nullptr;
    LPCTSTR m_pszProfileName = nullptr;

    void SetProfileKey(LPCTSTR company, LPCTSTR profileName);

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
    // The type and raw data of a value; false when the section or value is missing.
    bool ReadProfileValue(LPCTSTR section, LPCTSTR entry, DWORD& type, std::string& data) const;
    BOOL WriteProfileValue(LPCTSTR section, LPCTSTR entry, DWORD type, const std::string& data);

    // Storage behind the public name pointers.
    CString m_registryKey;
    CString m_profileName;
};

// Full path of the running program's executable file.
CString GetProgramPath();

// Deletes the key keyName below parent with all its subkeys and values (RegDeleteTree is missing
// on older systems). ERROR_SUCCESS, or the error that stopped it, ERROR_FILE_NOT_FOUND when the
// key does not exist.
LONG DeleteRegistryTree(HKEY parent, LPCTSTR keyName);
