#include "platform/RegistryProfile.h"

#include "platform/ProfileValue.h"

namespace {

// Registry key names are at most 255 characters, up to two bytes each in code page 932.
const DWORD kKeyNameBufferSize = 512;

std::span<const BYTE> AsBytes(const std::string& data)
{
    return {reinterpret_cast<const BYTE*>(data.data()), data.size()};
}

} // namespace

void CRegistryProfile::SetProfileKey(LPCTSTR company, LPCTSTR profileName)
{
    m_registryKey = company;
    m_profileName = profileName;
    m_pszRegistryKey = m_registryKey;
    m_pszProfileName = m_profileName;
}

HKEY CRegistryProfile::GetAppRegistryKey()
{
    return OpenProfileKey(nullptr, true);
}

HKEY CRegistryProfile::GetSectionKey(LPCTSTR lpszSection)
{
    return OpenProfileKey(lpszSection, true);
}

UINT CRegistryProfile::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    DWORD type = 0;
    std::string data;
    UINT value = 0;
    if (!ReadProfileValue(lpszSection, lpszEntry, type, data) ||
        !ProfileIntFromValue(type, AsBytes(data), value))
        return static_cast<UINT>(nDefault);
    return value;
}

CString CRegistryProfile::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    DWORD type = 0;
    std::string data;
    CString value;
    if (!ReadProfileValue(lpszSection, lpszEntry, type, data) ||
        !ProfileStringFromValue(type, AsBytes(data), value))
        return CString(lpszDefault);
    return value;
}

BOOL CRegistryProfile::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    return WriteProfileValue(lpszSection, lpszEntry, REG_DWORD, ProfileIntData(nValue));
}

BOOL CRegistryProfile::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    return WriteProfileValue(lpszSection, lpszEntry, REG_SZ, ProfileStringData(lpszValue));
}

HKEY CRegistryProfile::OpenProfileKey(LPCTSTR section, bool create) const
{
    if (!m_pszRegistryKey)
        return nullptr;
    CString path = CString("Software\\") + m_pszRegistryKey + "\\" + m_pszProfileName;
    if (section && *section)
        path += CString("\\") + section;
    HKEY key = nullptr;
    const LONG result =
        create ? RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
               : RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
    return result == ERROR_SUCCESS ? key : nullptr;
}

bool CRegistryProfile::ReadProfileValue(LPCTSTR section, LPCTSTR entry, DWORD& type,
                                         std::string& data) const
{
    HKEY key = OpenProfileKey(section, false);
    if (!key)
        return false;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, entry, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        data.assign(size, '\0');
        result = RegQueryValueExA(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                  &size);
        data.resize(size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

BOOL CRegistryProfile::WriteProfileValue(LPCTSTR section, LPCTSTR entry, DWORD type,
                                         const std::string& data)
{
    HKEY key = GetSectionKey(section);
    if (!key)
        return FALSE;
    const LONG result = RegSetValueExA(key, entry, 0, type,
                                       reinterpret_cast<const BYTE*>(data.data()),
                                       static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

CString GetProgramPath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        // A full buffer means the path was cut short.
        if (length < path.size())
            return CString(path.data(), static_cast<int>(length));
        path.resize(path.size() * 2);
    }
}

LONG DeleteRegistryTree(HKEY parent, LPCTSTR keyName)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(parent, keyName, 0, KEY_READ | KEY_WRITE, &key);
    if (result != ERROR_SUCCESS)
        return result;
    char child[kKeyNameBufferSize];
    // Always the first subkey: each deletion renumbers the rest.
    do {
        DWORD length = sizeof child;
        result = RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_SUCCESS)
            result = DeleteRegistryTree(key, child);
    } while (result == ERROR_SUCCESS);
    RegCloseKey(key);
    if (result != ERROR_NO_MORE_ITEMS)
        return result;
    return RegDeleteKeyA(parent, keyName);
}
