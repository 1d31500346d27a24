#include "tools/driver/ProgramText.h"

#include <windows.h>

namespace {

std::string Narrow(const std::wstring& text, UINT codePage)
{
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrowed(size, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrowed.data(),
                        size, nullptr, nullptr);
    return narrowed;
}

std::wstring Widen(const std::string& text, UINT codePage)
{
    const int size =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring widened(size, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), widened.data(),
                        size);
    return widened;
}

} // namespace

std::string ProgramTextToUtf8(const std::string& text)
{
    return Narrow(Widen(text, kProgramCodePage), CP_UTF8);
}

std::string Utf8ToProgramText(const std::string& utf8)
{
    return Narrow(Widen(utf8, CP_UTF8), kProgramCodePage);
}

std::string WideToUtf8(const std::wstring& text)
{
    return Narrow(text, CP_UTF8);
}
