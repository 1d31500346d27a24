#include "core/log/LogRowText.h"

#include <algorithm>
#include <cstring>

#include "core/MessageCatalogue.h"

namespace {

const DWORD kDigestLength = 16;

bool IsKnownPortAndKind(const CLogRecord& record)
{
    return record.m_port >= 0 && record.m_port < CCommSettings::kPortCount &&
           record.m_kind >= 0 && record.m_kind < CCommSettings::kLogKindCount;
}

// Printable ASCII decided here, not by isprint: the C runtime's locale is changed elsewhere
// and would let code-page-932 lead bytes through.
bool IsPrintableAscii(BYTE byte)
{
    return byte >= 0x20 && byte <= 0x7E;
}

CString KindText(const CLogRecord& record)
{
    switch (record.m_kind) {
    case LOG_KIND_MESSAGE: {
        CString text = GetMessageText(record.m_messageCode);
        if (record.m_data.GetSize() > 0)
            text += " (" + BytesAsText(record.m_data) + ")";
        return text;
    }
    case LOG_KIND_SENT:
        return "Send";
    case LOG_KIND_RECEIVED:
        return "Recv";
    default:
        return "";
    }
}

} // namespace

bool IsTrafficRecord(const CLogRecord& record)
{
    return record.m_kind == LOG_KIND_SENT || record.m_kind == LOG_KIND_RECEIVED;
}

bool HasPeer(const CLogRecord& record)
{
    return IsTrafficRecord(record) && record.m_peerPort != -1;
}

int GetLogDisplayBits(const CCommSettings& settings, const CLogRecord& record)
{
    return IsKnownPortAndKind(record) ? settings.m_logFilter[record.m_port][record.m_kind] : 0;
}

LogRowColors GetLogRowColors(const CCommSettings& settings, const CLogRecord& record)
{
    if (!IsKnownPortAndKind(record))
        return {static_cast<COLORREF>(CLR_DEFAULT), static_cast<COLORREF>(CLR_DEFAULT)};
    return {settings.m_rowTextColor[record.m_port][record.m_kind],
            settings.m_rowBackColor[record.m_port]};
}

LogRowTexts FormatLogRow(const CCommSettings& settings, const CLogRecord& record)
{
    return {FormatLogNumber(record), FormatLogId(record),
            FormatLogTime(record, settings.m_timeFormat),
            FormatLogContents(record, GetLogDisplayBits(settings, record))};
}

CString FormatLogNumber(const CLogRecord& record)
{
    CString text;
    text.Format("%04lld", CountedFromOne(record.m_sequence));
    return text;
}

CString FormatLogId(const CLogRecord& record)
{
    CString text;
    text.Format("%lld", CountedFromOne(record.m_port));
    if (record.m_connection >= 1)
        text.AppendFormat(":(%d)", record.m_connection);
    else
        text += ":(-)";
    return text;
}

CString FormatLogTime(const CLogRecord& record, int timeFormat)
{
    const SYSTEMTIME& t = record.m_time;
    CString text;
    if (timeFormat == 1)
        text.Format("%02d:%02d:%02d.%03d", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
    else
        text.Format("%04d/%02d/%02d %02d:%02d:%02d.%03d", t.wYear, t.wMonth, t.wDay, t.wHour,
                    t.wMinute, t.wSecond, t.wMilliseconds);
    return text;
}

CString FormatLogContents(const CLogRecord& record, int displayBits)
{
    CString text = KindText(record);
    if (!IsTrafficRecord(record))
        return text;
    if (displayBits & LOG_SHOW_COUNT)
        text.AppendFormat(":%04d", static_cast<int>(record.m_data.GetSize()));
    if (displayBits & LOG_SHOW_HEX)
        text += ":" + FormatHexDigest(record.m_data);
    if (displayBits & LOG_SHOW_TEXT)
        text += ":[" + FormatTextDigest(record.m_data) + "]";
    if (HasPeer(record))
        text.AppendFormat(" IP:%s Port:%u", FormatPeerAddress(record).GetString(),
                          static_cast<unsigned>(record.m_peerPort));
    return text;
}

CString FormatPeerAddress(const CLogRecord& record)
{
    // The address is in network order: its first byte in memory is the first octet.
    const unsigned address = record.m_peerAddress;
    CString text;
    text.Format("%u.%u.%u.%u", address & 0xFF, (address >> 8) & 0xFF, (address >> 16) & 0xFF,
                address >> 24);
    return text;
}

// Both digests are built in a buffer of their fixed length: a row is made for every record that
// arrives, and a formatted append per byte cost more than the rest of the row.
CString FormatHexDigest(const BYTE* bytes, DWORD count)
{
    static const char kDigits[] = "0123456789ABCDEF";
    // Two characters a position, one blank after every odd one.
    char text[kDigestLength * 2 + kDigestLength / 2];
    char* at = text;
    for (DWORD i = 0; i < kDigestLength; ++i) {
        *at++ = i < count ? kDigits[bytes[i] >> 4] : ' ';
        *at++ = i < count ? kDigits[bytes[i] & 0x0F] : ' ';
        if (i % 2 == 1)
            *at++ = ' ';
    }
    return CString(text, static_cast<int>(sizeof text));
}

CString FormatHexDump(const BYTE* bytes, DWORD count)
{
    CString text;
    for (DWORD offset = 0; offset < count; offset += kDigestLength) {
        const DWORD lineCount = std::min(kDigestLength, count - offset);
        text.AppendFormat("%08X: %s [%s]\r\n", static_cast<unsigned>(offset),
                          FormatHexDigest(bytes + offset, lineCount).GetString(),
                          FormatTextDigest(bytes + offset, lineCount).GetString());
    }
    return text;
}

CString FormatTextDigest(const BYTE* bytes, DWORD count)
{
    char text[kDigestLength];
    for (DWORD i = 0; i < kDigestLength; ++i) {
        if (i >= count)
            text[i] = ' ';
        else
            text[i] = IsPrintableAscii(bytes[i]) ? static_cast<char>(bytes[i]) : '.';
    }
    return CString(text, static_cast<int>(sizeof text));
}

CString FormatHexDigest(const COleSafeArray& bytes)
{
    return FormatHexDigest(bytes.GetData(), bytes.GetSize());
}

CString FormatTextDigest(const COleSafeArray& bytes)
{
    return FormatTextDigest(bytes.GetData(), bytes.GetSize());
}

CString BytesAsText(const COleSafeArray& bytes)
{
    if (bytes.GetSize() == 0)
        return CString();
    const char* text = reinterpret_cast<const char*>(bytes.GetData());
    const void* zero = std::memchr(text, 0, bytes.GetSize());
    const int length = zero ? static_cast<int>(static_cast<const char*>(zero) - text)
                            : static_cast<int>(bytes.GetSize());
    return CString(text, length);
}
