#include "core/TextHelpers.h"

#include "platform/Mbcs.h"

DWORD ParseHexText(const char* text)
{
    DWORD value = 0;
    for (const char* at = text; *at; ++at) {
        const char c = *at;
        DWORD digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return 0;
        value = (value << 4) | digit;
    }
    return value;
}

const char* FindLastCharMbcs(const char* text, int character)
{
    const char wanted = static_cast<char>(character);
    const char* found = nullptr;
    for (const char* at = text; *at; ++at) {
        if (IsMbcsLeadByte(static_cast<BYTE>(*at))) {
            if (!at[1])
                break;
            ++at;
        } else if (*at == wanted) {
            found = at;
        }
    }
    return found;
}

CString ConvertLfToCrLf(const char* text)
{
    CString converted;
    for (const char* at = text; *at; ++at) {
        if (*at == '\n')
            converted += '\r';
        converted += *at;
    }
    return converted;
}

int GetFontSizeByIndex(int index)
{
    static const int kPixelHeights[] = {12, 14, 16, 18};
    return index >= 1 && index <= 3 ? kPixelHeights[index] : kPixelHeights[0];
}
