// A test whose application keeps its profile under a company key of this process only, removed
// with everything below it afterwards, with raw registry access to check what the profile
// functions store. Paths are relative to the application key.
#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/WinApp.h"

// A registry value's type and its data as the ANSI functions give it.
using RawValue = std::pair<DWORD, std::string>;

inline RawValue Dword(DWORD value)
{
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

inline RawValue Sz(const std::string& text)
{
    return {REG_SZ, std::string(text.c_str(), text.size() + 1)};
}

class ProfileFixture : public ::testing::Test
{
protected:
    ProfileFixture() : m_company("QuorvexTest-" + std::to_string(GetCurrentProcessId()))
    {
        m_app.SetRegistryKey(m_company.c_str());
    }
    ~ProfileFixture() override
    {
        // The system's own tree delete, independent of the code under test.
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
    }

    std::string FullPath(const std::string& subKey) const
    {
        return "Software\\" + m_company + "\\" + m_app.m_pszAppName +
               (subKey.empty() ? "" : "\\" + subKey);
    }

    void WriteRaw(const std::string& subKey, const char* entry, const RawValue& value)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, FullPath(subKey).c_str(), 0,
                                                 nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
        EXPECT_EQ(ERROR_SUCCESS,
                  RegSetValueExA(key, entry, 0, value.first,
                                 reinterpret_cast<const BYTE*>(value.second.data()),
                                 static_cast<DWORD>(value.second.size())));
        RegCloseKey(key);
    }

    // Type REG_NONE when the value is missing.
    RawValue ReadRaw(const std::string& subKey, const char* entry) const
    {
        RawValue raw(REG_NONE, "");
        HKEY key = OpenRaw(subKey);
        if (!key)
            return raw;
        char data[1024];
        DWORD size = sizeof data;
        if (RegQueryValueExA(key, entry, nullptr, &raw.first, reinterpret_cast<BYTE*>(data),
                             &size) == ERROR_SUCCESS)
            raw.second.assign(data, size);
        RegCloseKey(key);
        return raw;
    }

    bool KeyExists(const std::string& subKey) const
    {
        HKEY key = OpenRaw(subKey);
        if (key)
            RegCloseKey(key);
        return key != nullptr;
    }

    // nullptr when the key is missing.
    HKEY OpenRaw(const std::string& subKey) const
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, FullPath(subKey).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return nullptr;
        return key;
    }

    std::string m_company;
    CWinApp m_app;
};
