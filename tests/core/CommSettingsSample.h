// A settings document in which every field differs from its default and from the same field of
// the other port, so a swapped, dropped or misplaced field shows.
#pragma once
#include <string>

#include "core/CommSettings.h"

inline COleSafeArray SampleBytes(const std::string& bytes)
{
    COleSafeArray array;
    array.CreateOneDim(VT_UI1, static_cast<DWORD>(bytes.size()), bytes.data());
    return array;
}

inline CCommSettings MakeNonDefaultCommSettings()
{
    CCommSettings settings;
    settings.m_settingsPath = "C:\\samples\\sample.qvg";
    settings.m_logPath = "C:\\samples\\sample.qvl";
    settings.m_csvPath = "C:\\samples\\sample.csv";
    settings.m_textPath = "C:\\samples\\sample.txt";
    settings.m_sendEditorData = SampleBytes(std::string("\x00\x01send\xFF", 7));
    settings.m_sendEditorMarkers = SampleBytes("markers");
    settings.m_detailDumpMarkers = SampleBytes(std::string("\x00dump", 5));
    settings.m_name = "設定ソ表";
    settings.m_comment = "コメント\r\nsecond line";
    settings.m_startOnLoad = 1;
    settings.m_timeFormat = 0;
    for (int port = 0; port < CCommSettings::kPortCount; ++port) {
        for (const CommSettingsWord& word : kCommPortWords)
            (settings.*word.field)[port] = word.defaults[port] + 1000 * (port + 1) + word.index;
        for (const CommSettingsWord& word : kCommActionWords)
            (settings.*word.field)[port] = word.defaults[port] - 500 * (port + 1) - word.index;
        const std::string tag(1, static_cast<char>('1' + port));
        settings.m_fillByte[port] = static_cast<BYTE>(0xA5 + port);
        settings.m_rowBackColor[port] = 0x00102030 + port;
        for (int kind = 0; kind < CCommSettings::kLogKindCount; ++kind) {
            settings.m_rowTextColor[port][kind] = 0x00405060 + 16 * port + kind;
            settings.m_logFilter[port][kind] = 2 + 4 * port + kind;
        }
        settings.m_serialDelimiters[port] = SampleBytes("\r\n" + tag);
        settings.m_randomAreas[port] =
            SampleBytes(std::string(56 * (port + 1), static_cast<char>(0x30 + port)));
        settings.m_dllPath[port] = ("C:\\ソ\\plugin" + tag + ".dll").c_str();
        settings.m_dllData[port] = SampleBytes(std::string("dll\x00", 4) + tag);
        for (DWORD i = 0; i < CCommSettings::kSocketOptionsSize; ++i)
            settings.m_socketOptions[port][i] = static_cast<BYTE>(i * 7 + port);
        settings.m_scriptText[port] = SampleBytes("print('port " + tag + "')");
        settings.m_flnetAddress[port] = 0x0A00000A + port;
        settings.m_flnetNode[port] = static_cast<WORD>(250 + port);
        settings.m_flnetName[port] = ("node" + tag).c_str();
        for (int i = 0; i < CCommSettings::kFlnetValueCount; ++i)
            settings.m_flnetValues[port][i] = -1 - i - 10 * port;
    }
    return settings;
}

// The defaults, with what SetDefaults(0) and a failed Load keep taken from the given document.
inline CCommSettings DefaultsKeeping(const CCommSettings& kept)
{
    CCommSettings settings;
    settings.m_settingsPath = kept.m_settingsPath;
    settings.m_logPath = kept.m_logPath;
    settings.m_csvPath = kept.m_csvPath;
    settings.m_textPath = kept.m_textPath;
    settings.m_sendEditorData = kept.m_sendEditorData;
    settings.m_sendEditorMarkers = kept.m_sendEditorMarkers;
    settings.m_detailDumpMarkers = kept.m_detailDumpMarkers;
    return settings;
}
