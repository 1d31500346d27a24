// The texts and colours of one row of the log view, made from a record and the communication
// settings without any window, so that the list view only has to draw them.
#pragma once
#include <array>

#include "core/CommSettings.h"
#include "core/LogRecord.h"
#include "platform/String.h"
#include "platform/Types.h"

// The log-display bits of one port and kind (CCommSettings::m_logFilter).
enum LogDisplayBit
{
    LOG_SHOW_ROW = 1,        // the record gets a row
    LOG_SHOW_COUNT = 2,      // sent and received contents show the byte count
    LOG_SHOW_HEX = 4,        // ... the first 16 bytes in hexadecimal
    LOG_SHOW_TEXT = 8,       // ... the first 16 bytes as characters
};

enum LogColumn
{
    LOG_COLUMN_NUMBER = 0,   // "No."
    LOG_COLUMN_ID = 1,       // "ID"
    LOG_COLUMN_TIME = 2,     // "Time"
    LOG_COLUMN_CONTENTS = 3, // "Contents"
    LOG_COLUMN_COUNT = 4,
};

using LogRowTexts = std::array<CString, LOG_COLUMN_COUNT>;

struct LogRowColors
{
    COLORREF text;
    COLORREF background;
};

// The bits of the record's port and kind; 0 (no row) for a port or kind the settings do not
// know, which a loaded log file can carry.
int GetLogDisplayBits(const CCommSettings& settings, const CLogRecord& record);

// Text colour of the record's port and kind on the background of its port; CLR_DEFAULT for a
// port or kind the settings do not know.
LogRowColors GetLogRowColors(const CCommSettings& settings, const CLogRecord& record);

// Sent and received records: the only ones with digests and a peer.
bool IsTrafficRecord(const CLogRecord& record);
// A sent or received record whose peer port is known.
bool HasPeer(const CLogRecord& record);
// The peer's IPv4 address, "%u.%u.%u.%u" with the first octet first.
CString FormatPeerAddress(const CLogRecord& record);

// All four columns under the settings' time format and the record's display bits.
LogRowTexts FormatLogRow(const CCommSettings& settings, const CLogRecord& record);

// A zero-based number of a record (its sequence number, its port) as shown, counted from 1. Wider
// than the field, so the largest value a loaded file can hold is shown as one more.
inline long long CountedFromOne(int zeroBased)
{
    return static_cast<long long>(zeroBased) + 1;
}

CString FormatLogNumber(const CLogRecord& record);
CString FormatLogId(const CLogRecord& record);
// timeFormat 1 gives the time of day only, anything else date and time.
CString FormatLogTime(const CLogRecord& record, int timeFormat);
CString FormatLogContents(const CLogRecord& record, int displayBits);

// The digests of the first 16 bytes, padded with blanks to 16 positions; the contents column,
// the CSV export and the lines of the text export's dump share them. Hex: "%02X" per byte and a
// blank after every second position. Text: the byte when it is printable ASCII, else ".".
CString FormatHexDigest(const BYTE* bytes, DWORD count);
CString FormatTextDigest(const BYTE* bytes, DWORD count);
CString FormatHexDigest(const COleSafeArray& bytes);
// Sixteen bytes a line: "%08X: ", the hex digest, " [", the text digest and "]\r\n".
CString FormatHexDump(const BYTE* bytes, DWORD count);
CString FormatTextDigest(const COleSafeArray& bytes);

// A message record's bytes read as text: up to the first zero byte, never past the end of the
// array when there is none.
CString BytesAsText(const COleSafeArray& bytes);
