#include "core/StartupDocument.h"

#include <cstring>

#include "core/PathHelpers.h"
#include "core/TextHelpers.h"
#include "platform/File.h"

namespace {

const char kAutoDocument[] = "auto.qvg";
const int kPathBufferSize = 260;

// The extension from the last dot of the file-name part, or "".
CString ExtensionOf(const char* path)
{
    const char* separator = FindLastCharMbcs(path, '\\');
    const char* name = separator ? separator + 1 : path;
    const char* dot = FindLastCharMbcs(name, '.');
    return dot ? CString(dot) : CString();
}

bool IsExistingFile(const char* path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status) && !(status.m_attribute & CFile::directory);
}

} // namespace

StartupDocument ResolveStartupDocument(const char* commandLine)
{
    StartupDocument document;
    if (*commandLine) {
        char longPath[kPathBufferSize];
        if (!GetLongPath(commandLine, longPath, kPathBufferSize))
            return document;
        const CString extension = ExtensionOf(longPath);
        if (extension == ".qvg")
            document.kind = STARTUP_OPEN_SETTINGS;
        else if (extension == ".qvl")
            document.kind = STARTUP_OPEN_LOG;
        else
            return document;
        document.path = longPath;
        return document;
    }
    if (IsExistingFile(kAutoDocument)) {
        document.kind = STARTUP_OPEN_SETTINGS;
        document.path = kAutoDocument;
        document.startEnabledPorts = 1;
    }
    return document;
}
