// The program's own registry profile, HKEY_CURRENT_USER\Software\vantrel\Quorvex, as the tests
// prepare and inspect it with the system's registry functions.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

const char kProgramProfileKey[] = "Software\\vantrel\\Quorvex";

inline void DeleteProgramProfile()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, kProgramProfileKey);
}

inline std::string ProgramSectionKey(const char* section)
{
    return std::string(kProgramProfileKey) + "\\" + section;
}

inline void WriteProgramDword(const char* section, const char* entry, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, ProgramSectionKey(section).c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

// The value's data when it exists with the type given.
inline std::optional<std::string> ReadProgramValue(const char* section, const char* entry,
                                                   DWORD expectedType)
{
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    if (RegGetValueA(HKEY_CURRENT_USER, ProgramSectionKey(section).c_str(), entry,
                     RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) != ERROR_SUCCESS ||
        type != expectedType)
        return std::nullopt;
    return std::string(data, size);
}

inline std::optional<DWORD> ReadProgramDword(const char* section, const char* entry)
{
    const auto data = ReadProgramValue(section, entry, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD))
        return std::nullopt;
    return *reinterpret_cast<const DWORD*>(data->data());
}

inline std::optional<std::string> ReadProgramString(const char* section, const char* entry)
{
    const auto data = ReadProgramValue(section, entry, REG_SZ);
    if (!data)
        return std::nullopt;
    return std::string(data->c_str());
}
