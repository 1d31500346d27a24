#include "platform/FullPath.h"

#include <cstdlib>
#include <memory>

CString FullPath(const char* path)
{
    const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path, nullptr), &std::free);
    return resolved ? CString(resolved.get()) : CString(path);
}
