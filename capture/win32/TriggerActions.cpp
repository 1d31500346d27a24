#include "capture/TriggerActions.h"

#include <shellapi.h>

#include "core/TextHelpers.h"

namespace {

// The directory without one trailing backslash (a trail byte 0x5C of a double-byte character is
// not one).
CString WithoutTrailingBackslash(const CString& directory)
{
    const int length = directory.GetLength();
    if (length > 0 && FindLastCharMbcs(directory, '\\') == directory.GetString() + length - 1)
        return directory.Left(length - 1);
    return directory;
}

ULONGLONG LastWrite(const WIN32_FIND_DATAA& found)
{
    return (static_cast<ULONGLONG>(found.ftLastWriteTime.dwHighDateTime) << 32) |
           found.ftLastWriteTime.dwLowDateTime;
}

} // namespace

CString FindLatestLog(const CCaptureSettings& settings)
{
    if (settings.autoSaveMode == CAPTURE_AUTO_SAVE_OFF)
        return CString();
    const CString directory = WithoutTrailingBackslash(settings.autoSaveDirectory);
    const CString pattern = directory + "\\" + settings.fileHead + "*.qvp";
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return CString();
    CString latest;
    ULONGLONG latestTime = 0;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (latest.IsEmpty() || LastWrite(found) > latestTime) {
            latest = directory + "\\" + found.cFileName;
            latestTime = LastWrite(found);
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return latest;
}

CTriggerActions::CTriggerActions(const CCaptureSettings& settings, HWND owner)
    : m_settings(settings), m_owner(owner)
{
}

void CTriggerActions::RunTriggerAction(const CPacketTriggerEntry& trigger)
{
    if (trigger.saveLatestLog) {
        const CString latest = FindLatestLog(m_settings);
        if (!latest.IsEmpty()) {
            const int slash = latest.ReverseFind('\\');
            const CString target = trigger.directory + "\\" + latest.Mid(slash + 1);
            ::CopyFileA(latest, target, FALSE);
        }
    }
    if (trigger.runProgram)
        ::ShellExecuteA(m_owner, "open", trigger.program, trigger.arguments, nullptr,
                        SW_SHOWNORMAL);
}
