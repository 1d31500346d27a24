#include "core/FileVersion.h"

#include <string>
#include <windows.h>

#include "platform/RegistryProfile.h"

namespace {

const char kNoVersion[] = "Nothing";

} // namespace

CString GetFileVersionText(const char* path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0)
        return kNoVersion;
    std::string info(size, '\0');
    if (!GetFileVersionInfoA(path, 0, size, info.data()))
        return kNoVersion;

    void* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &translation, &length) ||
        length < 2 * sizeof(WORD))
        return kNoVersion;
    const WORD* languageAndCodePage = static_cast<const WORD*>(translation);
    CString query;
    query.Format("\\StringFileInfo\\%04X%04X\\FileVersion", languageAndCodePage[0],
                 languageAndCodePage[1]);

    void* text = nullptr;
    if (!VerQueryValueA(info.data(), query, &text, &length) || length == 0)
        return kNoVersion;
    return static_cast<const char*>(text);
}

const CString& GetRunningVersion()
{
    // The executable cannot change under a running program.
    static const CString version = GetFileVersionText(GetProgramPath());
    return version;
}
