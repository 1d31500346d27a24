#include "framework/commands/RegistryArchiver.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/commands/CmdManager.h"
#include "platform/MemFile.h"

namespace {

const UINT kValueBytes = 16;
const DWORD kValuesPerBlock = 128;
const REGSAM kArchiveRights = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |
                              KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY;
// The integrity text: 16 bytes as two digits each, blanks between, and its zero.
const DWORD kIntegrityTextBytes = 16 * 3;

// Closes the key it holds when it goes out of scope.
class CRegKey
{
public:
    CRegKey() = default;
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey() { Close(); }

    bool Open(HKEY parent, LPCTSTR path, REGSAM rights)
    {
        Close();
        return ::RegOpenKeyExA(parent, path, 0, rights, &m_key) == ERROR_SUCCESS;
    }
    bool Create(HKEY parent, LPCTSTR path)
    {
        Close();
        return ::RegCreateKeyExA(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key,
                                 nullptr) == ERROR_SUCCESS;
    }
    void Close()
    {
        if (m_key)
            ::RegCloseKey(m_key);
        m_key = nullptr;
    }
    operator HKEY() const { return m_key; }

    bool SetValue(LPCTSTR name, DWORD type, const void* data, DWORD size) const
    {
        return ::RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE*>(data), size) ==
               ERROR_SUCCESS;
    }
    bool SetText(LPCTSTR name, const CString& text) const
    {
        return SetValue(name, REG_SZ, text.GetString(), static_cast<DWORD>(text.GetLength()) + 1);
    }
    // The value's type and its stored length (at most capacity) into buffer.
    bool GetValue(LPCTSTR name, DWORD& type, void* buffer, DWORD capacity, DWORD& size) const
    {
        size = capacity;
        return ::RegQueryValueExA(m_key, name, nullptr, &type, static_cast<BYTE*>(buffer),
                                  &size) == ERROR_SUCCESS;
    }

private:
    HKEY m_key = nullptr;
};

CString BlockName(DWORD valueNumber)
{
    CString name;
    name.Format("block_0x%08lX", valueNumber / kValuesPerBlock);
    return name;
}

CString ValueName(DWORD valueNumber)
{
    CString name;
    name.Format("data_0x%08lX", valueNumber);
    return name;
}

CString GeneratorText()
{
    CString text;
    text.Format("Dock-Mere v. %s registry archiver",
                CExtCmdManager::FormatFrameworkVersion('.').GetString());
    return text;
}

bool IsTextType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_LINK || type == REG_MULTI_SZ;
}

void RemoveOldArchive(HKEY root, LPCTSTR keyPath)
{
    CRegKey old;
    if (!old.Open(root, keyPath, kArchiveRights))
        return;
    const bool emptied = DeleteRegistrySubtree(old);
    old.Close();
    if (emptied)
        ::RegDeleteKeyA(root, keyPath);
}

// The stored bytes when every value has exactly the length the size leaves for it.
bool ReadValues(const CRegKey& archive, DWORD size, std::vector<BYTE>& data,
                CRegistryIntegrity& integrity)
{
    CRegKey block;
    for (DWORD number = 0; data.size() < size; ++number) {
        if (number % kValuesPerBlock == 0 && !block.Open(archive, BlockName(number), KEY_READ))
            return false;
        const DWORD expected = std::min<DWORD>(kValueBytes, size - static_cast<DWORD>(data.size()));
        BYTE bytes[kValueBytes];
        DWORD type = 0;
        DWORD stored = 0;
        if (!block.GetValue(ValueName(number), type, bytes, sizeof bytes, stored) ||
            type != REG_BINARY || stored != expected)
            return false;
        integrity.Feed(bytes, expected);
        data.insert(data.end(), bytes, bytes + expected);
    }
    return true;
}

bool IntegrityMatches(const CRegKey& archive, const CString& formed)
{
    char stored[kIntegrityTextBytes + 1] = {};
    DWORD type = 0;
    DWORD size = 0;
    return archive.GetValue("data_integrity", type, stored, kIntegrityTextBytes, size) &&
           IsTextType(type) && std::strcmp(stored, formed) == 0;
}

} // namespace

void CRegistryIntegrity::Feed(const BYTE* bytes, UINT count)
{
    for (UINT i = 0; i < count; ++i) {
        DWORD& hash = m_accumulators[m_next];
        hash = (hash << 4) + bytes[i];
        const DWORD high = hash & 0xF0000000u;
        if (high != 0) {
            hash ^= high >> 24;
            hash &= ~high;
        }
        m_next = (m_next + 1) % 4;
    }
}

