// A registry area of this test process only, removed with everything below it afterwards, and
// raw access to what the archiver stored there.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

class RegistryArea : public ::testing::Test
{
public:
    RegistryArea() : m_company("QuorvexCmdTest-" + std::to_string(GetCurrentProcessId())) { }
    ~RegistryArea() override
    {
        // The system's own tree delete, independent of the code under test.
        RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\" + m_company).c_str());
    }

    std::string Path(const std::string& sub = "") const
    {
        return "Software\\" + m_company + "\\" + m_area + (sub.empty() ? "" : "\\" + sub);
    }

    bool KeyExists(const std::string& sub) const
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    // The value's type (REG_NONE when missing) and bytes.
    std::pair<DWORD, std::vector<BYTE>> Value(const std::string& sub, const char* name) const
    {
        std::pair<DWORD, std::vector<BYTE>> value(REG_NONE, {});
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return value;
        BYTE data[256];
        DWORD size = sizeof data;
        if (RegQueryValueExA(key, name, nullptr, &value.first, data, &size) == ERROR_SUCCESS)
            value.second.assign(data, data + size);
        RegCloseKey(key);
        return value;
    }

    void SetValue(const std::string& sub, const char* name, DWORD type,
                  const std::vector<BYTE>& bytes)
    {
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, Path(sub).c_str(), 0, nullptr,
                                                 0, KEY_WRITE, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }

    DWORD SubkeyCount(const std::string& sub) const
    {
        HKEY key;
        DWORD count = 0;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Path(sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        return count;
    }

    std::string m_company;
    // Below the company key: where Path points.
    std::string m_area = "archive";
};
