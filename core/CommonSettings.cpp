#include "core/CommonSettings.h"

#include <algorithm>
#include <windows.h>

#include "core/PathHelpers.h"
#include "platform/RegistryProfile.h"

namespace {

const char kSection[] = "CMN";
const char kVersionEntry[] = "VER";
// The framework's profile of the docking layout and command profiles, below the application key.
const char kLayoutKey[] = "Dockmere227";
const char kNoVersion[] = "Nothing";

const int kMinLog = 10;
const int kMaxLog = 9999;

struct IntEntry
{
    const char* key;
    int CCommonSettings::* field;
};

const IntEntry kIntEntries[] = {
    {"MAXLOG", &CCommonSettings::m_maxLog},
    {"AUTO", &CCommonSettings::m_autoSave},
    {"LOGFONT", &CCommonSettings::m_logFont},
    {"UI", &CCommonSettings::m_theme},
    {"TOOLSIZE", &CCommonSettings::m_toolbarSize},
    {"TASKTRY", &CCommonSettings::m_trayIcon},
    {"CONTEXT", &CCommonSettings::m_menuEffect},
};

struct StringEntry
{
    const char* key;
    CString CCommonSettings::* field;
};

const StringEntry kStringEntries[] = {
    {"PATH", &CCommonSettings::m_savePath},
    {"FILE", &CCommonSettings::m_filePrefix},
};

// A group value's key is the group's prefix followed by the value's name.
const char* const kGroupPrefixes[EDITOR_COUNT] = {"E", "D", "C1", "C2", "CM1", "CM2"};

struct DisplayEntry
{
    const char* name;
    int EditorDisplaySetting::* field;
};

const DisplayEntry kDisplayEntries[] = {
    {"ASCII", &EditorDisplaySetting::m_showText},
    {"ADDRCK", &EditorDisplaySetting::m_showAddress},
    {"ADDR", &EditorDisplaySetting::m_addressDigits},
    {"MODE", &EditorDisplaySetting::m_grouping},
    {"BACK", &EditorDisplaySetting::m_backColor},
    {"TEXT", &EditorDisplaySetting::m_textColor},
    {"FONT", &EditorDisplaySetting::m_fontSize},
    {"HEAD", &EditorDisplaySetting::m_showHeader},
    {"TCODE", &EditorDisplaySetting::m_textCode},
};

int SystemColor(int index)
{
    return static_cast<int>(GetSysColor(index));
}

CString CurrentDirectory()
{
    char buffer[MAX_PATH];
    return GetCurrentDir(MAX_PATH, buffer) ? CString(buffer) : CString();
}

// Calls visit(key, value) for each of the 54 group values, groups in stored order.
template <typename Settings, typename Visit>
void ForEachDisplayValue(Settings& settings, Visit visit)
{
    for (int group = 0; group < EDITOR_COUNT; ++group) {
        for (const DisplayEntry& entry : kDisplayEntries)
            visit(CString(kGroupPrefixes[group]) + entry.name,
                  settings.m_editors[group].*entry.field);
    }
}

void DeleteSavedLayout(CRegistryProfile& app)
{
    HKEY appKey = app.GetAppRegistryKey();
    if (!appKey)
        return;
    // A layout that is not there, or cannot be opened, is left alone.
    DeleteRegistryTree(appKey, kLayoutKey);
    RegCloseKey(appKey);
}

} // namespace

CCommonSettings::CCommonSettings(const CString& runningVersion) : m_version(runningVersion)
{
    SetDefaults();
}

void CCommonSettings::SetDefaults()
{
    m_autoScroll = 0;
    m_maxLog = 1000;
    m_autoSave = 0;
    m_savePath = CurrentDirectory();
    m_filePrefix = "AUTOSAVE";
    m_logFont = 0;
    for (int group = 0; group < EDITOR_COUNT; ++group) {
        m_editors[group] = {
            .m_showText = 1,
            .m_showAddress = 1,
            .m_addressDigits = 1,
            .m_grouping = 1,
            .m_backColor = SystemColor(group == EDITOR_SEND ? COLOR_INFOBK : COLOR_3DLIGHT),
            .m_textColor = SystemColor(COLOR_WINDOWTEXT),
            .m_fontSize = 1,
            .m_showHeader = 1,
            .m_textCode = 1,
        };
    }
    m_theme = 32827;
    m_toolbarSize = 0;
    m_trayIcon = 0;
    m_menuEffect = 0;
}

void CCommonSettings::Load(CRegistryProfile& app)
{
    SetDefaults();
    for (const IntEntry& entry : kIntEntries) {
        int& field = this->*entry.field;
        field = static_cast<int>(app.GetProfileInt(kSection, entry.key, field));
    }
    for (const StringEntry& entry : kStringEntries)
        this->*entry.field = app.GetProfileString(kSection, entry.key, this->*entry.field);
    ForEachDisplayValue(*this, [&app](const CString& key, int& value) {
        value = static_cast<int>(app.GetProfileInt(kSection, key, value));
    });
    m_maxLog = std::clamp(m_maxLog, kMinLog, kMaxLog);

    const CString storedVersion = app.GetProfileString(kSection, kVersionEntry, m_version);
    if (storedVersion != m_version || storedVersion == kNoVersion)
        DeleteSavedLayout(app);
}

void CCommonSettings::Save(CRegistryProfile& app) const
{
    for (const IntEntry& entry : kIntEntries)
        app.WriteProfileInt(kSection, entry.key, this->*entry.field);
    for (const StringEntry& entry : kStringEntries)
        app.WriteProfileString(kSection, entry.key, this->*entry.field);
    ForEachDisplayValue(*this, [&app](const CString& key, int value) {
        app.WriteProfileInt(kSection, key, value);
    });
    app.WriteProfileString(kSection, kVersionEntry, m_version);
}