CString CRegistryIntegrity::Text() const
{
    CString text;
    for (int i = 0; i < 4; ++i) {
        const DWORD hash = m_accumulators[i];
        text.AppendFormat("%s%02X %02X %02X %02X", i == 0 ? "" : " ",
                          static_cast<unsigned>(hash >> 24), static_cast<unsigned>((hash >> 16) & 0xFF),
                          static_cast<unsigned>((hash >> 8) & 0xFF), static_cast<unsigned>(hash & 0xFF));
    }
    return text;
}

CString BuildFrameworkRegistryPath(LPCTSTR section, LPCTSTR profileName, LPCTSTR registryKey,
                                   LPCTSTR appProfileName)
{
    auto text = [](LPCTSTR part) { return part ? part : ""; };
    CString path;
    path.Format("Software\\%s\\%s\\%s\\%s\\%s\\%s", text(registryKey), text(appProfileName),
                "Dockmere227", "Profiles", text(profileName), text(section));
    for (char unsafe : {'\r', '\t', '\n', '?', '*'})
        path.Replace(unsafe, '_');
    return path;
}

bool DeleteRegistrySubtree(HKEY key)
{
    DWORD count = 0;
    DWORD longest = 0;
    if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::vector<char> name(longest + 1);
    for (DWORD index = count; index-- > 0;) {
        DWORD length = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS)
            return false;
        CRegKey child;
        if (!child.Open(key, name.data(), kArchiveRights) || !DeleteRegistrySubtree(child))
            return false;
        child.Close();
        if (::RegDeleteKeyA(key, name.data()) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

bool SaveBlobToRegistry(CMemFile& file, LPCTSTR keyPath, HKEY root)
{
    if (!keyPath)
        return false;
    RemoveOldArchive(root, keyPath);
    file.SeekToBegin();
    const ULONGLONG length = file.GetLength();
    CRegKey archive;
    if (length > 0xFFFFFFFFu || !archive.Create(root, keyPath))
        return false;
    const DWORD size = static_cast<DWORD>(length);
    if (!archive.SetValue("data_size", REG_DWORD, &size, sizeof size))
        return false;
    CRegistryIntegrity integrity;
    BYTE bytes[kValueBytes];
    DWORD number = 0;
    for (UINT count; (count = file.Read(bytes, kValueBytes)) != 0; ++number) {
        CRegKey block;
        if (!block.Create(root, CString(keyPath) + "\\" + BlockName(number)) ||
            !block.SetValue(ValueName(number), REG_BINARY, bytes, count))
            return false;
        integrity.Feed(bytes, count);
    }
    if (!archive.SetText("data_integrity", integrity.Text()))
        return false;
    archive.SetText("data_generator", GeneratorText());
    return true;
}

bool LoadBlobFromRegistry(CMemFile& file, LPCTSTR keyPath, HKEY root)
{
    CRegKey archive;
    if (!keyPath || !archive.Open(root, keyPath, KEY_READ))
        return false;
    DWORD size = 0;
    DWORD type = 0;
    DWORD stored = 0;
    if (!archive.GetValue("data_size", type, &size, sizeof size, stored) || type != REG_DWORD ||
        stored != sizeof size)
        return false;
    if (size == 0)
        return true;
    // Nothing reaches the file before the whole archive has proved sound.
    std::vector<BYTE> data;
    CRegistryIntegrity integrity;
    if (!ReadValues(archive, size, data, integrity) || !IntegrityMatches(archive, integrity.Text()))
        return false;
    file.SeekToEnd();
    file.Write(data.data(), static_cast<UINT>(data.size()));
    file.SeekToBegin();
    return true;
}

CString BuildCommandProfileKeyPath(LPCTSTR profileName, LPCTSTR registryKey,
                                   LPCTSTR appProfileName)
{
    return BuildFrameworkRegistryPath("CommandManager", profileName, registryKey, appProfileName);
}

bool SaveCommandProfileBlob(CMemFile& file, LPCTSTR profileName, LPCTSTR registryKey,
                            LPCTSTR appProfileName)
{
    return SaveBlobToRegistry(
        file, BuildCommandProfileKeyPath(profileName, registryKey, appProfileName),
        HKEY_CURRENT_USER);
}

bool LoadCommandProfileBlob(CMemFile& file, LPCTSTR profileName, LPCTSTR registryKey,
                            LPCTSTR appProfileName)
{
    return LoadBlobFromRegistry(
        file, BuildCommandProfileKeyPath(profileName, registryKey, appProfileName),
        HKEY_CURRENT_USER);
}
