#include "core/DataAnalysisText.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

void AppendFormat(CString& text, const char* format, ...)
{
    char line[128];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    text += line;
}

// The n bytes from b as an unsigned value, in memory order (little-endian) or reversed.
unsigned long long Read(const BYTE* b, int n, bool bigEndian)
{
    unsigned long long value = 0;
    for (int i = 0; i < n; ++i)
        value |= static_cast<unsigned long long>(b[bigEndian ? n - 1 - i : i]) << (8 * i);
    return value;
}

float AsFloat(unsigned long long bits)
{
    const unsigned int word = static_cast<unsigned int>(bits);
    float value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

double AsDouble(unsigned long long bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

CString DataAnalysisText(int position, std::span<const BYTE> data)
{
    CString text;
    AppendFormat(text, "Cursor Position(Dec):%d\r\n", position);
    AppendFormat(text, "Cursor Position(Hex):%08X\r\n\r\n", static_cast<unsigned>(position));

    BYTE b[8] = {};
    int k = 0;
    if (position >= 0 && static_cast<size_t>(position) < data.size()) {
        k = static_cast<int>(std::min<size_t>(8, data.size() - static_cast<size_t>(position)));
        std::memcpy(b, data.data() + position, static_cast<size_t>(k));
    }
    if (k >= 1) {
        AppendFormat(text, "1Byte [0x%02X]\r\n", b[0]);
        AppendFormat(text, "char                :%d\r\n", static_cast<signed char>(b[0]));
        AppendFormat(text, "unsigned char       :%d\r\n\r\n", b[0]);
    }
    if (k >= 2) {
        const auto little = static_cast<unsigned short>(Read(b, 2, false));
        const auto big = static_cast<unsigned short>(Read(b, 2, true));
        AppendFormat(text, "2Byte [0x%02X%02X]\r\n", b[0], b[1]);
        AppendFormat(text, "L:short             :%d\r\n", static_cast<short>(little));
        AppendFormat(text, "L:unsigned short    :%u\r\n", little);
        AppendFormat(text, "B:short             :%d\r\n", static_cast<short>(big));
        AppendFormat(text, "B:unsigned short    :%u\r\n\r\n", big);
    }
    if (k >= 4) {
        const auto little = static_cast<unsigned int>(Read(b, 4, false));
        const auto big = static_cast<unsigned int>(Read(b, 4, true));
        AppendFormat(text, "4Byte [0x%02X%02X%02X%02X]\r\n", b[0], b[1], b[2], b[3]);
        AppendFormat(text, "L:long              :%d\r\n", static_cast<int>(little));
        AppendFormat(text, "L:unsigned long     :%u\r\n", little);
        AppendFormat(text, "L:float             :%f\r\n", static_cast<double>(AsFloat(little)));
        AppendFormat(text, "B:long              :%d\r\n", static_cast<int>(big));
        AppendFormat(text, "B:unsigned long     :%u\r\n", big);
        AppendFormat(text, "B:float             :%f\r\n\r\n", static_cast<double>(AsFloat(big)));
    }
    if (k >= 8) {
        AppendFormat(text, "8Byte [0x%02X%02X%02X%02X%02X%02X%02X%02X]\r\n", b[0], b[1], b[2], b[3],
                     b[4], b[5], b[6], b[7]);
        AppendFormat(text, "L:double            :%f\r\n", AsDouble(Read(b, 8, false)));
        AppendFormat(text, "B:double            :%f\r\n\r\n", AsDouble(Read(b, 8, true)));
    }
    return text;
}
