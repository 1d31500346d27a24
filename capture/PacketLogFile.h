// The packet log (.qvp): the magic "QVP " and the records, each a u32 length and that many bytes
// of CPacketRecord::ToBytes, with no count and no end marker. The rolling log is one such file
// per hour or ten minutes, named after each packet's own time, opened, checked, appended to and
// closed for every packet so that no handle stays open.
#pragma once
#include <vector>

#include "capture/CaptureFileReader.h"
#include "capture/CaptureSettings.h"
#include "capture/PacketRecord.h"
#include "platform/File.h"
#include "platform/String.h"

extern const BYTE kPacketLogMagic[4];

// Directory, "\", the file head and the packet's time: "%04d%02d%02d%02d.qvp" hourly,
// "%04d%02d%02d%02d%d0.qvp" by ten minutes; empty with the rolling log off.
CString MakeRollingLogPath(const CCaptureSettings& settings, const SYSTEMTIME& time);

enum class RollingLogResult
{
    Appended,  // to a file of ours that was there
    NewFile,   // a new file was made for the packet's slot, and the packet went into it
    NotLogged, // off, a file that is not ours (left alone), or a failure to write
};

// Never throws: failures only leave the packet out of the log.
RollingLogResult AppendToRollingLog(const CCaptureSettings& settings, const CPacketRecord& record);

// The u32 length and the record's form.
void AppendPacketLogRecord(std::vector<BYTE>& bytes, const CPacketRecord& record);

// The records after the magic up to the end of the file. False when the file ends inside a
// length or a record. File errors throw CFileException*.
bool ReadPacketLogRecords(CCaptureFileReader& reader, std::vector<CPacketRecord>& records);
