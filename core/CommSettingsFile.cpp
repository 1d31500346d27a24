// The .qvg file on disk: its byte form (CommSettingsBytes.cpp) written under a temporary name and
// moved into place, or read whole, under the wait cursor.
#include "core/CommSettings.h"

#include "core/ByteStream.h"
#include "platform/WaitCursor.h"

int CCommSettings::Save() const
{
    CWaitCursor wait;
    // Even a small file keeps the wait cursor up long enough for the user to see the save.
    Sleep(300);
    const std::vector<BYTE> bytes = ToFileBytes(kCurrentFileVersion);
    CByteStream file;
    file.AppendBytes(bytes.data(), static_cast<DWORD>(bytes.size()));
    return file.WriteFile(m_settingsPath) ? 0 : -1;
}

int CCommSettings::Load()
{
    CWaitCursor wait;
    CByteStream stream;
    if (!stream.ReadFile(m_settingsPath))
        return -1;
    return FromFileBytes(std::span<const BYTE>(stream.GetData(), stream.GetSize()));
}
