// CCommonSettings: the application-wide log and display settings that belong to no document,
// kept in the registry section CMN of the application's profile.
#pragma once
#include "core/FileVersion.h"
#include "platform/String.h"

class CRegistryProfile;

// The hex views that have a display group, in the order the groups are stored.
enum EditorIndex
{
    EDITOR_SEND = 0,     // send-data editor, group E
    EDITOR_DETAIL = 1,   // detailed-log pane, group D
    EDITOR_COM1 = 2,     // COM control pane of Port 1, group C1
    EDITOR_COM2 = 3,     // COM control pane of Port 2, group C2
    EDITOR_MEMORY1 = 4,  // common memory 1, group CM1: edited and stored, shown by no pane
    EDITOR_MEMORY2 = 5,  // common memory 2, group CM2
    EDITOR_COUNT = 6
};

// One display group: nine 32-bit values in stored order, handed to a pane as one block.
struct EditorDisplaySetting
{
    int m_showText;       // ASCII: show the text column
    int m_showAddress;    // ADDRCK: show the address column
    int m_addressDigits;  // ADDR: 0 four digits, 1 eight
    int m_grouping;       // MODE: hex column in 0 single bytes, 1 two bytes, 2 four bytes
    int m_backColor;      // BACK: COLORREF
    int m_textColor;      // TEXT: COLORREF
    int m_fontSize;       // FONT: index 0-3 for 12, 14, 16, 18 pixels
    int m_showHeader;     // HEAD: show the header row
    int m_textCode;       // TCODE: 0 ASCII, 1 Shift-JIS, 2 JIS, 3 EUC, 4 UTF-8

    bool operator==(const EditorDisplaySetting&) const = default;
};
static_assert(sizeof(EditorDisplaySetting) == 9 * 4, "a group is a block of nine int32 values");

class CCommonSettings
{
public:
    // The defaults, with the version of the running program or, for tests, the one given.
    explicit CCommonSettings(const CString& runningVersion = GetRunningVersion());

    // Every field to its default, colours from the system as they are now. The version stays.
    void SetDefaults();
    // The defaults, then what the section CMN holds. When the version stored there differs from
    // the running one (or is "Nothing"), the saved docking layout is deleted: it belongs to
    // another version of the program.
    void Load(CRegistryProfile& app);
    // Every stored field, and the running version as VER.
    void Save(CRegistryProfile& app) const;

    const CString& GetVersion() const { return m_version; }

    bool operator==(const CCommonSettings&) const = default;

    int m_autoScroll;     // the log view keeps the newest row visible; never stored
    int m_maxLog;         // MAXLOG: records kept in the log, 10 to 9999
    int m_autoSave;       // AUTO: 0 off, 1 a log file per hour, 2 one per ten minutes
    CString m_savePath;   // PATH: folder of the automatically saved logs
    CString m_filePrefix; // FILE: first part of their file names
    int m_logFont;        // LOGFONT: font-size index of the log view
    EditorDisplaySetting m_editors[EDITOR_COUNT];
    int m_theme;          // UI: command id of the theme, 32827 to 32830
    int m_toolbarSize;    // TOOLSIZE: 0 large, 1 small buttons, from the next start
    int m_trayIcon;       // TASKTRY: 0 none, 1 with taskbar button, 2 without it while iconic
    int m_menuEffect;     // CONTEXT: animation of the popup menus

private:
    CString m_version;    // VER: the running program's file version
};
